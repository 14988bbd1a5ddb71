#pragma once

// The texts of the exact-fractions mode, kept together.

#include "texts/text.h"

#include <string_view>

namespace quorvex::texts::exact {

/// The line that names the entries with no exact value: {} the entries,
/// each a kInexactEntry (its row, then its column), separated by
/// kEntrySeparator.
inline constexpr Text kInexactEntries{
    "精确分数：{}的元素没有精确值，以下按小数计算。",
    "Exact fractions: no exact value for entry or entries {}; the work below is in decimals."};
inline constexpr Text kInexactEntry{"第 {} 行第 {} 列", "({},{})"};
inline constexpr Text kEntrySeparator{"、", ", "};
/// Exact mode's form of the first line on a singular system: {} that line.
/// A whole sentence follows: after a full stop its capital is right.
inline constexpr Text kExactModeLine{"精确分数：{}", "Exact fractions. {}"};

/// The one line of the commands that cannot run exactly.
inline constexpr Text kNeedsRoots{
    "精确分数：本方法要开平方，以下按小数计算。",
    "Exact fractions: this method takes square roots; the work below is in decimals."};
inline constexpr Text kIterates{"精确分数：迭代法只求近似解，以下按小数计算。",
                                "Exact fractions: an iterative method finds only an approximate "
                                "solution; the work below is in decimals."};
/// The norms' line: only the norms that need a root are decimal.
inline constexpr Text kVectorNorms{
    "精确分数：2范数要开平方，只有2范数按小数计算。",
    "Exact fractions: the 2-norm takes a square root; only the 2-norm is computed in decimals."};
inline constexpr Text kMatrixNorms{"精确分数：2范数和F范数要开平方，只有这两个范数按小数计算。",
                                   "Exact fractions: the 2-norm and the Frobenius norm take square "
                                   "roots; only these two norms are computed in decimals."};

/// The failure messages of exact work.
inline constexpr Text kZeroPivot{"精确分数：主元为 0 ，矩阵奇异，计算停止#",
                                 "Exact fractions: a pivot is 0, so the matrix is singular and has "
                                 "no inverse; the computation stops."};
/// A method without row exchanges meeting an exact zero pivot: the stage,
/// then the pivot's row and column.
inline constexpr Text kZeroPivotNoExchange{
    "精确分数：第 {} 步的主元 a({},{}) 为 0；本方法不交换行，请改用列主元或全主元消去法#",
    "Exact fractions: the pivot a({2},{3}) of step {1} is 0; this method exchanges no rows: use "
    "partial or complete pivoting instead."};
/// The chasing method meeting an exact zero pivot u(i): i.
inline constexpr Text kChaseZeroPivot{
    "精确分数：追赶法的主元 u({}) 为 0；本方法不交换行，计算停止#",
    "Exact fractions: the pivot u({}) of the tridiagonal algorithm is 0; this method exchanges no "
    "rows, so the computation stops."};
/// A singular system with exact entries met by a pivoting elimination: the
/// ranks of A and of [A|b], then what they mean. In exact mode within
/// kExactModeLine.
inline constexpr Text kNoSolution{
    "系数矩阵奇异，A 的秩为 {}，增广矩阵 [A|b] 的秩为 {}，两者不等，方程组无解。",
    "The coefficient matrix is singular; rank A = {} but rank [A|b] = {}, so the system is "
    "inconsistent (it has no solution)."};
/// The common rank twice, then the number of unknowns.
inline constexpr Text kInfinitelyMany{
    "系数矩阵奇异，A 的秩为 {}，增广矩阵 [A|b] 的秩也是 {}，小于未知数的个数 {}，"
    "方程组有无穷多解。",
    "The coefficient matrix is singular; rank A = rank [A|b] = {2} < {3} (the number of unknowns), "
    "so the system has infinitely many solutions."};
/// The free unknowns, as in "x(2)、x(3)".
inline constexpr Text kFreeUnknowns{"自由未知数：{}", "Free unknowns: {}"};
/// The particular solution's components, as in "3, 0, 1".
inline constexpr Text kParticular{
    "特解（自由未知数都取 0）：x0 = ({})",
    "A particular solution (every free unknown taken as 0): x0 = ({})"};
/// One direction: its number, the free unknown it belongs to, its components.
inline constexpr Text kDirection{
    "基础解系的第 {} 个向量（{} 取 1，其余自由未知数取 0）：v{} = ({})",
    "Basis vector {} of the null space of A ({} = 1, the other free unknowns 0): v{} = ({})"};
/// The general solution: the sum of the directions with their parameters,
/// then the parameters.
inline constexpr Text kGeneralSolution{"通解：x = x0 + {}，其中 {} 为任意数。",
                                       "General solution: x = x0 + {}, for arbitrary {}."};
/// A free unknown, by its number.
inline constexpr Text kFreeUnknown = "x({})";
/// One term of the general solution and its parameter: the direction's number.
inline constexpr Text kTerm = "t{} × v{}";
inline constexpr Text kParameter = "t{}";
inline constexpr Text kTermSeparator = " + ";
inline constexpr Text kListSeparator{"、", ", "};
inline constexpr Text kComponentSeparator = ", ";
inline constexpr Text kTooLong{
    "精确分数：分数的位数超过 10000 位，计算停止#",
    "Exact fractions: a fraction has more than 10000 digits; the computation stops."};

} // namespace quorvex::texts::exact
