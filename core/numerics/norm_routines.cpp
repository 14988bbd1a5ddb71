#include "numerics/norm_routines.h"

#include "analysis/dense_algebra.h"
#include "exact/rational.h"
#include "frame/frame.h"
#include "numerics/arithmetic.h"

#include <cmath>
#include <limits>
#include <vector>

namespace quorvex {

namespace {

/// M = AᵀA over the leading n x n block, each element summed over k in
/// increasing order. Rows of Aᵀ are contiguous, so every element is one
/// running dot product; M is symmetric to the bit and filled from one half.
Matrix gramMatrix(const Matrix& A, int n, const StopRequest* stop) {
    Matrix T(n, n);
    for (int k = 1; k <= n; ++k) {
        const double* a = A.row(k);
        for (int i = 1; i <= n; ++i) T(i, k) = a[i - 1];
    }
    Matrix M(n, n);
    for (int i = 1; i <= n; ++i) {
        if (stop) stop->check();
        const double* ti = T.row(i);
        for (int j = i; j <= n; ++j) {
            const double* tj = T.row(j);
            double s = 0.0;
            for (int k = 0; k < n; ++k) s = s + ti[k] * tj[k];
            M(i, j) = s;
            M(j, i) = s;
        }
    }
    return M;
}

/// The largest of sums, the first of equals; where it was is written to
/// steps when given.
template <class T> T largest(const std::vector<T>& sums, MaximumSteps<T>* steps) {
    T m = sums.front();
    int at = 1;
    for (std::size_t j = 0; j < sums.size(); ++j)
        if (m < sums[j]) {
            m = sums[j];
            at = static_cast<int>(j) + 1;
        }
    if (steps) {
        steps->candidates = sums;
        steps->at = at;
    }
    return m;
}

} // namespace

float MaxAbsElement(const Vector& v, int n) {
    float held = static_cast<float>(v(1));
    for (int i = 1; i <= n; ++i) {
        const float candidate = static_cast<float>(v(i));
        if (std::fabs(held) < std::fabs(candidate)) held = candidate;
    }
    return held;
}

template <class T> T vectorOneNorm(const BasicVector<T>& v, int n, SumSteps<T>* steps) {
    T s = T(0.0);
    for (int i = 1; i <= n; ++i) {
        const T term = magnitude(v(i));
        s = s + term;
        if (steps) steps->terms.push_back(term);
    }
    if (steps) steps->total = s;
    return s;
}

double vectorTwoNorm(const Vector& v, int n, SumSteps<double>* steps) {
    double s = 0.0;
    for (int i = 1; i <= n; ++i) {
        const double term = v(i) * v(i);
        s = s + term;
        if (steps) steps->terms.push_back(term);
    }
    if (steps) steps->total = s;
    return std::sqrt(s);
}

template <class T> T vectorInfinityNorm(const BasicVector<T>& v, int n, MaximumSteps<T>* steps) {
    T m = magnitude(v(1));
    int at = 1;
    for (int i = 1; i <= n; ++i) {
        const T candidate = magnitude(v(i));
        if (steps) steps->candidates.push_back(candidate);
        if (candidate > m) {
            m = candidate;
            at = i;
        }
    }
    if (steps) steps->at = at;
    return m;
}

template double vectorOneNorm(const Vector&, int, SumSteps<double>*);
template Rational vectorOneNorm(const RationalVector&, int, SumSteps<Rational>*);
template double vectorInfinityNorm(const Vector&, int, MaximumSteps<double>*);
template Rational vectorInfinityNorm(const RationalVector&, int, MaximumSteps<Rational>*);

template <class T> T columnSumNorm(const BasicMatrix<T>& A, int n, SumNormSteps<T>* steps) {
    std::vector<T> sums(static_cast<std::size_t>(n), T(0.0));
    if (steps) steps->sums.assign(static_cast<std::size_t>(n), {});
    for (int i = 1; i <= n; ++i) {
        const T* a = A.row(i);
        for (int j = 0; j < n; ++j) {
            const T term = magnitude(a[j]);
            sums[static_cast<std::size_t>(j)] += term;
            if (steps) steps->sums[static_cast<std::size_t>(j)].terms.push_back(term);
        }
    }
    if (steps)
        for (std::size_t j = 0; j < sums.size(); ++j) steps->sums[j].total = sums[j];
    return largest(sums, steps ? &steps->largest : nullptr);
}

template <class T> T rowSumNorm(const BasicMatrix<T>& A, int n, SumNormSteps<T>* steps) {
    std::vector<T> sums(static_cast<std::size_t>(n), T(0.0));
    if (steps) steps->sums.assign(static_cast<std::size_t>(n), {});
    for (int i = 1; i <= n; ++i) {
        const T* a = A.row(i);
        T s = T(0.0);
        for (int j = 0; j < n; ++j) {
            const T term = magnitude(a[j]);
            s += term;
            if (steps) steps->sums[static_cast<std::size_t>(i - 1)].terms.push_back(term);
        }
        sums[static_cast<std::size_t>(i - 1)] = s;
        if (steps) steps->sums[static_cast<std::size_t>(i - 1)].total = s;
    }
    return largest(sums, steps ? &steps->largest : nullptr);
}

template double columnSumNorm(const Matrix&, int, SumNormSteps<double>*);
template Rational columnSumNorm(const RationalMatrix&, int, SumNormSteps<Rational>*);
template double rowSumNorm(const Matrix&, int, SumNormSteps<double>*);
template Rational rowSumNorm(const RationalMatrix&, int, SumNormSteps<Rational>*);

double frobeniusNorm(const Matrix& A, int n, SumSteps<double>* steps) {
    double s = 0.0;
    for (int i = 1; i <= n; ++i) {
        const double* a = A.row(i);
        for (int j = 0; j < n; ++j) {
            const double term = a[j] * a[j];
            s += term;
            if (steps) steps->terms.push_back(term);
        }
    }
    if (steps) steps->total = s;
    return std::sqrt(s);
}

double spectralNormEstimate(const Matrix& A, int n, SpectralSteps* steps, const StopRequest* stop) {
    const Matrix M = gramMatrix(A, n, stop);
    Vector x(n), y(n);
    for (int i = 1; i <= n; ++i) x(i) = 1.0;
    double cur = 0.0;
    for (int sweep = 1; sweep <= kPowerSweeps; ++sweep) {
        if (stop) stop->check();
        for (int i = 1; i <= n; ++i) {
            const double* m = M.row(i);
            double s = 0.0;
            for (int j = 1; j <= n; ++j) s = s + m[j - 1] * x(j);
            y(i) = s;
            const float r = MaxAbsElement(y, n);
            // Dividing by a zero r faults: x keeps its previous values.
            if (r != 0.0f)
                for (int k = 1; k <= n; ++k) x(k) = y(k) / r;
            if (sweep >= 2) cur = r;
        }
    }
    // The sweeps can lose the matrix: the divisor's sign alternates, or a
    // single-precision overflow divides everything away. Their estimate is
    // kept wherever it is a usable positive value; otherwise the proper value
    // stands in, so a nonzero matrix never shows a 2-norm of 0.
    const bool usable = cur > 0.0 && std::isfinite(cur);
    const double value = usable ? std::sqrt(cur) : largestSingularValue(A, n);
    if (steps) *steps = {usable, cur, value};
    return value;
}

double largestSingularValue(const Matrix& A, int n) {
    // The decomposition refuses non-finite input; the norm is still defined.
    bool infinite = false;
    for (int i = 1; i <= n; ++i) {
        const double* a = A.row(i);
        for (int j = 0; j < n; ++j) {
            if (std::isnan(a[j])) return std::numeric_limits<double>::quiet_NaN();
            infinite = infinite || std::isinf(a[j]);
        }
    }
    if (infinite) return HUGE_VAL;
    return largestFiniteSingularValue(A, n);
}

} // namespace quorvex
