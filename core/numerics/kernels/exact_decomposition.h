#pragma once

// Fast equals of the exact triangular decompositions of
// decomposition_routines.h and their substitutions. One fraction-free
// elimination (fraction_free.h) gives them all: U's rows are its settled
// rows, L's entries its candidates over their stage's pivot, D the pivots,
// y its last column, x its back substitution; each entry is reduced to
// lowest terms once. Each gives false, its outputs untouched, wherever it
// does not stand in for the routines: a number that might outgrow the
// exact limit (exactKernelFits) or a pivot that is 0. The routines stay the
// definition: they then run, stop where they stop and say why.

#include "base/rational.h"

namespace quorvex {
class StopRequest;
} // namespace quorvex

namespace quorvex::kernels {

/// doolittle of A's first n columns; a last pivot of 0 is a result there
/// too.
bool doolittleExact(const RationalMatrix& A, int n, RationalMatrix& L, RationalMatrix& U,
                    const StopRequest& stop);

/// doolittle, forwardUnit and backUpper on the augmented n x (n+1) matrix B.
bool doolittleSolveExact(const RationalMatrix& B, int n, RationalMatrix& L, RationalMatrix& U,
                         RationalVector& Y, RationalVector& X, const StopRequest& stop);

/// columnPivotDoolittle, forwardUnit of B's exchanged right-hand side and
/// backUpper: B is left as there, its rows exchanged, L below the diagonal
/// and U on and above it.
bool columnPivotSolveExact(RationalMatrix& B, int n, RationalMatrix& L, RationalMatrix& U,
                           RationalVector& Y, RationalVector& X, const StopRequest& stop);

/// ldlt of the symmetric matrix B's lower triangle gives, forwardUnit and
/// backWithLdlt.
bool ldltSolveExact(const RationalMatrix& B, int n, RationalMatrix& L, RationalVector& d,
                    RationalVector& Y, RationalVector& X, const StopRequest& stop);

} // namespace quorvex::kernels
