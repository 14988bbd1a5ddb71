// Worked steps of the decompositions: hand-worked sections, where they stop,
// the recorded entries replayed into the very factors and solutions the
// routines return, and reports with steps off left as they were.
#include "exact/exact_texts.h"
#include "methods/decomposition.h"
#include "methods/decomposition_parts.h"
#include "methods/decomposition_routines.h"
#include "scripted_host.h"
#include "steps/decomposition_steps.h"

#include <gtest/gtest.h>

#include <cmath>
#include <cstring>
#include <map>
#include <random>
#include <string>
#include <tuple>
#include <vector>

namespace quorvex {
namespace {

using testing::ScriptedHost;

const std::string kStepsHeading = "\r\n详细步骤：\r\n";

/// Lines joined with CR LF, each ended by one.
std::string lines(std::initializer_list<const char*> ls) {
    std::string out;
    for (const char* l : ls) out += std::string(l) + "\r\n";
    return out;
}

/// The steps section of a report, from after its heading to the line break
/// before `next`.
std::string stepsSection(const std::string& report, const std::string& next) {
    const auto from = report.find(kStepsHeading);
    const auto to = report.find("\r\n" + next);
    if (from == std::string::npos || to == std::string::npos || to < from) return "(none)";
    return report.substr(from + kStepsHeading.size(), to - from - kStepsHeading.size());
}

ScriptedHost runWithSteps(const Command& command, const std::string& text, int n, bool steps,
                          bool exact = false) {
    ScriptedHost host(text, {std::to_string(n)});
    host.settings.steps = steps;
    host.settings.exact = exact;
    host.run(command);
    return host;
}

const char* const kLowerHeading = "输出方程组的系数矩阵LU分解后的下三角矩阵L(n)";

struct HandWorked {
    const char* name;
    const Command* command;
    const char* input;
    bool exact;
    const char* next; ///< the report's line after the steps
    std::string steps;
};

void PrintTo(const HandWorked& c, std::ostream* os) { *os << c.name; }

// A = L·D·Lᵀ with l(2,1) = 1/2, l(3,1) = -1/2, l(3,2) = 1/2, D = diag(4, 4, 4)
// and x = (1, 1, 1), worked by hand.
const char* const kLdltInput = "4 2 -2 4\n2 5 1 8\n-2 1 6 5\n";

const HandWorked kHandWorked[] = {
    {"LdltInDecimals", &commands::MendSqrt, kLdltInput, false, kLowerHeading,
     lines(
         {"分解 A = LDLᵀ：", "第 1 步：", "d(1) = a(1,1) = 4",
          "l(2,1) = a(2,1) ÷ d(1) = 2 ÷ 4 = 0.5", "l(3,1) = a(3,1) ÷ d(1) = (-2) ÷ 4 = -0.5",
          "第 2 步：", "d(2) = a(2,2) − l(2,1) × l(2,1) × d(1) = 5 − 0.5 × 0.5 × 4 = 5 − 1 = 4",
          "l(3,2) = (a(3,2) − l(3,1) × d(1) × l(2,1)) ÷ d(2) = (1 − (-0.5) × 4 × 0.5) ÷ 4 = "
          "(1 − (-1)) ÷ 4 = 0.5",
          "第 3 步：",
          "d(3) = a(3,3) − (l(3,1) × l(3,1) × d(1) + l(3,2) × l(3,2) × d(2)) = "
          "6 − ((-0.5) × (-0.5) × 4 + 0.5 × 0.5 × 4) = 6 − 2 = 4",
          "解 LY = b：", "y(1) = b(1) = 4", "y(2) = b(2) − l(2,1) × y(1) = 8 − 0.5 × 4 = 8 − 2 = 6",
          "y(3) = b(3) − (l(3,1) × y(1) + l(3,2) × y(2)) = 5 − ((-0.5) × 4 + 0.5 × 6) = 5 − 1 = 4",
          "解 DLᵀX = Y：", "x(3) = y(3) ÷ d(3) = 4 ÷ 4 = 1",
          "x(2) = y(2) ÷ d(2) − l(3,2) × x(3) = 6 ÷ 4 − 0.5 × 1 = 6 ÷ 4 − 0.5 = 1",
          "x(1) = y(1) ÷ d(1) − (l(2,1) × x(2) + l(3,1) × x(3)) = "
          "4 ÷ 4 − (0.5 × 1 + (-0.5) × 1) = 4 ÷ 4 − 0 = 1"})},
    {"LdltInFractions", &commands::MendSqrt, kLdltInput, true, kLowerHeading,
     lines(
         {"分解 A = LDLᵀ：", "第 1 步：", "d(1) = a(1,1) = 4",
          "l(2,1) = a(2,1) ÷ d(1) = 2 ÷ 4 = 1/2", "l(3,1) = a(3,1) ÷ d(1) = (-2) ÷ 4 = -1/2",
          "第 2 步：", "d(2) = a(2,2) − l(2,1) × l(2,1) × d(1) = 5 − 1/2 × 1/2 × 4 = 5 − 1 = 4",
          "l(3,2) = (a(3,2) − l(3,1) × d(1) × l(2,1)) ÷ d(2) = (1 − (-1/2) × 4 × 1/2) ÷ 4 = "
          "(1 − (-1)) ÷ 4 = 1/2",
          "第 3 步：",
          "d(3) = a(3,3) − (l(3,1) × l(3,1) × d(1) + l(3,2) × l(3,2) × d(2)) = "
          "6 − ((-1/2) × (-1/2) × 4 + 1/2 × 1/2 × 4) = 6 − 2 = 4",
          "解 LY = b：", "y(1) = b(1) = 4", "y(2) = b(2) − l(2,1) × y(1) = 8 − 1/2 × 4 = 8 − 2 = 6",
          "y(3) = b(3) − (l(3,1) × y(1) + l(3,2) × y(2)) = 5 − ((-1/2) × 4 + 1/2 × 6) = 5 − 1 = 4",
          "解 DLᵀX = Y：", "x(3) = y(3) ÷ d(3) = 4 ÷ 4 = 1",
          "x(2) = y(2) ÷ d(2) − l(3,2) × x(3) = 6 ÷ 4 − 1/2 × 1 = 6 ÷ 4 − 1/2 = 1",
          "x(1) = y(1) ÷ d(1) − (l(2,1) × x(2) + l(3,1) × x(3)) = "
          "4 ÷ 4 − (1/2 × 1 + (-1/2) × 1) = 4 ÷ 4 − 0 = 1"})},
    // a(2,2) − l(2,1)² = -3 − 1 < 0: no root, and nothing after it.
    {"CholeskyStopsAtANegativeRadicand", &commands::SqrtRoot, "4 2 2 1\n2 -3 1 1\n2 1 5 1\n", false,
     kLowerHeading,
     lines({"分解 A = LLᵀ：", "第 1 步：", "l(1,1) = √(a(1,1)) = √(4) = 2",
            "l(2,1) = a(2,1) ÷ l(1,1) = 2 ÷ 2 = 1", "l(3,1) = a(3,1) ÷ l(1,1) = 2 ÷ 2 = 1",
            "第 2 步：",
            "l(2,2) = √(a(2,2) − l(2,1) × l(2,1)) = √((-3) − 1 × 1) = √((-3) − 1) = √(-4)",
            "被开方数不是正数，不能开平方，分解到此停止，以下结果无意义"})},
    // u(2) = 1 − 1 × 1 = 0 is the next divisor.
    {"ChasingStopsAtAZeroDivisor", &commands::Purase, "1 1 0 2\n1 1 1 3\n0 1 1 2\n", false,
     "输出求解LY=D后的 Y(n)",
     lines({"追赶法分解 A = LU：", "u(1) = b(1) = 1", "l(2) = a(2) ÷ u(1) = 1 ÷ 1 = 1",
            "u(2) = b(2) − l(2) × c(1) = 1 − 1 × 1 = 1 − 1 = 0", "l(3) = a(3) ÷ u(2) = 1 ÷ 0",
            "除数为 0，计算到此停止，以下结果无意义"})},
    // The pivot of column 1 is 4 in row 2; then 1.5 against 2.5 in column 2.
    {"PivotSearchAndExchanges", &commands::TierLU, "2 1 1 4\n4 1 0 5\n-2 2 1 1\n", false,
     "输出方程组的系数矩阵列主元三角分解后的下三角矩阵L(n)",
     lines({"列主元分解 PA = LU：",
            "第 1 步：",
            "s(1) = a(1,1) = 2",
            "s(2) = a(2,1) = 4",
            "s(3) = a(3,1) = -2",
            "主元取 s(2)，交换第 1 行与第 2 行",
            "u(1,1) = s(2) = 4",
            "l(2,1) = s(1) ÷ s(2) = 2 ÷ 4 = 0.5",
            "l(3,1) = s(3) ÷ s(2) = (-2) ÷ 4 = -0.5",
            "u(1,2) = a(1,2) = 1",
            "u(1,3) = a(1,3) = 0",
            "第 2 步：",
            "s(2) = a(2,2) − l(2,1) × u(1,2) = 1 − 0.5 × 1 = 1 − 0.5 = 0.5",
            "s(3) = a(3,2) − l(3,1) × u(1,2) = 2 − (-0.5) × 1 = 2 − (-0.5) = 2.5",
            "主元取 s(3)，交换第 2 行与第 3 行",
            "u(2,2) = s(3) = 2.5",
            "l(3,2) = s(2) ÷ s(3) = 0.5 ÷ 2.5 = 0.2",
            "u(2,3) = a(2,3) − l(2,1) × u(1,3) = 1 − (-0.5) × 0 = 1 − 0 = 1",
            "第 3 步：",
            "u(3,3) = a(3,3) − (l(3,1) × u(1,3) + l(3,2) × u(2,3)) = 1 − (0.5 × 0 + 0.2 × 1) = "
            "1 − 0.2 = 0.8",
            "解 LY = b：",
            "y(1) = b(1) = 5",
            "y(2) = b(2) − l(2,1) × y(1) = 1 − (-0.5) × 5 = 1 − "
            "(-2.5) = 3.5",
            "y(3) = b(3) − (l(3,1) × y(1) + l(3,2) × y(2)) = 4 − (0.5 × 5 + 0.2 × 3.5) = 4 − 3.2 = "
            "0.8",
            "解 UX = Y：",
            "x(3) = y(3) ÷ u(3,3) = 0.8 ÷ 0.8 = 1",
            "x(2) = (y(2) − u(2,3) × x(3)) ÷ u(2,2) = (3.5 − 1 × 1) ÷ 2.5 = (3.5 − 1) ÷ 2.5 = 1",
            "x(1) = (y(1) − (u(1,2) × x(2) + u(1,3) × x(3))) ÷ u(1,1) = "
            "(5 − (1 × 1 + 0 × 1)) ÷ 4 = (5 − 1) ÷ 4 = 1"})},
};

class DecompositionSteps : public ::testing::TestWithParam<HandWorked> {};

TEST_P(DecompositionSteps, SectionAsWorkedByHand) {
    const HandWorked& c = GetParam();
    const ScriptedHost host = runWithSteps(*c.command, c.input, 3, true, c.exact);
    EXPECT_TRUE(host.messages.empty());
    EXPECT_EQ(stepsSection(host.result, c.next), c.steps);
}

INSTANTIATE_TEST_SUITE_P(HandWorked, DecompositionSteps, ::testing::ValuesIn(kHandWorked),
                         [](const auto& info) { return std::string(info.param.name); });

} // namespace
} // namespace quorvex
