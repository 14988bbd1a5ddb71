#pragma once

// Every text the analysis commands show, in one place.

#include "texts/text.h"

#include <string_view>

namespace quorvex::texts::analysis {

// Shared by the three reports.
inline constexpr Text kExactSolutionHeading{
    "输出准确解 x*（由分数运算求得）",
    "The exact solution x* (computed in exact rational arithmetic)"};
inline constexpr Text kDoubleSolutionHeading{
    "输出参考解 x*（由双精度运算求得）",
    "The reference solution x* (computed in double precision)"};
inline constexpr Text kSingular{
    "系数矩阵奇异，没有逆矩阵，条件数为无穷大，方程组没有唯一解。",
    "The coefficient matrix is singular: it has no inverse, its condition number is infinite, and "
    "the system has no unique solution."};
inline constexpr Text kExactDroppedForOrder{
    "阶数大于 {}，不作分数运算，x* 由双精度运算求得。",
    "The order is greater than {}, so no fractions are used: x* is computed in double precision."};
/// Row, column, the entry as typed, the value it is read as.
inline constexpr Text kEntryMisread{
    "第{}行第{}列的 {} 超出了双精度数所能表示的范围，读作 {}；分析按读作的值进行。",
    "The entry in row {}, column {}, {}, is beyond what a double-precision number can hold and is "
    "read as {}; the analysis works with the value as read."};
inline constexpr Text kYes{"是", "yes"};
inline constexpr Text kNo{"否", "no"};

// 误差分析
inline constexpr Text kErrorCaption{"误差分析", "Error Analysis"};
inline constexpr Text kErrorSolutionHeading{
    "输出列主元消去法求得的解 x", "The solution x by Gaussian elimination with partial pivoting"};
inline constexpr Text kResidualHeading{"输出残差 r=b-Ax", "The residual r=b-Ax"};
inline constexpr Text kResidualInf{"残差的无穷范数为： {}", "The ∞-norm of the residual is: {}"};
inline constexpr Text kResidual1{"残差的1范数为： {}", "The 1-norm of the residual is: {}"};
inline constexpr Text kConditionExactHeading{
    "输出系数矩阵的条件数（由准确的逆矩阵求得）",
    "The condition numbers of the coefficient matrix (from the exact inverse)"};
inline constexpr Text kConditionDoubleHeading{
    "输出系数矩阵的条件数（由双精度的逆矩阵求得）",
    "The condition numbers of the coefficient matrix (from the double-precision inverse)"};
inline constexpr Text kExactInverseDroppedForOrder{
    "阶数大于 {}，逆矩阵不作分数运算，由双精度运算求得。",
    "The order is greater than {}, so the inverse is computed in double precision, not in "
    "fractions."};
inline constexpr Text kCond1{"cond1(A)=||A||1·||A逆||1= {}", "cond1(A)=||A||1·||A^-1||1= {}"};
inline constexpr Text kCondInf{"cond∞(A)=||A||∞·||A逆||∞= {}", "cond∞(A)=||A||∞·||A^-1||∞= {}"};
inline constexpr Text kBoundHeading{"输出误差估计", "The error estimate"};
inline constexpr Text kBoundInf{"相对误差限 cond∞(A)·||r||∞/||b||∞= {}",
                                "Upper bound on the relative error, cond∞(A)·||r||∞/||b||∞ = {}"};
inline constexpr Text kBound1{"相对误差限 cond1(A)·||r||1/||b||1= {}",
                              "Upper bound on the relative error, cond1(A)·||r||1/||b||1 = {}"};
inline constexpr Text kActualInf{"实际相对误差 ||x-x*||∞/||x*||∞= {}",
                                 "Actual relative error ||x-x*||∞/||x*||∞= {}"};
inline constexpr Text kActual1{"实际相对误差 ||x-x*||1/||x*||1= {}",
                               "Actual relative error ||x-x*||1/||x*||1= {}"};
inline constexpr Text kZeroRightHandSide{"右端向量为零，解为零向量，不作相对误差估计。",
                                         "The right-hand side is zero, so the solution is the zero "
                                         "vector: no relative error is estimated."};
/// {1} lg cond∞(A), to one decimal: also the digits lost.
inline constexpr Text kDigitsLost{
    "lg cond∞(A)={1}，求解时约会损失 {1} 位有效数字。",
    "log10 cond∞(A) = {1}: up to about {1} significant digits may be lost in solving."};
/// {} the decimals: the solution or x* is beyond the doubles' range.
inline constexpr Text kDecimalsNotFinite{
    "按 {} 位小数计算，解与 x* "
    "之差不是有限的数（超出了双精度数的范围），无法据此判断这个小数位数是否够用。",
    "Computed with {} decimals, the difference between the solution and x* is not a finite number "
    "(beyond the range of double precision), so it cannot tell whether this number of decimals is "
    "enough."};
/// The decimals, the largest difference from x*, half a unit of the last
/// decimal.
inline constexpr Text kDecimalsEnough{
    "按 {} 位小数计算，解与 x* 之差最大为 {}，不超过末位的半个单位 {}，"
    "这个小数位数对本方程组够用。",
    "Computed with {} decimals, the difference between the solution and x* is at most {}, which "
    "does not exceed half a unit in the last decimal place ({}), so this number of decimals is "
    "sufficient for this system."};
inline constexpr Text kDecimalsShort{
    "按 {} 位小数计算，解与 x* 之差最大为 {}，超过末位的半个单位 {}，"
    "这个小数位数对本方程组不够用，宜增加小数位数。",
    "Computed with {} decimals, the difference between the solution and x* is at most {}, which "
    "exceeds half a unit in the last decimal place ({}), so more decimals are needed."};
inline constexpr Text kErrorTitle{"解线性方程组的误差分析",
                                  "Error analysis of the solution of a linear system"};

// 收敛性分析
inline constexpr Text kConvergenceCaption{"收敛性分析", "Convergence Analysis"};
inline constexpr Text kFactorPrompt{"输入松弛因子 w：", "Enter the relaxation factor w:"};
inline constexpr Text kSettings{"迭代精度 e={}，松弛因子 w={}",
                                "Tolerance e={}, relaxation factor w={}"};
inline constexpr Text kZeroDiagonal{"系数矩阵的对角元有 0，三种迭代都无法进行。",
                                    "The coefficient matrix has a 0 on its diagonal: none of the "
                                    "three iterations can be carried out."};
inline constexpr Text kRadiusHeading{"输出迭代矩阵的谱半径",
                                     "The spectral radii of the iteration matrices"};
inline constexpr Text kJacobi{"Jacobi迭代", "Jacobi iteration"};
inline constexpr Text kGaussSeidel{"Gauss-Seidel迭代", "Gauss–Seidel iteration"};
/// {} the relaxation factor.
inline constexpr Text kSor{"SOR(w={})迭代", "SOR iteration (w={})"};
/// The method's name, then its iteration matrix's spectral radius.
inline constexpr Text kConverges{"{}矩阵的谱半径 ρ={}，ρ<1，对任何初始值都收敛",
                                 "The iteration matrix of the {} has spectral radius ρ = {}; "
                                 "ρ < 1, so the iteration converges for every initial vector"};
inline constexpr Text kDiverges{"{}矩阵的谱半径 ρ={}，ρ≥1，不是对任何初始值都收敛",
                                "The iteration matrix of the {} has spectral radius ρ = {}; ρ ≥ 1, "
                                "so the iteration does not converge for every initial vector"};
/// {} the method's name, {} its radius: below 1 by the exact test, within
/// rounding of 1.
inline constexpr Text kRadiusJustBelowOne{
    "{}矩阵的谱半径 ρ={}，比 1 小，但相差在双精度运算的舍入误差之内（由准确的特征多项式判定 ρ<1），"
    "对任何初始值都收敛，只是收敛极慢",
    "The iteration matrix of the {} has spectral radius ρ={}, below 1 by less than the rounding "
    "error of double precision (ρ<1 decided from the exact characteristic polynomial); it "
    "converges from every initial value, but extremely slowly"};
/// {} the method's name, {} its radius, computed within rounding of 1 (or
/// past it against a theorem that holds exactly).
inline constexpr Text kRadiusAtEdge{
    "{}矩阵的谱半径算得 ρ={}，与 1 之差在双精度运算的舍入误差之内，由谱半径判断不了是否收敛",
    "The iteration matrix of the {} has computed spectral radius ρ={}, which differs from 1 by "
    "less than the rounding error of double precision; the radius alone cannot decide "
    "convergence"};
/// {} the method's name: its iteration matrix overflowed (a huge w).
inline constexpr Text kRadiusNotFinite{
    "{}矩阵的谱半径算不出有限的值（计算中数值溢出），不能据此判断是否收敛",
    "The spectral radius of the iteration matrix of the {} has no finite value (the computation "
    "overflowed), so convergence cannot be judged from it"};
inline constexpr Text kConditionsHeading{"输出收敛的充分条件",
                                         "Sufficient conditions for convergence"};
/// {} kYes or kNo.
inline constexpr Text kDominant{"系数矩阵严格对角占优：{}",
                                "The coefficient matrix is strictly diagonally dominant: {}"};
inline constexpr Text kPositiveDefinite{
    "系数矩阵对称正定：{}", "The coefficient matrix is symmetric positive definite: {}"};
inline constexpr Text kDominantMeans{
    "严格对角占优，所以Jacobi迭代与Gauss-Seidel迭代都收敛，0<w≤1 时SOR迭代也收敛。",
    "Strictly diagonally dominant, so Jacobi iteration and Gauss–Seidel iteration both converge, "
    "and SOR iteration converges for 0<w≤1 too."};
inline constexpr Text kDefiniteMeans{"对称正定，所以Gauss-Seidel迭代收敛，0<w<2 时SOR迭代都收敛。",
                                     "Symmetric positive definite, so Gauss–Seidel iteration "
                                     "converges, and SOR iteration converges for every 0<w<2."};
inline constexpr Text kNeitherCondition{"两个充分条件都不满足，收敛与否要看谱半径。",
                                        "Neither sufficient condition holds; whether the "
                                        "iterations converge depends on the spectral radius."};
inline constexpr Text kSweepsHeading{"输出迭代次数（从零初始值出发）",
                                     "The number of iterations (starting from the zero vector)"};
/// A method's line: {} the prediction (one of the lines below, each opening
/// with the method's name), then the sweeps the run took.
inline constexpr Text kObserved{"{}，实际迭代 {} 次", "{}; it actually took {} iterations"};
inline constexpr Text kObservedNone{"{}，实际迭代 1000 次仍不收敛",
                                    "{}; after 1000 iterations it still had not converged"};
/// The sweeps ρ^k ≤ e predicts.
inline constexpr Text kPredicted{"{}：预计约 {} 次（按 ln e/ln ρ 估计）",
                                 "{}: about {} iterations expected (estimated by ln e/ln ρ)"};
inline constexpr Text kNotPredicted{"{}：ρ≥1，无法预计", "{}: ρ≥1, no estimate is possible"};
inline constexpr Text kNotPredictedAtEdge{
    "{}：ρ 与 1 之差在舍入误差之内，无法预计",
    "{}: ρ is within rounding error of 1, no estimate is possible"};
/// {} the method's name: ρ < 1 predicted convergence within the sweep limit
/// and the run from zero did not converge.
inline constexpr Text kRunBeliesRadius{
    "{}：ρ<1 预计的次数与实际不符。ρ "
    "只决定误差最终衰减的快慢，迭代矩阵的幂在衰减之前可能先变得很大。",
    "{}: the estimate from ρ<1 and the actual run disagree. The spectral radius governs only the "
    "eventual rate at which the error decays; the powers of the iteration matrix may grow large "
    "before they decay."};
/// The same, where e is below the rounding of the solution's components.
inline constexpr Text kRunStallsAtRounding{
    "{}：ρ<1 预计的次数与实际不符。精度 e 小于解的分量在双精度下的舍入误差，"
    "相邻两次迭代值之差停在末位的几个单位上，达不到 e。",
    "{}: the estimate from ρ<1 and the actual run disagree. The tolerance e is smaller than the "
    "rounding error of the solution's components in double precision, so the change between "
    "iterations stalls at a few units in the last place and never falls below e."};
/// {} the method's name: ρ ≥ 1, and yet the run from zero converged.
inline constexpr Text kRunConvergesFromZero{
    "{}：ρ≥1 只说明不是对任何初始值都收敛；从零初始值出发，误差没有落在模不小于 1 "
    "的特征值所对应的方向上，所以这次仍然收敛。",
    "{}: ρ≥1 means only that the iteration does not converge from every initial value; from the "
    "zero initial value the error has no component along the eigenvectors whose eigenvalues have "
    "modulus at least 1, so this run converges all the same."};
inline constexpr Text kNotPredictedNotFinite{
    "{}：谱半径算不出有限的值，无法预计",
    "{}: the spectral radius has no finite value, no estimate is possible"};
/// A nilpotent iteration matrix: its order n, then n + 1 sweeps (n to
/// reach the solution, one more to see no change).
inline constexpr Text kPredictedNilpotent{"{}：ρ=0，迭代矩阵的 {} 次幂为零矩阵，预计至多 {} 次",
                                          "{}: ρ=0, the iteration matrix raised to the power {} is "
                                          "the zero matrix; at most {} iterations expected"};
inline constexpr Text kNotPredictedPrecision{"{}：e 不是正数，无法预计",
                                             "{}: e is not positive, no estimate is possible"};
inline constexpr Text kBestHeading{"输出最佳松弛因子", "The optimal relaxation factor"};
/// The factor, the radius it gives, then how it was found (one of the
/// lines below).
inline constexpr Text kBest{"w={}，此时SOR迭代矩阵的谱半径 ρ={}{}",
                            "w={}, for which the SOR iteration matrix has spectral radius ρ={}{}"};
inline constexpr Text kBestByFormula{
    "（系数矩阵三对角，Jacobi迭代矩阵的特征值都是实数且 ρ<1，由公式 w=2/(1+√(1-ρ²)) 求得）",
    " (the coefficient matrix is tridiagonal and the eigenvalues of the Jacobi iteration matrix "
    "are all real with ρ<1; found by the formula w=2/(1+√(1-ρ²)))"};
inline constexpr Text kBestByOrderedFormula{
    "（系数矩阵相容次序，Jacobi迭代矩阵的特征值都是实数且 ρ<1，由公式 w=2/(1+√(1-ρ²)) 求得）",
    " (the coefficient matrix is consistently ordered and the eigenvalues of the Jacobi iteration "
    "matrix are all real with ρ<1; found by the formula w=2/(1+√(1-ρ²)))"};
inline constexpr Text kBestBySearch{"（在 0<w<2 中数值搜索求得）",
                                    " (found by a numerical search over 0<w<2)"};
inline constexpr Text kBestByArnoldiSearch{
    "（在 0<w<2 中数值搜索求得，各谱半径由 Arnoldi 迭代求得）",
    " (found by a numerical search over 0<w<2, each spectral radius by Arnoldi iteration)"};
/// A definite matrix whose relaxation radii are all within rounding of 1.
inline constexpr Text kBestAtEdge{
    "系数矩阵对称正定，0<w<2 时SOR迭代都收敛，但各松弛因子的谱半径与 1 "
    "之差都在双精度运算的舍入误差之内，"
    "求不出最佳松弛因子。",
    "The coefficient matrix is symmetric positive definite, so SOR iteration converges for every "
    "0<w<2; but every factor's spectral radius is within the rounding error of double precision "
    "of 1, so the optimal factor cannot be determined."};
inline constexpr Text kNoBest{"0<w<2 中没有使SOR迭代收敛的松弛因子。",
                              "No relaxation factor in 0<w<2 makes SOR iteration converge."};
inline constexpr Text kConvergenceTitle{"迭代法的收敛性分析",
                                        "Convergence analysis of iterative methods"};
inline constexpr Text kChartTitle{"误差曲线 max|x(k)-x*|", "Error curve max|x(k)-x*|"};
inline constexpr Text kChartSweeps{"迭代次数 k", "Iterations k"};
inline constexpr Text kChartError = "max|x(k)-x*|";
// The window's chart dialog.
inline constexpr Text kChartDialogCaption{"误差曲线", "Error Curve"};
inline constexpr Text kChartSave{"保存图片", "Save Image"};
inline constexpr Text kChartClose{"关闭", "Close"};
inline constexpr Text kChartSaveCaption{"保存误差曲线", "Save Error Curve"};
inline constexpr Text kChartFilter{"PNG 图片(*.png);;SVG 图片(*.svg)",
                                   "PNG image (*.png);;SVG image (*.svg)"};
inline constexpr Text kChartNotSaved{"图片没有保存下来#", "The image was not saved."};
inline constexpr Text kChartFileName{"误差曲线", "error-curve"};
inline constexpr Text kChartAxisPower = "1E{}";
inline constexpr Text kChartSameCurve{"{}与{}重合，画作虚线。",
                                      "{} and {} coincide: drawn as a dashed line."};
inline constexpr Text kChartCurveOverflows{
    "{}：第 {} 次起误差超出浮点数范围，未画出。",
    "{}: from iteration {} on, the error exceeds the floating-point range and is not drawn."};

// 主元比较
inline constexpr Text kPivotCaption{"主元比较", "Comparison of Pivoting Strategies"};
inline constexpr Text kNoPivotName{"不选主元消去法", "Gaussian elimination without pivoting"};
inline constexpr Text kColumnPivotName{"列主元消去法",
                                       "Gaussian elimination with partial pivoting"};
inline constexpr Text kFullPivotName{"全主元消去法", "Gaussian elimination with complete pivoting"};
/// {} the elimination's name.
inline constexpr Text kSolutionOf{"输出{}的解", "The solution by {}"};
inline constexpr Text kComparisonHeading{
    "输出各解与 x* 之差和增长因子",
    "The difference of each solution from x*, and the growth factors"};
/// The elimination's name, its solution's difference from x*, its growth
/// factor.
inline constexpr Text kDifference{"{}：||x-x*||∞= {}，增长因子 {}",
                                  "{}: ||x-x*||∞= {}, growth factor {}"};
/// Between the names of eliminations that came equally close.
inline constexpr Text kNameSeparator{"与", " and "};
inline constexpr Text kAllSame{
    "三种消元的解同样接近 x*：本方程组不选主元时主元也不小，选主元没有带来差别。",
    "The three eliminations come equally close to x*: without pivoting the pivots of this system "
    "are not small either, and pivoting makes no difference."};
/// Which came closest and why: the names, then the stage of the zero pivot.
inline constexpr Text kClosestZeroPivot{
    "{}的解最接近 x*：不选主元时第 {} 步的主元为 0，消元无法进行下去。",
    "The solution closest to x* comes from {}: without pivoting, the pivot of step {} is 0 and the "
    "elimination cannot go on."};
/// The names, the stage, its small pivot, the largest multiplier.
inline constexpr Text kClosestSmallPivot{
    "{}的解最接近 x*：不选主元时第 {} 步的主元只有 {}，乘数大到 {}，"
    "舍入误差随之放大，解损失了有效数字；选主元使乘数的绝对值都不超过 1。",
    "The solution closest to x* comes from {}: without pivoting, the pivot of step {} is only {} "
    "and the multipliers grow as large as {}, so rounding errors are magnified and the solution "
    "loses significant digits; pivoting keeps every multiplier at most 1 in absolute value."};
inline constexpr Text kClosestRoundingOnly{
    "{}的解最接近 x*：本方程组不选主元时主元也不小，几种解的差别只来自舍入。",
    "The solution closest to x* comes from {}: without pivoting the pivots of this system are not "
    "small either, and the solutions differ only by rounding."};
inline constexpr Text kPivotTitle{"选主元与不选主元的比较",
                                  "Elimination with and without pivoting compared"};

} // namespace quorvex::texts::analysis

// Solutions that are not numbers: named as such, never ranked.
namespace quorvex::texts::analysis {

/// The elimination's name.
inline constexpr Text kNotANumberOne{
    "{}的解不是数（NaN），无法与 x* 比较：消元中出现了没有定义的运算，例如主元为 0 时的 0/0、"
    "0 × ∞、∞ − ∞ 或 ∞/∞。",
    "The solution by {} is not a number (NaN) and cannot be compared with x*: the elimination met "
    "an undefined operation, such as 0/0 after a zero pivot, 0 × ∞, ∞ − ∞ or ∞/∞."};
/// The two eliminations' names.
inline constexpr Text kNotANumberTwo{
    "{}与{}的解都不是数（NaN），无法与 x* 比较：消元中出现了没有定义的运算，例如主元为 0 时的 "
    "0/0、0 × ∞、∞ − ∞ 或 ∞/∞。",
    "The solutions by {} and by {} are not numbers (NaN) and cannot be compared with x*: the "
    "eliminations met undefined operations, such as 0/0 after a zero pivot, 0 × ∞, ∞ − ∞ or ∞/∞."};
inline constexpr Text kNotANumberAll{
    "三种消元的解都不是数（NaN），无法与 x* 比较：消元中出现了没有定义的运算，例如主元为 0 时的 "
    "0/0、0 × ∞、∞ − ∞ 或 ∞/∞。",
    "None of the three eliminations gives a solution that is a number (NaN), so none can be "
    "compared with x*: the eliminations met undefined operations, such as 0/0 after a zero pivot, "
    "0 × ∞, ∞ − ∞ or ∞/∞."};
/// The names of the closest among the solutions that are numbers.
inline constexpr Text kClosestAmongNumbers{
    "在是数的解中，{}的解最接近 x*。",
    "Among the solutions that are numbers, the one closest to x* comes from {}."};

} // namespace quorvex::texts::analysis
