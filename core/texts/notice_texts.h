#pragma once

// The notices beside a report that shows Infinity or NaN: one sentence that
// names what the method met to make them, the first thing that went wrong.
// The report itself is never changed for them.

#include "texts/text.h"

namespace quorvex::texts::notice {

/// An entry read as ±Infinity: its row and column, then how it is read.
inline constexpr Text kEntryBeyondRange{
    "第 {} 行第 {} 列的元素超出了双精度数所能表示的范围，读作 {}，报告中的 Infinity 或 NaN "
    "由此而来。",
    "The entry in row {}, column {} lies beyond the range of double-precision numbers and is read "
    "as {}: this is where the Infinity or NaN in the report comes from."};
/// An entry read as NaN: its row and column.
inline constexpr Text kEntryUndefined{
    "第 {} 行第 {} 列的元素没有确定的值（如 0/0），读作 NaN，报告中的 Infinity 或 NaN 由此而来。",
    "The entry in row {}, column {} has no defined value (as 0/0 has none) and is read as NaN: "
    "this is where the Infinity or NaN in the report comes from."};
/// The same for a vector's element: its number, then how it is read.
inline constexpr Text kElementBeyondRange{
    "向量的第 {} 个元素超出了双精度数所能表示的范围，读作 {}，报告中的 Infinity 或 NaN 由此而来。",
    "Component {} of the vector lies beyond the range of double-precision numbers and is read as "
    "{}: this is where the Infinity or NaN in the report comes from."};
inline constexpr Text kElementUndefined{
    "向量的第 {} 个元素没有确定的值（如 0/0），读作 NaN，报告中的 Infinity 或 NaN 由此而来。",
    "Component {} of the vector has no defined value (as 0/0 has none) and is read as NaN: this "
    "is where the Infinity or NaN in the report comes from."};

/// A value of the computation past the largest double.
inline constexpr Text kOverflow{
    "计算中有数值超出了双精度数所能表示的范围（约 1.8E+308），成为 Infinity，报告中的 Infinity "
    "或 NaN 由此而来。",
    "A value in the computation exceeded the largest double-precision number (about 1.8E+308) "
    "and became Infinity: this is where the Infinity or NaN in the report comes from."};

/// Elimination without row exchanges meeting a pivot of 0: the step.
inline constexpr Text kZeroPivotNoExchange{
    "第 {1} 步的主元 a({1},{1}) 为 0，本方法不交换行，以后各步都要除以这个 0，报告中的 Infinity "
    "或 NaN 由此而来；列主元或全主元消去法可以避免。",
    "At step {1} the pivot a({1},{1}) is 0, and elimination without pivoting exchanges no rows, "
    "so the later steps divide by this 0: this is where the Infinity or NaN in the report comes "
    "from (partial or complete pivoting avoids it)."};
/// The Thomas algorithm meeting a pivot u(i) of 0: i.
inline constexpr Text kChaseZeroPivot{
    "追赶法的主元 u({1}) 为 0，本方法不交换行，除以这个 0 的各步使报告中出现 Infinity 或 NaN。",
    "The pivot u({1}) of the Thomas algorithm is 0, and the algorithm exchanges no rows, so the "
    "steps that divide by it give the Infinity or NaN in the report."};

/// A pivoting elimination whose candidates at a step are all 0: the step,
/// and (where the matrix is not singular itself) the decimals each step
/// keeps. Whether the matrix itself is singular decides the sentence.
inline constexpr Text kSingular{
    "第 {} 步可选作主元的元素全为 0，矩阵奇异，以后除以这个 0 的各步使报告中出现 Infinity 或 NaN。",
    "At step {} every entry that could serve as the pivot is 0, so the matrix is singular, and "
    "the steps that divide by this 0 give the Infinity or NaN in the report."};
inline constexpr Text kSingularByRounding{
    "第 {} 步可选作主元的元素全为 0：矩阵本身并不奇异，是计算中的舍入（各元素读作双精度数，每步"
    "保留 {} 位小数）使它们成为 0 的，以后除以这个 0 的各步使报告中出现 Infinity 或 "
    "NaN；设定更多的小数位数也许可以避免。",
    "At step {} every entry that could serve as the pivot is 0, although the matrix itself is "
    "not singular: the rounding in the computation (each entry read as a double, {} decimals kept "
    "at each step) made them 0, and the steps that divide by this 0 give the Infinity or NaN in "
    "the report (more decimals may avoid it)."};
inline constexpr Text kSingularOrNearly{
    "第 {} 步可选作主元的元素全为 0：矩阵奇异，或十分接近奇异而在每步保留 {} "
    "位小数的舍入下成为奇异，以后除以这个 0 的各步使报告中出现 Infinity 或 NaN。",
    "At step {} every entry that could serve as the pivot is 0: the matrix is singular, or so "
    "nearly singular that rounding to the {} decimals kept at each step makes it so, and the "
    "steps that divide by this 0 give the Infinity or NaN in the report."};

/// An elimination of a singular matrix that found no pivot of 0: rounding
/// left a small number in its place, and the solution divides by it. The
/// system has infinitely many solutions, or none.
inline constexpr Text kSingularSolutionOneOfMany{
    "系数矩阵奇异（按精确分数计算，其行列式为 0），消元中本应为 0 的主元因舍入而成为很小的数，"
    "报告中的解是除以它得到的：方程组有无穷多解，这只是舍入给出的一个，不是唯一解。",
    "The coefficient matrix is singular (in exact fractions its determinant is 0): rounding left "
    "a small number where the elimination should have met a pivot of 0, and the solution shown "
    "comes from dividing by it. The system has infinitely many solutions; this is merely one "
    "that the rounding happened to give, not a unique solution."};
inline constexpr Text kSingularSolutionOfNone{
    "系数矩阵奇异（按精确分数计算，其行列式为 0），消元中本应为 0 的主元因舍入而成为很小的数，"
    "报告中的解是除以它得到的：方程组无解，报告中的解没有意义。",
    "The coefficient matrix is singular (in exact fractions its determinant is 0): rounding left "
    "a small number where the elimination should have met a pivot of 0, and the solution shown "
    "comes from dividing by it. The system has no solution; the one shown means nothing."};

/// The square-root method meeting a number under the root that is not
/// positive: the step, whose l(j,j) is left 0. Whether the matrix itself is
/// positive definite decides the sentence.
inline constexpr Text kNotPositiveDefinite{
    "第 {1} 步求 l({1},{1}) 时被开方数不是正数，系数矩阵不是正定矩阵；l({1},{1}) 记为 "
    "0，以后除以它的各步使报告中出现 Infinity 或 NaN。",
    "At step {1} the number under the square root for l({1},{1}) is not positive, so the "
    "coefficient matrix is not positive definite; l({1},{1}) is left as 0, and the steps that "
    "divide by it give the Infinity or NaN in the report."};
inline constexpr Text kPositiveDefiniteByRounding{
    "第 {1} 步求 l({1},{1}) 时被开方数算得不是正数：按精确分数计算系数矩阵是正定矩阵，只是计算中"
    "的舍入误差超过了被开方数本身；l({1},{1}) 记为 0，以后除以它的各步使报告中出现 Infinity 或 "
    "NaN。",
    "At step {1} the number under the square root for l({1},{1}) comes out as not positive, "
    "although with exact fractions the coefficient matrix is positive definite: the rounding in "
    "the computation outweighs that number; l({1},{1}) is left as 0, and the steps that divide "
    "by it give the Infinity or NaN in the report."};
inline constexpr Text kNotPositiveDefiniteOrNearly{
    "第 {1} 步求 l({1},{1}) 时被开方数不是正数：系数矩阵不是正定矩阵，或十分接近非正定而舍入误差"
    "使被开方数不大于 0；l({1},{1}) 记为 0，以后除以它的各步使报告中出现 Infinity 或 NaN。",
    "At step {1} the number under the square root for l({1},{1}) is not positive: the "
    "coefficient matrix is not positive definite, or so nearly so that rounding made that number "
    "not positive; l({1},{1}) is left as 0, and the steps that divide by it give the Infinity or "
    "NaN in the report."};

} // namespace quorvex::texts::notice
