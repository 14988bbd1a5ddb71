#pragma once

#include "frame.h"

namespace quorvex {

/// 矩阵的三角分解: A = LU (Doolittle, no pivoting) of a square matrix,
/// printing A, L and U; solves nothing.
Outcome MatrixBreak_Click(Host& host);

/// LU分解法: solves Ax = b through A = LU (Doolittle, no pivoting).
Outcome LU_break_Click(Host& host);

/// 平方根法: solves a symmetric positive definite system through A = L·Lᵀ
/// (Cholesky), reading only the lower triangle of A.
Outcome SqrtRoot_Click(Host& host);

/// 改进的平方根法: solves a symmetric system through A = L·D·Lᵀ, reading
/// only the lower triangle of A.
Outcome MendSqrt_Click(Host& host);

/// 追赶法(解三对角): solves a tridiagonal system by the chasing method,
/// reading only the three diagonals of A.
Outcome Purase_Click(Host& host);

/// 列主元三角分解法: solves Ax = b through PA = LU, the pivot of each step
/// being the candidate of largest magnitude.
Outcome TierLU_Click(Host& host);

} // namespace quorvex
