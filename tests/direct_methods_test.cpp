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
    const Command* command;
    const char* prompt;
    const char* caption;
    const char* defaultAnswer;
    bool emptiesBeforeAsking;
};

constexpr const char* kSystemOrder = "输入方程组系数矩阵的阶数 n：";
constexpr const char* kMatrixOrder = "输入矩阵的阶数 n：";
constexpr const char* kArrayOrder = "输入数组的阶数 n：";

const OrderPrompt kOrderPrompts[] = {
    {"Gauss_1", &commands::Gauss_1, kMatrixOrder, "输入数据", "3", false},
    {"GaussTier", &commands::GaussTier, kSystemOrder, "Quorvex", "", true},
    {"GaussFull", &commands::GaussFull, kSystemOrder, "Quorvex", "", false},
    {"A_matrix", &commands::A_matrix, kMatrixOrder, "Quorvex", "", false},
    {"A_range", &commands::A_range, kMatrixOrder, "Quorvex", "", false},
    {"MatrixBreak", &commands::MatrixBreak, kMatrixOrder, "输入数据", "3", true},
    {"LU_break", &commands::LU_break, kSystemOrder, "Quorvex", "", true},
    {"SqrtRoot", &commands::SqrtRoot,
     "确定方程组的系数矩阵A是对称正定的后，输入方程组系数矩阵的阶数 n：", "Quorvex", "", true},
    {"MendSqrt", &commands::MendSqrt, kArrayOrder, "Quorvex", "", false},
    {"Purase", &commands::Purase, kArrayOrder, "Quorvex", "", false},
    {"TierLU", &commands::TierLU, kSystemOrder, "Quorvex", "", false},
    {"CMatrixJudge", &commands::CMatrixJudge, kMatrixOrder, "Quorvex", "", false},
    {"StrictMatrixJudge", &commands::StrictMatrixJudge, kMatrixOrder, "Quorvex", "", false},
    {"MatrixModel", &commands::MatrixModel, kArrayOrder, "输入数据", "", false},
};

void PrintTo(const OrderPrompt& c, std::ostream* os) { *os << c.name; }

class EveryOrderCommand : public ::testing::TestWithParam<OrderPrompt> {};

TEST_P(EveryOrderCommand, PromptCaptionDefaultAndWhenTheResultAreaIsEmptied) {
    const OrderPrompt& d = GetParam();
    for (const char* answer : {"", "   ", "0", "abc"}) {
        ScriptedHost host("2 1 3\n1 3 5", {answer});
        host.result = "previous";
        EXPECT_EQ(host.run(*d.command), Outcome::Stopped) << answer;
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
        if (host.run(*d.command) == Outcome::Failed) {
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
    const Command* command;
    Shape needs; ///< the shapes from this one on in General, Symmetric, Tridiagonal
};

const Solver kSolvers[] = {
    {"Gauss_1", &commands::Gauss_1, Shape::General},
    {"GaussTier", &commands::GaussTier, Shape::General},
    {"GaussFull", &commands::GaussFull, Shape::General},
    {"LU_break", &commands::LU_break, Shape::General},
    {"TierLU", &commands::TierLU, Shape::General},
    {"SqrtRoot", &commands::SqrtRoot, Shape::Symmetric},
    {"MendSqrt", &commands::MendSqrt, Shape::Symmetric},
    {"Purase", &commands::Purase, Shape::Tridiagonal},
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
                ASSERT_EQ(host.run(*s.command), Outcome::Reported) << s.name << " n=" << n;
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
