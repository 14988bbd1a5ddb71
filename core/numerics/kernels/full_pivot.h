#pragma once

#include "base/matrix.h"
#include "numerics/kernels/blocked_elimination.h"

#include <vector>

namespace quorvex::kernels {

/// The forward elimination of the full-pivot Gauss command, fast: on the
/// augmented n x (n+1) matrix A, at each step k = 1..n-1 the entry of largest
/// magnitude of the remaining square block (the first of equals, row by row)
/// is brought to (k, k) by a row exchange in columns k..n+1 and a column
/// exchange in all rows, `order` (order[c-1]: the input number of the unknown
/// in column c) follows the column exchanges, and rows k+1..n are eliminated
/// with every stored value rounded to `decimals` decimals. The same values
/// as the reference, which works on a copy of each step's block; here the
/// block is worked in place and the next step's search is made while each
/// row is still in the cache.
void eliminateFullPivotFast(Matrix& A, int n, int decimals, std::vector<int>& order,
                            const KernelSettings& settings);

} // namespace quorvex::kernels
