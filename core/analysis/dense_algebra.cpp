#include "analysis/dense_algebra.h"

#include <Eigen/Cholesky>
#include <Eigen/Eigenvalues>
#include <Eigen/LU>
#include <Spectra/GenEigsSolver.h>

#include <algorithm>
#include <cmath>
#include <limits>

namespace quorvex {

namespace {

/// An eigenvalue counts as real when its imaginary part is this small beside
/// its modulus (or beside 1 for small eigenvalues).
constexpr double kRealTolerance = 1e-9;

Eigen::MatrixXd square(const Matrix& M, int n) {
    Eigen::MatrixXd E(n, n);
    for (int i = 1; i <= n; ++i)
        for (int j = 1; j <= n; ++j) E(i - 1, j - 1) = M(i, j);
    return E;
}

/// Passes of balancing at most: each pass at least halves a row's
/// imbalance, and the doubles' exponents span about 2100 halvings.
constexpr int kBalancingPasses = 2200;

/// True when dividing row i by f and multiplying column i by f keeps every
/// entry a normal double or 0: a subnormal loses bits, and a balancing that
/// is not exact may cycle instead of settling.
bool scalesExactly(const Eigen::MatrixXd& A, Eigen::Index i, double f) {
    const auto fits = [](double v) { return v == 0.0 || std::fpclassify(v) == FP_NORMAL; };
    for (Eigen::Index j = 0; j < A.rows(); ++j)
        if (j != i && (!fits(A(i, j) / f) || !fits(A(j, i) * f))) return false;
    return true;
}

/// Scales rows and columns by powers of 2 until each row and its column
/// have sums of one size: a diagonal similarity, exact in floating point,
/// and the balancing LAPACK's eigenvalue drivers do first (Eigen's do not).
/// Without it an entry below the rounding of the largest counts as 0 to the
/// QR algorithm, although the eigenvalues hang on products around cycles of
/// entries, which the scaling leaves alone: (0 1e6 0; 0 0 1e6; 1e-12 0 0)
/// has the radius 1, not 0.
Eigen::MatrixXd balanced(Eigen::MatrixXd A) {
    const Eigen::Index n = A.rows();
    Eigen::MatrixXd before = A;
    bool changed = true;
    for (int pass = 0; changed && pass < kBalancingPasses; ++pass) {
        changed = false;
        for (Eigen::Index i = 0; i < n; ++i) {
            double c = 0.0, r = 0.0;
            for (Eigen::Index j = 0; j < n; ++j)
                if (j != i) c += std::fabs(A(j, i)), r += std::fabs(A(i, j));
            if (c == 0.0 || r == 0.0 || !std::isfinite(c + r)) continue;
            const double sum = c + r;
            double f = 1.0;
            // c is only compared: kept within the doubles' range, it
            // cannot reach Infinity and then be halved forever.
            constexpr double kTop = std::numeric_limits<double>::max() / 4.0;
            constexpr double kBottom = std::numeric_limits<double>::min() * 4.0;
            while (c < r / 2.0 && c < kTop) f *= 2.0, c *= 4.0;
            while (c >= r * 2.0 && c > kBottom) f /= 2.0, c /= 4.0;
            if ((c + r) / f < 0.95 * sum && scalesExactly(A, i, f)) {
                changed = true;
                A.row(i) /= f;
                A.col(i) *= f;
            }
        }
    }
    // Entries pushed past the doubles' range would change the eigenvalues.
    return A.allFinite() ? A : before;
}

Eigen::VectorXcd eigenvalues(const Matrix& M, int n, bool balance = true) {
    const Eigen::EigenSolver<Eigen::MatrixXd> solver(
        balance ? balanced(square(M, n)) : square(M, n), false);
    if (solver.info() != Eigen::Success)
        return Eigen::VectorXcd::Constant(1, std::numeric_limits<double>::quiet_NaN());
    return solver.eigenvalues();
}

} // namespace

bool allFinite(const Matrix& M, int rows, int cols) {
    for (int i = 1; i <= rows; ++i)
        for (int j = 1; j <= cols; ++j)
            if (!std::isfinite(M(i, j))) return false;
    return true;
}

DoubleSolution solveInDouble(const Matrix& Ab, int n) {
    DoubleSolution s;
    if (!allFinite(Ab, n, n + 1)) {
        s.singular = true;
        return s;
    }
    // Each decomposition works in place on its own copy of A, and each copy
    // goes before the next is made: at order 1000 every copy is 8 MB.
    {
        Eigen::MatrixXd A = square(Ab, n);
        if (Eigen::FullPivLU<Eigen::Ref<Eigen::MatrixXd>>(A).rank() < n) {
            s.singular = true;
            return s;
        }
    }
    Eigen::MatrixXd inverse;
    {
        Eigen::MatrixXd A = square(Ab, n);
        Eigen::VectorXd b(n);
        for (int i = 1; i <= n; ++i) b(i - 1) = Ab(i, n + 1);
        const Eigen::PartialPivLU<Eigen::Ref<Eigen::MatrixXd>> lu(A);
        const Eigen::VectorXd x = lu.solve(b);
        s.x = Vector(n);
        for (int i = 1; i <= n; ++i) s.x(i) = x(i - 1);
        inverse = lu.inverse();
    }
    s.inverse = Matrix(n, n);
    for (int i = 1; i <= n; ++i)
        for (int j = 1; j <= n; ++j) s.inverse(i, j) = inverse(i - 1, j - 1);
    return s;
}

namespace {

/// x -> M^-1 N x for a lower triangular M, without forming M^-1 N. The
/// relaxations' N is upper triangular: its product then costs half.
struct SplittingOperator {
    using Scalar = double;
    using RowMajor = Eigen::Matrix<double, Eigen::Dynamic, Eigen::Dynamic, Eigen::RowMajor>;
    using Block = Eigen::Map<const RowMajor, 0, Eigen::OuterStride<>>;

    Block lower, right;
    bool upperRight;

    SplittingOperator(const Matrix& M, const Matrix& N, int n)
        : lower(M.row(1), n, n, Eigen::OuterStride<>(M.cols())),
          right(N.row(1), n, n, Eigen::OuterStride<>(N.cols())), upperRight(isUpper(N, n)) {}

    static bool isUpper(const Matrix& N, int n) {
        for (int i = 2; i <= n; ++i)
            for (int j = 1; j < i; ++j)
                if (N(i, j) != 0.0) return false;
        return true;
    }
    Eigen::Index rows() const { return right.rows(); }
    Eigen::Index cols() const { return right.rows(); }
    void perform_op(const double* x, double* y) const {
        Eigen::Map<Eigen::VectorXd> out(y, rows());
        const Eigen::Map<const Eigen::VectorXd> in(x, rows());
        if (upperRight) out.noalias() = right.triangularView<Eigen::Upper>() * in;
        else out.noalias() = right * in;
        lower.triangularView<Eigen::Lower>().solveInPlace(out);
    }
};

} // namespace

double splittingRadius(const Matrix& M, const Matrix& N, int n, std::vector<double>* start,
                       int restarts) {
    const SplittingOperator op(M, N, n);
    // Two wanted values keep a complex pair together; a basis of 60 vectors
    // settles in a few restarts for the iteration matrices met here, and a
    // relative 1e-6 is far below what the reports print of a radius.
    Spectra::GenEigsSolver<const SplittingOperator> arnoldi(op, 2, std::min(n, 60));
    const bool warm = start && start->size() == static_cast<std::size_t>(n);
    if (warm) arnoldi.init(start->data());
    else arnoldi.init();
    arnoldi.compute(Spectra::SortRule::LargestMagn, restarts, 1e-6);
    if (arnoldi.info() != Spectra::CompInfo::Successful)
        return std::numeric_limits<double>::quiet_NaN();
    if (start) {
        const Eigen::VectorXd v = arnoldi.eigenvectors(1).col(0).real();
        start->assign(v.data(), v.data() + n);
    }
    return std::abs(arnoldi.eigenvalues()(0));
}

double splittingRadiusEstimate(const Matrix& M, const Matrix& N, int n, int steps) {
    const SplittingOperator op(M, N, n);
    // Every component starts alike, and a little apart, so that no
    // eigenvector is left out by symmetry.
    Eigen::VectorXd x(n), y(n);
    for (int i = 0; i < n; ++i) x(i) = 1.0 + 1.0 / (i + 2.0);
    x.normalize();
    double logGrowth = 0.0;
    for (int k = 1; k <= steps; ++k) {
        op.perform_op(x.data(), y.data());
        const double size = y.norm();
        if (!(size > 0.0) || !std::isfinite(size)) return size == 0.0 ? 0.0 : size;
        if (2 * k > steps) logGrowth += std::log(size);
        x = y / size;
    }
    return std::exp(logGrowth / (steps - steps / 2));
}

double spectralRadius(const Matrix& M, int n) {
    if (!allFinite(M, n, n)) return std::numeric_limits<double>::quiet_NaN();
    return eigenvalues(M, n).cwiseAbs().maxCoeff();
}

double unbalancedSpectralRadius(const Matrix& M, int n) {
    if (!allFinite(M, n, n)) return std::numeric_limits<double>::quiet_NaN();
    return eigenvalues(M, n, false).cwiseAbs().maxCoeff();
}

bool hasRealSpectrum(const Matrix& M, int n) {
    if (!allFinite(M, n, n)) return false;
    for (const auto& lambda : eigenvalues(M, n))
        if (std::fabs(lambda.imag()) > kRealTolerance * std::max(1.0, std::abs(lambda)))
            return false;
    return true;
}

bool isSymmetricPositiveDefinite(const Matrix& A, int n) {
    for (int i = 1; i <= n; ++i)
        for (int j = i + 1; j <= n; ++j)
            if (A(i, j) != A(j, i)) return false;
    if (!allFinite(A, n, n)) return false;
    const Eigen::LLT<Eigen::MatrixXd> llt(square(A, n));
    return llt.info() == Eigen::Success;
}

bool isStrictlyDiagonallyDominant(const Matrix& A, int n) {
    for (int i = 1; i <= n; ++i) {
        double others = 0.0;
        for (int j = 1; j <= n; ++j)
            if (j != i) others += std::fabs(A(i, j));
        if (!(std::fabs(A(i, i)) > others)) return false;
    }
    return true;
}

double maxNorm(const Vector& v) {
    double m = 0.0;
    for (int i = v.lo(); i <= v.hi(); ++i) {
        const double a = std::fabs(v(i));
        if (std::isnan(a)) return a;
        if (a > m) m = a;
    }
    return m;
}

double sumNorm(const Vector& v) {
    double s = 0.0;
    for (int i = v.lo(); i <= v.hi(); ++i) s += std::fabs(v(i));
    return s;
}

Vector rightHandSide(const Matrix& Ab, int n) {
    Vector b(n);
    for (int i = 1; i <= n; ++i) b(i) = Ab(i, n + 1);
    return b;
}

Vector residual(const Matrix& Ab, int n, const Vector& x) {
    Vector r(n);
    for (int i = 1; i <= n; ++i) {
        double s = 0.0;
        for (int j = 1; j <= n; ++j) s = s + Ab(i, j) * x(j);
        r(i) = Ab(i, n + 1) - s;
    }
    return r;
}

double maxDifference(const Vector& x, const Vector& y) {
    Vector d(x.lo(), x.hi());
    for (int i = x.lo(); i <= x.hi(); ++i) d(i) = x(i) - y(i);
    return maxNorm(d);
}

double sumDifference(const Vector& x, const Vector& y) {
    double s = 0.0;
    for (int i = x.lo(); i <= x.hi(); ++i) s += std::fabs(x(i) - y(i));
    return s;
}

} // namespace quorvex
