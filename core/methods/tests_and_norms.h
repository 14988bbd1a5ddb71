#pragma once

#include "frame.h"

namespace quorvex::commands {

/// 正定矩阵判断: lists the leading principal minors up to the first that is
/// not positive; all positive counts as positive definite only for a
/// symmetric matrix.
extern const Command CMatrixJudge;

/// 严格对角占优矩阵判断: checks row by row that the diagonal outweighs the
/// rest of its row, naming the first row that does not.
extern const Command StrictMatrixJudge;

/// 向量范数: the 1-, 2- and infinity norms of the vector on the first line of
/// the edit area.
extern const Command VectorModel;

/// 矩阵范数: the 1-norm, a reference value of the 2-norm, the Frobenius norm
/// and the infinity norm of a square matrix.
extern const Command MatrixModel;

} // namespace quorvex::commands
