#include "analysis/iteration_radii.h"

#include "analysis/dense_algebra.h"

#include <cmath>

namespace quorvex {

namespace {

/// Grid steps over (0, 2) before the search narrows down.
constexpr int kGridSteps = 40;
/// Golden-section steps: the bracket shrinks to 0.618^30 of a grid step.
constexpr int kSectionSteps = 30;

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

double iterationRadius(const Matrix& A, int n, IterationKind kind, double w) {
    return spectralRadius(iterationMatrix(A, n, kind, w), n);
}

bool bestFactorFormulaApplies(const Matrix& A, int n) {
    if (!isTridiagonal(A, n)) return false;
    const Matrix J = iterationMatrix(A, n, IterationKind::Jacobi);
    return hasRealSpectrum(J, n) && spectralRadius(J, n) < 1.0;
}

BestFactor bestRelaxationFactor(const Matrix& A, int n, const StopRequest& stop) {
    if (!bestFactorFormulaApplies(A, n)) return searchRelaxationFactor(A, n, stop);
    const double rho = iterationRadius(A, n, IterationKind::Jacobi);
    BestFactor best;
    best.w = 2.0 / (1.0 + std::sqrt(1.0 - rho * rho));
    // At the best factor the relaxation matrix is defective, so its computed
    // eigenvalues scatter; the theory gives the radius exactly.
    best.radius = best.w - 1.0;
    best.byFormula = true;
    return best;
}

BestFactor searchRelaxationFactor(const Matrix& A, int n, const StopRequest& stop) {
    const auto radius = [&](double w) {
        stop.check();
        const double r = iterationRadius(A, n, IterationKind::Relaxation, w);
        return std::isnan(r) ? HUGE_VAL : r;
    };
    const double step = 2.0 / kGridSteps;
    BestFactor best{step, radius(step), false};
    for (int i = 2; i < kGridSteps; ++i) {
        const double r = radius(i * step);
        if (r < best.radius) best = {i * step, r, false};
    }
    const double golden = (std::sqrt(5.0) - 1.0) / 2.0;
    double lo = best.w - step, hi = best.w + step;
    double a = hi - golden * (hi - lo), b = lo + golden * (hi - lo);
    double ra = radius(a), rb = radius(b);
    for (int i = 0; i < kSectionSteps; ++i) {
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
    if (r < best.radius) best = {w, r, false};
    return best;
}

} // namespace quorvex
