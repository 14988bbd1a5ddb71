#pragma once

// Every text the analysis commands show, in one place.

#include <string_view>

namespace quorvex::texts::analysis {

// Shared by the three reports.
inline constexpr std::string_view kExactSolutionHeading = "输出准确解 x*（由分数运算求得）";
inline constexpr std::string_view kDoubleSolutionHeading = "输出参考解 x*（由双精度运算求得）";
inline constexpr std::string_view kSingular =
    "系数矩阵奇异，没有逆矩阵，条件数为无穷大，方程组没有唯一解。";
inline constexpr std::string_view kExactDroppedForOrder =
    "阶数大于 {}，不作分数运算，x* 由双精度运算求得。";
inline constexpr std::string_view kYes = "是";
inline constexpr std::string_view kNo = "否";

// 误差分析
inline constexpr std::string_view kErrorCaption = "误差分析";
inline constexpr std::string_view kErrorSolutionHeading = "输出列主元消去法求得的解 x";
inline constexpr std::string_view kResidualHeading = "输出残差 r=b-Ax";
inline constexpr std::string_view kResidualInf = "残差的无穷范数为： {}";
inline constexpr std::string_view kResidual1 = "残差的1范数为： {}";
inline constexpr std::string_view kConditionExactHeading =
    "输出系数矩阵的条件数（由准确的逆矩阵求得）";
inline constexpr std::string_view kConditionDoubleHeading =
    "输出系数矩阵的条件数（由双精度的逆矩阵求得）";
inline constexpr std::string_view kExactInverseDroppedForOrder =
    "阶数大于 {}，逆矩阵不作分数运算，由双精度运算求得。";
inline constexpr std::string_view kCond1 = "cond1(A)=||A||1·||A逆||1= {}";
inline constexpr std::string_view kCondInf = "cond∞(A)=||A||∞·||A逆||∞= {}";
inline constexpr std::string_view kBoundHeading = "输出误差估计";
inline constexpr std::string_view kBoundInf = "相对误差限 cond∞(A)·||r||∞/||b||∞= {}";
inline constexpr std::string_view kBound1 = "相对误差限 cond1(A)·||r||1/||b||1= {}";
inline constexpr std::string_view kActualInf = "实际相对误差 ||x-x*||∞/||x*||∞= {}";
inline constexpr std::string_view kActual1 = "实际相对误差 ||x-x*||1/||x*||1= {}";
inline constexpr std::string_view kZeroRightHandSide =
    "右端向量为零，解为零向量，不作相对误差估计。";
/// {1} lg cond∞(A), to one decimal: also the digits lost.
inline constexpr std::string_view kDigitsLost = "lg cond∞(A)={1}，求解时约会损失 {1} 位有效数字。";
/// {} the decimals: the solution or x* is beyond the doubles' range.
inline constexpr std::string_view kDecimalsNotFinite =
    "按 {} 位小数计算，解与 x* "
    "之差不是有限的数（超出了双精度数的范围），无法据此判断这个小数位数是否够用。";
/// The decimals, the largest difference from x*, half a unit of the last
/// decimal.
inline constexpr std::string_view kDecimalsEnough =
    "按 {} 位小数计算，解与 x* 之差最大为 {}，不超过末位的半个单位 {}，"
    "这个小数位数对本方程组够用。";
inline constexpr std::string_view kDecimalsShort =
    "按 {} 位小数计算，解与 x* 之差最大为 {}，超过末位的半个单位 {}，"
    "这个小数位数对本方程组不够用，宜增加小数位数。";
inline constexpr std::string_view kErrorTitle = "解线性方程组的误差分析";

// 收敛性分析
inline constexpr std::string_view kConvergenceCaption = "收敛性分析";
inline constexpr std::string_view kFactorPrompt = "输入松弛因子 w：";
inline constexpr std::string_view kSettings = "迭代精度 e={}，松弛因子 w={}";
inline constexpr std::string_view kZeroDiagonal = "系数矩阵的对角元有 0，三种迭代都无法进行。";
inline constexpr std::string_view kRadiusHeading = "输出迭代矩阵的谱半径";
inline constexpr std::string_view kJacobi = "Jacobi迭代";
inline constexpr std::string_view kGaussSeidel = "Gauss-Seidel迭代";
/// {} the relaxation factor.
inline constexpr std::string_view kSor = "SOR(w={})迭代";
/// The method's name, then its iteration matrix's spectral radius.
inline constexpr std::string_view kConverges = "{}矩阵的谱半径 ρ={}，ρ<1，对任何初始值都收敛";
inline constexpr std::string_view kDiverges = "{}矩阵的谱半径 ρ={}，ρ≥1，不是对任何初始值都收敛";
/// {} the method's name: its iteration matrix overflowed (a huge w).
inline constexpr std::string_view kRadiusNotFinite =
    "{}矩阵的谱半径算不出有限的值（计算中数值溢出），不能据此判断是否收敛";
inline constexpr std::string_view kConditionsHeading = "输出收敛的充分条件";
/// {} kYes or kNo.
inline constexpr std::string_view kDominant = "系数矩阵严格对角占优：{}";
inline constexpr std::string_view kPositiveDefinite = "系数矩阵对称正定：{}";
inline constexpr std::string_view kDominantMeans =
    "严格对角占优，所以Jacobi迭代与Gauss-Seidel迭代都收敛，0<w≤1 时SOR迭代也收敛。";
inline constexpr std::string_view kDefiniteMeans =
    "对称正定，所以Gauss-Seidel迭代收敛，0<w<2 时SOR迭代都收敛。";
inline constexpr std::string_view kNeitherCondition = "两个充分条件都不满足，收敛与否要看谱半径。";
inline constexpr std::string_view kSweepsHeading = "输出迭代次数（从零初始值出发）";
/// A method's line: {} the prediction (one of the lines below, each opening
/// with the method's name), then the sweeps the run took.
inline constexpr std::string_view kObserved = "{}，实际迭代 {} 次";
inline constexpr std::string_view kObservedNone = "{}，实际迭代 1000 次仍不收敛";
/// The sweeps ρ^k ≤ e predicts.
inline constexpr std::string_view kPredicted = "{}：预计约 {} 次（按 ln e/ln ρ 估计）";
inline constexpr std::string_view kNotPredicted = "{}：ρ≥1，无法预计";
inline constexpr std::string_view kNotPredictedNotFinite = "{}：谱半径算不出有限的值，无法预计";
/// A nilpotent iteration matrix: its order n, then n + 1 sweeps (n to
/// reach the solution, one more to see no change).
inline constexpr std::string_view kPredictedNilpotent =
    "{}：ρ=0，迭代矩阵的 {} 次幂为零矩阵，预计至多 {} 次";
inline constexpr std::string_view kNotPredictedPrecision = "{}：e 不是正数，无法预计";
inline constexpr std::string_view kBestHeading = "输出最佳松弛因子";
/// The factor, the radius it gives, then how it was found (one of the
/// lines below).
inline constexpr std::string_view kBest = "w={}，此时SOR迭代矩阵的谱半径 ρ={}{}";
inline constexpr std::string_view kBestByFormula =
    "（系数矩阵三对角，Jacobi迭代矩阵的特征值都是实数且 ρ<1，由公式 w=2/(1+√(1-ρ²)) 求得）";
inline constexpr std::string_view kBestByOrderedFormula =
    "（系数矩阵相容次序，Jacobi迭代矩阵的特征值都是实数且 ρ<1，由公式 w=2/(1+√(1-ρ²)) 求得）";
inline constexpr std::string_view kBestBySearch = "（在 0<w<2 中数值搜索求得）";
inline constexpr std::string_view kBestByArnoldiSearch =
    "（在 0<w<2 中数值搜索求得，各谱半径由 Arnoldi 迭代求得）";
inline constexpr std::string_view kNoBest = "0<w<2 中没有使SOR迭代收敛的松弛因子。";
inline constexpr std::string_view kConvergenceTitle = "迭代法的收敛性分析";
inline constexpr std::string_view kChartTitle = "误差曲线 max|x(k)-x*|";
inline constexpr std::string_view kChartSweeps = "迭代次数 k";
inline constexpr std::string_view kChartError = "max|x(k)-x*|";
// The window's chart dialog.
inline constexpr std::string_view kChartDialogCaption = "误差曲线";
inline constexpr std::string_view kChartSave = "保存图片";
inline constexpr std::string_view kChartClose = "关闭";
inline constexpr std::string_view kChartSaveCaption = "保存误差曲线";
inline constexpr std::string_view kChartFilter = "PNG 图片(*.png);;SVG 图片(*.svg)";
inline constexpr std::string_view kChartNotSaved = "图片没有保存下来#";
inline constexpr std::string_view kChartFileName = "误差曲线";
inline constexpr std::string_view kChartAxisPower = "1E{}";
inline constexpr std::string_view kChartSameCurve = "{}与{}重合，画作虚线。";
inline constexpr std::string_view kChartCurveOverflows =
    "{}：第 {} 次起误差超出浮点数范围，未画出。";

// 主元比较
inline constexpr std::string_view kPivotCaption = "主元比较";
inline constexpr std::string_view kNoPivotName = "不选主元消去法";
inline constexpr std::string_view kColumnPivotName = "列主元消去法";
inline constexpr std::string_view kFullPivotName = "全主元消去法";
/// {} the elimination's name.
inline constexpr std::string_view kSolutionOf = "输出{}的解";
inline constexpr std::string_view kComparisonHeading = "输出各解与 x* 之差和增长因子";
/// The elimination's name, its solution's difference from x*, its growth
/// factor.
inline constexpr std::string_view kDifference = "{}：||x-x*||∞= {}，增长因子 {}";
/// Between the names of eliminations that came equally close.
inline constexpr std::string_view kNameSeparator = "与";
inline constexpr std::string_view kAllSame =
    "三种消元的解同样接近 x*：本方程组不选主元时主元也不小，选主元没有带来差别。";
/// Which came closest and why: the names, then the stage of the zero pivot.
inline constexpr std::string_view kClosestZeroPivot =
    "{}的解最接近 x*：不选主元时第 {} 步的主元为 0，消元无法进行下去。";
/// The names, the stage, its small pivot, the largest multiplier.
inline constexpr std::string_view kClosestSmallPivot =
    "{}的解最接近 x*：不选主元时第 {} 步的主元只有 {}，乘数大到 {}，"
    "舍入误差随之放大，解损失了有效数字；选主元使乘数的绝对值都不超过 1。";
inline constexpr std::string_view kClosestRoundingOnly =
    "{}的解最接近 x*：本方程组不选主元时主元也不小，几种解的差别只来自舍入。";
inline constexpr std::string_view kPivotTitle = "选主元与不选主元的比较";

} // namespace quorvex::texts::analysis
