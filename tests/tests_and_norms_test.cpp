#include "methods/tests_and_norms.h"
#include "norm_routines.h"
#include "scripted_host.h"
#include "vector_text.h"

#include <gtest/gtest.h>

#include <cmath>

namespace quorvex {
namespace {

using testing::ScriptedHost;

struct VectorCase {
    const char* name;
    std::string text;
    std::vector<double> expected;
};

void PrintTo(const VectorCase& c, std::ostream* os) { *os << c.name; }

class VectorText : public ::testing::TestWithParam<VectorCase> {};

TEST_P(VectorText, ReadsTheFirstLineThatHoldsAnything) {
    const VectorCase& c = GetParam();
    const Vector v = GetVectorFromText(c.text);
    std::vector<double> got;
    for (int i = 1; i <= v.size(); ++i) got.push_back(v(i));
    EXPECT_EQ(got, c.expected);
}

INSTANTIATE_TEST_SUITE_P(
    Texts, VectorText,
    ::testing::Values(
        VectorCase{"Plain", "3 -4", {3, -4}},
        VectorCase{"LeadingEmptyLinesAndBlanks", "\r\n\r\n   1 2\r\n3 4", {1, 2}},
        VectorCase{"LoneCarriageReturnEndsTheLine", "1 2\r3 4", {1, 2}},
        VectorCase{"LoneLineFeedEndsTheLine", "\n1 2\n3 4", {1, 2}},
        VectorCase{"BlankRunsAndTrailingBlank", "1     2         3 ", {1, 2, 3}},
        // The cleaning passes of typed input leave two blanks of a run of
        // 287; a run of any length still separates just two elements.
        VectorCase{"VeryLongBlankRun", "1" + std::string(287, ' ') + "2", {1, 2}},
        VectorCase{"CommasAreNotSeparators", "1,2,3", {1}},
        VectorCase{"Expressions", "1/2 2^3 sqr(16)", {0.5, 8, 4}},
        VectorCase{"RowMarkEndsTheLine", "1 2#3", {1, 2}},
        VectorCase{"RowMarkFirst", "#5 6", {}},
        VectorCase{"Empty", "", {}},
        VectorCase{"OnlyBlanksAndLineBreaks", "  \r\n \n  ", {}}),
    [](const auto& info) { return std::string(info.param.name); });

Vector vectorOf(std::initializer_list<double> values) {
    Vector v(static_cast<int>(values.size()));
    int i = 1;
    for (double x : values) v(i++) = x;
    return v;
}

TEST(MaxAbsElement, SignKeptFirstOfEqualsSinglePrecision) {
    EXPECT_EQ(MaxAbsElement(vectorOf({1, -3, 2}), 3), -3.0f);
    EXPECT_EQ(MaxAbsElement(vectorOf({-2, 2}), 2), -2.0f);
    EXPECT_EQ(MaxAbsElement(vectorOf({2, -2}), 2), 2.0f);
    // Apart in double, equal in single: the first is kept.
    EXPECT_EQ(MaxAbsElement(vectorOf({-(1 + 0x1p-40), 1 + 0x1p-30}), 2), -1.0f);
    const float tenth = MaxAbsElement(vectorOf({0.1}), 1);
    EXPECT_EQ(tenth, 0.1f);
    EXPECT_NE(static_cast<double>(tenth), 0.1);
}

Matrix matrixOf(std::initializer_list<std::initializer_list<double>> rows) {
    const int n = static_cast<int>(rows.size());
    Matrix m(n, n + 1);
    int i = 1;
    for (auto r : rows) {
        int j = 1;
        for (double v : r) m(i, j++) = v;
        ++i;
    }
    return m;
}

TEST(SpectralNormEstimate, FaultsGiveZero) {
    // AᵀA = (1 -1; -1 1) sends (1, 1) to 0: every divisor is 0, x never
    // changes and the estimate stays 0, although the 2-norm is sqrt(2).
    EXPECT_EQ(spectralNormEstimate(matrixOf({{1, -1}, {0, 0}}), 2), 0.0);
    // Here the last divisor of the thirtieth sweep is negative (AᵀA =
    // (4 -4; -4 5): by the second sweep the divisors are -4 and -5.25, and
    // they stay of mixed sign); its square root faults, leaving 0.
    EXPECT_EQ(spectralNormEstimate(matrixOf({{-2, 2}, {0, 1}}), 2), 0.0);
}

TEST(SpectralNormEstimate, DivisorsAreSinglePrecision) {
    // Order 1 with a = 1 + 2^-41: the divisors are powers of a² = 1 + 2^-40
    // (at most 1 + 30 * 2^-40), all 1 in single precision, so the estimate
    // is exactly 1 where the F-norm shows a itself.
    const double a = 1 + 0x1p-41;
    const Matrix m = matrixOf({{a}});
    EXPECT_EQ(spectralNormEstimate(m, 1), 1.0);
    EXPECT_EQ(frobeniusNorm(m, 1), a);
}

TEST(Norms, OnlyTheLeadingSquareCounts) {
    // Column 3 is the right-hand side of an augmented matrix.
    const Matrix a = matrixOf({{1, -2, 100}, {3, 4, 100}});
    EXPECT_EQ(columnSumNorm(a, 2), 6);
    EXPECT_EQ(rowSumNorm(a, 2), 7);
    EXPECT_EQ(frobeniusNorm(a, 2), std::sqrt(30.0));
}

struct OrderPrompt {
    const char* name;
    CommandHandler run;
    const char* prompt;
    const char* caption;
};

void PrintTo(const OrderPrompt& c, std::ostream* os) { *os << c.name; }

class MatrixCommand : public ::testing::TestWithParam<OrderPrompt> {};

TEST_P(MatrixCommand, AsksTheOrderAndKeepsThePreviousReportOnCancel) {
    const OrderPrompt& c = GetParam();
    for (const char* answer : {"", "0", "-2", "x"}) {
        ScriptedHost host("1 2\n3 4\n", {answer});
        host.result = "earlier report";
        EXPECT_EQ(c.run(host), Outcome::Stopped) << answer;
        EXPECT_EQ(host.result, "earlier report") << answer;
        ASSERT_EQ(host.dialogs.size(), 1u);
        EXPECT_EQ(host.dialogs[0].text, c.prompt);
        EXPECT_EQ(host.dialogs[0].caption, c.caption);
        EXPECT_EQ(host.dialogs[0].defaultAnswer, "");
    }
}

INSTANTIATE_TEST_SUITE_P(
    Commands, MatrixCommand,
    ::testing::Values(
        OrderPrompt{"PositiveDefinite", &CMatrixJudge_Click, "输入矩阵的阶数 n：", "Quorvex"},
        OrderPrompt{"DiagonalDominance", &StrictMatrixJudge_Click, "输入矩阵的阶数 n：",
                    "Quorvex"},
        OrderPrompt{"MatrixNorms", &MatrixModel_Click, "输入数组的阶数 n：", "输入数据"}),
    [](const auto& info) { return std::string(info.param.name); });

struct VerdictCase {
    const char* name;
    std::string matrix;
    int order;
    std::string verdict; ///< the report's last line, without its CR LF
};

void PrintTo(const VerdictCase& c, std::ostream* os) { *os << c.name; }

class PositiveDefiniteVerdict : public ::testing::TestWithParam<VerdictCase> {};

TEST_P(PositiveDefiniteVerdict, LastLine) {
    const VerdictCase& c = GetParam();
    ScriptedHost host(c.matrix, {std::to_string(c.order)});
    ASSERT_EQ(CMatrixJudge_Click(host), Outcome::Reported);
    EXPECT_TRUE(host.result.ends_with("\r\n\r\n" + c.verdict + "\r\n")) << host.result;
}

const std::string kDefinite = "该矩阵各阶顺序主子式的值全大于 0 ，是正定矩阵。";
const std::string kNotSymmetric =
    "该矩阵各阶顺序主子式的值全大于 0 ，但该矩阵不对称，本判断不认为它是正定矩阵。";

INSTANTIATE_TEST_SUITE_P(
    Matrices, PositiveDefiniteVerdict,
    ::testing::Values(
        VerdictCase{"Symmetric", "4 1 0\n1 3 1\n0 1 2\n", 3, kDefinite},
        VerdictCase{"UpperTriangular", "1 5\n0 1\n", 2, kNotSymmetric},
        // Symmetric as far as the 15 digits shown, not in the stored values.
        VerdictCase{"NearlySymmetric", "2 1/3\n0.333333333333333 2\n", 2, kNotSymmetric},
        // The pivot 0.00000001 of the second minor is lost to the seven
        // decimals the determinant keeps.
        VerdictCase{"TinySecondPivot", "1 0\n0 0.00000001\n", 2,
                    "第 2 阶顺序主子式的值不大于 0 ，该矩阵非正定。"},
        VerdictCase{"UndefinedMinor", "0/0\n", 1, "第 1 阶顺序主子式的值不大于 0 ，该矩阵非正定。"}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(VectorNorms, ElementCountIsASixteenBitInteger) {
    std::string line;
    for (int i = 0; i < 32767; ++i) line += "1 ";
    ScriptedHost fits(line, {});
    ASSERT_EQ(VectorModel_Click(fits), Outcome::Reported);
    EXPECT_NE(fits.result.find("向量的1范数为： 32767\r\n"), std::string::npos);
    ScriptedHost overflows(line + "1", {});
    overflows.result = "earlier report";
    EXPECT_EQ(VectorModel_Click(overflows), Outcome::Stopped);
    EXPECT_EQ(overflows.result, "");
    EXPECT_TRUE(overflows.dialogs.empty());
}

} // namespace
} // namespace quorvex
