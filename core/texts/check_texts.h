#pragma once

#include "texts/fill.h"

#include "texts/text.h"
#include <initializer_list>
#include <string>

#include <string_view>

// Every text the step check shows, in one place. "{}" stands for a number
// or a text filled in by fill(), in order.
namespace quorvex::texts::check {

inline constexpr Text kCaption{"核对解题步骤", "Check My Work"};

// Report.
inline constexpr Text kStepHeading{"第 {} 步", "Step {}"};
inline constexpr Text kSolutionHeading{"第 {} 步：解", "Step {}: the solution"};
inline constexpr Text kRow{"第 {} 行", "row {}"};
inline constexpr Text kExchange{"交换第 {} 行与第 {} 行", "Exchange row {} and row {}"};
inline constexpr Text kTimes = " × ";
inline constexpr Text kPlus = " + ";
inline constexpr Text kMinus = " − ";
/// The row made, the row divided, the divisor as typed.
inline constexpr Text kDivided{"新第 {} 行 = 第 {} 行 ÷ {}", "new row {} = row {} ÷ {}"};
inline constexpr Text kCopiedFrom{"新的第 {} 行是原来的第 {} 行",
                                  "The new row {} is the former row {}"};
inline constexpr Text kZero = "0";
inline constexpr Text kNothingChanged{"各行不变。", "No row changes."};
inline constexpr Text kWrongEntry{"第{}行第{}列：写的是 {}，应为 {}。",
                                  "Row {}, column {}: you wrote {}; it should be {}."};
inline constexpr Text kRoundedMultiplier{
    "第{}行的倍数取成了 {}，应为 {}：倍数舍入得太早，这一行的数因此不准。",
    "The multiplier of row {} was taken as {}; it should be {}: the multiplier was rounded too "
    "early, so the numbers of this row are inaccurate."};
inline constexpr Text kSignSlip{"第{}行第{}列的正负号写反了。",
                                "Row {}, column {} has the wrong sign."};
inline constexpr Text kNotCarried{
    "第{}行第{}列还是原来的数，这一列没有跟着变换。",
    "Row {}, column {} still holds the old value: the operation was not applied to this column."};
inline constexpr Text kRightHandSideNotCarried{
    "第{}行的右端项还是原来的数，变换没有用到右端项。",
    "The right-hand side of row {} still holds the former number: the operation was not applied to "
    "the right-hand side."};
inline constexpr Text kBeyondRounding{"第{}行第{}列差了末位上的 {} 个单位，超出了舍入的误差。",
                                      "Row {}, column {} is off by {} units in the last decimal "
                                      "place, more than rounding can explain."};
inline constexpr Text kMiscopied{"第{}行第{}列抄错了。", "Row {}, column {} was miscopied."};
inline constexpr Text kArithmeticSlip{"第{}行第{}列算错了，这一行的其余各数都与这一变换相符。",
                                      "Row {}, column {} is miscalculated; every other number of "
                                      "this row agrees with this operation."};
inline constexpr Text kExchangeHalfDone{
    "原来的第{}行写到了第{}行，原来的第{}行却没有换到第{}行：交换只做了一半。",
    "The former row {} was written to row {}, but the former row {} was not moved to row {}: the "
    "exchange is only half done."};
inline constexpr Text kUnexplained{
    "第{}行不能由上一步的各行经初等行变换得到。",
    "Row {} cannot be obtained from the rows of the previous step by elementary row operations."};
/// The rank before and after the step; with kRankFallsAt, then the rows
/// lost, separated by kListSeparator.
inline constexpr Text kRankFalls{
    "各行的秩由 {} 降为 {}，丢失了方程组的信息。",
    "The rank drops from {} to {}: information about the system has been lost."};
inline constexpr Text kRankFallsAt{
    "各行的秩由 {} 降为 {}，丢失了方程组的信息（{}）。",
    "The rank drops from {} to {}: information about the system has been lost ({})."};
inline constexpr Text kListSeparator{"、", ", "};
inline constexpr Text kStepRight{"此步正确。", "This step is correct."};
inline constexpr Text kStepWrong{"此步有错误。", "This step contains an error."};
/// An unknown of the solution written: its number, then its value as written.
inline constexpr Text kUnknownValue = "x({})={}";
inline constexpr Text kEquationsHold{"代入原方程组，各方程都成立。",
                                     "Substituted into the original system, every equation holds."};
inline constexpr Text kEquationFails{
    "第{}个方程不成立：左边为 {}，右边为 {}。",
    "Equation {} does not hold: the left-hand side is {}, the right-hand side {}."};
inline constexpr Text kUnknownWrong{"x({})：写的是 {}，应为 {}。",
                                    "x({}): you wrote {}; it should be {}."};
inline constexpr Text kEarlyRounding{
    "第 {} 步的数只保留了 {} 位小数，舍入得太早：由这一步的矩阵已求不出所写位数上准确的解。",
    "The numbers of step {} keep only {} decimals, rounded too early: the matrix of this step no "
    "longer gives the solution accurately to the digits written."};
inline constexpr Text kAllRight{"全部步骤正确。", "Every step is correct."};
inline constexpr Text kStepWrongVerdict{"第 {} 步有误。", "Step {} is wrong."};

// Messages.
inline constexpr Text kNoSteps{
    "编辑区中只有方程组，没有要核对的步骤。请在方程组下面空一行，依次写出各步的矩阵，"
    "矩阵之间也空一行。",
    "The edit area holds only the system, with no steps to check. Below the system, leave one "
    "blank line and write the matrix of each step in turn, with a blank line between matrices."};
inline constexpr Text kSystemRows{
    "方程组应有 {} 行，编辑区的第一块有 {} 行。",
    "The system should have {} rows; the first block of the edit area has {} rows."};
inline constexpr Text kStepRows{"第 {} 步的矩阵应有 {} 行，写出的有 {} 行。",
                                "The matrix of step {} should have {} rows; {} are written."};
inline constexpr Text kStepRowNumbers{
    "第 {} 步的矩阵第 {} 行应有 {} 个数，写出的有 {} 个。",
    "Row {2} of the matrix of step {1} should have {3} numbers; {4} are written."};
inline constexpr Text kSystemNotFinite{
    "方程组第 {} 行第 {} 列的数“{}”不是有限的数。",
    "The number “{3}” in row {1}, column {2} of the system is not a finite number."};
inline constexpr Text kStepNotFinite{
    "第 {} 步的矩阵第 {} 行第 {} 列的数“{}”不是有限的数。",
    "The number “{4}” in row {2}, column {3} of the matrix of step {1} is not a finite number."};

inline constexpr Text kOrderTooLarge{
    "核对解题步骤最多核对 {} 阶的方程组，输入的阶数是 {}。",
    "Check My Work checks systems of order at most {}; the order entered is {}."};
inline constexpr Text kSystemTooLong{"方程组第 {} 行第 {} 列的数超过了 {} 位数字，不能精确核对。",
                                     "The number in row {}, column {} of the system has more than "
                                     "{} digits and cannot be checked exactly."};
inline constexpr Text kStepTooLong{
    "第 {} 步的矩阵第 {} 行第 {} 列的数超过了 {} 位数字，不能精确核对。",
    "The number in row {2}, column {3} of the matrix of step {1} has more than {4} digits and "
    "cannot be checked exactly."};

/// The template with each "{}" replaced by the next argument.
inline std::string fill(std::string_view pattern, std::initializer_list<std::string_view> args) {
    return fillText(pattern, args);
}

// Numbers neither a double nor exact arithmetic can hold (2^40000 reads as
// 0): named in a notice, and the steps that use them left unchecked rather
// than judged by a value the student never wrote.
/// {1} row, {2} column, {3} the number as typed, {4} what the decimal
/// reading made of it.
inline constexpr Text kSystemUnheld{
    "方程组第 {1} 行第 {2} 列的数“{3}”超出了双精度小数的范围，读作 "
    "{4}，也不能精确计算：用到它的步骤"
    "不予核对。",
    "The number “{3}” in row {1}, column {2} of the system cannot be held in double precision, "
    "which reads it as {4}, nor computed exactly: the steps that use it are not checked."};
/// {1} the step, {2} row, {3} column, {4} the number as typed, {5} its
/// decimal reading.
inline constexpr Text kStepUnheld{
    "第 {1} 步的矩阵第 {2} 行第 {3} 列的数“{4}”超出了双精度小数的范围，读作 {5}，也不能精确计算："
    "用到它的步骤不予核对。",
    "The number “{4}” in row {2}, column {3} of the matrix of step {1} cannot be held in double "
    "precision, which reads it as {5}, nor computed exactly: the steps that use it are not "
    "checked."};
inline constexpr Text kStepUnchecked{
    "此步用到的数超出了双精度小数的范围，未予核对。",
    "This step uses a number that double precision cannot hold; it is not checked."};
/// A step named in a list.
inline constexpr Text kStepName{"第 {} 步", "step {}"};
/// {} the steps not checked (kStepName), separated by kListSeparator.
inline constexpr Text kUncheckedVerdict{"核对过的步骤都正确；未核对：{}。",
                                        "Every step checked is correct; not checked: {}."};
inline constexpr Text kNothingChecked{"没有一步能够核对。", "No step could be checked."};

// Operation lines name the row they make, and a step may do several
// operations at once: right when its matrix is row-equivalent to the
// previous one, better split for a reader.
/// The row made (its number), then the combination of the previous block's
/// rows (kRow) that gives it.
inline constexpr Text kNewRowIs{"新第 {} 行 = {}", "new row {} = {}"};
/// A row of the new block, named in a list.
inline constexpr Text kNewRow{"新第 {} 行", "new row {}"};
/// {} the rows made by several operations (kNewRow), separated by
/// kListSeparator; the matrices compared exactly.
inline constexpr Text kSeveralOperations{
    "此步一次做了几个初等行变换（{}）：这一步的矩阵与上一步的矩阵行等价，化成的行最简形相同。"
    "分开来一次写一个变换，读者更容易核对。",
    "This step does several elementary row operations at once ({}): its matrix is row-equivalent "
    "to the matrix of the previous step, with the same reduced row echelon form. Written one "
    "operation at a time, the step would be easier for a reader to follow."};
/// The same, where the matrices hold decimals: equivalent within their
/// rounding.
inline constexpr Text kSeveralOperationsRounded{
    "此步一次做了几个初等行变换（{}）：在所写位数的舍入误差以内，这一步的矩阵与上一步的矩阵行等价，"
    "化成的行最简形相同。分开来一次写一个变换，读者更容易核对。",
    "This step does several elementary row operations at once ({}): within the rounding of the "
    "digits written, its matrix is row-equivalent to the matrix of the previous step, with the "
    "same reduced row echelon form. Written one operation at a time, the step would be easier "
    "for a reader to follow."};

} // namespace quorvex::texts::check
