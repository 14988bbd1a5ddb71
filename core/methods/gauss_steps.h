#pragma once

#include "exact/rational.h"
#include "frame.h"
#include "matrix.h"

#include <vector>

namespace quorvex {

/// Told the working matrix at each elimination stage k, so that a caller
/// can watch the pivots and the numbers grow without the elimination
/// knowing why.
class StageObserver {
public:
    virtual ~StageObserver() = default;
    /// The pivot of stage k sits at A(k, k), the column below it still
    /// uneliminated (elimination without or with column pivoting only).
    virtual void pivotChosen(const Matrix& A, int k) { (void)A, (void)k; }
    /// Stage k is done.
    virtual void stageDone(const Matrix& A, int k) = 0;
};

// The routines are one text for both kinds of numbers (double, Rational):
// doubles are stored rounded, rationals exactly; an exact division by zero
// throws ExactDivisionByZero and growth past kMaxExactDigits
// ExactLimitExceeded (arithmetic.h). Observers watch decimal work only.

/// Forward elimination of the augmented n x (n+1) matrix A, every changed
/// element stored rounded to d decimals; with columnPivot, the first of the
/// largest-magnitude entries of each column is brought to the pivot row.
template <class T>
void eliminate(BasicMatrix<T>& A, int n, int d, bool columnPivot, const StopRequest& stop,
               StageObserver* observer = nullptr);

/// Forward elimination with complete pivoting. A column exchange renumbers
/// the unknowns, which `order` follows (order[c-1] is the input number of
/// the unknown now in column c; it starts as 1..n).
template <class T>
void eliminateFullPivot(BasicMatrix<T>& A, int n, int d, std::vector<int>& order,
                        const StopRequest& stop, StageObserver* observer = nullptr);

/// Back substitution on the eliminated augmented matrix; every unknown but
/// the last is stored rounded to d decimals.
template <class T> BasicVector<T> backSubstitute(const BasicMatrix<T>& A, int n, int d);

} // namespace quorvex
