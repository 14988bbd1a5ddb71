#pragma once

#include "base/matrix.h"
#include "frame/frame.h"

namespace quorvex {

enum class IterationKind { Jacobi, GaussSeidel, Relaxation };

/// A spectral radius this close to 1 is beyond what a radius computed in
/// doubles can tell from 1: every "ρ < 1" question of a report is asked
/// against this one margin.
inline constexpr double kRadiusTolerance = 1e-10;

/// True when a computed radius is below 1 by more than the margin.
inline bool radiusBelowOne(double rho) { return rho < 1.0 - kRadiusTolerance; }

/// The iteration matrix of the method for the leading n x n block of A
/// (a nonzero diagonal): with A = D + L + U (diagonal, strictly lower,
/// strictly upper), Jacobi -D⁻¹(L+U), Gauss-Seidel -(D+L)⁻¹U, relaxation
/// (D+wL)⁻¹((1-w)D-wU).
Matrix iterationMatrix(const Matrix& A, int n, IterationKind kind, double w = 1.0);

/// The spectral radius of that iteration matrix.
double iterationRadius(const Matrix& A, int n, IterationKind kind, double w = 1.0);

/// From this order on, spectral radii come from Arnoldi iteration on the
/// iteration's product, O(n^2) a step, rather than from every eigenvalue of
/// the formed matrix, O(n^3).
inline constexpr int kArnoldiOrder = 64;

/// How the best factor was found.
enum class FactorSource {
    TridiagonalFormula, ///< 2/(1+√(1-ρJ²)), A tridiagonal
    OrderedFormula,     ///< the same formula, A consistently ordered
    Search,             ///< searched, every spectral radius computed in full
    ArnoldiSearch,      ///< searched, spectral radii by Arnoldi iteration
};

/// The relaxation factor in (0, 2) with the smallest spectral radius.
struct BestFactor {
    double w = 1.0;
    double radius = 0.0;
    FactorSource source = FactorSource::Search;
};

/// True when the unknowns fall into levels such that every coupling
/// a(i,j) != 0 joins level t to t+1 when j > i and to t-1 when j < i: A is
/// consistently ordered, and the relaxation's eigenvalues follow from the
/// Jacobi matrix's. Every tridiagonal matrix is.
bool isConsistentlyOrdered(const Matrix& A, int n);

/// True when the closed form for the best factor holds: A consistently
/// ordered, the Jacobi matrix's eigenvalues all real and its spectral radius
/// below 1.
bool bestFactorFormulaApplies(const Matrix& A, int n);

/// The best factor: by the closed form where it holds, otherwise by
/// searchRelaxationFactor.
BestFactor bestRelaxationFactor(const Matrix& A, int n, const StopRequest& stop);

/// The best factor found numerically: a grid over (0, 2), then a
/// golden-section search around the best grid point.
BestFactor searchRelaxationFactor(const Matrix& A, int n, const StopRequest& stop);

} // namespace quorvex
