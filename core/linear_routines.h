#pragma once

#include "matrix.h"

namespace quorvex {

/// Reduces the square matrix A (n x n, n = A.rows()) in place to upper
/// triangular form by elimination with column pivoting, every eliminated
/// element stored rounded to 7 decimals. Returns the determinant of A as
/// given and the number of row exchanges made.
double ColumnPivotDeterminant(Matrix& A, int& exchangeCount);

} // namespace quorvex
