#pragma once

// What the core hands the Host to show: the menus and the commands'
// captions, the prompts with their captions and default answers, the
// questions and the message boxes. A message ending in "#" is the program's
// own way of closing a message. "{}" stands for the next value in order,
// "{1}".."{9}" for the value they name (fillText).

#include "texts/text.h"

#include <string_view>

namespace quorvex::texts::dialog {

// The menus. A separator item carries "-" as its caption.
inline constexpr Text kMethodsMenuCaption{"解线性方程组(&U)", "&Solve Linear Systems"};
inline constexpr Text kAnalysisMenuCaption{"分析(&A)", "&Analysis"};
inline constexpr Text kSeparatorCaption{"-", "-"};
/// The disabled item that heads the applications of pivoting.
inline constexpr Text kPivotApplicationsItem{"列主元消去法应用",
                                             "Applications of Partial Pivoting"};
inline constexpr Text kConvergenceSubmenu{"迭代法的收敛性", "Convergence of Iterative Methods"};

// The method commands' captions, in menu order; the analyses and the step
// check keep theirs with their texts.
inline constexpr Text kGaussCaption{"Gauss消去法", "Gaussian Elimination"};
inline constexpr Text kGaussColumnPivotCaption{"Gauss列主元消去法",
                                               "Gaussian Elimination with Partial Pivoting"};
inline constexpr Text kGaussFullPivotCaption{"Gauss全主元消去法",
                                             "Gaussian Elimination with Complete Pivoting"};
inline constexpr Text kInverseCaption{"列主元求逆矩阵", "Inverse by Gauss–Jordan Elimination"};
inline constexpr Text kDeterminantCaption{"列主元求行列式",
                                          "Determinant by Elimination with Partial Pivoting"};
inline constexpr Text kFactorCaption{"矩阵的三角分解", "LU Factorization of a Matrix"};
inline constexpr Text kLuCaption{"LU分解法", "Doolittle LU Decomposition"};
inline constexpr Text kCholeskyCaption{"平方根法", "Cholesky (Square-Root) Method"};
inline constexpr Text kLdltCaption{"改进的平方根法", "LDLᵀ Decomposition"};
inline constexpr Text kChaseCaption{"追赶法(解三对角)", "Tridiagonal (Thomas) Algorithm"};
inline constexpr Text kPivotLuCaption{"列主元三角分解法", "LU Decomposition with Partial Pivoting"};
inline constexpr Text kJacobiCaption{"雅可比迭代法", "Jacobi Iteration"};
inline constexpr Text kGaussSeidelCaption{"高斯-塞德尔迭代法", "Gauss–Seidel Iteration"};
inline constexpr Text kSorCaption{"逐次超松驰迭代法", "Successive Over-Relaxation (SOR)"};
inline constexpr Text kPositiveDefiniteCaption{"正定矩阵判断", "Test for Positive Definiteness"};
inline constexpr Text kVectorNormsCaption{"向量范数", "Vector Norms"};
inline constexpr Text kMatrixNormsCaption{"矩阵范数", "Matrix Norms"};
inline constexpr Text kDiagonalDominanceCaption{"严格对角占优矩阵判断",
                                                "Test for Strict Diagonal Dominance"};

// The order prompts: most commands', the matrix commands', the commands
// that speak of an array, and 平方根法's.
inline constexpr Text kOrderPrompt{"输入方程组系数矩阵的阶数 n：",
                                   "Enter the order n of the coefficient matrix:"};
inline constexpr Text kMatrixOrderPrompt{"输入矩阵的阶数 n：", "Enter the order n of the matrix:"};
inline constexpr Text kArrayOrderPrompt{"输入数组的阶数 n：", "Enter the order n of the matrix:"};
inline constexpr Text kSymmetricOrderPrompt{
    "确定方程组的系数矩阵A是对称正定的后，输入方程组系数矩阵的阶数 n：",
    "The coefficient matrix A must be symmetric positive definite. Enter the order n of A:"};
/// The caption several prompts carry; the others carry the program's name.
inline constexpr Text kInputDataCaption{"输入数据", "Input Data"};
/// The order Gauss消去法 and 矩阵的三角分解 offer.
inline constexpr Text kSuggestedOrder = "3";
/// The order the iterations offer.
inline constexpr Text kIterationOrderDefault = "0";

// The iterations' questions.
inline constexpr Text kPrecisionPrompt{"输入迭代精度 e：",
                                       "Enter the tolerance e of the iteration:"};
inline constexpr Text kPrecisionCaption{"确定迭代精度", "Tolerance of the Iteration"};
/// Asked, yes or no, when the precision is coarse.
inline constexpr Text kPrecisionWarning{
    "精度设置不好，确实要这样设置，将会导致结果运算误差太大。",
    "This tolerance is very coarse, so the result may be inaccurate. Use it anyway?"};
inline constexpr Text kPrecisionWarningCaption{"精度设置提示", "Tolerance Warning"};
/// {} the unknown's number.
inline constexpr Text kInitialValuePrompt{"请给出解x0({})的初始值:",
                                          "Enter the initial value x0({}):"};
inline constexpr Text kInitialValueCaption{"输入初始值", "Initial Value"};
inline constexpr Text kInitialValueDefault = "0";
inline constexpr Text kRelaxationPrompt{
    "当0<w<1 时，称为低松弛迭代法(SUR法)\r\n"
    "当w>1 时，称为高松弛迭代法(SOR法)\r\n"
    "当w=1 时，即为高斯—塞德耳迭代法",
    "0 < w < 1: under-relaxation\r\nw > 1: over-relaxation\r\nw = 1: Gauss–Seidel iteration"};
inline constexpr Text kRelaxationCaption{"输入松弛因子 w ,默认w=1。",
                                         "Relaxation Factor w (default 1)"};
/// The relaxation factor offered, also by the convergence analysis.
inline constexpr Text kRelaxationDefault = "1";

// Messages.
inline constexpr Text kOutOfMemory{"内存不足，计算没有完成#",
                                   "Not enough memory: the computation was not completed."};
/// {} the order whose arrays could not be had.
inline constexpr Text kOrderOutOfMemory{
    "内存不足，不能处理 {} 阶的矩阵，请减小阶数#",
    "Not enough memory for a matrix of order {}: please reduce the order."};
/// A decomposition that cannot go on: LU分解法's ends in a full-width "！",
/// the others' in "#".
inline constexpr Text kNotSuitable{
    "此方法不合适！",
    "This method cannot continue: a pivot is 0 and this method does not exchange rows."};
inline constexpr Text kNotSuitableHash{"此方法不合适#", "This method is not suitable."};
/// An iteration meeting a zero on the diagonal.
inline constexpr Text kIterationNotSuitable{
    "此方法不合适,请选择其他方法#",
    "A diagonal entry is 0, so this iteration cannot be used; please choose another method."};
inline constexpr Text kNoConvergence{
    "本方法不适合解此线形方程组，请用其他方法再试一下#",
    "The iteration did not converge (it diverged, or did not reach the tolerance within 1000 "
    "iterations); please try another method."};

// Notices: one sentence beside the report saying why a command stopped
// without one, or what an answer it took will do.
/// {} the order as typed.
inline constexpr Text kOrderNotANumber{"输入的阶数“{}”不是数，命令没有执行。",
                                       "The order “{}” is not a number; the command was not "
                                       "carried out."};
/// {1} the order as typed, {2} and {3} the smallest and the largest order.
inline constexpr Text kOrderOutOfRange{
    "输入的阶数“{1}”超出了 {2} 到 {3} 的范围，命令没有执行。",
    "The order “{1}” is outside the range {2} to {3}; the command was not carried out."};
/// {1} the components read, {2} the most a vector may have.
inline constexpr Text kVectorTooLong{
    "向量有 {1} 个分量，超过了 {2} 个，命令没有执行。",
    "The vector has {1} components, more than {2}; the command was not carried out."};
/// {} the precision as read.
inline constexpr Text kNegativePrecision{
    "迭代精度 e = {} 是负数：两次迭代之间的变化不可能小于它，迭代无法停止，精度应当是正数。",
    "The tolerance e = {} is negative: no change between sweeps can be smaller, so the iteration "
    "cannot stop; a tolerance must be positive."};

} // namespace quorvex::texts::dialog
