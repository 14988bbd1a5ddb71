#include "methods/tests_and_norms.h"
#include "numerics/norm_routines.h"
#include "reading/vector_text.h"
#include "scripted_host.h"

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
    ::testing::Values(VectorCase{"LoneCarriageReturnEndsTheLine", "1 2\r3 4", {1, 2}},
                      VectorCase{"LoneLineFeedEndsTheLine", "\n1 2\n3 4", {1, 2}},
                      VectorCase{"BlankRunsAndTrailingBlank", "1     2         3 ", {1, 2, 3}},
                      // The cleaning passes of typed input leave two blanks of a run of
                      // 287; a run of any length still separates just two elements.
                      VectorCase{"VeryLongBlankRun", "1" + std::string(287, ' ') + "2", {1, 2}},
                      VectorCase{"Expressions", "1/2 2^3 sqr(16)", {0.5, 8, 4}},
                      VectorCase{"RowMarkEndsTheLine", "1 2#3", {1, 2}},
                      VectorCase{"TabsAndFullWidthForms",
                                 "\t\n\u3000\uff11\t\uff12\u3000\uff0d\uff13",
                                 {1, 2, -3}},
                      VectorCase{"RowMarkFirst", "#5 6", {}}, VectorCase{"Empty", "", {}}),
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

TEST(SpectralNormEstimate, DivisorsAreSinglePrecision) {
    // Order 1 with a = 1 + 2^-41: the divisors are powers of a² = 1 + 2^-40
    // (at most 1 + 30 * 2^-40), all 1 in single precision, so the estimate
    // is exactly 1 where the F-norm shows a itself.
    const double a = 1 + 0x1p-41;
    Matrix m(1, 2);
    m(1, 1) = a;
    EXPECT_EQ(spectralNormEstimate(m, 1), 1.0);
    EXPECT_EQ(frobeniusNorm(m, 1), a);
}

TEST(SpectralNormEstimate, WhereTheSweepsFailTheLargestSingularValueStandsIn) {
    const double inf = HUGE_VAL;
    const struct {
        const char* name;
        double a, b, c, d, norm;
    } cases[] = {
        // AᵀA = (4 -4; -4 5), eigenvalues (9 ± sqrt(65)) / 2: alternating divisors.
        {"AlternatingSigns", -2, 2, 0, 1, std::sqrt((9 + std::sqrt(65.0)) / 2)},
        // AᵀA = (1 -1; -1 1) maps (1, 1) to 0; eigenvalues 2 and 0.
        {"ZeroDivisors", 1, -1, 0, 0, std::sqrt(2.0)},
        // 1e40 overflows single precision and divides x away.
        {"SinglePrecisionOverflow", 1e20, 0, 0, 1e20, 1e20},
        // AᵀA overflows double precision.
        {"DoubleOverflow", 1e200, 0, 0, 1, 1e200},
        {"InfiniteElement", inf, 0, 0, 1, inf},
        {"ZeroMatrix", 0, 0, 0, 0, 0},
    };
    for (const auto& c : cases) {
        Matrix m(2, 3);
        m(1, 1) = c.a, m(1, 2) = c.b, m(2, 1) = c.c, m(2, 2) = c.d, m(1, 3) = 7;
        EXPECT_DOUBLE_EQ(spectralNormEstimate(m, 2), c.norm) << c.name;
    }
    Matrix nan(1, 1);
    nan(1, 1) = std::nan("");
    EXPECT_TRUE(std::isnan(spectralNormEstimate(nan, 1)));
}

TEST(VectorNorms, ElementCountIsASixteenBitInteger) {
    std::string line;
    for (int i = 0; i < 32767; ++i) line += "1 ";
    ScriptedHost fits(line, {});
    ASSERT_EQ(fits.run(commands::VectorModel), Outcome::Reported);
    EXPECT_NE(fits.result.find("向量的1范数为： 32767\r\n"), std::string::npos);
    ScriptedHost overflows(line + "1", {});
    overflows.result = "earlier report";
    EXPECT_EQ(overflows.run(commands::VectorModel), Outcome::Stopped);
    EXPECT_EQ(overflows.result, "");
    EXPECT_TRUE(overflows.dialogs.empty());
}

} // namespace
} // namespace quorvex
