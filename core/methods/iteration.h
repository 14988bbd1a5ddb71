#pragma once

#include "frame.h"

namespace quorvex {

/// 雅可比迭代法: solves the system by the Jacobi iteration from typed initial
/// values; every component of a sweep is computed from the previous sweep.
Outcome JacobiDie_Click(Host& host);

/// 高斯-塞德尔迭代法: like Jacobi, but each component uses the values this
/// sweep has already produced.
Outcome Gauss_SeidelDie_Click(Host& host);

/// 逐次超松驰迭代法: successive relaxation with a typed factor w (w <= 0, or
/// Cancel, means 1, which is the Gauss-Seidel iteration).
Outcome SorDie_Click(Host& host);

} // namespace quorvex
