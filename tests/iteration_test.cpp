#include "methods/elimination.h"
#include "methods/iteration.h"
#include "scripted_host.h"

#include <gtest/gtest.h>

#include <random>
#include <sstream>

namespace quorvex {
namespace {

using testing::ScriptedHost;
using testing::solutionOf;
using Kind = ScriptedHost::Dialog::Kind;

constexpr const char* kFactorPrompt = "当0<w<1 时，称为低松弛迭代法(SUR法)\r\n"
                                      "当w>1 时，称为高松弛迭代法(SOR法)\r\n"
                                      "当w=1 时，即为高斯—塞德耳迭代法";
constexpr const char* kZeroDiagonal = "此方法不合适,请选择其他方法#";

struct Iteration {
    const char* name;
    CommandHandler run;
    bool asksFactor;
};

void PrintTo(const Iteration& it, std::ostream* os) {
    *os << it.name;
}

const Iteration kIterations[] = {
    {"Jacobi", &JacobiDie_Click, false},
    {"GaussSeidel", &Gauss_SeidelDie_Click, false},
    {"Sor", &SorDie_Click, true},
};

int sweepsOf(const std::string& report) {
    const auto at = report.find("迭代");
    return at == std::string::npos ? -1 : std::stoi(report.substr(at + std::string("迭代").size()));
}

/// Answers for precision e, order n, n initial values and, for relaxation, w.
std::vector<std::string> answers(const Iteration& it, const std::string& e, int n,
                                 const std::string& start = "0", const std::string& w = "1") {
    std::vector<std::string> a{e, std::to_string(n)};
    for (int i = 0; i < n; ++i) a.push_back(start);
    if (it.asksFactor) a.push_back(w);
    return a;
}

class EveryIteration : public ::testing::TestWithParam<Iteration> {};

TEST_P(EveryIteration, PromptsCaptionsAndDefaults) {
    const Iteration& it = GetParam();
    ScriptedHost host("4 2\n", answers(it, "1E-05", 1));
    ASSERT_EQ(it.run(host), Outcome::Reported);
    ASSERT_EQ(host.dialogs.size(), it.asksFactor ? 4u : 3u);
    const auto& d = host.dialogs;
    EXPECT_EQ(d[0].text, "输入迭代精度 e：");
    EXPECT_EQ(d[0].caption, "确定迭代精度");
    EXPECT_EQ(d[0].defaultAnswer, "1E-05");
    EXPECT_EQ(d[1].text, "输入数组的阶数 n：");
    EXPECT_EQ(d[1].caption, "输入数据");
    EXPECT_EQ(d[1].defaultAnswer, "0");
    EXPECT_EQ(d[2].text, "请给出解x0(1)的初始值:");
    EXPECT_EQ(d[2].caption, "输入初始值");
    EXPECT_EQ(d[2].defaultAnswer, "0");
    if (it.asksFactor) {
        EXPECT_EQ(d[3].text, kFactorPrompt);
        EXPECT_EQ(d[3].caption, "输入松弛因子 w ,默认w=1。");
        EXPECT_EQ(d[3].defaultAnswer, "1");
    }
}

TEST_P(EveryIteration, ZeroDiagonalIsReportedAfterEveryPrompt) {
    const Iteration& it = GetParam();
    ScriptedHost host("1 2 3\n4 0 5\n", answers(it, "1E-05", 2));
    EXPECT_EQ(it.run(host), Outcome::Failed);
    ASSERT_EQ(host.messages, std::vector<std::string>{kZeroDiagonal});
    EXPECT_EQ(host.dialogs.back().kind, Kind::Message);
    EXPECT_EQ(host.dialogs.size(), it.asksFactor ? 6u : 5u);
    EXPECT_EQ(host.result, "");
}

TEST_P(EveryIteration, FallingComponentsAreNotConvergence) {
    // From 0 the first sweep sends every component down; the iteration must
    // go on to the solution (-1, -2), not stop at the first sweep.
    const Iteration& it = GetParam();
    ScriptedHost host("4 1 -6\n1 3 -7\n", answers(it, "1E-09", 2), 10);
    ASSERT_EQ(it.run(host), Outcome::Reported);
    EXPECT_GT(sweepsOf(host.result), 2);
    const auto x = solutionOf(host.result);
    ASSERT_EQ(x.size(), 2u);
    EXPECT_NEAR(x[0], -1.0, 1e-8);
    EXPECT_NEAR(x[1], -2.0, 1e-8);
}

TEST_P(EveryIteration, SolvesARandomDominantSystemLikeTheDirectMethod) {
    constexpr int n = 50;
    std::mt19937 rng(11);
    std::uniform_int_distribution<int> coef(-9, 9);
    std::vector<int> xs(n);
    for (int& v : xs) v = coef(rng);
    std::ostringstream text;
    for (int i = 0; i < n; ++i) {
        long long b = 0;
        for (int j = 0; j < n; ++j) {
            // Off-diagonal sums stay below a quarter of the diagonal.
            const int a = i == j ? 4 * 9 * n + coef(rng) : coef(rng);
            b += static_cast<long long>(a) * xs[static_cast<std::size_t>(j)];
            text << a << ' ';
        }
        text << b << "\r\n";
    }
    ScriptedHost direct(text.str(), {std::to_string(n)}, 10);
    ASSERT_EQ(GaussTier_Click(direct), Outcome::Reported);
    const auto expected = solutionOf(direct.result);

    const Iteration& it = GetParam();
    const double e = 1e-7;
    ScriptedHost host(text.str(), answers(it, "1E-07", n, "0", "1.1"), 10);
    ASSERT_EQ(it.run(host), Outcome::Reported);
    const auto x = solutionOf(host.result);
    ASSERT_EQ(x.size(), static_cast<std::size_t>(n));
    for (int i = 0; i < n; ++i) EXPECT_NEAR(x[i], expected[i], e) << "x(" << i + 1 << ")";
}

INSTANTIATE_TEST_SUITE_P(Iterations, EveryIteration, ::testing::ValuesIn(kIterations),
                         [](const auto& info) { return std::string(info.param.name); });

struct PrecisionCase {
    const char* name;
    std::vector<std::string> answers; ///< up to and including the order
    std::vector<Kind> dialogs;        ///< what the user sees up to the order prompt
};

void PrintTo(const PrecisionCase& c, std::ostream* os) {
    *os << c.name;
}

class PrecisionWarning : public ::testing::TestWithParam<PrecisionCase> {};

TEST_P(PrecisionWarning, AsksAgainOnNo) {
    const PrecisionCase& c = GetParam();
    auto a = c.answers;
    a.push_back("0"); // the one initial value
    ScriptedHost host("4 8\n", a);
    ASSERT_EQ(JacobiDie_Click(host), Outcome::Reported);
    std::vector<Kind> kinds;
    for (const auto& d : host.dialogs) kinds.push_back(d.kind);
    kinds.pop_back(); // the initial value
    EXPECT_EQ(kinds, c.dialogs);
    for (const auto& d : host.dialogs) {
        if (d.kind == Kind::Question) {
            EXPECT_EQ(d.text, "精度设置不好，确实要这样设置，将会导致结果运算误差太大。");
            EXPECT_EQ(d.caption, "精度设置提示");
        } else if (d.text == "输入迭代精度 e：") {
            EXPECT_EQ(d.caption, "确定迭代精度");
            EXPECT_EQ(d.defaultAnswer, "1E-05");
        }
    }
}

INSTANTIATE_TEST_SUITE_P(
    Answers, PrecisionWarning,
    ::testing::Values(PrecisionCase{"OneTenthPasses", {"0.1", "1"}, {Kind::Input, Kind::Input}},
                      PrecisionCase{"JustAboveIsQuestioned",
                                    {"0.1000001", "yes", "1"},
                                    {Kind::Input, Kind::Question, Kind::Input}},
                      PrecisionCase{"NoAsksThePrecisionAgain",
                                    {"0.5", "no", "0.01", "1"},
                                    {Kind::Input, Kind::Question, Kind::Input, Kind::Input}},
                      PrecisionCase{"TheNewAnswerIsQuestionedToo",
                                    {"2", "no", "3", "no", "0.2", "yes", "1"},
                                    {Kind::Input, Kind::Question, Kind::Input, Kind::Question,
                                     Kind::Input, Kind::Question, Kind::Input}},
                      PrecisionCase{
                          "CancelIsZeroAndAccepted", {"", "1"}, {Kind::Input, Kind::Input}}),
    [](const auto& info) { return std::string(info.param.name); });

std::string withoutFactorLine(std::string report) {
    const std::string line = "松弛因子 w=1\r\n";
    const auto at = report.find(line);
    if (at != std::string::npos) report.erase(at, line.size());
    return report.substr(0, report.rfind("\r\n"));
}

TEST(Relaxation, FactorOneIsGaussSeidelButForItsTwoLines) {
    // A full system that takes several sweeps, so that the sweeps really
    // have to agree value for value.
    const std::string system = "5 1 -1 7\n1 4 1 -3\n-1 1 6 2\n";
    ScriptedHost sor(system, answers(kIterations[2], "1E-12", 3, "0.3", "1"), 12);
    ScriptedHost gs(system, answers(kIterations[1], "1E-12", 3, "0.3"), 12);
    ASSERT_EQ(SorDie_Click(sor), Outcome::Reported);
    ASSERT_EQ(Gauss_SeidelDie_Click(gs), Outcome::Reported);
    EXPECT_GT(sweepsOf(gs.result), 5);
    EXPECT_EQ(withoutFactorLine(sor.result), withoutFactorLine(gs.result));
    EXPECT_TRUE(sor.result.ends_with("\r\n逐次超松弛(SOR)迭代法解线性方程组"));
    EXPECT_TRUE(gs.result.ends_with("\r\nGauss-Seidel迭代法解线性方程组"));
}

} // namespace
} // namespace quorvex
