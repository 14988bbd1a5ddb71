#pragma once

#include "frame/frame.h"

namespace quorvex::commands {

/// 矩阵的三角分解: A = LU (Doolittle, no pivoting) of a square matrix,
/// printing A, L and U; solves nothing.
extern const Command MatrixBreak;

/// LU分解法: solves Ax = b through A = LU (Doolittle, no pivoting).
extern const Command LU_break;

/// 平方根法: solves a symmetric positive definite system through A = L·Lᵀ
/// (Cholesky), reading only the lower triangle of A.
extern const Command SqrtRoot;

/// 改进的平方根法: solves a symmetric system through A = L·D·Lᵀ, reading
/// only the lower triangle of A.
extern const Command MendSqrt;

/// 追赶法(解三对角): solves a tridiagonal system by the chasing method,
/// reading only the three diagonals of A.
extern const Command Purase;

/// 列主元三角分解法: solves Ax = b through PA = LU, the pivot of each step
/// being the candidate of largest magnitude.
extern const Command TierLU;

} // namespace quorvex::commands
