// Worked steps of the tests and norms: hand-worked sections, the recorded
// sums replayed into the norms, and reports unchanged around the steps.
// The minors' eliminations are those of the determinant, replayed with the
// eliminations' steps.
#include "arithmetic.h"
#include "matrix_text.h"
#include "methods/tests_and_norms.h"
#include "norm_routines.h"
#include "number_text.h"
#include "scripted_host.h"
#include "vector_text.h"

#include <gtest/gtest.h>

#include <bit>
#include <cmath>
#include <cstdint>
#include <random>
#include <string>
#include <vector>

namespace quorvex {
namespace {

using testing::ScriptedHost;

constexpr std::string_view kStepsHeading = "\r\n详细步骤：\r\n";

std::string crLfLines(const std::vector<std::string>& lines) {
    std::string out;
    for (const std::string& line : lines) out += line + "\r\n";
    return out;
}

/// The lines between the steps heading and the blank line that ends them.
std::string stepsSection(const std::string& report) {
    const std::size_t from = report.find(kStepsHeading);
    if (from == std::string::npos) return "(no steps)";
    const std::size_t begin = from + kStepsHeading.size();
    const std::size_t end = report.find("\r\n\r\n", begin);
    return report.substr(begin, end == std::string::npos ? end : end + 2 - begin);
}

ScriptedHost run(const Command& command, const std::string& input, std::vector<std::string> answers,
                 bool steps, bool exact = false) {
    ScriptedHost host(input, std::move(answers));
    host.settings.steps = steps;
    host.settings.exact = exact;
    host.run(command);
    return host;
}

struct HandCase {
    const char* name;
    const Command* command;
    std::string input;
    std::vector<std::string> answers;
    bool exact;
    std::vector<std::string> steps;
};

void PrintTo(const HandCase& c, std::ostream* os) { *os << c.name; }

class HandWorkedSteps : public ::testing::TestWithParam<HandCase> {};

TEST_P(HandWorkedSteps, SectionIsByteForByte) {
    const HandCase& c = GetParam();
    const ScriptedHost host = run(*c.command, c.input, c.answers, true, c.exact);
    EXPECT_EQ(stepsSection(host.result), crLfLines(c.steps));
}

INSTANTIATE_TEST_SUITE_P(
    Reports, HandWorkedSteps,
    ::testing::Values(
        // Row 1: 5 > 2 + 1; row 2: 3 = 1 + 2 stops the test.
        HandCase{"DominanceStopsAtTheFirstFailingRow",
                 &commands::StrictMatrixJudge,
                 "-5 2 1\n1 -3 2\n0 1 4\n",
                 {"3"},
                 false,
                 {"第 1 行：|a(1,1)| = 5，其余元素的绝对值之和 = 2 + 1 = 3，5 > 3",
                  "第 2 行：|a(2,2)| = 3，其余元素的绝对值之和 = 1 + 2 = 3，3 不大于 3"}},
        // Minor 2: pivot 2 of column 1 below, -1 x 2 x (-0.5) = 1. Minor 3: two
        // exchanges, 2 x 1 x 1 = 2 (= 1(15 - 1) - 2(6 - 0)).
        HandCase{"MinorsWithExchanges",
                 &commands::CMatrixJudge,
                 "1 2 0\n2 5 1\n0 1 3\n",
                 {"3"},
                 false,
                 {"第 1 阶顺序主子式：",
                  "行列式 = 1 × 1 = 1",
                  "第 2 阶顺序主子式：",
                  "第 1 步：第 1 列主元的候选为  1  2，取第 2 行的元素为主元",
                  "交换第 1 行与第 2 行",
                  "第 2 行 − 0.5 × 第 1 行",
                  "第 1 步后的矩阵：",
                  "  2  5",
                  "  0  -0.5",
                  "行列式 = -1 × 2 × (-0.5) = 1",
                  "第 3 阶顺序主子式：",
                  "第 1 步：第 1 列主元的候选为  1  2  0，取第 2 行的元素为主元",
                  "交换第 1 行与第 2 行",
                  "第 2 行 − 0.5 × 第 1 行",
                  "第 3 行 − 0 × 第 1 行",
                  "第 1 步后的矩阵：",
                  "  2  5  1",
                  "  0  -0.5  -0.5",
                  "  0  1  3",
                  "第 2 步：第 2 列主元的候选为  -0.5  1，取第 3 行的元素为主元",
                  "交换第 2 行与第 3 行",
                  "第 3 行 + 0.5 × 第 2 行",
                  "第 2 步后的矩阵：",
                  "  2  5  1",
                  "  0  1  3",
                  "  0  0  1",
                  "行列式 = 1 × 2 × 1 × 1 = 2"}},
        // The second pivot is 1 - (1/3)(1/3) = 8/9, exactly.
        HandCase{"MinorsInFractions",
                 &commands::CMatrixJudge,
                 "1 1/3\n1/3 1\n",
                 {"2"},
                 true,
                 {"第 1 阶顺序主子式：", "行列式 = 1 × 1 = 1", "第 2 阶顺序主子式：",
                  "第 1 步：第 1 列主元的候选为  1  1/3，取第 1 行的元素为主元",
                  "第 2 行 − 1/3 × 第 1 行", "第 1 步后的矩阵：", "  1  1/3", "  0  8/9",
                  "行列式 = 1 × 1 × (8/9) = 8/9"}},
        HandCase{"VectorNorms",
                 &commands::VectorModel,
                 "3 -4 12\n",
                 {},
                 false,
                 {"1范数：各元素的绝对值之和 = 3 + 4 + 12 = 19",
                  "2范数：各元素的平方和 = 9 + 16 + 144 = 169，2范数 = √169 = 13",
                  "无穷范数：各元素绝对值中的最大者 = max{3, 4, 12} = 12"}},
        // AᵀA = diag(4, 1/4): from x = (1, 1) the first row's divisor 4 keeps
        // x = (1, 0) for good, so every divisor is 4.
        HandCase{
            "MatrixNormsExactSumsDecimalRoots",
            &commands::MatrixModel,
            "-2 0\n0 1/2\n",
            {"2"},
            true,
            {"1范数：各列元素的绝对值之和", "第 1 列：2 + 0 = 2", "第 2 列：0 + 1/2 = 1/2",
             "1范数 = max{2, 1/2} = 2",
             "2范数(参考值)：对 A 的转置与 A 的乘积作 30 遍幂迭代，最后的除数为 4，2范数 = √4 = 2",
             "F范数：各元素的平方和 = 4 + 0 + 0 + 0.25 = 4.25，F范数 = √4.25 = 2.061553",
             "无穷范数：各行元素的绝对值之和", "第 1 行：2 + 0 = 2", "第 2 行：0 + 1/2 = 1/2",
             "无穷范数 = max{2, 1/2} = 2"}}),
    [](const auto& info) { return std::string(info.param.name); });

bool same(double a, double b) {
    return std::bit_cast<std::uint64_t>(a) == std::bit_cast<std::uint64_t>(b);
}

/// Entries p/q with small p and q: decimals that round, fractions that do
/// not reduce away.
template <class T> BasicMatrix<T> randomMatrix(int n, std::mt19937& rng) {
    std::uniform_int_distribution<int> num(-40, 40), den(1, 9);
    BasicMatrix<T> A(n, n);
    for (int i = 1; i <= n; ++i)
        for (int j = 1; j <= n; ++j) {
            const int p = num(rng), q = den(rng);
            if constexpr (std::is_same_v<T, double>) A(i, j) = p / static_cast<double>(q);
            else A(i, j) = Rational(p) / q;
        }
    return A;
}

/// Adds the recorded terms to 0 in the recorded order.
template <class T> T replaySum(const SumSteps<T>& s) {
    T total = 0.0;
    for (const T& t : s.terms) total = total + t;
    return total;
}

template <class T>
void checkSumNorm(const BasicMatrix<T>& A, int n, bool columns, const SumNormSteps<T>& s,
                  const T& norm) {
    ASSERT_EQ(s.sums.size(), static_cast<std::size_t>(n));
    for (int j = 1; j <= n; ++j) {
        const SumSteps<T>& sum = s.sums[static_cast<std::size_t>(j - 1)];
        ASSERT_EQ(sum.terms.size(), static_cast<std::size_t>(n));
        for (int i = 1; i <= n; ++i)
            EXPECT_TRUE(same(sum.terms[static_cast<std::size_t>(i - 1)],
                             magnitude(columns ? A(i, j) : A(j, i))));
        EXPECT_TRUE(same(replaySum(sum), sum.total));
        EXPECT_TRUE(same(s.largest.candidates[static_cast<std::size_t>(j - 1)], sum.total));
    }
    EXPECT_TRUE(same(s.largest.candidates[static_cast<std::size_t>(s.largest.at - 1)], norm));
}

/// The number after label on the report's line that starts with it.
std::string valueAfter(const std::string& report, const std::string& label) {
    const std::size_t at = report.find(label);
    if (at == std::string::npos) return "(missing)";
    const std::size_t begin = at + label.size();
    return report.substr(begin, report.find("\r\n", begin) - begin);
}

std::string textOf(const Matrix& A, int n) {
    std::string text;
    char buf[kMaxNumberText];
    for (int i = 1; i <= n; ++i) {
        for (int j = 1; j <= n; ++j) text.append(buf, writeNumber(buf, A(i, j))).append(" ");
        text += "\n";
    }
    return text;
}

TEST(NormSteps, RecordedTermsSumToTheReportedNormsBitForBit) {
    std::mt19937 rng(16);
    for (int n = 2; n <= 8; ++n) {
        const Matrix A = randomMatrix<double>(n, rng);
        const std::string text = textOf(A, n);
        Matrix read(n, n + 1);
        GetMatrixFromText(read, n, text); // the matrix as the command reads it
        Matrix D(n, n);
        for (int i = 1; i <= n; ++i)
            for (int j = 1; j <= n; ++j) D(i, j) = read(i, j);
        SumNormSteps<double> columns, rows;
        SumSteps<double> squares;
        SpectralSteps spectral;
        const double one = columnSumNorm(D, n, &columns);
        const double infinity = rowSumNorm(D, n, &rows);
        const double frobenius = frobeniusNorm(D, n, &squares);
        const double two = spectralNormEstimate(D, n, &spectral);
        checkSumNorm(D, n, true, columns, one);
        checkSumNorm(D, n, false, rows, infinity);
        EXPECT_TRUE(same(std::sqrt(replaySum(squares)), frobenius));
        EXPECT_TRUE(same(spectral.value, two));
        if (spectral.powerIteration) {
            EXPECT_TRUE(same(std::sqrt(spectral.divisor), two));
        }
        const ScriptedHost host = run(commands::MatrixModel, text, {std::to_string(n)}, true);
        EXPECT_EQ(valueAfter(host.result, "矩阵的1范数为： "), numberText(one)) << n;
        EXPECT_EQ(valueAfter(host.result, "矩阵的无穷范数为： "), numberText(infinity)) << n;

        const std::string line = text.substr(0, text.find('\n'));
        const Vector v = GetVectorFromText(line);
        SumSteps<double> abs, vsquares;
        MaximumSteps<double> largest;
        const double vOne = vectorOneNorm(v, n, &abs);
        const double vTwo = vectorTwoNorm(v, n, &vsquares);
        const double vInfinity = vectorInfinityNorm(v, n, &largest);
        EXPECT_TRUE(same(replaySum(abs), vOne));
        EXPECT_TRUE(same(std::sqrt(replaySum(vsquares)), vTwo));
        for (int i = 1; i <= n; ++i) {
            EXPECT_TRUE(same(abs.terms[static_cast<std::size_t>(i - 1)], std::fabs(v(i))));
            EXPECT_TRUE(same(vsquares.terms[static_cast<std::size_t>(i - 1)], v(i) * v(i)));
        }
        EXPECT_TRUE(same(largest.candidates[static_cast<std::size_t>(largest.at - 1)], vInfinity));
        const ScriptedHost vector = run(commands::VectorModel, line, {}, true);
        EXPECT_EQ(valueAfter(vector.result, "向量的1范数为： "), numberText(vOne)) << n;
        EXPECT_EQ(valueAfter(vector.result, "向量的无穷范数为： "), numberText(vInfinity)) << n;
    }
}

struct CommandCase {
    const Command* command;
    bool vector;
};

class StepsAroundTheReport : public ::testing::TestWithParam<CommandCase> {};

// The steps are one section inserted into the report, and above the limit
// one line.
TEST_P(StepsAroundTheReport, RemovingTheSectionGivesTheReportWithStepsOff) {
    const CommandCase& c = GetParam();
    std::mt19937 rng(19);
    for (int n : {2, 3, 5, 8, 12, 13}) {
        for (bool exact : {false, true}) {
            std::string text = textOf(randomMatrix<double>(n, rng), n);
            if (c.vector) text = text.substr(0, text.find('\n'));
            const std::vector<std::string> answers =
                c.vector ? std::vector<std::string>{} : std::vector<std::string>{std::to_string(n)};
            const std::string off = run(*c.command, text, answers, false, exact).result;
            const std::string on = run(*c.command, text, answers, true, exact).result;
            const std::string inside = n <= 12 ? std::string(kStepsHeading) : "阶数大于 12";
            EXPECT_TRUE(testing::oneStretchAdded(off, on, inside))
                << c.command->id << " order " << n;
        }
    }
}

INSTANTIATE_TEST_SUITE_P(Commands, StepsAroundTheReport,
                         ::testing::Values(CommandCase{&commands::CMatrixJudge, false},
                                           CommandCase{&commands::StrictMatrixJudge, false},
                                           CommandCase{&commands::VectorModel, true},
                                           CommandCase{&commands::MatrixModel, false}),
                         [](const auto& info) { return std::string(info.param.command->id); });

} // namespace
} // namespace quorvex
