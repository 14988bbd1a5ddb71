#include "methods/tests_and_norms.h"
#include "numerics/norm_routines.h"
#include "reading/number_text.h"
#include "reading/vector_text.h"
#include "scripted_host.h"
#include "support.h"

#include <gtest/gtest.h>

#include <cmath>

namespace quorvex {
namespace {

using testing::ScriptedHost;

/// The elements read from the text, joined by blanks.
std::string elementsOf(const std::string& text) {
    const Vector v = GetVectorFromText(text);
    std::string out;
    for (int i = 1; i <= v.size(); ++i) out.append(i > 1 ? " " : "").append(numberText(v(i)));
    return out;
}

TEST(VectorText, ReadsTheFirstLineThatHoldsAnything) {
    for (const auto& r : testing::table("vector_text")) EXPECT_EQ(elementsOf(r[0]), r[1]) << r[0];
    // The cleaning passes of typed input leave two blanks of a run of 287; a
    // run of any length still separates just two elements.
    EXPECT_EQ(elementsOf("1" + std::string(287, ' ') + "2"), "1 2");
}

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
    // Where AᵀA overflows double precision, or holds an infinity (the
    // sweeps' sign changes, zero divisors and overflow of single precision
    // are case files).
    for (const double a : {1e200, HUGE_VAL}) {
        Matrix m(2, 3);
        m(1, 1) = a, m(2, 2) = 1, m(1, 3) = 7;
        EXPECT_DOUBLE_EQ(spectralNormEstimate(m, 2), a) << a;
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
