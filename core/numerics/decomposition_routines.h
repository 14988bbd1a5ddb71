#pragma once

// The triangular decompositions and their substitutions, one text for both
// kinds of numbers (the Cholesky factor, needing roots, for doubles only).
// Each tells an optional observer every entry it computes, with the numbers
// it used; with none, nothing is recorded.

#include "base/matrix.h"
#include "base/stop_request.h"
#include "numerics/factor_observer.h"

namespace quorvex {

/// Doolittle factors of the first n columns of A: L unit lower triangular,
/// U upper triangular, row r of U before column r of L. Gives false when a
/// pivot U(r,r) with r < n is exactly 0, since column r of L divides by it.
template <class T>
bool doolittle(const BasicMatrix<T>& A, int n, BasicMatrix<T>& L, BasicMatrix<T>& U,
               const StopRequest& stop, BasicFactorObserver<T>* observer = nullptr);

/// PA = LU with the pivot of largest magnitude at each step. B's rows are
/// exchanged and its coefficients overwritten with the factors: the
/// multipliers of L below the diagonal, U on and above it.
template <class T>
void columnPivotDoolittle(BasicMatrix<T>& B, int n, BasicMatrix<T>& L, BasicMatrix<T>& U,
                          const StopRequest& stop, BasicFactorObserver<T>* observer = nullptr);

/// Solves LY = b for a unit lower triangular L: Y(i) = b(i) - sum over
/// k < i of L(i,k)·Y(k).
template <class T>
BasicVector<T> forwardUnit(const BasicMatrix<T>& L, const BasicVector<T>& b, int n,
                           BasicFactorObserver<T>* observer = nullptr);

/// Solves UX = Y backwards. Gives false when a diagonal element of U is 0
/// (or, where the method says so, not a number).
template <class T>
bool backUpper(const BasicMatrix<T>& U, const BasicVector<T>& Y, int n, bool nanFails,
               BasicVector<T>& X, BasicFactorObserver<T>* observer = nullptr);

/// The Cholesky factor of the symmetric matrix whose lower triangle is that
/// of A's first n columns. A negative radicand has no root: that diagonal
/// element stays 0, and the divisions by it give infinities or NaN; the
/// observer hears of no entry after the first radicand that is not positive.
Matrix cholesky(const Matrix& A, int n, const StopRequest& stop,
                BasicFactorObserver<double>* observer = nullptr);

/// Solves L·Lᵀ·X = b: LY = b forwards, then LᵀX = Y backwards.
void solveWithCholesky(const Matrix& L, const Vector& b, int n, Vector& Y, Vector& X,
                       BasicFactorObserver<double>* observer = nullptr);

/// L·D·Lᵀ factors from the lower triangle of A's first n columns. Gives
/// false when some d(j) with j < n, about to be divided by, is exactly 0.
template <class T>
bool ldlt(const BasicMatrix<T>& A, int n, BasicMatrix<T>& L, BasicVector<T>& d,
          const StopRequest& stop, BasicFactorObserver<T>* observer = nullptr);

/// Solves D·Lᵀ·X = Y backwards. Gives false when d(i) is exactly 0.
template <class T>
bool backWithLdlt(const BasicMatrix<T>& L, const BasicVector<T>& d, const BasicVector<T>& Y, int n,
                  BasicVector<T>& X, BasicFactorObserver<T>* observer = nullptr);

/// The right-hand side, the coefficients, the forward pass and the solution
/// of the chasing method.
template <class T> struct Chase { BasicVector<T> d, l, u, y, x; };

/// Splits the tridiagonal system held in the augmented matrix M into its
/// three diagonals and right-hand side, and solves it by the chasing method.
/// In exact work, a number grown past kMaxExactDigits stops it.
template <class T>
Chase<T> chase(const BasicMatrix<T>& M, int n, BasicFactorObserver<T>* observer = nullptr);

} // namespace quorvex
