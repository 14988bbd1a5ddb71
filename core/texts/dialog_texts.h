#pragma once

// What the core hands the Host to show: the menus and the commands'
// captions, the prompts with their captions and default answers, the
// questions and the message boxes. A message ending in "#" is the program's
// own way of closing a message. "{}" stands for the next value in order,
// "{1}".."{9}" for the value they name (fillText).

#include <string_view>

namespace quorvex::texts::dialog {

// The menus. A separator item carries "-" as its caption.
inline constexpr std::string_view kMethodsMenuCaption = "解线性方程组(&U)";
inline constexpr std::string_view kAnalysisMenuCaption = "分析(&A)";
inline constexpr std::string_view kSeparatorCaption = "-";
/// The disabled item that heads the applications of pivoting.
inline constexpr std::string_view kPivotApplicationsItem = "列主元消去法应用";
inline constexpr std::string_view kConvergenceSubmenu = "迭代法的收敛性";

// The method commands' captions, in menu order; the analyses and the step
// check keep theirs with their texts.
inline constexpr std::string_view kGaussCaption = "Gauss消去法";
inline constexpr std::string_view kGaussColumnPivotCaption = "Gauss列主元消去法";
inline constexpr std::string_view kGaussFullPivotCaption = "Gauss全主元消去法";
inline constexpr std::string_view kInverseCaption = "列主元求逆矩阵";
inline constexpr std::string_view kDeterminantCaption = "列主元求行列式";
inline constexpr std::string_view kFactorCaption = "矩阵的三角分解";
inline constexpr std::string_view kLuCaption = "LU分解法";
inline constexpr std::string_view kCholeskyCaption = "平方根法";
inline constexpr std::string_view kLdltCaption = "改进的平方根法";
inline constexpr std::string_view kChaseCaption = "追赶法(解三对角)";
inline constexpr std::string_view kPivotLuCaption = "列主元三角分解法";
inline constexpr std::string_view kJacobiCaption = "雅可比迭代法";
inline constexpr std::string_view kGaussSeidelCaption = "高斯-塞德尔迭代法";
inline constexpr std::string_view kSorCaption = "逐次超松驰迭代法";
inline constexpr std::string_view kPositiveDefiniteCaption = "正定矩阵判断";
inline constexpr std::string_view kVectorNormsCaption = "向量范数";
inline constexpr std::string_view kMatrixNormsCaption = "矩阵范数";
inline constexpr std::string_view kDiagonalDominanceCaption = "严格对角占优矩阵判断";

// The order prompts: most commands', the matrix commands', the commands
// that speak of an array, and 平方根法's.
inline constexpr std::string_view kOrderPrompt = "输入方程组系数矩阵的阶数 n：";
inline constexpr std::string_view kMatrixOrderPrompt = "输入矩阵的阶数 n：";
inline constexpr std::string_view kArrayOrderPrompt = "输入数组的阶数 n：";
inline constexpr std::string_view kSymmetricOrderPrompt =
    "确定方程组的系数矩阵A是对称正定的后，输入方程组系数矩阵的阶数 n：";
/// The caption several prompts carry; the others carry the program's name.
inline constexpr std::string_view kInputDataCaption = "输入数据";
/// The order Gauss消去法 and 矩阵的三角分解 offer.
inline constexpr std::string_view kSuggestedOrder = "3";
/// The order the iterations offer.
inline constexpr std::string_view kIterationOrderDefault = "0";

// The iterations' questions.
inline constexpr std::string_view kPrecisionPrompt = "输入迭代精度 e：";
inline constexpr std::string_view kPrecisionCaption = "确定迭代精度";
/// Asked, yes or no, when the precision is coarse.
inline constexpr std::string_view kPrecisionWarning =
    "精度设置不好，确实要这样设置，将会导致结果运算误差太大。";
inline constexpr std::string_view kPrecisionWarningCaption = "精度设置提示";
/// {} the unknown's number.
inline constexpr std::string_view kInitialValuePrompt = "请给出解x0({})的初始值:";
inline constexpr std::string_view kInitialValueCaption = "输入初始值";
inline constexpr std::string_view kInitialValueDefault = "0";
inline constexpr std::string_view kRelaxationPrompt = "当0<w<1 时，称为低松弛迭代法(SUR法)\r\n"
                                                      "当w>1 时，称为高松弛迭代法(SOR法)\r\n"
                                                      "当w=1 时，即为高斯—塞德耳迭代法";
inline constexpr std::string_view kRelaxationCaption = "输入松弛因子 w ,默认w=1。";
/// The relaxation factor offered, also by the convergence analysis.
inline constexpr std::string_view kRelaxationDefault = "1";

// Messages.
inline constexpr std::string_view kOutOfMemory = "内存不足，计算没有完成#";
/// {} the order whose arrays could not be had.
inline constexpr std::string_view kOrderOutOfMemory = "内存不足，不能处理 {} 阶的矩阵，请减小阶数#";
/// A decomposition that cannot go on: LU分解法's ends in a full-width "！",
/// the others' in "#".
inline constexpr std::string_view kNotSuitable = "此方法不合适！";
inline constexpr std::string_view kNotSuitableHash = "此方法不合适#";
/// An iteration meeting a zero on the diagonal.
inline constexpr std::string_view kIterationNotSuitable = "此方法不合适,请选择其他方法#";
inline constexpr std::string_view kNoConvergence =
    "本方法不适合解此线形方程组，请用其他方法再试一下#";

} // namespace quorvex::texts::dialog
