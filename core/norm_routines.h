#pragma once

#include "matrix.h"

namespace quorvex {

/// The element of v(1..n), n >= 1, with the largest magnitude, sign kept, as a
/// single-precision value. Magnitudes are compared in single precision and
/// only a strictly larger one replaces the held element, so among equal
/// magnitudes the first wins.
float MaxAbsElement(const Vector& v, int n);

/// Largest column sum of magnitudes of the leading n x n block of A.
double columnSumNorm(const Matrix& A, int n);

/// Largest row sum of magnitudes of the leading n x n block of A.
double rowSumNorm(const Matrix& A, int n);

/// Square root of the sum of squares of the leading n x n block of A.
double frobeniusNorm(const Matrix& A, int n);

/// Reference value of the 2-norm of the leading n x n block of A: 30 sweeps
/// of a power iteration on AᵀA that renormalises after every row by
/// MaxAbsElement, then the square root of the last divisor. Where that
/// divisor is not a finite positive value, largestSingularValue instead.
double spectralNormEstimate(const Matrix& A, int n);

/// The 2-norm of the leading n x n block of A (n >= 1), its largest singular
/// value; NaN when an element is NaN, an infinity when one is infinite.
double largestSingularValue(const Matrix& A, int n);

} // namespace quorvex
