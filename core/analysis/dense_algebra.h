#pragma once

#include "base/matrix.h"

#include <vector>

namespace quorvex {

/// True when every entry of the leading rows x cols block of M is a finite
/// number.
bool allFinite(const Matrix& M, int rows, int cols);

/// The system solved in double precision by LU with partial pivoting.
struct DoubleSolution {
    bool singular = false; ///< the matrix has no inverse in double precision
    Vector x;              ///< the solution (empty when singular)
    Matrix inverse;        ///< A⁻¹, n x n (empty when singular)
};

/// Solves the augmented n x (n+1) system Ab in double precision (partial
/// pivoting LU) and inverts its coefficient part. A matrix whose rank,
/// judged by a fully pivoted LU, is below n, or with an entry that is not a
/// finite number, counts as singular.
DoubleSolution solveInDouble(const Matrix& Ab, int n);

/// The spectral radius of the leading n x n block of M: the largest modulus
/// of its (possibly complex) eigenvalues.
double spectralRadius(const Matrix& M, int n);
/// The same without balancing M first: a second opinion, which differs
/// from the first where the eigenvalues hang on the rounding.
double unbalancedSpectralRadius(const Matrix& M, int n);

/// The spectral radius of M⁻¹N, for the leading n x n blocks of a lower
/// triangular M with a nonzero diagonal and of N: the iteration matrix of a
/// splitting A = M - N. By restarted Arnoldi iteration, each step one
/// product with N and one triangular solve, O(n^2), where every eigenvalue
/// of the formed matrix costs O(n^3). NaN when it does not settle. A
/// `start` that holds n numbers begins the iteration there, and takes the
/// dominant eigenvector's real part back: a search over nearby splittings
/// then settles in fewer steps. `restarts` bounds the work before NaN.
double splittingRadius(const Matrix& M, const Matrix& N, int n,
                       std::vector<double>* start = nullptr, int restarts = 100);

/// An estimate of the same radius by the power method: the geometric mean
/// of the growth over the last half of `steps` products, each O(n^2). It
/// settles where Arnoldi iteration may not (a cluster of eigenvalues of one
/// size) to a few parts in a thousand: enough to rank splittings, not to
/// print a radius.
double splittingRadiusEstimate(const Matrix& M, const Matrix& N, int n, int steps);

/// True when every eigenvalue of the leading n x n block of M is real (its
/// imaginary part negligible beside its size).
bool hasRealSpectrum(const Matrix& M, int n);

/// True when the leading n x n block of A is symmetric to the bit and has a
/// Cholesky factor (all its pivots positive).
bool isSymmetricPositiveDefinite(const Matrix& A, int n);

/// True when |a(i,i)| exceeds the sum of the other magnitudes of row i, in
/// every row of the leading n x n block.
bool isStrictlyDiagonallyDominant(const Matrix& A, int n);

/// Largest magnitude among v's elements (0 for an empty vector).
double maxNorm(const Vector& v);

/// Sum of the magnitudes of v's elements.
double sumNorm(const Vector& v);

/// Column n+1 of the augmented matrix as a vector.
Vector rightHandSide(const Matrix& Ab, int n);

/// b - A·x over the augmented matrix Ab, each component summed left to right.
Vector residual(const Matrix& Ab, int n, const Vector& x);

/// Largest magnitude of x(i) - y(i); NaN when some difference is not a number.
double maxDifference(const Vector& x, const Vector& y);

/// Sum of the magnitudes of x(i) - y(i).
double sumDifference(const Vector& x, const Vector& y);

} // namespace quorvex
