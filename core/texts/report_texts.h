#pragma once

// The lines the method commands write into their reports, by family and
// command. "{}" stands for the next value in order, "{1}".."{9}" for the
// value they name; a count or a number keeps its own piece in the report
// (writeSentence).

#include "texts/text.h"

#include <string_view>

namespace quorvex::texts::report {

// Elimination: Gauss消去法, Gauss列主元消去法, Gauss全主元消去法.
inline constexpr Text kEliminatedHeading{"输出方程组增广矩阵消元后的结果",
                                         "The augmented matrix of the system after elimination"};
inline constexpr Text kPivotEliminatedHeading{
    "输出方程组增广矩阵选主元、消元后的结果",
    "The augmented matrix of the system after pivoting and elimination"};
inline constexpr Text kSolutionHeading{"输出求解结果", "The solution"};
inline constexpr Text kFullPivotSolutionHeading{"输出求解结果：", "The solution:"};
inline constexpr Text kGaussTitle{"Gauss消去法解线性方程组",
                                  "Solving a linear system by Gaussian elimination"};
inline constexpr Text kGaussColumnPivotTitle{
    "Gauss列主元消去法解线性方程组",
    "Solving a linear system by Gaussian elimination with partial (column) pivoting"};
inline constexpr Text kGaussFullPivotTitle{
    "Gauss全主元消去法解线性方程组",
    "Solving a linear system by Gaussian elimination with complete pivoting"};

// 列主元求逆矩阵.
inline constexpr Text kInverseEliminatedHeading{
    "输出矩阵选主元、消元后的结果", "The matrix [A | I] after Gauss–Jordan elimination"};
inline constexpr Text kInverseHeading{"矩阵的逆为：", "The inverse of the matrix is:"};
inline constexpr Text kInverseTitle{
    "选主元消去法的应用——求矩阵的逆。",
    "Application of partial pivoting: the inverse of a matrix by Gauss–Jordan elimination."};

// 列主元求行列式.
inline constexpr Text kDeterminantEliminatedHeading{
    "输出行列式选主元、消元后的结果",
    "The matrix after pivoting and elimination (upper triangular)"};
/// The row and column exchanges of the elimination.
inline constexpr Text kExchangeCount{"行、列共交换 {} 次", "Number of row exchanges: {}"};
inline constexpr Text kDeterminantHeading{"行列式的值为：", "The value of the determinant is:"};
/// The determinant, on the line under its heading.
inline constexpr Text kDeterminantValue{"   {}", "   {}"};
inline constexpr Text kDeterminantTitle{
    "选主元消去法的应用——求行列式的值。",
    "Application of partial pivoting: evaluating a determinant."};

// Decomposition: 矩阵的三角分解.
inline constexpr Text kFactorLowerHeading{
    "以上是所要分解的矩阵，接下来输出三角分解后的下三角矩阵L(n)",
    "Above is the matrix A to be factorized; below is the unit lower triangular matrix "
    "L of A = LU"};
inline constexpr Text kFactorUpperHeading{"输出矩阵三角分解后的上三角矩阵U(n)",
                                          "The upper triangular matrix U of A = LU"};

// LU分解法; the square-root methods share its L heading, forward heading and
// solution heading.
inline constexpr Text kLuOpening{
    "以上是方程组的增广矩阵，接下来输出方程组的系数矩阵A、方程组的常数项向量b：",
    "Above is the augmented matrix of the system; below are the coefficient matrix A and the "
    "right-hand side b:"};
inline constexpr Text kLowerFactorHeading{"输出方程组的系数矩阵LU分解后的下三角矩阵L(n)",
                                          "The unit lower triangular matrix L of A = LU"};
inline constexpr Text kLuUpperHeading{"输出方程组的系数矩阵LU分解后的上三角矩阵U(n)",
                                      "The upper triangular matrix U of A = LU"};
inline constexpr Text kForwardHeading{"输出求解LY=b后的 Y(n)",
                                      "Y, from solving LY = b (forward substitution)"};
inline constexpr Text kNumberedSolutionHeading{
    "输出求解UX=Y后的 X(n)，亦既方程组的解：",
    "X, from solving UX = Y (back substitution): the solution of the system"};
inline constexpr Text kLuTitle{"LU分解法解线性方程组",
                               "Solving a linear system by Doolittle LU decomposition"};

// 列主元三角分解法.
inline constexpr Text kPivotLuOpening{
    "以上是方程组的增广矩阵\r\n"
    "接下来输出方程组的计算后的系数矩阵A、方程组的常数项向量b：",
    "Above is the augmented matrix of the system\r\n"
    "Below: the matrix after factorization (U on and above the diagonal, the multipliers of L "
    "below it) and the right-hand side after the row exchanges (Pb):"};
inline constexpr Text kPivotLuLowerHeading{
    "输出方程组的系数矩阵列主元三角分解后的下三角矩阵L(n)",
    "The unit lower triangular matrix L of PA = LU (partial pivoting)"};
inline constexpr Text kPivotLuUpperHeading{"输出方程组的系数矩阵列主元三角分解后的上三角矩阵U(n)",
                                           "The upper triangular matrix U of PA = LU"};
inline constexpr Text kPivotLuTitle{
    "列主元三角分解法解线性方程组",
    "Solving a linear system by LU decomposition with partial pivoting"};

// 平方根法, 改进的平方根法, and the solution heading 追赶法 shares.
inline constexpr Text kSymmetricOpening{
    "以上是方程组的增广矩阵，接下来输出方程组的系数矩阵A、方程组的常数项向量b",
    "Above is the augmented matrix of the system; next, the coefficient matrix A and the "
    "right-hand side vector b of the system"};
inline constexpr Text kSolutionXHeading{
    "输出求解UX=Y后的 X，亦既方程组的解：",
    "X, from solving UX=Y, that is, the solution of the system:"};
/// The square-root methods' own headings: the Chinese as the LU report's,
/// the English naming each factorization.
inline constexpr Text kCholeskyLowerHeading{
    kLowerFactorHeading.zh, "The lower triangular matrix L of the Cholesky factorization A = LLᵀ"};
inline constexpr Text kCholeskySolutionHeading{
    kSolutionXHeading.zh,
    "X, from solving LᵀX = Y (back substitution): the solution of the system"};
inline constexpr Text kLdltLowerHeading{kLowerFactorHeading.zh,
                                        "The unit lower triangular matrix L of A = LDLᵀ"};
inline constexpr Text kLdltSolutionHeading{
    kSolutionXHeading.zh,
    "X, from solving DLᵀX = Y (back substitution): the solution of the system"};
inline constexpr Text kCholeskyTitle{
    "平方根法解线性方程组。", "Solving a linear system by the Cholesky (square-root) method."};
inline constexpr Text kCholeskyNote{
    "注意：本方法仅对未知数x的系数矩阵是对称正定矩阵时有效。",
    "Note: this method applies only when the coefficient matrix is symmetric positive definite."};
inline constexpr Text kLdltDiagonalLine{"接下来输出分解式A=L*D*L' 中D的主对角线元素：",
                                        "The diagonal entries of D in A = LDLᵀ:"};
inline constexpr Text kLdltTitle{
    "改进的平方根法解线性方程组",
    "Solving a linear system by LDLᵀ decomposition (the improved square-root method)"};
inline constexpr Text kLdltNote{
    "注意：本方法仅对未知数x的系数矩阵是对称矩阵时有效。",
    "Note: this method applies only when the coefficient matrix is symmetric."};

// 追赶法(解三对角).
inline constexpr Text kChaseOpening{
    "以上是三对角线形方程组的增广矩阵\r\n"
    "接下来输出方程组的系数矩阵A、方程组的常数项向量D(n)",
    "Above is the augmented matrix of the tridiagonal system\r\n"
    "Next, the coefficient matrix A and the right-hand side vector D of the system"};
inline constexpr Text kChaseForwardHeading{"输出求解LY=D后的 Y(n)",
                                           "Y, from solving LY = D (forward sweep)"};
inline constexpr Text kChaseTitle{"追赶法解三对角线性方程组。",
                                  "Solving a tridiagonal linear system by the Thomas algorithm."};
inline constexpr Text kChaseNote{"注意：本方法仅适合于三对角线性方程组。",
                                 "Note: this method applies only to tridiagonal systems."};

// Iteration: 雅可比迭代法, 高斯-塞德尔迭代法, 逐次超松驰迭代法.
inline constexpr Text kRelaxationFactor{"松弛因子 w={}", "Relaxation factor w={}"};
/// The sweeps the iteration took.
inline constexpr Text kConverged{"迭代{}次 ， 求得方程组的解为：",
                                 "After {} iterations, the solution of the system is:"};
inline constexpr Text kJacobiTitle{"Jacobi迭代法解线性方程组",
                                   "Solving a linear system by Jacobi iteration"};
inline constexpr Text kGaussSeidelTitle{"Gauss-Seidel迭代法解线性方程组",
                                        "Solving a linear system by Gauss–Seidel iteration"};
inline constexpr Text kSorTitle{"逐次超松弛(SOR)迭代法解线性方程组",
                                "Solving a linear system by successive over-relaxation (SOR)"};
/// Notices: the run met its stopping rule, |x(k) - x(k-1)| < e, with a
/// residual large against b. {} e, the residual's ∞-norm as a percentage of
/// b's, then (the first text only) the relaxation factor.
inline constexpr Text kSmallChangeFromFactor{
    "迭代因相邻两次迭代值之差小于 {} 而停止，但残差 ‖b-Ax‖∞ 仍有 ‖b‖∞ 的 "
    "{}%：小的只是每步的改变量，"
    "不是误差；松弛因子 w={} 使每步只改变很少。",
    "The iteration stopped because successive iterates differ by less than {}, yet the residual "
    "‖b-Ax‖∞ is still {}% of ‖b‖∞: what was small is the change per iteration, not the error; the "
    "relaxation factor w={} lets each iteration change x only a little."};
inline constexpr Text kRoughFromTolerance{
    "迭代因相邻两次迭代值之差小于 {} 而停止，残差 ‖b-Ax‖∞ 却仍有 ‖b‖∞ 的 {}%：对这个方程组，"
    "精度 e 取得太大，所得的解还很粗。",
    "The iteration stopped because successive iterates differ by less than {}, yet the residual "
    "‖b-Ax‖∞ is still {}% of ‖b‖∞: the tolerance e is too large for this system, and the solution "
    "found is still rough."};

// Tests and norms: 正定矩阵判断.
inline constexpr Text kDefiniteEcho{"以上是该矩阵的各元素", "Above are the entries of the matrix"};
inline constexpr Text kMinorsHeading{"下面输出各阶顺序主子式的值：",
                                     "The values of the leading principal minors:"};
/// The order k, then the k-th leading minor.
inline constexpr Text kMinorValue{"  {} 阶顺序主子式的值为： {}",
                                  "  The leading principal minor of order {} is: {}"};
inline constexpr Text kMinorNotPositive{"第 {} 阶顺序主子式的值不大于 0 ，该矩阵非正定。",
                                        "The leading principal minor of order {} is not greater "
                                        "than 0, so the matrix is not positive definite."};
inline constexpr Text kPositiveDefinite{"该矩阵各阶顺序主子式的值全大于 0 ，是正定矩阵。",
                                        "The matrix is symmetric and all its leading principal "
                                        "minors are positive, so it is positive definite "
                                        "(Sylvester's criterion)."};
inline constexpr Text kNotSymmetric{
    "该矩阵各阶顺序主子式的值全大于 0 ，但该矩阵不对称，本判断不认为它是正定矩阵。",
    "All leading principal minors of the matrix are greater than 0, but the matrix is not "
    "symmetric, so this test does not regard it as positive definite."};

// 严格对角占优矩阵判断.
inline constexpr Text kDominanceEcho{"以上是该矩阵的元素", "Above are the entries of the matrix"};
inline constexpr Text kRowsHeading{"下面输出各行的判断结果：", "Row-by-row test:"};
inline constexpr Text kRowNotDominant{
    "第 {} 行对角元素的绝对值不严格大于同行的其他元素的绝对值之和",
    "In row {} the absolute value of the diagonal entry is not strictly greater than the sum of "
    "the absolute values of the other entries of the row"};
inline constexpr Text kNotDominant{"因此该矩阵不是严格对角占优矩阵。",
                                   "Hence the matrix is not strictly diagonally dominant."};
inline constexpr Text kEveryRowDominant{
    "该矩阵每一行对角元素的绝对值都严格大于同行的其他元素的绝对值之和",
    "In every row of the matrix the absolute value of the diagonal entry is strictly greater than "
    "the sum of the absolute values of the other entries of the row"};
inline constexpr Text kDominant{"因此该矩阵是严格对角占优矩阵。",
                                "Hence the matrix is strictly diagonally dominant."};
inline constexpr Text kNonsingular{"同时该矩阵也为非奇异矩阵。",
                                   "The matrix is therefore also nonsingular."};

// 向量范数.
inline constexpr Text kVectorEcho{"以上是所要求解的向量，接下来输出向量的范数",
                                  "Above is the vector; next, its norms"};
inline constexpr Text kVectorOneNorm{"向量的1范数为： {}", "The 1-norm of the vector is: {}"};
inline constexpr Text kVectorTwoNorm{"向量的2范数为： {}", "The 2-norm of the vector is: {}"};
inline constexpr Text kVectorInfinityNorm{"向量的无穷范数为： {}",
                                          "The ∞-norm of the vector is: {}"};

// 矩阵范数.
inline constexpr Text kMatrixEcho{"以上是所要求解的矩阵，接下来输出矩阵的范数",
                                  "Above is the matrix; next, its norms"};
inline constexpr Text kMatrixOneNorm{"矩阵的1范数为： {}", "The 1-norm of the matrix is: {}"};
inline constexpr Text kMatrixTwoNorm{"矩阵的2范数(参考值)为： {}",
                                     "The 2-norm of the matrix (estimate) is: {}"};
inline constexpr Text kMatrixFrobeniusNorm{"矩阵的F范数为： {}",
                                           "The Frobenius norm of the matrix is: {}"};
inline constexpr Text kMatrixInfinityNorm{"矩阵的无穷范数为： {}",
                                          "The ∞-norm of the matrix is: {}"};

// Printed pages: a matrix wider than the page goes in blocks of columns,
// each under this line.
inline constexpr Text kColumnsShown{"第 {} 列至第 {} 列：", "Columns {} to {}:"};

} // namespace quorvex::texts::report

// Where the plain computation of a norm or of the positive-definite test
// fails: the worked steps of what stands in, and the notices beside the
// report.
namespace quorvex::texts::report {

/// The plain sum of squares, the largest magnitude, the sum of squares of
/// the elements divided by it, that magnitude again, the sum again, the
/// 2-norm.
inline constexpr Text kScaledVectorTwoNorm{
    "2范数：各元素的平方和 = {}，超出了双精度数能准确表示的范围；各元素先除以绝对值最大者 "
    "{}，平方和 = {}，2范数 = {} × √{} = {}",
    "2-norm: the sum of the squares of the components = {}, out of the range that double precision "
    "holds accurately; with each entry first divided by the largest absolute value {}, the sum of "
    "the squares = {}, 2-norm = {} × √{} = {}"};
/// As kScaledVectorTwoNorm, for the F-norm of a matrix.
inline constexpr Text kScaledFrobenius{
    "F范数：各元素的平方和 = {}，超出了双精度数能准确表示的范围；各元素先除以绝对值最大者 "
    "{}，平方和 = {}，F范数 = {} × √{} = {}",
    "Frobenius norm: the sum of the squares of the entries = {}, out of the range that double "
    "precision holds accurately; with each entry first divided by the largest absolute value {}, "
    "the sum of the squares = {}, Frobenius norm = {} × √{} = {}"};
/// The sweeps, the last divisor, the divisor again and its root, the bounds
/// F-norm/√n and F-norm, the largest singular value.
inline constexpr Text kPowerIterationMissed{
    "2范数(参考值)：对 A 的转置与 A 的乘积作 {} 遍幂迭代，最后的除数为 {}，√{} = {} 不在 "
    "F范数/√n = {} 与 F范数 = {} 之间，迭代没有找到主方向；改取 A 的最大奇异值 = {}",
    "2-norm (estimate): {} power-method iterations on AᵀA end with λmax ≈ {}, and √{} = {} lies "
    "outside the bounds Frobenius norm/√n = {} and Frobenius norm = {}: the iterations missed the "
    "dominant direction; the largest singular value of A is taken instead = {}"};

/// Notices of the positive-definite test, where exact arithmetic reaches
/// the other verdict; {} the order of the minor concerned.
inline constexpr Text kExactlyPositiveDefinite{
    "按精确分数计算，各阶顺序主子式全大于 0 ，该矩阵是正定矩阵；第 {} "
    "阶顺序主子式算得不大于 0 ，只是因为计算中的舍入误差超过了它本身。",
    "With exact fractions all leading principal minors are positive and the matrix is positive "
    "definite; the minor of order {} comes out as not greater than 0 only because the rounding in "
    "the computation outweighs it."};
inline constexpr Text kExactlyPositiveDefiniteUnderflow{
    "按精确分数计算，各阶顺序主子式全大于 0 ，该矩阵是正定矩阵；第 {} "
    "阶顺序主子式小于双精度数能表示的最小正数，计算中无法保留。",
    "With exact fractions all leading principal minors are positive and the matrix is positive "
    "definite; the minor of order {} lies below the smallest positive double, so the computation "
    "cannot hold it."};
inline constexpr Text kExactlyNotPositiveDefinite{
    "按精确分数计算，第 {} 阶顺序主子式的值不大于 0 ，该矩阵非正定；它算得大于 0 "
    "，只是因为计算中的舍入误差。",
    "With exact fractions the leading principal minor of order {} is not greater than 0 and the "
    "matrix is not positive definite; it comes out as greater than 0 only through the rounding "
    "in the computation."};

} // namespace quorvex::texts::report
