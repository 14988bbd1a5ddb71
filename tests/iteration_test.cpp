#include "methods/iteration.h"
#include "scripted_host.h"

#include <gtest/gtest.h>

namespace quorvex {
namespace {

using testing::ScriptedHost;
using testing::solutionOf;
using Kind = ScriptedHost::Dialog::Kind;

struct Iteration {
    const char* name;
    const Command* command;
    bool asksFactor;
};

void PrintTo(const Iteration& it, std::ostream* os) { *os << it.name; }

/// Answers for precision e, order n, n initial values and, for relaxation, w.
std::vector<std::string> answers(const Iteration& it, const std::string& e, int n,
                                 const std::string& start = "0", const std::string& w = "1") {
    std::vector<std::string> a{e, std::to_string(n)};
    for (int i = 0; i < n; ++i) a.push_back(start);
    if (it.asksFactor) a.push_back(w);
    return a;
}

class EveryIteration : public ::testing::TestWithParam<Iteration> {};

TEST_P(EveryIteration, PromptsThenTheZeroDiagonalMessageAfterThemAll) {
    const Iteration& it = GetParam();
    ScriptedHost host("1 2 3\n4 0 5\n", answers(it, "1E-05", 2));
    EXPECT_EQ(host.run(*it.command), Outcome::Failed);
    const auto& d = host.dialogs;
    ASSERT_EQ(d.size(), it.asksFactor ? 6u : 5u);
    const std::vector<std::vector<std::string>> inputs = {
        {"输入迭代精度 e：", "确定迭代精度", "1E-05"},
        {"输入数组的阶数 n：", "输入数据", "0"},
        {"请给出解x0(1)的初始值:", "输入初始值", "0"},
        {"请给出解x0(2)的初始值:", "输入初始值", "0"},
        {"当0<w<1 时，称为低松弛迭代法(SUR法)\r\n当w>1 时，称为高松弛迭代法(SOR法)\r\n"
         "当w=1 时，即为高斯—塞德耳迭代法",
         "输入松弛因子 w ,默认w=1。", "1"}};
    for (std::size_t i = 0; i + 1 < d.size(); ++i)
        EXPECT_EQ((std::vector<std::string>{d[i].text, d[i].caption, d[i].defaultAnswer}),
                  inputs[i]);
    EXPECT_EQ(d.back().kind, Kind::Message);
    EXPECT_EQ(host.messages, std::vector<std::string>{"此方法不合适,请选择其他方法#"});
    EXPECT_EQ(host.result, "");
}

TEST_P(EveryIteration, FallingComponentsAreNotConvergence) {
    // From 0 the first sweep sends every component down, though not yet to
    // the solution (-1, -2); the iteration must go on to it, not stop there.
    const Iteration& it = GetParam();
    ScriptedHost host("4 1 -6\n1 3 -7\n", answers(it, "1E-09", 2), 10);
    ASSERT_EQ(host.run(*it.command), Outcome::Reported);
    const auto x = solutionOf(host.result);
    ASSERT_EQ(x.size(), 2u);
    EXPECT_NEAR(x[0], -1.0, 1e-8);
    EXPECT_NEAR(x[1], -2.0, 1e-8);
}

TEST_P(EveryIteration, SolvesALargeDominantSystemToThePrecision) {
    // Off-diagonal sums stay below a quarter of the diagonal, so a last step
    // below e leaves an error below e.
    constexpr int n = 50;
    std::mt19937 rng(11);
    std::vector<double> solution;
    const auto text = testing::dominantSystem(n, 36, testing::Shape::General, rng, solution);
    const Iteration& it = GetParam();
    ScriptedHost host(text, answers(it, "1E-07", n, "0", "1.1"), 10);
    ASSERT_EQ(host.run(*it.command), Outcome::Reported);
    const auto x = solutionOf(host.result);
    ASSERT_EQ(x.size(), solution.size());
    for (int i = 0; i < n; ++i) EXPECT_NEAR(x[i], solution[i], 1e-7) << "x(" << i + 1 << ")";
}

INSTANTIATE_TEST_SUITE_P(Iterations, EveryIteration,
                         ::testing::Values(Iteration{"Jacobi", &commands::JacobiDie, false},
                                           Iteration{"GaussSeidel", &commands::Gauss_SeidelDie,
                                                     false},
                                           Iteration{"Sor", &commands::SorDie, true}),
                         [](const auto& info) { return std::string(info.param.name); });

struct PrecisionCase {
    const char* name;
    std::vector<std::string> answers; ///< up to and including the order
    std::vector<Kind> dialogs;        ///< what the user sees up to the order prompt
};

void PrintTo(const PrecisionCase& c, std::ostream* os) { *os << c.name; }

class PrecisionWarning : public ::testing::TestWithParam<PrecisionCase> {};

TEST_P(PrecisionWarning, AsksThePrecisionAgainOnNo) {
    const PrecisionCase& c = GetParam();
    auto a = c.answers;
    a.push_back("0"); // the one initial value
    ScriptedHost host("4 8\n", a);
    ASSERT_EQ(host.run(commands::JacobiDie), Outcome::Reported);
    host.dialogs.pop_back(); // the initial value
    std::vector<Kind> kinds;
    for (const auto& d : host.dialogs) {
        kinds.push_back(d.kind);
        if (d.kind == Kind::Question) {
            EXPECT_EQ(d.text, "精度设置不好，确实要这样设置，将会导致结果运算误差太大。");
            EXPECT_EQ(d.caption, "精度设置提示");
        }
    }
    EXPECT_EQ(kinds, c.dialogs);
}

constexpr Kind I = Kind::Input, Q = Kind::Question;

INSTANTIATE_TEST_SUITE_P(
    Answers, PrecisionWarning,
    ::testing::Values(PrecisionCase{"OneTenthPasses", {"0.1", "1"}, {I, I}},
                      PrecisionCase{"JustAboveIsQuestioned", {"0.1000001", "yes", "1"}, {I, Q, I}},
                      PrecisionCase{"TheNewAnswerIsQuestionedToo",
                                    {"2", "no", "3", "no", "0.2", "yes", "1"},
                                    {I, Q, I, Q, I, Q, I}}),
    [](const auto& info) { return std::string(info.param.name); });

} // namespace
} // namespace quorvex
