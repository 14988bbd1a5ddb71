#include "reading/expression.h"
#include "reading/number_text.h"
#include "support.h"

#include <gtest/gtest.h>

#include <cmath>
#include <cstring>
#include <random>
#include <string>

namespace quorvex {
namespace {

TEST(Expression, EvaluatesToExactValue) {
    for (const auto& r : testing::table("expression_values"))
        EXPECT_EQ(EvaluateExpression(r[0]), testing::byHand(r[1])) << r[0];
}

TEST(Expression, PlainDecimalsReadAsTheirCorrectlyRoundedValue) {
    // Signs, points anywhere, leading zeros, up to 17 digits (the short ones
    // take a quicker road) and a row mark: every reading must be the one
    // decimalValue gives, to the bit.
    std::mt19937 gen(5);
    for (int round = 0; round < 50000; ++round) {
        const std::size_t count = 1 + gen() % 17;
        const std::size_t point = gen() % 4 == 0 ? count + 1 : gen() % (count + 1);
        std::string digits;
        for (std::size_t k = 0; k <= count; ++k) {
            if (k == point) digits += '.';
            if (k < count) digits += static_cast<char>('0' + gen() % 10);
        }
        const char* signs[] = {"", "-", "+"};
        const std::string sign = signs[gen() % 3];
        const std::string text = sign + digits + (gen() % 2 ? "#" : "");
        const double expected = decimalValue(digits, sign == "-");
        const double got = EvaluateExpression(text);
        ASSERT_EQ(std::memcmp(&got, &expected, sizeof got), 0) << text;
    }
}

TEST(Expression, LogarithmsAgreeWithinRounding) {
    EXPECT_NEAR(EvaluateExpression("log10(1000)"), 3.0, 1e-12);
    EXPECT_NEAR(EvaluateExpression("log2(8)"), 3.0, 1e-12);
    EXPECT_NEAR(EvaluateExpression("atn(1)*4"), 3.14159265358979, 1e-12);
}

TEST(Expression, TrigonometricAndExponentialFunctionsEvaluate) {
    // The x rewrite must leave the x of exp alone: exp(1) is e, not 0.
    const struct {
        const char* text;
        double value;
    } cases[] = {
        {"sin(1)", std::sin(1.0)}, {"cos(2)", std::cos(2.0)},         {"tan(0.5)", std::tan(0.5)},
        {"exp(1)", std::exp(1.0)}, {"2*exp(-1)", 2 * std::exp(-1.0)}, {"EXP(x)", 1.0},
        {"sin(x)+cos(x)", 1.0},    {"-exp(2)", -std::exp(2.0)},
    };
    for (const auto& c : cases) EXPECT_EQ(EvaluateExpression(c.text), c.value) << c.text;
}

TEST(Expression, FloatingDivisionByZeroGivesIeeeValues) {
    EXPECT_EQ(EvaluateExpression("1/0"), HUGE_VAL);
    EXPECT_EQ(EvaluateExpression("-1/0"), -HUGE_VAL);
    EXPECT_TRUE(std::isnan(EvaluateExpression("0/0")));
}

TEST(Expression, LongAndDeepExpressionsAreEvaluatedWhole) {
    // 2,491 ones take more than 5,001 steps; none may be left out.
    std::string sum = "1";
    for (int i = 1; i < 2491; ++i) sum += "+1";
    EXPECT_EQ(EvaluateExpression(sum), 2491.0);
    std::string deep(100000, '(');
    deep += "2*3";
    deep += std::string(100000, ')');
    EXPECT_EQ(EvaluateExpression(deep), 6.0);
    std::string product = "1";
    for (int i = 0; i < 60; ++i) product += "*2";
    for (int i = 0; i < 200000; ++i) product += "+0";
    EXPECT_EQ(EvaluateExpression(product), 1152921504606846976.0);
}

} // namespace
} // namespace quorvex
