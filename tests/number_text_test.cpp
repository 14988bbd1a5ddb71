#include "number_text.h"

#include <gtest/gtest.h>

#include <cmath>
#include <cstdio>
#include <cstring>
#include <random>
#include <ostream>
#include <string>

namespace quorvex {
namespace {

TEST(Rounding, HalvesGoToTheEvenNeighbour) {
    EXPECT_EQ(roundTo(2.5, 0), 2);
    EXPECT_EQ(roundTo(3.5, 0), 4);
    EXPECT_EQ(roundTo(-2.5, 0), -2);
    EXPECT_EQ(roundTo(0.125, 2), 0.12);
    EXPECT_EQ(roundTo(0.375, 2), 0.38);
    EXPECT_EQ(roundTo(2.0 / 3.0, 7), 0.6666667);
    EXPECT_EQ(roundTo(1.0 / 3.0, 6), 0.333333);
}

TEST(Rounding, LargeAndNonFiniteValuesPassThrough) {
    EXPECT_EQ(roundTo(1e300, 6), 1e300);
    EXPECT_EQ(roundTo(123456789012.345678, 6), 123456789012.345678);
    EXPECT_EQ(roundTo(HUGE_VAL, 3), HUGE_VAL);
    EXPECT_TRUE(std::isnan(roundTo(NAN, 3)));
}

TEST(Rounding, ZeroKeepsItsSign) {
    EXPECT_TRUE(std::signbit(roundTo(-0.0000001, 3)));
    EXPECT_FALSE(std::signbit(roundTo(0.0000001, 3)));
}

TEST(Rounding, AgreesWithNearbyintDefinition) {
    std::mt19937_64 rng(7);
    std::uniform_real_distribution<double> dist(-1e6, 1e6);
    for (int i = 0; i < 100000; ++i) {
        const double x = dist(rng) / (1 + (i % 97));
        const int d = i % 18;
        const double p = std::pow(10.0, d);
        const double y = x * p;
        const double expected = std::fabs(y) >= 4503599627370496.0 ? x : std::nearbyint(y) / p;
        ASSERT_EQ(roundTo(x, d), expected) << x << " " << d;
    }
}

struct WriteCase {
    const char* name;
    double value;
    const char* text;
};

// Names the case in test listings instead of dumping its bytes.
void PrintTo(const WriteCase& c, std::ostream* os) { *os << c.name; }


class NumberWriting : public ::testing::TestWithParam<WriteCase> {};

TEST_P(NumberWriting, WritesTheReportForm) {
    EXPECT_EQ(numberText(GetParam().value), GetParam().text);
}

const WriteCase kWriteCases[] = {
    {"Half", 0.5, "0.5"},
    {"Integer", 2, "2"},
    {"Negative", -1.25, "-1.25"},
    {"OneThird", 1.0 / 3.0, "0.333333333333333"},
    {"HundredThousandth", 0.00001, "1E-05"},
    {"TenThousandth", 0.0001, "0.0001"},
    {"TenToFifteen", 1e15, "1E+15"},
    {"FifteenDigitInteger", 999999999999999.0, "999999999999999"},
    {"OneAndHalfE20", 1.5e20, "1.5E+20"},
    {"NegativeZero", -0.0, "0"},
    {"Zero", 0.0, "0"},
    {"Infinity", HUGE_VAL, "Infinity"},
    {"MinusInfinity", -HUGE_VAL, "-Infinity"},
    {"NotANumber", NAN, "NaN"},
    {"RoundedToFifteenDigits", 0.1 + 0.2, "0.3"},
    {"TinyExponent", 1.5e-300, "1.5E-300"},
};

INSTANTIATE_TEST_SUITE_P(Cases, NumberWriting, ::testing::ValuesIn(kWriteCases),
                         [](const auto& info) { return std::string(info.param.name); });

TEST(NumberWritingProperty, MatchesPrintfUpperG15) {
    std::mt19937_64 rng(11);
    std::uniform_int_distribution<unsigned long long> bits;
    char buf[64];
    for (int i = 0; i < 200000; ++i) {
        double x;
        unsigned long long b = bits(rng);
        std::memcpy(&x, &b, sizeof x);
        if (!std::isfinite(x) || x == 0) continue;
        std::snprintf(buf, sizeof buf, "%.15G", x);
        ASSERT_EQ(numberText(x), buf);
    }
}

TEST(NumberWritingProperty, ShortDecimalsMatchPrintfUpperG15) {
    // Values typed or rounded to a few decimals take the fast path.
    std::mt19937_64 rng(13);
    std::uniform_int_distribution<long long> mantissa(-999999999999999LL, 999999999999999LL);
    std::uniform_int_distribution<int> scale(-30, 30);
    char buf[64];
    for (int i = 0; i < 200000; ++i) {
        const double x = static_cast<double>(mantissa(rng) >> (i % 50)) * std::pow(10.0, scale(rng));
        std::snprintf(buf, sizeof buf, "%.15G", x);
        const std::string expected = std::strcmp(buf, "-0") == 0 ? "0" : buf;
        ASSERT_EQ(numberText(x), expected) << x;
    }
}

TEST(NumberWritingProperty, RoundedWritingEqualsRoundThenWrite) {
    std::mt19937_64 rng(17);
    std::uniform_real_distribution<double> value(-1e6, 1e6);
    char a[kMaxNumberText], b[kMaxNumberText];
    for (int i = 0; i < 300000; ++i) {
        const double x = value(rng) * std::pow(10.0, (i % 41) - 20);
        const int d = i % 18;
        const std::string fast(a, writeRounded(a, x, d));
        const std::string slow(b, writeNumber(b, roundTo(x, d)));
        ASSERT_EQ(fast, slow) << x << " to " << d;
    }
    for (double x : {0.0, -0.0, -0.0000001, 1e300, -1e300, HUGE_VAL, -HUGE_VAL, double(NAN), 2.5, 0.125})
        for (int d = 0; d <= 17; ++d) {
            const std::string fast(a, writeRounded(a, x, d));
            const std::string slow(b, writeNumber(b, roundTo(x, d)));
            ASSERT_EQ(fast, slow) << x << " to " << d;
        }
}

TEST(LeadingNumber, ReadsLikeAnAnswerReader) {
    EXPECT_EQ(readLeadingNumber("  3abc"), 3);
    EXPECT_EQ(readLeadingNumber("-2.5e1x"), -25);
    EXPECT_EQ(readLeadingNumber("+.5"), 0.5);
    EXPECT_EQ(readLeadingNumber("abc"), 0);
    EXPECT_EQ(readLeadingNumber(""), 0);
    EXPECT_EQ(readLeadingNumber("1e"), 1);
    EXPECT_EQ(readLeadingNumber("1.2.3"), 1.2);
    EXPECT_EQ(readLeadingNumber("1e999"), HUGE_VAL);
}

TEST(LeadingNumber, OrderAnswers) {
    EXPECT_EQ(orderFromAnswer("2.5"), 2);
    EXPECT_EQ(orderFromAnswer("3.5"), 4);
    EXPECT_EQ(orderFromAnswer("3.7"), 4);
    EXPECT_EQ(orderFromAnswer("3abc"), 3);
    EXPECT_EQ(orderFromAnswer("32766"), 32766);
    EXPECT_FALSE(orderFromAnswer("32767"));
    EXPECT_FALSE(orderFromAnswer("0"));
    EXPECT_FALSE(orderFromAnswer("-3"));
    EXPECT_FALSE(orderFromAnswer(""));
    EXPECT_FALSE(orderFromAnswer("   "));
    EXPECT_FALSE(orderFromAnswer("0.4"));
    EXPECT_FALSE(orderFromAnswer("1e300"));
}

TEST(LeadingNumber, DecimalsSetting) {
    EXPECT_EQ(decimalDigitsFromAnswer("0"), 1);
    EXPECT_EQ(decimalDigitsFromAnswer("-3"), 1);
    EXPECT_EQ(decimalDigitsFromAnswer(""), 1);
    EXPECT_EQ(decimalDigitsFromAnswer("17"), 16);
    EXPECT_EQ(decimalDigitsFromAnswer("100000"), 16);
    EXPECT_EQ(decimalDigitsFromAnswer("2.5"), 2);
    EXPECT_EQ(decimalDigitsFromAnswer("3.5"), 4);
    EXPECT_EQ(decimalDigitsFromAnswer("12abc"), 12);
}

} // namespace
} // namespace quorvex
