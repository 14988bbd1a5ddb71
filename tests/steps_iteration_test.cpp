#include "methods/iteration.h"
#include "methods/iteration_sweeps.h"
#include "scripted_host.h"
#include "steps/iteration_steps.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <cstring>
#include <limits>
#include <random>

namespace quorvex {
namespace {

using testing::ScriptedHost;

constexpr std::string_view kNoConvergence = "本方法不适合解此线形方程组，请用其他方法再试一下#";

std::string crLf(std::string_view s) {
    std::string out;
    for (char c : s) out += c == '\n' ? std::string("\r\n") : std::string(1, c);
    return out;
}

/// The numbers of a steps report's document: the echoed system, the initial
/// iterate, the table of sweeps and the solution, as the command held them.
struct SweepsDocument {
    std::vector<double> system;
    std::vector<double> start;
    std::vector<double> table;
    int tableCols = 0;
    std::vector<double> solution;
    int rows() const { return tableCols ? static_cast<int>(table.size()) / tableCols : 0; }
    const double* row(int k) const { return table.data() + (k - 1) * tableCols; }
};

SweepsDocument numbersOf(const Document& d) {
    SweepsDocument s;
    int blocks = 0;
    for (const Piece& p : d.pieces()) {
        if (const auto* m = std::get_if<piece::MatrixBlock>(&p)) {
            const auto v = d.numbers(*m);
            if (blocks++ == 0) {
                s.system.assign(v.begin(), v.end());
            } else { // a long table comes in several blocks
                s.table.insert(s.table.end(), v.begin(), v.end());
                s.tableCols = m->cols;
            }
        } else if (const auto* r = std::get_if<piece::NumberRow>(&p)) {
            const auto v = d.numbers(*r);
            s.start.assign(v.begin(), v.end());
        } else if (const auto* x = std::get_if<piece::IndexedValue>(&p)) {
            s.solution.push_back(x->value);
        }
    }
    return s;
}

bool sameBits(double a, double b) { return std::memcmp(&a, &b, sizeof a) == 0; }

struct HandWorked {
    const char* name;
    int digits;
    bool exact;
    const char* table; ///< the rows of the sweeps, as worked by hand
    const char* solution;
    const char* check; ///< the solution as shown, put into both equations
};

void PrintTo(const HandWorked& c, std::ostream* os) { *os << c.name; }

class JacobiByHand : public ::testing::TestWithParam<HandWorked> {};

// 2x1 + x2 = 3, x1 + 4x2 = 5 from 0: every iterate is a binary fraction, so
// the sweeps are exact: (1.5, 1.25), (0.875, 0.875), (1.0625, 1.03125),
// (0.984375, 0.984375), the last moving by 0.078125 <= 0.1.
TEST_P(JacobiByHand, WritesEverySweepWithItsLargestChange) {
    const HandWorked& c = GetParam();
    ScriptedHost host("2 1 3\n1 4 5\n", {"0.1", "2", "0", "0"}, c.digits);
    host.settings.steps = true;
    host.settings.exact = c.exact;
    ASSERT_EQ(host.run(commands::JacobiDie), Outcome::Reported);
    const std::string expected =
        std::string(c.exact ? "精确分数：迭代法只求近似解，以下按小数计算。\n" : "") +
        "  2  1  3\n  1  4  5\n\n详细步骤：\n初始值：  0  0\n"
        "各次迭代（每行依次为 k，x(1)，x(2)，与上一次相比各分量变化的最大绝对值）：\n" +
        c.table + "第 4 次迭代的最大变化 0.078125 不超过精度 e = 0.1，迭代结束\n" +
        "代入检验：把按设定位数写出的解代入原方程组，残差 = 右端 − 左边：\n" + c.check + "\n" +
        "迭代4次 ， 求得方程组的解为：\n" + c.solution + "\nJacobi迭代法解线性方程组";
    EXPECT_EQ(host.result, crLf(expected));
}

constexpr const char* kSixDecimals = "  1  1.5  1.25  1.5\n  2  0.875  0.875  0.625\n"
                                     "  3  1.0625  1.03125  0.1875\n"
                                     "  4  0.984375  0.984375  0.078125\n";
constexpr const char* kSixDecimalsSolution = "x(1)=0.984375\nx(2)=0.984375\n";
// 2 × 0.984375 + 0.984375 = 2.953125, 0.984375 + 4 × 0.984375 = 4.921875.
constexpr const char* kSixDecimalsCheck =
    "第 1 个方程：2 × 0.984375 + 1 × 0.984375 = 2.953125，残差 3 − 2.953125 = 0.046875\n"
    "第 2 个方程：1 × 0.984375 + 4 × 0.984375 = 4.921875，残差 5 − 4.921875 = 0.078125\n";

INSTANTIATE_TEST_SUITE_P(
    Digits, JacobiByHand,
    ::testing::Values(HandWorked{"SixDecimals", 6, false, kSixDecimals, kSixDecimalsSolution,
                                 kSixDecimalsCheck},
                      // Halves go to the even neighbour: 0.875 -> 0.88, 0.625 -> 0.62.
                      HandWorked{"TwoDecimals", 2, false,
                                 "  1  1.5  1.25  1.5\n  2  0.88  0.88  0.62\n"
                                 "  3  1.06  1.03  0.19\n  4  0.98  0.98  0.08\n",
                                 "x(1)=0.98\nx(2)=0.98\n",
                                 // 2 × 0.98 + 0.98 = 2.94, 0.98 + 4 × 0.98 = 4.9.
                                 "第 1 个方程：2 × 0.98 + 1 × 0.98 = 2.94，残差 3 − 2.94 = 0.06\n"
                                 "第 2 个方程：1 × 0.98 + 4 × 0.98 = 4.9，残差 5 − 4.9 = 0.1\n"}),
    [](const auto& info) { return std::string(info.param.name); });

struct Iteration {
    const char* name;
    const Command* command;
    Sweep sweep;
    bool asksFactor;
};

void PrintTo(const Iteration& it, std::ostream* os) { *os << it.name; }

constexpr double kFactor = 1.25;

std::vector<std::string> answers(const Iteration& it, const std::string& e,
                                 const std::vector<int>& start) {
    std::vector<std::string> a{e, std::to_string(start.size())};
    for (int s : start) a.push_back(std::to_string(s));
    if (it.asksFactor) a.push_back("1.25");
    return a;
}

class EveryIterationSteps : public ::testing::TestWithParam<Iteration> {};

// Each recorded sweep, redone from the recorded iterate before it, gives
// the next recorded iterate to the bit; the last is the report's solution.
TEST_P(EveryIterationSteps, ReplayedSweepsGiveTheRecordedIterates) {
    const Iteration& it = GetParam();
    std::mt19937 rng(2024);
    std::uniform_int_distribution<int> startValue(-5, 5);
    for (int n = 2; n <= 8; ++n) {
        SCOPED_TRACE("order " + std::to_string(n));
        std::vector<double> solution;
        const auto text = testing::dominantSystem(n, 10, testing::Shape::General, rng, solution);
        std::vector<int> start(static_cast<std::size_t>(n));
        for (int& s : start) s = startValue(rng);
        ScriptedHost host(text, answers(it, "1E-09", start));
        host.settings.steps = true;
        ASSERT_EQ(host.run(*it.command), Outcome::Reported);
        const SweepsDocument d = numbersOf(*host.document);
        ASSERT_EQ(d.tableCols, n + 2);
        ASSERT_GT(d.rows(), 1);
        Matrix Ab(n, n + 1);
        for (int i = 1; i <= n; ++i)
            for (int j = 1; j <= n + 1; ++j) Ab(i, j) = d.system[(i - 1) * (n + 1) + (j - 1)];
        Iterate previous = d.start;
        for (int k = 1; k <= d.rows(); ++k) {
            Iterate x = previous;
            it.sweep(Ab, n, previous, x, kFactor);
            const double* row = d.row(k);
            EXPECT_EQ(row[0], k);
            double change = 0.0;
            for (int i = 0; i < n; ++i) {
                EXPECT_TRUE(sameBits(row[i + 1], x[i])) << "sweep " << k << ", x(" << i + 1 << ")";
                change = std::max(change, std::fabs(x[i] - previous[i]));
            }
            EXPECT_TRUE(sameBits(row[n + 1], change)) << "sweep " << k;
            previous = x;
        }
        ASSERT_EQ(d.solution.size(), previous.size());
        for (int i = 0; i < n; ++i) EXPECT_TRUE(sameBits(d.solution[i], previous[i]));
        EXPECT_NE(host.result.find("迭代" + std::to_string(d.rows()) + "次 ，"), std::string::npos);
    }
}

INSTANTIATE_TEST_SUITE_P(
    Iterations, EveryIterationSteps,
    ::testing::Values(Iteration{"Jacobi", &commands::JacobiDie, &jacobiSweep, false},
                      Iteration{"GaussSeidel", &commands::Gauss_SeidelDie, &gaussSeidelSweep,
                                false},
                      Iteration{"Sor", &commands::SorDie, &relaxationSweep, true}),
    [](const auto& info) { return std::string(info.param.name); });

struct OrderCase {
    const char* name;
    int n;
    int tableCols;
    const char* heading;
};

void PrintTo(const OrderCase& c, std::ostream* os) { *os << c.name; }

class StepsOrder : public ::testing::TestWithParam<OrderCase> {};

TEST_P(StepsOrder, AboveTheLimitTheTableKeepsTheFirstAndLastComponents) {
    const OrderCase& c = GetParam();
    std::mt19937 rng(7);
    std::vector<double> solution;
    const auto text = testing::dominantSystem(c.n, 10, testing::Shape::General, rng, solution);
    ScriptedHost host(text, answers({}, "1E-08", std::vector<int>(c.n, 1)));
    host.settings.steps = true;
    ASSERT_EQ(host.run(commands::Gauss_SeidelDie), Outcome::Reported);
    const std::string fewLine = "\r\n阶数大于 12，表中只列出第一个和最后一个分量\r\n";
    EXPECT_EQ(host.result.find(fewLine) != std::string::npos, c.n > 12);
    EXPECT_NE(host.result.find(std::string("（每行依次为 k，") + c.heading + "，与上一次"),
              std::string::npos);
    const SweepsDocument d = numbersOf(*host.document);
    ASSERT_EQ(d.tableCols, c.tableCols);
    EXPECT_EQ(d.start, std::vector<double>(static_cast<std::size_t>(c.tableCols - 2), 1.0));
    ASSERT_EQ(d.solution.size(), static_cast<std::size_t>(c.n));
    const double* last = d.row(d.rows());
    EXPECT_TRUE(sameBits(last[1], d.solution.front()));
    EXPECT_TRUE(sameBits(last[c.tableCols - 2], d.solution.back()));
}

INSTANTIATE_TEST_SUITE_P(
    Orders, StepsOrder,
    ::testing::Values(
        OrderCase{"TwelveShowsAll", 12, 14,
                  "x(1)，x(2)，x(3)，x(4)，x(5)，x(6)，x(7)，x(8)，x(9)，x(10)，x(11)，x(12)"},
        OrderCase{"ThirteenShowsTwo", 13, 4, "x(1)，x(13)"}),
    [](const auto& info) { return std::string(info.param.name); });

struct UnconvergedCase {
    const char* name;
    const char* system;
    std::vector<std::string> answers;
    bool runsAway;
};

void PrintTo(const UnconvergedCase& c, std::ostream* os) { *os << c.name; }

class UnconvergedSteps : public ::testing::TestWithParam<UnconvergedCase> {};

// The message and the exit stay as without steps; the report shows the
// sweeps and says where they ended.
TEST_P(UnconvergedSteps, PublishesTheSweepsThenTheSameMessage) {
    const UnconvergedCase& c = GetParam();
    ScriptedHost host(c.system, c.answers);
    host.settings.steps = true;
    ASSERT_EQ(host.run(commands::JacobiDie), Outcome::Failed);
    EXPECT_EQ(host.messages, std::vector<std::string>{std::string(kNoConvergence)});
    const std::string ending = "迭代 1000 次仍未达到精度要求\r\n\r\nJacobi迭代法解线性方程组";
    ASSERT_GE(host.result.size(), ending.size());
    EXPECT_EQ(host.result.substr(host.result.size() - ending.size()), ending);
    EXPECT_EQ(host.result.find("求得方程组的解为"), std::string::npos);
    const SweepsDocument d = numbersOf(*host.document);
    ASSERT_GT(d.rows(), 0);
    const int last = d.rows();
    for (int k = 1; k < last; ++k) EXPECT_TRUE(std::isfinite(d.row(k)[3])) << "sweep " << k;
    EXPECT_EQ(std::isfinite(d.row(last)[3]), !c.runsAway);
    const std::string runaway =
        "第 " + std::to_string(last) + " 次迭代的变化已不是有限数，迭代发散，以后各次从略\r\n";
    EXPECT_EQ(host.result.find(runaway) != std::string::npos, c.runsAway);
    // However many blocks hold it, the text shows the table as one run of rows.
    const auto tableStart = host.result.find("）：\r\n") + std::string("）：\r\n").size();
    const auto tableEnd = host.result.find(c.runsAway ? "\r\n第 " : "\r\n迭代 1000", tableStart);
    const std::string table = host.result.substr(tableStart, tableEnd + 2 - tableStart);
    std::size_t lines = 0;
    for (std::size_t p = 0; (p = table.find("\r\n", p)) != std::string::npos; p += 2) ++lines;
    EXPECT_EQ(lines, static_cast<std::size_t>(last));
    if (!c.runsAway) {
        EXPECT_EQ(last, kSweepLimit);
    }
}

TEST(SweepChange, ANotANumberAnywhereIsTheLargestChange) {
    const double nan = std::numeric_limits<double>::quiet_NaN();
    const double inf = std::numeric_limits<double>::infinity();
    const struct {
        Iterate x;
        double change; ///< NaN: must be NaN
    } cases[] = {{{5.0, nan, 1.0}, nan},
                 {{nan, 5.0}, nan},
                 {{1.0, 2.0, nan}, nan},
                 {{1.0, inf}, inf},
                 {{-3.0, 2.0}, 3.0}};
    for (const auto& c : cases) {
        const double d = steps::largestChange(c.x, Iterate(c.x.size(), 0.0));
        if (std::isnan(c.change)) EXPECT_TRUE(std::isnan(d)) << d;
        else EXPECT_EQ(d, c.change);
    }
}

INSTANTIATE_TEST_SUITE_P(
    Ends, UnconvergedSteps,
    ::testing::Values(
        UnconvergedCase{"RunsAway", "1 1000 1\n1000 1 1\n", {"1E-05", "2", "1", "1"}, true},
        // e = 3 * 2^-1001 is met only by sweep 1001, past the limit.
        UnconvergedCase{
            "PassesTheLimit", "2 1 0\n1 2 0\n", {"1.3998954277548283e-301", "2", "1", "1"}, false}),
    [](const auto& info) { return std::string(info.param.name); });

} // namespace
} // namespace quorvex
