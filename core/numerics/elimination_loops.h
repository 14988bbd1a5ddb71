#pragma once

#include "base/matrix.h"
#include "base/rational.h"
#include "base/stop_request.h"
#include "numerics/stage_observer.h"

#include <vector>

namespace quorvex {

// The routines are one text for both kinds of numbers (double, Rational):
// doubles are stored rounded, rationals exactly; an exact division by zero
// throws ExactDivisionByZero and growth past kMaxExactDigits
// ExactLimitExceeded (arithmetic.h).

/// Forward elimination of the augmented n x (n+1) matrix A, every changed
/// element stored rounded to d decimals; with columnPivot, the first of the
/// largest-magnitude entries of each column is brought to the pivot row.
template <class T>
void eliminate(BasicMatrix<T>& A, int n, int d, bool columnPivot, const StopRequest& stop,
               BasicStageObserver<T>* observer = nullptr);

/// Forward elimination with complete pivoting. A column exchange renumbers
/// the unknowns, which `order` follows (order[c-1] is the input number of
/// the unknown now in column c; it starts as 1..n).
template <class T>
void eliminateFullPivot(BasicMatrix<T>& A, int n, int d, std::vector<int>& order,
                        const StopRequest& stop, BasicStageObserver<T>* observer = nullptr);

/// Back substitution on the eliminated augmented matrix; every unknown but
/// the last is stored rounded to d decimals.
template <class T> BasicVector<T> backSubstitute(const BasicMatrix<T>& A, int n, int d);

/// Gauss-Jordan reduction of the n x 2n matrix W with column pivoting:
/// every other row loses its entry of the pivot column (stored rounded to
/// d decimals) while the pivot row is still unscaled; then the pivot row is
/// divided, unrounded.
template <class T>
void reduceGaussJordan(BasicMatrix<T>& W, int n, int d, const StopRequest& stop,
                       BasicStageObserver<T>* observer = nullptr);

} // namespace quorvex
