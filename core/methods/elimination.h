#pragma once

#include "frame.h"

namespace quorvex {

/// Gauss消去法: elimination without pivoting, then back substitution.
Outcome Gauss_1_Click(Host& host);

/// Gauss列主元消去法: elimination with column pivoting.
Outcome GaussTier_Click(Host& host);

/// Gauss全主元消去法: elimination with complete pivoting; the solution lines
/// carry each unknown's number in the input.
Outcome GaussFull_Click(Host& host);

/// 列主元求逆矩阵: the inverse of a square matrix by Gauss-Jordan reduction
/// with column pivoting.
Outcome A_matrix_Click(Host& host);

/// 列主元求行列式: the determinant of a square matrix by column pivoting.
Outcome A_range_Click(Host& host);

} // namespace quorvex
