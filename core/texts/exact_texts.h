#pragma once

// The texts of the exact-fractions mode, kept together.

#include <string_view>

namespace quorvex::texts::exact {

/// The line that names the entries with no exact value: {} the entries,
/// each a kInexactEntry (its row, then its column), separated by
/// kEntrySeparator.
inline constexpr std::string_view kInexactEntries =
    "精确分数：{}的元素没有精确值，以下按小数计算。";
inline constexpr std::string_view kInexactEntry = "第 {} 行第 {} 列";
inline constexpr std::string_view kEntrySeparator = "、";
/// Exact mode's form of the first line on a singular system: {} that line.
inline constexpr std::string_view kExactModeLine = "精确分数：{}";

/// The one line of the commands that cannot run exactly.
inline constexpr std::string_view kNeedsRoots = "精确分数：本方法要开平方，以下按小数计算。";
inline constexpr std::string_view kIterates = "精确分数：迭代法只求近似解，以下按小数计算。";
/// The norms' line: only the norms that need a root are decimal.
inline constexpr std::string_view kVectorNorms = "精确分数：2范数要开平方，只有2范数按小数计算。";
inline constexpr std::string_view kMatrixNorms =
    "精确分数：2范数和F范数要开平方，只有这两个范数按小数计算。";

/// The failure messages of exact work.
inline constexpr std::string_view kZeroPivot = "精确分数：主元为 0 ，矩阵奇异，计算停止#";
/// A method without row exchanges meeting an exact zero pivot: the stage,
/// then the pivot's row and column.
inline constexpr std::string_view kZeroPivotNoExchange =
    "精确分数：第 {} 步的主元 a({},{}) 为 0；本方法不交换行，请改用列主元或全主元消去法#";
/// The chasing method meeting an exact zero pivot u(i): i.
inline constexpr std::string_view kChaseZeroPivot =
    "精确分数：追赶法的主元 u({}) 为 0；本方法不交换行，计算停止#";
/// A singular system with exact entries met by a pivoting elimination: the
/// ranks of A and of [A|b], then what they mean. In exact mode within
/// kExactModeLine.
inline constexpr std::string_view kNoSolution =
    "系数矩阵奇异，A 的秩为 {}，增广矩阵 [A|b] 的秩为 {}，两者不等，方程组无解。";
/// The common rank twice, then the number of unknowns.
inline constexpr std::string_view kInfinitelyMany =
    "系数矩阵奇异，A 的秩为 {}，增广矩阵 [A|b] 的秩也是 {}，小于未知数的个数 {}，"
    "方程组有无穷多解。";
/// The free unknowns, as in "x(2)、x(3)".
inline constexpr std::string_view kFreeUnknowns = "自由未知数：{}";
/// The particular solution's components, as in "3, 0, 1".
inline constexpr std::string_view kParticular = "特解（自由未知数都取 0）：x0 = ({})";
/// One direction: its number, the free unknown it belongs to, its components.
inline constexpr std::string_view kDirection =
    "基础解系的第 {} 个向量（{} 取 1，其余自由未知数取 0）：v{} = ({})";
/// The general solution: the sum of the directions with their parameters,
/// then the parameters.
inline constexpr std::string_view kGeneralSolution = "通解：x = x0 + {}，其中 {} 为任意数。";
/// A free unknown, by its number.
inline constexpr std::string_view kFreeUnknown = "x({})";
/// One term of the general solution and its parameter: the direction's number.
inline constexpr std::string_view kTerm = "t{} × v{}";
inline constexpr std::string_view kParameter = "t{}";
inline constexpr std::string_view kTermSeparator = " + ";
inline constexpr std::string_view kListSeparator = "、";
inline constexpr std::string_view kComponentSeparator = ", ";
inline constexpr std::string_view kTooLong = "精确分数：分数的位数超过 10000 位，计算停止#";

} // namespace quorvex::texts::exact
