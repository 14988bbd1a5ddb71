#pragma once

#include "base/rational.h"

#include <optional>
#include <vector>

namespace quorvex {

// Exact linear algebra where only the result is wanted, not the steps that
// lead to it: the field's library (FLINT) solves by fraction-free and
// multimodular methods, far faster than a rational elimination that reduces
// every entry at every update.

/// The solution of the system held by the augmented n x (n+1) matrix Ab;
/// nothing when its coefficient matrix is singular.
std::optional<RationalVector> solveExactly(const RationalMatrix& Ab, int n);

/// The inverse of the leading n x n block of A; nothing when it is singular.
std::optional<RationalMatrix> invertExactly(const RationalMatrix& A, int n);

/// Frees what FLINT keeps for this thread between calls. A command's thread
/// may end with the command (the window runs each on one of its own), and
/// what it kept would be lost with it.
void releaseExactCaches();

/// The coefficients c(0), ..., c(n) of det(xI - M) for the leading n x n
/// block of M, lowest power first; c(n) is 1.
std::vector<Rational> characteristicPolynomial(const RationalMatrix& M, int n);

/// The reduced row echelon form of the leading rows x cols block of M:
/// unique, so whichever pivots reach it, the same numbers.
RationalMatrix reducedEchelonForm(const RationalMatrix& M, int rows, int cols);

} // namespace quorvex
