#include "analysis/iteration_radii.h"

#include "analysis/dense_algebra.h"

#include <cmath>
#include <limits>
#include <utility>
#include <vector>

namespace quorvex {

namespace {

/// Grid steps over (0, 2) before the search narrows down, and golden-section
/// steps after: the bracket of two grid steps shrinks to 0.618^steps of it.
/// Where each radius is an Arnoldi run on a large matrix, a coarser grid and
/// a bracket of about 1e-6 (below the factor's printed decimals) keep the
/// search to some forty runs.
struct SearchSteps {
    int grid;
    int section;
};
constexpr SearchSteps kFullSearch{40, 30};
constexpr SearchSteps kArnoldiSearch{20, 25};

/// Solves (D + wL) Y = N column by column, the lower triangle forward.
Matrix lowerSolve(const Matrix& A, int n, double w, const Matrix& N) {
    Matrix Y(n, n);
    for (int c = 1; c <= n; ++c)
        for (int i = 1; i <= n; ++i) {
            double s = N(i, c);
            for (int j = 1; j < i; ++j) s -= w * A(i, j) * Y(j, c);
            Y(i, c) = s / A(i, i);
        }
    return Y;
}

/// The splitting A = M - N of a method, and where an Arnoldi run starts.
/// A search over factors refills the same one: matrices of many megabytes
/// made afresh for each factor would leave the heap in pieces.
struct Splitting {
    Matrix M, N;
    std::vector<double> start;
};

/// Fills s with the method's splitting: Jacobi M = D, N = -(L+U);
/// relaxation M = D + wL, N = (1-w)D - wU (Gauss-Seidel: w = 1).
void split(const Matrix& A, int n, IterationKind kind, double w, Splitting& s) {
    if (kind == IterationKind::GaussSeidel) w = 1.0;
    const bool jacobi = kind == IterationKind::Jacobi;
    if (s.M.rows() != n || s.M.cols() != n) {
        s.M = Matrix(n, n);
        s.N = Matrix(n, n);
    }
    Matrix& M = s.M;
    Matrix& N = s.N;
    for (int i = 1; i <= n; ++i)
        for (int j = 1; j <= n; ++j) {
            if (j == i) {
                M(i, i) = A(i, i);
                N(i, i) = jacobi ? 0.0 : (1.0 - w) * A(i, i);
            } else if (j < i) {
                M(i, j) = jacobi ? 0.0 : w * A(i, j);
                N(i, j) = jacobi ? -A(i, j) : 0.0;
            } else {
                M(i, j) = 0.0;
                N(i, j) = jacobi ? -A(i, j) : -w * A(i, j);
            }
        }
}

bool isSymmetricWithPositiveDiagonal(const Matrix& A, int n) {
    for (int i = 1; i <= n; ++i) {
        if (!(A(i, i) > 0.0)) return false;
        for (int j = i + 1; j <= n; ++j)
            if (A(i, j) != A(j, i)) return false;
    }
    return true;
}

bool isTridiagonal(const Matrix& A, int n) {
    for (int i = 1; i <= n; ++i)
        for (int j = 1; j <= n; ++j)
            if ((j < i - 1 || j > i + 1) && A(i, j) != 0.0) return false;
    return true;
}

} // namespace

Matrix iterationMatrix(const Matrix& A, int n, IterationKind kind, double w) {
    if (kind == IterationKind::Jacobi) {
        Matrix J(n, n);
        for (int i = 1; i <= n; ++i)
            for (int j = 1; j <= n; ++j)
                if (j != i) J(i, j) = -A(i, j) / A(i, i);
        return J;
    }
    if (kind == IterationKind::GaussSeidel) w = 1.0;
    Matrix N(n, n);
    for (int i = 1; i <= n; ++i) {
        N(i, i) = (1.0 - w) * A(i, i);
        for (int j = i + 1; j <= n; ++j) N(i, j) = -w * A(i, j);
    }
    return lowerSolve(A, n, w, N);
}

namespace {

/// How a radius that Arnoldi iteration does not settle on is found.
enum class Unsettled {
    AllEigenvalues, ///< every eigenvalue of the formed matrix: the radius itself
    Estimate,       ///< the power method's estimate: enough to rank factors by
};

/// Power steps of an estimate.
constexpr int kEstimateSteps = 80;
/// Restarts after which an Arnoldi run that ranks factors gives way to the
/// estimate: one that settles takes a few.
constexpr int kRankingRestarts = 20;

double radiusFrom(const Matrix& A, int n, IterationKind kind, double w, Splitting& s,
                  Unsettled unsettled = Unsettled::AllEigenvalues) {
    if (n < kArnoldiOrder) return spectralRadius(iterationMatrix(A, n, kind, w), n);
    if (!allFinite(A, n, n)) return std::numeric_limits<double>::quiet_NaN();
    split(A, n, kind, w, s);
    const Matrix& M = s.M;
    const Matrix& N = s.N;
    const double rho = splittingRadius(M, N, n, &s.start,
                                       unsettled == Unsettled::Estimate ? kRankingRestarts : 100);
    if (!std::isnan(rho)) return rho;
    // Arnoldi iteration may not settle on a nearly defective matrix or on a
    // cluster of eigenvalues of one size; every eigenvalue then still gives
    // the radius, at O(n^3).
    if (unsettled == Unsettled::Estimate) return splittingRadiusEstimate(M, N, n, kEstimateSteps);
    return spectralRadius(iterationMatrix(A, n, kind, w), n);
}

} // namespace

double iterationRadius(const Matrix& A, int n, IterationKind kind, double w) {
    Splitting s;
    return radiusFrom(A, n, kind, w, s);
}

bool isConsistentlyOrdered(const Matrix& A, int n) {
    constexpr int kUnset = std::numeric_limits<int>::min();
    std::vector<int> level(static_cast<std::size_t>(n) + 1, kUnset);
    std::vector<int> pending;
    for (int start = 1; start <= n; ++start) {
        if (level[static_cast<std::size_t>(start)] != kUnset) continue;
        level[static_cast<std::size_t>(start)] = 0;
        pending.push_back(start);
        while (!pending.empty()) {
            const int i = pending.back();
            pending.pop_back();
            for (int j = 1; j <= n; ++j) {
                if (j == i || (A(i, j) == 0.0 && A(j, i) == 0.0)) continue;
                const int wanted = level[static_cast<std::size_t>(i)] + (j > i ? 1 : -1);
                int& t = level[static_cast<std::size_t>(j)];
                if (t == kUnset) {
                    t = wanted;
                    pending.push_back(j);
                } else if (t != wanted) {
                    return false;
                }
            }
        }
    }
    return true;
}

bool bestFactorFormulaApplies(const Matrix& A, int n) {
    if (!isConsistentlyOrdered(A, n)) return false;
    // A symmetric matrix with a positive diagonal has a Jacobi matrix
    // similar to a symmetric one, so real eigenvalues without computing them.
    if (!isSymmetricWithPositiveDiagonal(A, n) &&
        !hasRealSpectrum(iterationMatrix(A, n, IterationKind::Jacobi), n))
        return false;
    return radiusBelowOne(iterationRadius(A, n, IterationKind::Jacobi));
}

BestFactor bestRelaxationFactor(const Matrix& A, int n, const StopRequest& stop) {
    if (!bestFactorFormulaApplies(A, n)) return searchRelaxationFactor(A, n, stop);
    const double rho = iterationRadius(A, n, IterationKind::Jacobi);
    BestFactor best;
    best.w = 2.0 / (1.0 + std::sqrt(1.0 - rho * rho));
    // At the best factor the relaxation matrix is defective, so its computed
    // eigenvalues scatter; the theory gives the radius exactly.
    best.radius = best.w - 1.0;
    best.source =
        isTridiagonal(A, n) ? FactorSource::TridiagonalFormula : FactorSource::OrderedFormula;
    return best;
}

BestFactor searchRelaxationFactor(const Matrix& A, int n, const StopRequest& stop) {
    // Neighbouring factors have neighbouring dominant eigenvectors: each
    // Arnoldi run starts from the one before. A factor Arnoldi iteration does
    // not settle on is ranked by an estimate; only the best one found is
    // then given every eigenvalue, if it needs them.
    Splitting s;
    const auto radius = [&](double w) {
        stop.check();
        const double r = radiusFrom(A, n, IterationKind::Relaxation, w, s, Unsettled::Estimate);
        return std::isnan(r) ? HUGE_VAL : r;
    };
    const FactorSource source =
        n < kArnoldiOrder ? FactorSource::Search : FactorSource::ArnoldiSearch;
    const SearchSteps steps = n < kArnoldiOrder ? kFullSearch : kArnoldiSearch;
    const double step = 2.0 / steps.grid;
    BestFactor best{step, radius(step), source};
    for (int i = 2; i < steps.grid; ++i) {
        const double r = radius(i * step);
        if (r < best.radius) best = {i * step, r, source};
    }
    const double golden = (std::sqrt(5.0) - 1.0) / 2.0;
    double lo = best.w - step, hi = best.w + step;
    double a = hi - golden * (hi - lo), b = lo + golden * (hi - lo);
    double ra = radius(a), rb = radius(b);
    for (int i = 0; i < steps.section; ++i) {
        if (ra < rb) {
            hi = b, b = a, rb = ra;
            a = hi - golden * (hi - lo), ra = radius(a);
        } else {
            lo = a, a = b, ra = rb;
            b = lo + golden * (hi - lo), rb = radius(b);
        }
    }
    const double w = ra < rb ? a : b;
    const double r = ra < rb ? ra : rb;
    if (r < best.radius) best = {w, r, source};
    if (n >= kArnoldiOrder) best.radius = radiusFrom(A, n, IterationKind::Relaxation, best.w, s);
    return best;
}

} // namespace quorvex
