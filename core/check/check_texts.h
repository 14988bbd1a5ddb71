#pragma once

#include <initializer_list>
#include <string>
#include <string_view>

// Every text the step check shows, in one place. "{}" stands for a number
// or a text filled in by fill(), in order.
namespace quorvex::check::texts {

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
inline constexpr std::string_view kZero = "0";
inline constexpr std::string_view kNothingChanged = "各行不变。";
inline constexpr std::string_view kWrongEntry = "第{}行第{}列：写的是 {}，应为 {}。";
inline constexpr std::string_view kUnexplained = "第{}行不能由上一步的各行经初等行变换得到。";
inline constexpr std::string_view kRankFalls = "各行的秩由 {} 降为 {}，丢失了方程组的信息";
inline constexpr std::string_view kRankFallsAt = "（{}）";
inline constexpr std::string_view kListSeparator = "、";
inline constexpr std::string_view kFullStop = "。";
inline constexpr std::string_view kStepRight = "此步正确。";
inline constexpr std::string_view kStepWrong = "此步有错误。";
inline constexpr std::string_view kEquationsHold = "代入原方程组，各方程都成立。";
inline constexpr std::string_view kEquationFails = "第{}个方程不成立：左边为 {}，右边为 {}。";
inline constexpr std::string_view kUnknownWrong = "x({})：写的是 {}，应为 {}。";
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

/// The template with each "{}" replaced by the next argument.
inline std::string fill(std::string_view pattern, std::initializer_list<std::string_view> args) {
    std::string out;
    auto next = args.begin();
    for (std::size_t i = 0; i < pattern.size(); ++i) {
        if (pattern.compare(i, 2, "{}") == 0 && next != args.end()) {
            out += *next++;
            ++i;
        } else {
            out += pattern[i];
        }
    }
    return out;
}

} // namespace quorvex::check::texts
