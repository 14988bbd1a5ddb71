#include "reading/expression.h"
#include "reading/number_text.h"
#include "support.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <charconv>
#include <cmath>
#include <cstdio>
#include <cstring>
#include <random>
#include <string>

namespace quorvex {
namespace {

using testing::byHand;

TEST(Rounding, HalvesToEvenLargeAndNonFiniteValuesPassThrough) {
    for (const auto& r : testing::table("rounding"))
        EXPECT_EQ(roundTo(byHand(r[0]), std::stoi(r[1])), byHand(r[2])) << r[0] << " to " << r[1];
    EXPECT_TRUE(std::isnan(roundTo(NAN, 3)));
    // A value that rounds to zero keeps its sign.
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

TEST(NumberWriting, WritesTheReportForm) {
    for (const auto& r : testing::table("number_writing"))
        EXPECT_EQ(numberText(byHand(r[0])), r[1]) << r[0];
}

TEST(NumberWriting, MatchesPrintfUpperG15OnAnyBitsAndOnShortDecimals) {
    std::mt19937_64 rng(11);
    std::uniform_int_distribution<unsigned long long> bits;
    char buf[64];
    for (int i = 0; i < 200000; ++i) {
        double x;
        const unsigned long long b = bits(rng);
        std::memcpy(&x, &b, sizeof x);
        if (!std::isfinite(x) || x == 0) continue;
        std::snprintf(buf, sizeof buf, "%.15G", x);
        ASSERT_EQ(numberText(x), buf);
    }
    // Values typed or rounded to a few decimals take the fast path.
    std::uniform_int_distribution<long long> mantissa(-999999999999999LL, 999999999999999LL);
    std::uniform_int_distribution<int> scale(-30, 30);
    for (int i = 0; i < 200000; ++i) {
        const double x =
            static_cast<double>(mantissa(rng) >> (i % 50)) * std::pow(10.0, scale(rng));
        std::snprintf(buf, sizeof buf, "%.15G", x);
        ASSERT_EQ(numberText(x), std::strcmp(buf, "-0") == 0 ? "0" : buf) << x;
    }
}

TEST(NumberWriting, RoundedWritingEqualsRoundThenWrite) {
    std::mt19937_64 rng(17);
    std::uniform_real_distribution<double> value(-1e6, 1e6);
    char a[kMaxNumberText], b[kMaxNumberText];
    auto check = [&](double x, int d) {
        ASSERT_EQ(std::string(a, writeRounded(a, x, d)),
                  std::string(b, writeNumber(b, roundTo(x, d))))
            << x << " to " << d;
    };
    for (int i = 0; i < 300000; ++i) check(value(rng) * std::pow(10.0, (i % 41) - 20), i % 18);
    for (double x :
         {0.0, -0.0, -0.0000001, 1e300, -1e300, HUGE_VAL, -HUGE_VAL, double(NAN), 2.5, 0.125})
        for (int d = 0; d <= 17; ++d) check(x, d);
}

TEST(LeadingNumber, ReadsLikeAnAnswerReader) {
    for (const auto& r : testing::table("leading_number"))
        EXPECT_EQ(readLeadingNumber(r[0]), byHand(r[1])) << r[0];
}

TEST(LeadingNumber, VeryLongNumbersKeepTheirMagnitude) {
    const std::string zeros(2000000, '0');
    const struct {
        std::string text;
        double value;
    } cases[] = {
        {"1" + zeros + "e-99999999", 0.0},
        {"0." + zeros + "1e+99999999", HUGE_VAL},
        {"1" + zeros + "e-1999990", 1e10},
        {"0." + zeros + "25e+2000000", 0.25},
        {"1e-99999999999999999999999", 0.0},
        {"0.001e+99999999999999999999", HUGE_VAL},
        {"1e-0000000000000000000005", 1e-5},
        {"4e-324", 4.9406564584124654e-324},
        {"2e-324", 0.0},
        {"1.7976931348623158e308", 1.7976931348623157e308},
        {"1.8e308", HUGE_VAL},
        // Halfway between two doubles, rounded to even unless a nonzero
        // digit follows, however far behind.
        {"9007199254740993." + std::string(1000, '0'), 9007199254740992.0},
        {"9007199254740993." + std::string(1000, '0') + "1", 9007199254740994.0},
        {"0." + zeros, 0.0},
    };
    for (const auto& c : cases)
        EXPECT_EQ(readLeadingNumber(c.text), c.value)
            << c.text.substr(0, 40) << " (" << c.text.size() << ")";
}

TEST(LeadingNumber, PaddedDigitsReadAsTheShortForm) {
    // Zeros after the digits, or zeros before them paid for in the exponent,
    // leave any double as it was, through the reading of long mantissas.
    std::mt19937_64 rng(23);
    std::uniform_int_distribution<unsigned long long> bits;
    const std::string zeros(500, '0');
    for (int i = 0; i < 20000; ++i) {
        double x;
        const unsigned long long b = bits(rng) >> 1; // positive
        std::memcpy(&x, &b, sizeof x);
        if (!std::isfinite(x) || x == 0) continue;
        char buf[64];
        const auto end = std::to_chars(buf, buf + sizeof buf, x, std::chars_format::scientific).ptr;
        const std::string text(buf, end);
        const std::size_t e = text.find('e');
        std::string mantissa = text.substr(0, e);
        if (mantissa.find('.') == std::string::npos) mantissa += '.';
        const int exponent = std::stoi(text.substr(e + 1));
        std::string digits = mantissa;
        digits.erase(std::remove(digits.begin(), digits.end(), '.'), digits.end());
        ASSERT_EQ(readLeadingNumber(mantissa + zeros + "e" + std::to_string(exponent)), x) << text;
        ASSERT_EQ(readLeadingNumber("0." + zeros + digits + "e" + std::to_string(exponent + 501)),
                  x)
            << text;
    }
}

TEST(LeadingNumber, OrderAndDecimalsAnswersRoundHalfEvenWithinTheirLimits) {
    for (const auto& r : testing::table("order_answer")) {
        if (r[1] == "refused") EXPECT_FALSE(orderFromAnswer(r[0])) << r[0];
        else EXPECT_EQ(orderFromAnswer(r[0]), std::stoi(r[1])) << r[0];
    }
    for (const auto& r : testing::table("decimals_answer"))
        EXPECT_EQ(decimalDigitsFromAnswer(r[0]), std::stoi(r[1])) << r[0];
}

} // namespace
} // namespace quorvex
