#pragma once

#include "frame/frame.h"

namespace quorvex::commands {

/// 雅可比迭代法: solves the system by the Jacobi iteration from typed initial
/// values; every component of a sweep is computed from the previous sweep.
extern const Command JacobiDie;

/// 高斯-塞德尔迭代法: like Jacobi, but each component uses the values this
/// sweep has already produced.
extern const Command Gauss_SeidelDie;

/// 逐次超松驰迭代法: successive relaxation with a typed factor w (w <= 0, or
/// Cancel, means 1, which is the Gauss-Seidel iteration).
extern const Command SorDie;

} // namespace quorvex::commands
