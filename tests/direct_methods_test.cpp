#include "methods/decomposition.h"
#include "methods/elimination.h"
#include "methods/tests_and_norms.h"
#include "scripted_host.h"

#include <gtest/gtest.h>

namespace quorvex {
namespace {

using testing::ScriptedHost;

struct OrderPrompt {
    const char* name;
    CommandHandler run;
    const char* prompt;
    const char* caption;
    const char* defaultAnswer;
    bool emptiesBeforeAsking;
};

constexpr const char* kSystemOrder = "输入方程组系数矩阵的阶数 n：";
constexpr const char* kMatrixOrder = "输入矩阵的阶数 n：";
constexpr const char* kArrayOrder = "输入数组的阶数 n：";

const OrderPrompt kOrderPrompts[] = {
    {"Gauss_1", &Gauss_1_Click, kMatrixOrder, "输入数据", "3", false},
    {"GaussTier", &GaussTier_Click, kSystemOrder, "Quorvex", "", true},
    {"GaussFull", &GaussFull_Click, kSystemOrder, "Quorvex", "", false},
    {"A_matrix", &A_matrix_Click, kMatrixOrder, "Quorvex", "", false},
    {"A_range", &A_range_Click, kMatrixOrder, "Quorvex", "", false},
    {"MatrixBreak", &MatrixBreak_Click, kMatrixOrder, "输入数据", "3", true},
    {"LU_break", &LU_break_Click, kSystemOrder, "Quorvex", "", true},
    {"SqrtRoot", &SqrtRoot_Click,
     "确定方程组的系数矩阵A是对称正定的后，输入方程组系数矩阵的阶数 n：", "Quorvex", "", true},
    {"MendSqrt", &MendSqrt_Click, kArrayOrder, "Quorvex", "", false},
    {"Purase", &Purase_Click, kArrayOrder, "Quorvex", "", false},
    {"TierLU", &TierLU_Click, kSystemOrder, "Quorvex", "", false},
    {"CMatrixJudge", &CMatrixJudge_Click, kMatrixOrder, "Quorvex", "", false},
    {"StrictMatrixJudge", &StrictMatrixJudge_Click, kMatrixOrder, "Quorvex", "", false},
    {"MatrixModel", &MatrixModel_Click, kArrayOrder, "输入数据", "", false},
};

void PrintTo(const OrderPrompt& c, std::ostream* os) { *os << c.name; }

class EveryOrderCommand : public ::testing::TestWithParam<OrderPrompt> {};

TEST_P(EveryOrderCommand, PromptCaptionDefaultAndWhenTheResultAreaIsEmptied) {
    const OrderPrompt& d = GetParam();
    for (const char* answer : {"", "   ", "0", "abc"}) {
        ScriptedHost host("2 1 3\n1 3 5", {answer});
        host.result = "previous";
        EXPECT_EQ(d.run(host), Outcome::Stopped) << answer;
        ASSERT_EQ(host.dialogs.size(), 1u);
        EXPECT_EQ(host.dialogs[0].text, d.prompt);
        EXPECT_EQ(host.dialogs[0].caption, d.caption);
        EXPECT_EQ(host.dialogs[0].defaultAnswer, d.defaultAnswer);
        EXPECT_EQ(host.result, d.emptiesBeforeAsking ? "" : "previous") << answer;
    }
}

TEST_P(EveryOrderCommand, NonsenseInputEndsInAReportOrOneMessage) {
    const OrderPrompt& d = GetParam();
    for (const char* text : {"", "0 0 0 0\n0 0 0 0\n0 0 0 0", "x y\n1e308 1e308 1e308",
                             "1 2 3 4\n2 4 6 8\n3 6 9 12", "-1 0 0 1\n0 -1 0 1\n0 0 0 0"}) {
        ScriptedHost host(text, {"3"});
        host.result = "previous";
        if (d.run(host) == Outcome::Failed) {
            EXPECT_EQ(host.result, "") << text;
            ASSERT_EQ(host.messages.size(), 1u) << text;
            EXPECT_EQ(host.dialogs.back().caption, "Quorvex") << text;
        } else {
            EXPECT_TRUE(host.messages.empty()) << text;
            EXPECT_NE(host.result.find("\r\n"), std::string::npos) << text;
        }
    }
}

INSTANTIATE_TEST_SUITE_P(Commands, EveryOrderCommand, ::testing::ValuesIn(kOrderPrompts),
                         [](const auto& info) { return std::string(info.param.name); });

using testing::Shape;

struct Solver {
    const char* name;
    CommandHandler run;
    Shape needs; ///< the shapes from this one on in General, Symmetric, Tridiagonal
};

const Solver kSolvers[] = {
    {"Gauss_1", &Gauss_1_Click, Shape::General},     {"GaussTier", &GaussTier_Click, Shape::General},
    {"GaussFull", &GaussFull_Click, Shape::General}, {"LU_break", &LU_break_Click, Shape::General},
    {"TierLU", &TierLU_Click, Shape::General},       {"SqrtRoot", &SqrtRoot_Click, Shape::Symmetric},
    {"MendSqrt", &MendSqrt_Click, Shape::Symmetric}, {"Purase", &Purase_Click, Shape::Tridiagonal},
};

TEST(SolvingCommands, AgreeOnWellConditionedSystemsToThePrintedPrecision) {
    std::mt19937 rng(11);
    for (Shape shape : {Shape::General, Shape::Symmetric, Shape::Tridiagonal}) {
        for (int n = 1; n <= 12; ++n) {
            std::vector<double> solution;
            const std::string text = testing::dominantSystem(n, 10, shape, rng, solution);
            for (const Solver& s : kSolvers) {
                if (shape < s.needs) continue;
                ScriptedHost host(text, {std::to_string(n)});
                ASSERT_EQ(s.run(host), Outcome::Reported) << s.name << " n=" << n;
                const auto x = testing::solutionOf(host.result);
                ASSERT_EQ(x.size(), solution.size()) << s.name;
                // Six decimals are printed: one unit in the last place.
                for (int i = 0; i < n; ++i)
                    EXPECT_NEAR(x[i], solution[i], 1e-6) << s.name << " n=" << n << " x" << i + 1;
            }
        }
    }
}

} // namespace
} // namespace quorvex
