#pragma once

#include "frame/frame.h"

namespace quorvex::commands {

/// 误差分析: the column-pivot solution at the current decimals, its
/// residual, the condition numbers, the error bound they give, the actual
/// error against the exact (or double) solution and what that means.
extern const Command ErrorAnalysis;

/// 收敛性分析: the spectral radii of the Jacobi, Gauss-Seidel and SOR
/// iteration matrices, the sufficient conditions that hold, predicted and
/// observed sweeps, the best relaxation factor and a chart of the errors.
extern const Command ConvergenceAnalysis;

/// 主元比较: the system eliminated without pivoting, with column pivoting
/// and with complete pivoting side by side, with errors and growth factors.
extern const Command PivotComparison;

} // namespace quorvex::commands
