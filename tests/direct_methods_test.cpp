#include "methods/decomposition.h"
#include "methods/elimination.h"
#include "scripted_host.h"

#include <gtest/gtest.h>

#include <cmath>
#include <map>
#include <random>
#include <sstream>
#include <vector>

namespace quorvex {
namespace {

using testing::ScriptedHost;

struct Dialog {
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

const Dialog kDialogs[] = {
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
};

class EveryDirectMethod : public ::testing::TestWithParam<Dialog> {};

TEST_P(EveryDirectMethod, PromptCaptionDefaultAndWhenTheResultAreaIsEmptied) {
    const Dialog& d = GetParam();
    for (const char* answer : {"", "0", "abc"}) {
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

TEST_P(EveryDirectMethod, NonsenseInputEndsInAReportOrOneMessage) {
    const Dialog& d = GetParam();
    for (const char* text : {"", "0 0 0 0\n0 0 0 0\n0 0 0 0", "x y\n1e308 1e308 1e308",
                             "1 2 3 4\n2 4 6 8\n3 6 9 12", "-1 0 0 1\n0 -1 0 1\n0 0 0 0"}) {
        ScriptedHost host(text, {"3"});
        host.result = "previous";
        const Outcome outcome = d.run(host);
        if (outcome == Outcome::Failed) {
            EXPECT_EQ(host.result, "") << text;
            EXPECT_EQ(host.messages.size(), 1u) << text;
        } else {
            EXPECT_EQ(outcome, Outcome::Reported) << text;
            EXPECT_TRUE(host.messages.empty()) << text;
            EXPECT_NE(host.result.find("\r\n"), std::string::npos) << text;
        }
    }
}

INSTANTIATE_TEST_SUITE_P(Commands, EveryDirectMethod, ::testing::ValuesIn(kDialogs),
                         [](const auto& info) { return std::string(info.param.name); });

/// The x(k)=v lines of a report, by the unknown's number k.
std::map<int, double> solutionOf(const std::string& report) {
    std::map<int, double> x;
    std::istringstream in(report);
    for (std::string line; std::getline(in, line);)
        if (line.rfind("x(", 0) == 0)
            x[std::stoi(line.substr(2))] = std::stod(line.substr(line.find('=') + 1));
    return x;
}

enum class Shape { General, Symmetric, Tridiagonal };

/// A strictly diagonally dominant system with an integer solution; the
/// symmetric ones are positive definite as well.
std::string systemText(int n, Shape shape, std::mt19937& rng, std::vector<double>& solution) {
    std::uniform_int_distribution<int> coef(-9, 9);
    std::vector<std::vector<double>> a(n, std::vector<double>(n, 0.0));
    solution.assign(n, 0.0);
    for (double& x : solution) x = coef(rng);
    for (int i = 0; i < n; ++i)
        for (int j = 0; j < n; ++j) {
            if (shape == Shape::Tridiagonal && std::abs(i - j) > 1) continue;
            a[i][j] = i == j                               ? 10 * n + coef(rng)
                      : (shape != Shape::General && j < i) ? a[j][i]
                                                           : coef(rng);
        }
    std::ostringstream text;
    for (int i = 0; i < n; ++i) {
        double b = 0;
        for (int j = 0; j < n; ++j) {
            b += a[i][j] * solution[j];
            text << a[i][j] << ' ';
        }
        text << b << '\n';
    }
    return text.str();
}

struct Solver {
    const char* name;
    CommandHandler run;
    bool needsSymmetric;
    bool needsTridiagonal;
};

const Solver kSolvers[] = {
    {"Gauss_1", &Gauss_1_Click, false, false},     {"GaussTier", &GaussTier_Click, false, false},
    {"GaussFull", &GaussFull_Click, false, false}, {"LU_break", &LU_break_Click, false, false},
    {"TierLU", &TierLU_Click, false, false},       {"SqrtRoot", &SqrtRoot_Click, true, false},
    {"MendSqrt", &MendSqrt_Click, true, false},    {"Purase", &Purase_Click, false, true},
};

TEST(SolvingCommands, AgreeOnWellConditionedSystemsToThePrintedPrecision) {
    std::mt19937 rng(11);
    for (Shape shape : {Shape::General, Shape::Symmetric, Shape::Tridiagonal}) {
        for (int n = 2; n <= 12; ++n) {
            std::vector<double> solution;
            const std::string text = systemText(n, shape, rng, solution);
            std::map<int, double> first;
            for (const Solver& s : kSolvers) {
                if (s.needsSymmetric && shape == Shape::General) continue;
                if (s.needsTridiagonal && shape != Shape::Tridiagonal) continue;
                ScriptedHost host(text, {std::to_string(n)});
                ASSERT_EQ(s.run(host), Outcome::Reported) << s.name << " n=" << n;
                const auto x = solutionOf(host.result);
                ASSERT_EQ(x.size(), static_cast<std::size_t>(n)) << s.name;
                if (first.empty()) first = x;
                for (int i = 1; i <= n; ++i) {
                    // Six decimals are printed: one unit in the last place.
                    EXPECT_NEAR(x.at(i), solution[i - 1], 1e-6) << s.name << " n=" << n;
                    EXPECT_NEAR(x.at(i), first.at(i), 1e-6) << s.name << " n=" << n;
                }
            }
        }
    }
}

/// The report from `from` on (the whole report when `from` is empty).
std::string reportFrom(const std::string& report, const char* from) {
    const auto at = report.find(from);
    return at == std::string::npos ? std::string() : report.substr(at);
}

struct PartialReader {
    const char* name;
    CommandHandler run;
    const char* comparedFrom; // what precedes it echoes the input as typed
    bool readsOnlyTheBand;    // else only the lower triangle
};

constexpr const char* kLowerFactorHeading = "输出方程组的系数矩阵LU分解后的下三角矩阵L(n)";

class ReadsOnlyPartOfA : public ::testing::TestWithParam<PartialReader> {};

TEST_P(ReadsOnlyPartOfA, EntriesOutsideThatPartChangeOnlyTheEcho) {
    const PartialReader& p = GetParam();
    std::mt19937 rng(7);
    std::uniform_int_distribution<int> coef(-9, 9);
    for (int n = 2; n <= 6; ++n) {
        std::ostringstream used, typed;
        for (int i = 1; i <= n; ++i) {
            for (int j = 1; j <= n; ++j) {
                const bool inPart = p.readsOnlyTheBand ? std::abs(i - j) <= 1 : j <= i;
                const int v = i == j ? 40 : coef(rng);
                // The part read by the method is typed alike in both texts;
                // the rest is 0 (or the mirror image) in one and noise in the other.
                used << (inPart ? v : 0) << ' ';
                typed << (inPart ? v : coef(rng) + 20) << ' ';
            }
            const int b = coef(rng);
            used << b << '\n';
            typed << b << '\n';
        }
        ScriptedHost reference(used.str(), {std::to_string(n)});
        ScriptedHost noisy(typed.str(), {std::to_string(n)});
        ASSERT_EQ(p.run(reference), Outcome::Reported);
        ASSERT_EQ(p.run(noisy), Outcome::Reported);
        const std::string expected = reportFrom(reference.result, p.comparedFrom);
        ASSERT_FALSE(expected.empty());
        EXPECT_EQ(reportFrom(noisy.result, p.comparedFrom), expected) << "n=" << n;
    }
}

INSTANTIATE_TEST_SUITE_P(
    Commands, ReadsOnlyPartOfA,
    // The chasing method shows even its echo with the band only.
    ::testing::Values(PartialReader{"SqrtRoot", &SqrtRoot_Click, kLowerFactorHeading, false},
                      PartialReader{"MendSqrt", &MendSqrt_Click, kLowerFactorHeading, false},
                      PartialReader{"Purase", &Purase_Click, "", true}),
    [](const auto& info) { return std::string(info.param.name); });

} // namespace
} // namespace quorvex
