#include "methods/elimination.h"
#include "scripted_host.h"

#include <gtest/gtest.h>

#include <cmath>
#include <random>
#include <sstream>

namespace quorvex {
namespace {

using testing::ScriptedHost;
using testing::solutionOf;

TEST(Gauss1, PromptAndItsDefault) {
    ScriptedHost host("2 1 3\n1 3 5", {"2"});
    EXPECT_EQ(Gauss_1_Click(host), Outcome::Reported);
    ASSERT_EQ(host.dialogs.size(), 1u);
    EXPECT_EQ(host.dialogs[0].text, "输入矩阵的阶数 n：");
    EXPECT_EQ(host.dialogs[0].caption, "输入数据");
    EXPECT_EQ(host.dialogs[0].defaultAnswer, "3");
}

TEST(Gauss1, CancelOrBlankAnswerKeepsThePreviousReport) {
    for (const char* answer : {"", "   ", "0", "abc"}) {
        ScriptedHost host("2 1 3\n1 3 5", {answer});
        host.result = "previous";
        EXPECT_EQ(Gauss_1_Click(host), Outcome::Stopped);
        EXPECT_EQ(host.result, "previous") << answer;
    }
}

TEST(GaussTier, EmptiesTheResultAreaBeforeAsking) {
    ScriptedHost host("2 1 3\n1 3 5", {});
    host.result = "previous";
    EXPECT_EQ(GaussTier_Click(host), Outcome::Stopped);
    EXPECT_EQ(host.result, "");
    ASSERT_EQ(host.dialogs.size(), 1u);
    EXPECT_EQ(host.dialogs[0].caption, "Quorvex");
    EXPECT_EQ(host.dialogs[0].defaultAnswer, "");
}

TEST(Gauss1, IntermediatesCarryOneDecimalMore) {
    // With one decimal printed, stored intermediates have at most two.
    ScriptedHost host("3 1 1 1\n1 3 1 2\n1 1 3 3", {"3"}, 1);
    ASSERT_EQ(Gauss_1_Click(host), Outcome::Reported);
    // Row 2 after step 1: 3 - (1/3)*1 = 2.666.. stored as 2.67, printed 2.7.
    EXPECT_NE(host.result.find("  0  2.7  0.7  1.7\r\n"), std::string::npos) << host.result;
}

TEST(GaussTier, PivotTieKeepsTheUpperRow) {
    // First column 1, -3, 3: row 2 is the first of the largest magnitude.
    ScriptedHost host("1 1 1 3\n-3 1 1 -1\n3 2 1 6", {"3"});
    ASSERT_EQ(GaussTier_Click(host), Outcome::Reported);
    const auto block = host.result.substr(host.result.find("结果\r\n") + 8);
    EXPECT_EQ(block.rfind("  -3  1  1  -1\r\n", 0), 0u) << block;
}

TEST(Gauss, ZeroPivotStillWritesTheWholeReport) {
    ScriptedHost host("0 1 1\n0 2 2", {"2"});
    EXPECT_EQ(Gauss_1_Click(host), Outcome::Reported);
    EXPECT_NE(host.result.find("NaN"), std::string::npos);
    EXPECT_NE(host.result.find("Gauss消去法解线性方程组"), std::string::npos);
}

TEST(GaussProperty, BothMethodsSolveWellConditionedSystems) {
    std::mt19937 rng(5);
    std::uniform_int_distribution<int> coef(-9, 9);
    for (int n = 2; n <= 12; ++n) {
        std::vector<std::vector<double>> a(n, std::vector<double>(n));
        std::vector<double> xs(n);
        std::ostringstream text;
        for (int i = 0; i < n; ++i) xs[i] = coef(rng);
        for (int i = 0; i < n; ++i) {
            double b = 0;
            for (int j = 0; j < n; ++j) {
                a[i][j] = i == j ? 10 * n : coef(rng);
                b += a[i][j] * xs[j];
                text << a[i][j] << ' ';
            }
            text << b << '\n';
        }
        for (auto run : {&Gauss_1_Click, &GaussTier_Click}) {
            ScriptedHost host(text.str(), {std::to_string(n)}, 6);
            ASSERT_EQ(run(host), Outcome::Reported);
            const auto x = solutionOf(host.result);
            ASSERT_EQ(x.size(), static_cast<std::size_t>(n));
            for (int i = 0; i < n; ++i) EXPECT_NEAR(x[i], xs[i], 1e-5) << "n=" << n;
        }
    }
}

} // namespace
} // namespace quorvex
