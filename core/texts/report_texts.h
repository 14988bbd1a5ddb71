#pragma once

// The lines the method commands write into their reports, by family and
// command. "{}" stands for the next value in order, "{1}".."{9}" for the
// value they name; a count or a number keeps its own piece in the report
// (writeSentence).

#include <string_view>

namespace quorvex::texts::report {

// Elimination: Gauss消去法, Gauss列主元消去法, Gauss全主元消去法.
inline constexpr std::string_view kEliminatedHeading = "输出方程组增广矩阵消元后的结果";
inline constexpr std::string_view kPivotEliminatedHeading =
    "输出方程组增广矩阵选主元、消元后的结果";
inline constexpr std::string_view kSolutionHeading = "输出求解结果";
inline constexpr std::string_view kFullPivotSolutionHeading = "输出求解结果：";
inline constexpr std::string_view kGaussTitle = "Gauss消去法解线性方程组";
inline constexpr std::string_view kGaussColumnPivotTitle = "Gauss列主元消去法解线性方程组";
inline constexpr std::string_view kGaussFullPivotTitle = "Gauss全主元消去法解线性方程组";

// 列主元求逆矩阵.
inline constexpr std::string_view kInverseEliminatedHeading = "输出矩阵选主元、消元后的结果";
inline constexpr std::string_view kInverseHeading = "矩阵的逆为：";
inline constexpr std::string_view kInverseTitle = "选主元消去法的应用——求矩阵的逆。";

// 列主元求行列式.
inline constexpr std::string_view kDeterminantEliminatedHeading = "输出行列式选主元、消元后的结果";
/// The row and column exchanges of the elimination.
inline constexpr std::string_view kExchangeCount = "行、列共交换 {} 次";
inline constexpr std::string_view kDeterminantHeading = "行列式的值为：";
/// The determinant, on the line under its heading.
inline constexpr std::string_view kDeterminantValue = "   {}";
inline constexpr std::string_view kDeterminantTitle = "选主元消去法的应用——求行列式的值。";

// Decomposition: 矩阵的三角分解.
inline constexpr std::string_view kFactorLowerHeading =
    "以上是所要分解的矩阵，接下来输出三角分解后的下三角矩阵L(n)";
inline constexpr std::string_view kFactorUpperHeading = "输出矩阵三角分解后的上三角矩阵U(n)";

// LU分解法; the square-root methods share its L heading, forward heading and
// solution heading.
inline constexpr std::string_view kLuOpening =
    "以上是方程组的增广矩阵，接下来输出方程组的系数矩阵A、方程组的常数项向量b：";
inline constexpr std::string_view kLowerFactorHeading =
    "输出方程组的系数矩阵LU分解后的下三角矩阵L(n)";
inline constexpr std::string_view kLuUpperHeading = "输出方程组的系数矩阵LU分解后的上三角矩阵U(n)";
inline constexpr std::string_view kForwardHeading = "输出求解LY=b后的 Y(n)";
inline constexpr std::string_view kNumberedSolutionHeading =
    "输出求解UX=Y后的 X(n)，亦既方程组的解：";
inline constexpr std::string_view kLuTitle = "LU分解法解线性方程组";

// 列主元三角分解法.
inline constexpr std::string_view kPivotLuOpening =
    "以上是方程组的增广矩阵\r\n"
    "接下来输出方程组的计算后的系数矩阵A、方程组的常数项向量b：";
inline constexpr std::string_view kPivotLuLowerHeading =
    "输出方程组的系数矩阵列主元三角分解后的下三角矩阵L(n)";
inline constexpr std::string_view kPivotLuUpperHeading =
    "输出方程组的系数矩阵列主元三角分解后的上三角矩阵U(n)";
inline constexpr std::string_view kPivotLuTitle = "列主元三角分解法解线性方程组";

// 平方根法, 改进的平方根法, and the solution heading 追赶法 shares.
inline constexpr std::string_view kSymmetricOpening =
    "以上是方程组的增广矩阵，接下来输出方程组的系数矩阵A、方程组的常数项向量b";
inline constexpr std::string_view kSolutionXHeading = "输出求解UX=Y后的 X，亦既方程组的解：";
inline constexpr std::string_view kCholeskyTitle = "平方根法解线性方程组。";
inline constexpr std::string_view kCholeskyNote =
    "注意：本方法仅对未知数x的系数矩阵是对称正定矩阵时有效。";
inline constexpr std::string_view kLdltDiagonalLine =
    "接下来输出分解式A=L*D*L' 中D的主对角线元素：";
inline constexpr std::string_view kLdltTitle = "改进的平方根法解线性方程组";
inline constexpr std::string_view kLdltNote = "注意：本方法仅对未知数x的系数矩阵是对称矩阵时有效。";

// 追赶法(解三对角).
inline constexpr std::string_view kChaseOpening =
    "以上是三对角线形方程组的增广矩阵\r\n"
    "接下来输出方程组的系数矩阵A、方程组的常数项向量D(n)";
inline constexpr std::string_view kChaseForwardHeading = "输出求解LY=D后的 Y(n)";
inline constexpr std::string_view kChaseTitle = "追赶法解三对角线性方程组。";
inline constexpr std::string_view kChaseNote = "注意：本方法仅适合于三对角线性方程组。";

// Iteration: 雅可比迭代法, 高斯-塞德尔迭代法, 逐次超松驰迭代法.
inline constexpr std::string_view kRelaxationFactor = "松弛因子 w={}";
/// The sweeps the iteration took.
inline constexpr std::string_view kConverged = "迭代{}次 ， 求得方程组的解为：";
inline constexpr std::string_view kJacobiTitle = "Jacobi迭代法解线性方程组";
inline constexpr std::string_view kGaussSeidelTitle = "Gauss-Seidel迭代法解线性方程组";
inline constexpr std::string_view kSorTitle = "逐次超松弛(SOR)迭代法解线性方程组";

// Tests and norms: 正定矩阵判断.
inline constexpr std::string_view kDefiniteEcho = "以上是该矩阵的各元素";
inline constexpr std::string_view kMinorsHeading = "下面输出各阶顺序主子式的值：";
/// The order k, then the k-th leading minor.
inline constexpr std::string_view kMinorValue = "  {} 阶顺序主子式的值为： {}";
inline constexpr std::string_view kMinorNotPositive =
    "第 {} 阶顺序主子式的值不大于 0 ，该矩阵非正定。";
inline constexpr std::string_view kPositiveDefinite =
    "该矩阵各阶顺序主子式的值全大于 0 ，是正定矩阵。";
inline constexpr std::string_view kNotSymmetric =
    "该矩阵各阶顺序主子式的值全大于 0 ，但该矩阵不对称，本判断不认为它是正定矩阵。";

// 严格对角占优矩阵判断.
inline constexpr std::string_view kDominanceEcho = "以上是该矩阵的元素";
inline constexpr std::string_view kRowsHeading = "下面输出各行的判断结果：";
inline constexpr std::string_view kRowNotDominant =
    "第 {} 行对角元素的绝对值不严格大于同行的其他元素的绝对值之和";
inline constexpr std::string_view kNotDominant = "因此该矩阵不是严格对角占优矩阵。";
inline constexpr std::string_view kEveryRowDominant =
    "该矩阵每一行对角元素的绝对值都严格大于同行的其他元素的绝对值之和";
inline constexpr std::string_view kDominant = "因此该矩阵是严格对角占优矩阵。";
inline constexpr std::string_view kNonsingular = "同时该矩阵也为非奇异矩阵。";

// 向量范数.
inline constexpr std::string_view kVectorEcho = "以上是所要求解的向量，接下来输出向量的范数";
inline constexpr std::string_view kVectorOneNorm = "向量的1范数为： {}";
inline constexpr std::string_view kVectorTwoNorm = "向量的2范数为： {}";
inline constexpr std::string_view kVectorInfinityNorm = "向量的无穷范数为： {}";

// 矩阵范数.
inline constexpr std::string_view kMatrixEcho = "以上是所要求解的矩阵，接下来输出矩阵的范数";
inline constexpr std::string_view kMatrixOneNorm = "矩阵的1范数为： {}";
inline constexpr std::string_view kMatrixTwoNorm = "矩阵的2范数(参考值)为： {}";
inline constexpr std::string_view kMatrixFrobeniusNorm = "矩阵的F范数为： {}";
inline constexpr std::string_view kMatrixInfinityNorm = "矩阵的无穷范数为： {}";

} // namespace quorvex::texts::report
