#pragma once

#include "base/matrix.h"
#include "frame/frame.h"
#include "steps/tests_norms_steps.h"

namespace quorvex {

/// The determinant of the leading k x k block of B, by elimination with
/// column pivoting (ColumnPivotDeterminant); its stages, exchanges, reduced
/// block and value are written to steps when given. Looks at `stop` before
/// each stage of the elimination.
template <class T>
T leadingMinor(const BasicMatrix<T>& B, int k, steps::MinorSteps<T>* steps = nullptr,
               const StopRequest* stop = nullptr);

/// Whether |B(i,i)| is strictly larger than the sum of the other
/// magnitudes of row i (columns 1..n), summed left to right; the comparison
/// is written to steps when given.
template <class T>
bool dominantRow(const BasicMatrix<T>& B, int i, int n, steps::DominanceSteps<T>* steps = nullptr);

} // namespace quorvex

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
