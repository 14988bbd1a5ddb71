// 核对解题步骤 on hand-worked exercises: each case's lines were found on
// paper, the multipliers from the pivots, the right values by hand.
#include "check/fit.h"
#include "registry.h"
#include "scripted_host.h"

#include <gtest/gtest.h>

#include <sstream>

namespace quorvex {
namespace {

std::vector<std::string> linesOf(const std::string& report) {
    std::vector<std::string> lines;
    std::istringstream in(report);
    for (std::string line; std::getline(in, line);) {
        if (!line.empty() && line.back() == '\r') line.pop_back();
        lines.push_back(line);
    }
    return lines;
}

struct Exercise {
    const char* name;
    const char* order;
    const char* text;
    std::vector<std::string> lines; ///< lines the report holds, in this order
    const char* verdict;
};

void PrintTo(const Exercise& e, std::ostream* os) { *os << e.name; }

class CheckWorkExercise : public ::testing::TestWithParam<Exercise> {};

TEST_P(CheckWorkExercise, NamesTheOperationsTheSlipsAndTheFirstWrongStep) {
    const Exercise& e = GetParam();
    testing::ScriptedHost host(e.text, {e.order});
    ASSERT_EQ(host.run(*findCommand("CheckWork")), Outcome::Reported) << host.result;
    const std::vector<std::string> lines = linesOf(host.result);
    auto at = lines.begin();
    for (const std::string& expected : e.lines) {
        at = std::find(at, lines.end(), expected);
        ASSERT_NE(at, lines.end()) << expected << "\n" << host.result;
    }
    EXPECT_EQ(lines.back(), e.verdict) << host.result;
    const auto verdicts = std::count_if(lines.begin(), lines.end(), [](const std::string& l) {
        return l == "全部步骤正确。" || l.find("步有误。") != std::string::npos;
    });
    EXPECT_EQ(verdicts, 1) << host.result;
}

INSTANTIATE_TEST_SUITE_P(
    Cases, CheckWorkExercise,
    ::testing::Values(
        // r3 := 2·r1 leaves the system with rank 2 instead of 3.
        Exercise{"RowReplacedByAMultipleOfAnother",
                 "3",
                 "1 1 2 9\n2 4 -3 1\n3 6 -5 0\n\n1 1 2 9\n2 4 -3 1\n2 2 4 18\n",
                 {"第3行 = 2 × 第1行", "各行的秩由 3 降为 2，丢失了方程组的信息（第3行）。",
                  "此步有错误。"},
                 "第 1 步有误。"},
        // 5/3 and 7/3 rounded to four places, then r2 divided by its pivot
        // and the last entry rounded to one place (1.39995...).
        Exercise{"DecimalsRoundedByHand",
                 "2",
                 "3 1 2\n1 2 3\n\n3 1 2\n0 1.6667 2.3334\n\n3 1 2\n0 1 1.4\n",
                 {"第2行 − 1/3 × 第1行", "此步正确。", "此步正确。"},
                 "全部步骤正确。"},
        // 2.3335 is 0.000167 from 7/3: beyond one unit of its fourth place.
        Exercise{
            "RoundingSlipBeyondOneUnit",
            "2",
            "3 1 2\n1 2 3\n\n3 1 2\n0 1.6667 2.3335\n",
            {"第2行 − 1/3 × 第1行", "第2行第3列：写的是 2.3335，应为 2.3333。", "此步有错误。"},
            "第 1 步有误。"},
        // 5 - 1/2·3 = 7/2.
        Exercise{"ExactFractionWrittenWrongly",
                 "2",
                 "2 1 3\n1 3 5\n\n2 1 3\n0 5/2 7/3\n",
                 {"第2行 − 0.5 × 第1行", "第2行第3列：写的是 7/3，应为 7/2。"},
                 "第 1 步有误。"},
        Exercise{"GaussJordanToTheIdentity",
                 "2",
                 "2 1 3\n1 3 5\n\n1 0.5 1.5\n1 3 5\n\n1 0.5 1.5\n0 2.5 3.5\n\n"
                 "1 0.5 1.5\n0 1 1.4\n\n1 0 0.8\n0 1 1.4\n\n0.8 1.4\n",
                 {"0.5 × 第1行", "第2行 − 第1行", "0.4 × 第2行", "第1行 − 0.5 × 第2行",
                  "第 5 步：解", "代入原方程组，各方程都成立。"},
                 "全部步骤正确。"},
        // x = (0.8, 1.4); 1.6 is two units of its place off, and the second
        // equation gives 0.8 + 4.8 = 5.6, beyond 0.1 + 3·0.1 of 5.
        Exercise{"WrongSolutionRow",
                 "2",
                 "2 1 3\n1 3 5\n\n2 1 3\n0 2.5 3.5\n\n0.8 1.6\n",
                 {"第2行 − 0.5 × 第1行", "此步正确。", "第 2 步：解",
                  "第2个方程不成立：左边为 5.6，右边为 5。", "x(2)：写的是 1.6，应为 1.4。"},
                 "第 2 步有误。"},
        // The slip (4 for 7/2) is carried on rightly: 0.4·4 = 1.6.
        Exercise{"LaterStepsCheckedAgainstTheWrongBlock",
                 "2",
                 "2 1 3\n1 3 5\n\n2 1 3\n0 2.5 4\n\n2 1 3\n0 1 1.6\n",
                 {"第 1 步", "第2行第3列：写的是 4，应为 3.5。", "此步有错误。", "第 2 步",
                  "0.4 × 第2行", "此步正确。"},
                 "第 1 步有误。"},
        // 2·(1, 3, 5) - (2, 1, 3) = (0, 5, 7), fractions avoided.
        Exercise{"TwoRowCombination",
                 "2",
                 "2 1 3\n1 3 5\n\n2 1 3\n0 5 7\n",
                 {"2 × 第2行 − 第1行"},
                 "全部步骤正确。"},
        Exercise{"ExchangeAndEliminationInOneBlock",
                 "3",
                 "0 2 1 7\n1 1 1 6\n2 1 3 13\n\n1 1 1 6\n0 2 1 7\n0 -1 1 1\n",
                 {"交换第1行与第2行", "第3行 − 2 × 第2行"},
                 "全部步骤正确。"}),
    [](const auto& info) { return std::string(info.param.name); });

struct Misshapen {
    const char* name;
    const char* text;
    const char* message;
};

void PrintTo(const Misshapen& m, std::ostream* os) { *os << m.name; }

class CheckWorkShape : public ::testing::TestWithParam<Misshapen> {};

TEST_P(CheckWorkShape, StopsWithAMessageSayingWhatIsWrong) {
    testing::ScriptedHost host(GetParam().text, {"2"});
    EXPECT_EQ(host.run(*findCommand("CheckWork")), Outcome::Failed);
    EXPECT_EQ(host.messages, std::vector<std::string>{GetParam().message});
    EXPECT_EQ(host.result, "");
}

INSTANTIATE_TEST_SUITE_P(
    Cases, CheckWorkShape,
    ::testing::Values(
        Misshapen{"NoStepBlock", "2 1 3\n1 3 5\n",
                  "编辑区中只有方程组，没有要核对的步骤。请在方程组下面空一行，依次写出各步的矩阵，"
                  "矩阵之间也空一行。"},
        Misshapen{"SystemShortOfRows", "2 1 3\n\n2 1 3\n0 1 3\n",
                  "方程组应有 2 行，编辑区的第一块有 1 行。"},
        Misshapen{"StepShortOfRows", "2 1 3\n1 3 5\n\n2 1 3\n",
                  "第 1 步的矩阵应有 2 行，写出的有 1 行。"},
        Misshapen{"StepRowShortOfNumbers", "2 1 3\n1 3 5\n\n2 1 3\n0 2.5\n",
                  "第 1 步的矩阵第 2 行应有 3 个数，写出的有 2 个。"},
        Misshapen{"SecondStepRowWithTooMany",
                  "2 1 3\n1 3 5\n\n2 1 3\r\n0 2.5 3.5\r\n\r\n\r\n2 1 3 4\r\n0 1 1.4\r\n",
                  "第 2 步的矩阵第 1 行应有 3 个数，写出的有 4 个。"},
        Misshapen{"EntryNotFinite", "2 1 3\n1 3 5\n\n2 1 3\n0 1/0 3\n",
                  "第 1 步的矩阵第 2 行第 2 列的数“1/0”不是有限的数。"}),
    [](const auto& info) { return std::string(info.param.name); });

struct SimplestCase {
    const char* name;
    mpq_class lo, hi;
    bool nonZero;
    mpq_class simplest;
};

void PrintTo(const SimplestCase& c, std::ostream* os) { *os << c.name; }

class Simplest : public ::testing::TestWithParam<SimplestCase> {};

// The multiplier shown is the simplest number the rounding allows.
TEST_P(Simplest, RationalInAnInterval) {
    const SimplestCase& c = GetParam();
    const check::Interval r{c.lo, c.hi};
    EXPECT_EQ(c.nonZero ? check::simplestNonZeroIn(r).value() : check::simplestIn(r), c.simplest);
}

INSTANTIATE_TEST_SUITE_P(
    Cases, Simplest,
    ::testing::Values(
        SimplestCase{"OneThirdFromFourPlaces", {3333, 10000}, {3334, 10000}, false, {1, 3}},
        SimplestCase{"TwoThirdsBetweenTenths", {6, 10}, {7, 10}, false, {2, 3}},
        SimplestCase{"AHalfFromFivePlaces", {49999, 100000}, {50001, 100000}, false, {1, 2}},
        SimplestCase{"NegativeInteger", {-22, 10}, {-19, 10}, false, -2},
        SimplestCase{"APoint", {-7, 2}, {-7, 2}, false, {-7, 2}},
        SimplestCase{"ZeroWhenInside", {-1, 2}, {1, 2}, false, 0},
        SimplestCase{"NonZeroTakesTheSimplerSide", {-1, 4}, {1, 10}, true, {-1, 4}},
        SimplestCase{"NonZeroOneWhenWide", {0}, {5, 2}, true, 1}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(CheckWorkInterval, FourierMotzkinProjectsTwoRowCombinations) {
    // a·(1, 3, 5) + b·(2, 1, 3) = (0, 5, 7) exactly: a = 2, b = -1.
    const std::vector<check::Condition2> exact{{1, 2, 0, 0}, {3, 1, 5, 5}, {5, 3, 7, 7}};
    const check::Interval a = check::feasibleFirst(exact);
    ASSERT_FALSE(a.empty);
    EXPECT_EQ(*a.lo, 2);
    EXPECT_EQ(*a.hi, 2);
    // Inconsistent: a + b = 0 and a + b = 1.
    const std::vector<check::Condition2> none{{1, 1, 0, 0}, {1, 1, 1, 1}};
    EXPECT_TRUE(check::feasibleFirst(none).empty);
}

} // namespace
} // namespace quorvex
