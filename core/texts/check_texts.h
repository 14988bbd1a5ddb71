#pragma once

#include "texts/fill.h"

#include <initializer_list>
#include <string>
#include <string_view>

// Every text the step check shows, in one place. "{}" stands for a number
// or a text filled in by fill(), in order.
namespace quorvex::texts::check {

inline constexpr std::string_view kCaption = "核对解题步骤";

// Report.
inline constexpr std::string_view kStepHeading = "第 {} 步";
inline constexpr std::string_view kSolutionHeading = "第 {} 步：解";
inline constexpr std::string_view kRow = "第{}行";
inline constexpr std::string_view kExchange = "交换第{}行与第{}行";
inline constexpr std::string_view kTimes = " × ";
inline constexpr std::string_view kPlus = " + ";
inline constexpr std::string_view kMinus = " − ";
inline constexpr std::string_view kIs = " = ";
inline constexpr std::string_view kDivided = "第{}行 ÷ {}";
inline constexpr std::string_view kCopiedFrom = "新的第{}行是原来的第{}行";
inline constexpr std::string_view kZero = "0";
inline constexpr std::string_view kNothingChanged = "各行不变。";
inline constexpr std::string_view kWrongEntry = "第{}行第{}列：写的是 {}，应为 {}。";
inline constexpr std::string_view kRoundedMultiplier =
    "第{}行的倍数取成了 {}，应为 {}：倍数舍入得太早，这一行的数因此不准。";
inline constexpr std::string_view kSignSlip = "第{}行第{}列的正负号写反了。";
inline constexpr std::string_view kNotCarried = "第{}行第{}列还是原来的数，这一列没有跟着变换。";
inline constexpr std::string_view kRightHandSideNotCarried =
    "第{}行的右端项还是原来的数，变换没有用到右端项。";
inline constexpr std::string_view kBeyondRounding =
    "第{}行第{}列差了末位上的 {} 个单位，超出了舍入的误差。";
inline constexpr std::string_view kMiscopied = "第{}行第{}列抄错了。";
inline constexpr std::string_view kArithmeticSlip =
    "第{}行第{}列算错了，这一行的其余各数都与这一变换相符。";
inline constexpr std::string_view kExchangeHalfDone =
    "原来的第{}行写到了第{}行，原来的第{}行却没有换到第{}行：交换只做了一半。";
inline constexpr std::string_view kUnexplained = "第{}行不能由上一步的各行经初等行变换得到。";
/// The rank before and after the step; with kRankFallsAt, then the rows
/// lost, separated by kListSeparator.
inline constexpr std::string_view kRankFalls = "各行的秩由 {} 降为 {}，丢失了方程组的信息。";
inline constexpr std::string_view kRankFallsAt =
    "各行的秩由 {} 降为 {}，丢失了方程组的信息（{}）。";
inline constexpr std::string_view kListSeparator = "、";
inline constexpr std::string_view kStepRight = "此步正确。";
inline constexpr std::string_view kStepWrong = "此步有错误。";
/// An unknown of the solution written: its number, then its value as written.
inline constexpr std::string_view kUnknownValue = "x({})={}";
inline constexpr std::string_view kEquationsHold = "代入原方程组，各方程都成立。";
inline constexpr std::string_view kEquationFails = "第{}个方程不成立：左边为 {}，右边为 {}。";
inline constexpr std::string_view kUnknownWrong = "x({})：写的是 {}，应为 {}。";
inline constexpr std::string_view kEarlyRounding =
    "第 {} 步的数只保留了 {} 位小数，舍入得太早：由这一步的矩阵已求不出所写位数上准确的解。";
inline constexpr std::string_view kAllRight = "全部步骤正确。";
inline constexpr std::string_view kStepWrongVerdict = "第 {} 步有误。";

// Messages.
inline constexpr std::string_view kNoSteps =
    "编辑区中只有方程组，没有要核对的步骤。请在方程组下面空一行，依次写出各步的矩阵，"
    "矩阵之间也空一行。";
inline constexpr std::string_view kSystemRows = "方程组应有 {} 行，编辑区的第一块有 {} 行。";
inline constexpr std::string_view kStepRows = "第 {} 步的矩阵应有 {} 行，写出的有 {} 行。";
inline constexpr std::string_view kStepRowNumbers =
    "第 {} 步的矩阵第 {} 行应有 {} 个数，写出的有 {} 个。";
inline constexpr std::string_view kSystemNotFinite = "方程组第 {} 行第 {} 列的数“{}”不是有限的数。";
inline constexpr std::string_view kStepNotFinite =
    "第 {} 步的矩阵第 {} 行第 {} 列的数“{}”不是有限的数。";

inline constexpr std::string_view kOrderTooLarge =
    "核对解题步骤最多核对 {} 阶的方程组，输入的阶数是 {}。";
inline constexpr std::string_view kSystemTooLong =
    "方程组第 {} 行第 {} 列的数超过了 {} 位数字，不能精确核对。";
inline constexpr std::string_view kStepTooLong =
    "第 {} 步的矩阵第 {} 行第 {} 列的数超过了 {} 位数字，不能精确核对。";

/// The template with each "{}" replaced by the next argument.
inline std::string fill(std::string_view pattern, std::initializer_list<std::string_view> args) {
    return fillText(pattern, args);
}

} // namespace quorvex::texts::check
