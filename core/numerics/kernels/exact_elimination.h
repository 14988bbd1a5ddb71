#pragma once

// Fast equals of the exact eliminations of elimination_loops.h and
// elimination_routines.h. They give every matrix entry and every unknown as
// the same reduced fraction as the rational loops, with the same pivots,
// exchanges and column order, but compute fraction-free: each row is
// multiplied once by the least common multiple of its denominators, the
// integers are eliminated by Bareiss's method (one exact division by the
// previous pivot per update, so every entry stays a minor of the scaled
// matrix), and each entry is reduced to lowest terms once, at the end.
// With column pivoting or none the same integers usually come faster by
// residues (exact_residues.h). The rational loops stay the definition, and
// write the steps.

#include "base/rational.h"

#include <memory>
#include <vector>

namespace quorvex {
class StopRequest;
} // namespace quorvex

namespace quorvex::kernels {

/// True when no value an exact elimination of A (rows x cols) can produce,
/// whatever its pivots, may outgrow kMaxExactDigits: every such value is a
/// quotient of minors of the row-scaled matrix, which Hadamard's bound
/// keeps within the limit. Only then do the kernels below stand in for the
/// rational loops, which watch the growth stage by stage.
bool exactKernelFits(const RationalMatrix& A, int rows, int cols);

/// eliminate followed by backSubstitute on the augmented n x (n+1) matrix A,
/// for exact numbers: A becomes the eliminated matrix and the unknowns are
/// returned. A zero pivot throws ExactDivisionByZero where those throw it,
/// its stage first stored in zeroPivotStage. Looks at `stop` before each
/// stage.
RationalVector solveExact(RationalMatrix& A, int n, bool columnPivot, const StopRequest& stop,
                          int& zeroPivotStage);

/// eliminateFullPivot followed by backSubstitute, for exact numbers; `order`
/// follows the column exchanges as there.
RationalVector solveFullPivotExact(RationalMatrix& A, int n, std::vector<int>& order,
                                   const StopRequest& stop);

/// ColumnPivotDeterminant for exact numbers: the same reduced matrix,
/// exchange count and determinant; a stage whose pivot is 0 changes
/// nothing, as there.
Rational columnPivotDeterminantExact(RationalMatrix& A, int& exchangeCount,
                                     const StopRequest* stop);

/// reduceGaussJordan for exact numbers on W = (A | I), n x 2n: W becomes
/// (I | inverse of A), which every choice of pivots leads to, found here by
/// residues or else by FLINT's solver a block of columns at a time. A
/// singular A throws ExactDivisionByZero.
void reduceGaussJordanExact(RationalMatrix& W, int n, const StopRequest& stop);

/// The leading principal minors of an exact square matrix, det of its
/// leading k x k block, the values ColumnPivotDeterminant gives them. One
/// elimination without exchanges serves every order: its k-th pivot is the
/// k-th minor of the row-scaled matrix. Orders past a zero minor, which
/// that elimination cannot pass, are eliminated on their own.
class ExactLeadingMinors {
public:
    /// Minors of the leading n x n block of B (B may have more columns);
    /// looks at `stop` before each stage.
    ExactLeadingMinors(const RationalMatrix& B, int n, const StopRequest* stop);
    ~ExactLeadingMinors();
    ExactLeadingMinors(const ExactLeadingMinors&) = delete;
    ExactLeadingMinors& operator=(const ExactLeadingMinors&) = delete;

    /// The minor of order k (1..n).
    Rational operator()(int k);

private:
    struct Elimination;
    const RationalMatrix& m_B;
    int m_n;
    const StopRequest* m_stop;
    std::unique_ptr<Elimination> m_elimination;
};

} // namespace quorvex::kernels
