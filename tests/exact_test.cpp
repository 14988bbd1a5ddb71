#include "exact/exact_expression.h"
#include "exact/exact_matrix.h"
#include "reading/expression.h"
#include "reading/matrix_text.h"
#include "reading/vector_text.h"
#include "support.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <random>
#include <string>
#include <vector>

namespace quorvex {
namespace {

Rational q(const char* text) {
    Rational r(text);
    r.canonicalize();
    return r;
}

TEST(ExactExpression, TypedNumbersAndArithmeticAreExact) {
    for (const auto& r : testing::table("exact_values")) {
        const auto v = EvaluateExactly(r[0]);
        EXPECT_EQ(v ? rationalText(*v) : "none", r[1]) << r[0];
    }
    // Exact arithmetic does not overflow where doubles do.
    mpz_class big;
    mpz_ui_pow_ui(big.get_mpz_t(), 10, 400);
    EXPECT_EQ(EvaluateExactly("10^400"), Rational(big));
}

TEST(ExactExpression, NumbersUpToTheDigitLimitAreExactBeyondItTooLong) {
    const auto power = [](unsigned long base, unsigned long e) {
        mpz_class p;
        mpz_ui_pow_ui(p.get_mpz_t(), base, e);
        return Rational(p);
    };
    // 10^8000, 10^10000 - 1 (the most that fits), 10^10000 typed, written out
    // or computed are case files.
    const std::string nines(10000, '9');
    const struct {
        std::string text;
        ExactValue::Kind kind;
        Rational value;
    } cases[] = {
        {"2^20000", ExactValue::Kind::Exact, power(2, 20000)},
        {std::string("-").append(nines).append("/3"), ExactValue::Kind::Exact,
         (1 - power(10, 10000)) / 3},
        {"0.1^9999", ExactValue::Kind::Exact, 1 / power(10, 9999)},
        {"0.1^10000", ExactValue::Kind::TooLong, 0},
        {"1/10^20000", ExactValue::Kind::TooLong, 0},
        {"2^99999999", ExactValue::Kind::TooLong, 0},
        {"sqr(2)*10^20000", ExactValue::Kind::Inexact, 0},
    };
    for (const auto& c : cases) {
        const ExactValue v = exactValueOf(c.text);
        EXPECT_EQ(v.kind, c.kind) << c.text.substr(0, 40);
        if (c.kind == ExactValue::Kind::Exact) {
            EXPECT_EQ(v.value, c.value) << c.text.substr(0, 40);
        }
    }
}

TEST(ExactExpression, PlainDecimalsReadAsTheEvaluatorReadsThem) {
    // Plain decimals are read apart from the evaluator; in parentheses the
    // same text goes through it, so both must give the same value and kind.
    std::vector<std::string> texts = {"0",
                                      "-0",
                                      "007.50",
                                      "-000.000",
                                      "1.",
                                      ".5",
                                      "-",
                                      "1.2.3",
                                      "--1",
                                      "1e3",
                                      "+2",
                                      "1000846.586303",
                                      "-489.372087",
                                      std::string(18, '9'),
                                      std::string(19, '9'),
                                      "-" + std::string(17, '9') + ".9"};
    std::mt19937 rng(4);
    std::uniform_int_distribution<int> digit(0, 9), length(1, 20), sign(0, 1);
    for (int t = 0; t < 3000; ++t) {
        std::string text = sign(rng) ? "-" : "";
        const int digits = length(rng);
        const int point = std::uniform_int_distribution<int>(0, digits)(rng);
        for (int k = 0; k < digits; ++k) {
            if (k == point && k > 0) text += '.';
            text += static_cast<char>('0' + digit(rng));
        }
        texts.push_back(text);
    }
    for (const std::string& text : texts) {
        const ExactValue plain = exactValueOf(text);
        const ExactValue evaluated = exactValueOf("(" + text + ")");
        EXPECT_EQ(plain.kind, evaluated.kind) << text;
        EXPECT_EQ(plain.value, evaluated.value) << text;
    }
}

TEST(ExactExpression, AgreesWithTheDecimalEvaluator) {
    // Random expressions of small integers and decimals: the exact value,
    // rounded, is what the decimal evaluator computes, to rounding error.
    std::mt19937 rng(9);
    const char* ops[] = {"+", "-", "*", "/"};
    std::uniform_int_distribution<int> digit(1, 99), op(0, 3), len(1, 6);
    for (int t = 0; t < 2000; ++t) {
        std::string text = std::to_string(digit(rng));
        for (int k = len(rng); k > 0; --k) {
            text += ops[op(rng)];
            if (k % 3 != 0) {
                text += std::to_string(digit(rng));
                continue;
            }
            text += '(';
            text += std::to_string(digit(rng));
            text += '.';
            text += std::to_string(digit(rng));
            text += '-';
            text += std::to_string(digit(rng));
            text += ')';
        }
        const auto exact = EvaluateExactly(text);
        ASSERT_TRUE(exact.has_value()) << text;
        const double decimal = EvaluateExpression(text);
        EXPECT_NEAR(exact->get_d(), decimal, 1e-9 * std::max(1.0, std::fabs(decimal))) << text;
    }
}

TEST(ExactMatrixText, ReadsTheEntriesTheDecimalReaderReads) {
    const std::string text = "1, 2.5  1/3\r\n4 sqr(2)\r\n\r\npi 0.1 7 99\r\n";
    const ExactMatrixReading exact = GetExactMatrixFromText(4, 3, text);
    Matrix decimal(3, 4); // the decimal reader reads n x (n+1)
    GetMatrixFromText(decimal, 3, text);
    for (int i = 1; i <= 3; ++i) {
        for (int j = 1; j <= 3; ++j) {
            const bool named = std::find(exact.inexact.begin(), exact.inexact.end(),
                                         EntryPlace{i, j}) != exact.inexact.end();
            if (named) continue;
            EXPECT_NEAR(exact.values(i, j).get_d(), decimal(i, j), 1e-15) << i << j;
        }
    }
    // Missing entries inherit the row above's, text and exactness with them.
    EXPECT_EQ(exact.values(2, 3), q("1/3"));
    EXPECT_EQ(exact.text(2, 3), "1/3");
    EXPECT_EQ(exact.text(2, 2), "sqr(2)");
    EXPECT_EQ(exact.values(3, 2), q("1/10"));
    const std::vector<EntryPlace> inexact = {{2, 2}, {3, 1}};
    EXPECT_EQ(exact.inexact, inexact);
    // A used-up text reads 0 first, then what the row above held.
    EXPECT_EQ(exact.values(4, 1), 0);
    EXPECT_EQ(exact.values(4, 3), 7);
}

TEST(ExactVectorText, ReadsTheElementsTheDecimalReaderReads) {
    auto rows = testing::table("exact_vector_text");
    rows.push_back({""}); // no element at all
    for (const auto& r : rows) {
        const ExactVectorReading exact = GetExactVectorFromText(r[0]);
        const Vector decimal = GetVectorFromText(r[0]);
        ASSERT_EQ(exact.values.size(), decimal.size()) << r[0];
        ASSERT_EQ(exact.values.size() + 1, static_cast<int>(r.size())) << r[0];
        std::vector<EntryPlace> inexact;
        for (int i = 1; i <= decimal.size(); ++i) {
            const std::string& value = r[static_cast<std::size_t>(i)];
            if (value == "none") {
                inexact.push_back({1, i});
                continue;
            }
            EXPECT_EQ(exact.values(i), q(value.c_str())) << r[0] << " element " << i;
            EXPECT_NEAR(exact.values(i).get_d(), decimal(i), 1e-15) << r[0] << " element " << i;
        }
        EXPECT_EQ(exact.inexact, inexact) << r[0];
    }
}

} // namespace
} // namespace quorvex
