#pragma once

#include "frame/frame.h"

namespace quorvex::commands {

/// Gauss消去法: elimination without pivoting, then back substitution.
extern const Command Gauss_1;

/// Gauss列主元消去法: elimination with column pivoting.
extern const Command GaussTier;

/// Gauss全主元消去法: elimination with complete pivoting; the solution lines
/// carry each unknown's number in the input.
extern const Command GaussFull;

/// 列主元求逆矩阵: the inverse of a square matrix by Gauss-Jordan reduction
/// with column pivoting.
extern const Command A_matrix;

/// 列主元求行列式: the determinant of a square matrix by column pivoting.
extern const Command A_range;

} // namespace quorvex::commands
