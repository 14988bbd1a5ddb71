#pragma once

#include "frame.h"
#include "matrix.h"

namespace quorvex {

enum class IterationKind { Jacobi, GaussSeidel, Relaxation };

/// The iteration matrix of the method for the leading n x n block of A
/// (a nonzero diagonal): with A = D + L + U (diagonal, strictly lower,
/// strictly upper), Jacobi -D⁻¹(L+U), Gauss-Seidel -(D+L)⁻¹U, relaxation
/// (D+wL)⁻¹((1-w)D-wU).
Matrix iterationMatrix(const Matrix& A, int n, IterationKind kind, double w = 1.0);

/// The spectral radius of that iteration matrix.
double iterationRadius(const Matrix& A, int n, IterationKind kind, double w = 1.0);

/// The relaxation factor in (0, 2) with the smallest spectral radius.
struct BestFactor {
    double w = 1.0;
    double radius = 0.0;
    bool byFormula = false; ///< 2/(1+√(1-ρJ²)) rather than a search
};

/// True when the closed form for the best factor holds: A tridiagonal, the
/// Jacobi matrix's eigenvalues all real and its spectral radius below 1.
bool bestFactorFormulaApplies(const Matrix& A, int n);

/// The best factor: by the closed form where it holds, otherwise by
/// searchRelaxationFactor.
BestFactor bestRelaxationFactor(const Matrix& A, int n, const StopRequest& stop);

/// The best factor found numerically: a grid over (0, 2), then a
/// golden-section search around the best grid point.
BestFactor searchRelaxationFactor(const Matrix& A, int n, const StopRequest& stop);

} // namespace quorvex
