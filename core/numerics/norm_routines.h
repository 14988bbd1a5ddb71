#pragma once

#include "base/matrix.h"

#include <vector>

namespace quorvex {

class StopRequest;

/// A sum as a routine formed it: its terms, added in this order to 0.
template <class T> struct SumSteps {
    std::vector<T> terms;
    T total{};
};

/// A largest value as a routine found it: the candidates in the order
/// compared, and which one (from 1) it kept.
template <class T> struct MaximumSteps {
    std::vector<T> candidates;
    int at = 1;
};

/// The sums behind the 1- or infinity norm of a matrix: one per column (or
/// row), and the largest of their totals.
template <class T> struct SumNormSteps {
    std::vector<SumSteps<T>> sums;
    MaximumSteps<T> largest;
};

/// The sum of squares behind a 2- or F-norm formed again, where the plain
/// sum lost the entries: each entry divided first by the largest magnitude.
struct ScaledSquares {
    double scale = 0.0;   ///< the largest magnitude; 0 while the plain sum stands
    SumSteps<double> sum; ///< the squares of the entries so divided
};

/// How the 2-norm's reference value was obtained.
struct SpectralSteps {
    bool powerIteration = true; ///< false: the largest singular value stood in
    double divisor = 0.0;       ///< the power iteration's last divisor
    double value = 0.0;         ///< the reference value itself
    /// The divisor was usable, but its root fell outside the bounds
    /// F-norm/√n .. F-norm, which are then given.
    bool outsideBounds = false;
    double lower = 0.0;
    double upper = 0.0;
};

/// The element of v(1..n), n >= 1, with the largest magnitude, sign kept, as a
/// single-precision value. Magnitudes are compared in single precision and
/// only a strictly larger one replaces the held element, so among equal
/// magnitudes the first wins.
float MaxAbsElement(const Vector& v, int n);

/// Sum of the magnitudes of v(1..n), left to right; the terms are written
/// to steps when given.
template <class T> T vectorOneNorm(const BasicVector<T>& v, int n, SumSteps<T>* steps = nullptr);

/// Square root of the sum of squares of v(1..n), left to right; the sum of
/// squares is written to steps when given. Where that sum overflows, or
/// falls to 0 or below the normal doubles while an element is nonzero (and
/// every element is finite), the squares are summed again of the elements
/// divided by the largest magnitude m, the norm is m times that root, and
/// m and the new sum are written to scaled when given.
double vectorTwoNorm(const Vector& v, int n, SumSteps<double>* steps = nullptr,
                     ScaledSquares* scaled = nullptr);

/// Largest magnitude of v(1..n), n >= 1, the first of equals; the
/// magnitudes compared and the one kept are written to steps when given.
template <class T>
T vectorInfinityNorm(const BasicVector<T>& v, int n, MaximumSteps<T>* steps = nullptr);

/// Largest column sum of magnitudes of the leading n x n block of A; the
/// sums are written to steps when given.
template <class T>
T columnSumNorm(const BasicMatrix<T>& A, int n, SumNormSteps<T>* steps = nullptr);

/// Largest row sum of magnitudes of the leading n x n block of A; the sums
/// are written to steps when given.
template <class T> T rowSumNorm(const BasicMatrix<T>& A, int n, SumNormSteps<T>* steps = nullptr);

/// Square root of the sum of squares of the leading n x n block of A; the
/// sum of squares, row by row, is written to steps when given. Where that
/// sum loses the entries, as in vectorTwoNorm, the sum of the scaled squares
/// gives the norm, and goes to scaled when given.
double frobeniusNorm(const Matrix& A, int n, SumSteps<double>* steps = nullptr,
                     ScaledSquares* scaled = nullptr);

/// The power iteration's sweeps in spectralNormEstimate.
inline constexpr int kPowerSweeps = 30;

/// Reference value of the 2-norm of the leading n x n block of A: 30 sweeps
/// of a power iteration on AᵀA that renormalises after every row by
/// MaxAbsElement, then the square root of the last divisor. Where that
/// divisor is not a finite positive value, or its root lies outside
/// F-norm/√n <= ||A||₂ <= F-norm beyond the single precision of the
/// divisor, largestSingularValue instead. Which way it went is written to
/// steps when given. Looks at `stop` for every row of AᵀA and every sweep.
double spectralNormEstimate(const Matrix& A, int n, SpectralSteps* steps = nullptr,
                            const StopRequest* stop = nullptr);

/// The 2-norm of the leading n x n block of A (n >= 1), its largest singular
/// value; NaN when an element is NaN, an infinity when one is infinite.
double largestSingularValue(const Matrix& A, int n);

} // namespace quorvex
