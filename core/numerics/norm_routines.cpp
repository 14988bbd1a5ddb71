#include "numerics/norm_routines.h"

#include "base/rational.h"
#include "base/stop_request.h"
#include "numerics/arithmetic.h"

#include <Eigen/SVD>

#include <cmath>
#include <limits>
#include <vector>

namespace quorvex {

namespace {

/// The largest singular value of the leading n x n block of A, whose
/// entries are finite numbers.
double largestFiniteSingularValue(const Matrix& A, int n) {
    using RowMajor = Eigen::Matrix<double, Eigen::Dynamic, Eigen::Dynamic, Eigen::RowMajor>;
    const Eigen::Map<const RowMajor, 0, Eigen::OuterStride<>> block(A.row(1), n, n,
                                                                    Eigen::OuterStride<>(A.cols()));
    // Singular values only, largest first; the decomposition scales the
    // matrix itself, so huge and tiny elements neither overflow nor vanish.
    const Eigen::BDCSVD<Eigen::MatrixXd> svd(block);
    return svd.singularValues()(0);
}

/// How far the power iteration's 2-norm may stray outside its bounds
/// before it counts as having missed: its divisor is a single-precision
/// value (a relative 6e-8), and a bound that holds with equality, as for
/// the identity, must not turn a right value away.
constexpr double kBoundSlack = 1e-6;

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

/// Visits v(1..n) in the order its sums take them.
template <class Visit> void eachElement(const Vector& v, int n, Visit&& visit) {
    for (int i = 1; i <= n; ++i) visit(v(i));
}

/// Visits the leading n x n block of A row by row.
template <class Visit> void eachElement(const Matrix& A, int n, Visit&& visit) {
    for (int i = 1; i <= n; ++i) {
        const double* a = A.row(i);
        for (int j = 0; j < n; ++j) visit(a[j]);
    }
}

/// The square root of the sum of squares of the elements, left to right.
/// Squares of finite elements beyond about 1e154 overflow, and below about
/// 1e-154 fall to 0 or lose their digits among the subnormal numbers; only
/// then, with every element finite and one nonzero, are the squares summed
/// again of the elements divided by the largest magnitude m, each at most
/// 1, and the root multiplied by m. Everywhere else the plain sum stands.
template <class Elements>
double rootOfSquares(const Elements& e, int n, SumSteps<double>* steps, ScaledSquares* scaled) {
    double s = 0.0;
    eachElement(e, n, [&](double a) {
        const double term = a * a;
        s = s + term;
        if (steps) steps->terms.push_back(term);
    });
    if (steps) steps->total = s;
    if (!std::isinf(s) && !(s < std::numeric_limits<double>::min())) return std::sqrt(s);
    bool finite = true;
    double m = 0.0;
    eachElement(e, n, [&](double a) {
        finite = finite && std::isfinite(a);
        if (std::fabs(a) > m) m = std::fabs(a);
    });
    if (!finite || m == 0.0) return std::sqrt(s);
    double t = 0.0;
    if (scaled) *scaled = {m, {}};
    eachElement(e, n, [&](double a) {
        const double q = a / m;
        const double term = q * q;
        t = t + term;
        if (scaled) scaled->sum.terms.push_back(term);
    });
    if (scaled) scaled->sum.total = t;
    return m * std::sqrt(t);
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

double vectorTwoNorm(const Vector& v, int n, SumSteps<double>* steps, ScaledSquares* scaled) {
    return rootOfSquares(v, n, steps, scaled);
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

double frobeniusNorm(const Matrix& A, int n, SumSteps<double>* steps, ScaledSquares* scaled) {
    return rootOfSquares(A, n, steps, scaled);
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
    // single-precision overflow divides everything away. Or they never see
    // it: a start vector of ones has no part along the dominant direction of
    // a matrix such as rows (1, -1, 0), (-1, 1, 0), (0, 0, 0.5), and the
    // sweeps settle on a smaller singular value. Their estimate is kept
    // wherever it is a usable positive value within the bounds every 2-norm
    // meets; otherwise the proper value stands in, so a nonzero matrix never
    // shows a 2-norm of 0, nor one the F-norm rules out.
    SpectralSteps s{cur > 0.0 && std::isfinite(cur), cur, 0.0};
    if (s.powerIteration) {
        const double root = std::sqrt(cur);
        const double upper = frobeniusNorm(A, n);
        const double lower = upper / std::sqrt(static_cast<double>(n));
        if (std::isfinite(upper) &&
            (root < lower * (1.0 - kBoundSlack) || root > upper * (1.0 + kBoundSlack)))
            s.powerIteration = false, s.outsideBounds = true, s.lower = lower, s.upper = upper;
    }
    s.value = s.powerIteration ? std::sqrt(cur) : largestSingularValue(A, n);
    if (steps) *steps = s;
    return s.value;
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
