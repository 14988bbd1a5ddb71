#include "norm_routines.h"

#include <Eigen/SVD>

#include <cmath>
#include <limits>
#include <vector>

namespace quorvex {

namespace {

constexpr int kPowerSweeps = 30;

/// M = AᵀA over the leading n x n block, each element summed over k in
/// increasing order. Rows of Aᵀ are contiguous, so every element is one
/// running dot product; M is symmetric to the bit and filled from one half.
Matrix gramMatrix(const Matrix& A, int n) {
    Matrix T(n, n);
    for (int k = 1; k <= n; ++k) {
        const double* a = A.row(k);
        for (int i = 1; i <= n; ++i) T(i, k) = a[i - 1];
    }
    Matrix M(n, n);
    for (int i = 1; i <= n; ++i) {
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

double largest(const std::vector<double>& sums) {
    double m = sums.front();
    for (double s : sums)
        if (m < s) m = s;
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

double columnSumNorm(const Matrix& A, int n) {
    std::vector<double> sums(static_cast<std::size_t>(n), 0.0);
    for (int i = 1; i <= n; ++i) {
        const double* a = A.row(i);
        for (int j = 0; j < n; ++j) sums[static_cast<std::size_t>(j)] += std::fabs(a[j]);
    }
    return largest(sums);
}

double rowSumNorm(const Matrix& A, int n) {
    std::vector<double> sums(static_cast<std::size_t>(n), 0.0);
    for (int i = 1; i <= n; ++i) {
        const double* a = A.row(i);
        double s = 0.0;
        for (int j = 0; j < n; ++j) s += std::fabs(a[j]);
        sums[static_cast<std::size_t>(i - 1)] = s;
    }
    return largest(sums);
}

double frobeniusNorm(const Matrix& A, int n) {
    double s = 0.0;
    for (int i = 1; i <= n; ++i) {
        const double* a = A.row(i);
        for (int j = 0; j < n; ++j) s += a[j] * a[j];
    }
    return std::sqrt(s);
}

double spectralNormEstimate(const Matrix& A, int n) {
    const Matrix M = gramMatrix(A, n);
    Vector x(n), y(n);
    for (int i = 1; i <= n; ++i) x(i) = 1.0;
    double cur = 0.0;
    for (int sweep = 1; sweep <= kPowerSweeps; ++sweep) {
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
    if (cur > 0.0 && std::isfinite(cur)) return std::sqrt(cur);
    return largestSingularValue(A, n);
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
    using RowMajor = Eigen::Matrix<double, Eigen::Dynamic, Eigen::Dynamic, Eigen::RowMajor>;
    const Eigen::Map<const RowMajor, 0, Eigen::OuterStride<>> block(A.row(1), n, n,
                                                                    Eigen::OuterStride<>(A.cols()));
    // Singular values only, largest first; the decomposition scales the
    // matrix itself, so huge and tiny elements neither overflow nor vanish.
    const Eigen::BDCSVD<Eigen::MatrixXd> svd(block);
    return svd.singularValues()(0);
}

} // namespace quorvex
