#include "report/report.h"

#include "reading/number_text.h"

#include <gtest/gtest.h>

#include <cmath>
#include <random>
#include <string>

namespace quorvex {
namespace {

/// The block as a straightforward loop writes it, number by number.
std::string referenceBlock(const Matrix& m, int rows, int cols, std::string_view separator,
                           NumberStyle style, int firstCol, std::string_view rowEnd) {
    std::string out;
    char buf[kMaxNumberText];
    for (int i = 1; i <= rows; ++i) {
        for (int j = firstCol; j <= cols; ++j) {
            out.append(separator);
            char* end = style.decimals == NumberStyle::kPlain
                            ? writeNumber(buf, m(i, j))
                            : writeRounded(buf, m(i, j), style.decimals);
            out.append(buf, end);
        }
        out.append(rowEnd);
    }
    return out;
}

TEST(ReportBlocks, LargeBlocksMatchAStraightforwardWriter) {
    // 451 x 452 numbers of up to 23 characters: many times the builder's
    // 64 KiB chunk, with rows that straddle its boundaries, and enough
    // numbers (all but the last case) to be written on several cores.
    std::mt19937_64 rng(3);
    std::uniform_real_distribution<double> mantissa(-1.0, 1.0);
    std::uniform_int_distribution<int> exponent(-30, 30);
    const int rows = 451, cols = 452;
    Matrix m(rows, cols);
    for (int i = 1; i <= rows; ++i)
        for (int j = 1; j <= cols; ++j) m(i, j) = mantissa(rng) * std::pow(10.0, exponent(rng));
    m(7, 3) = HUGE_VAL;
    m(9, 9) = -0.0;
    const std::string wide(300, ' ');
    const struct {
        std::string_view separator;
        NumberStyle style;
        int firstCol;
        std::string_view rowEnd;
    } cases[] = {
        {kTwoBlanks, NumberStyle::plain(), 1, kCrLf},
        {kFiveBlanks, NumberStyle::rounded(16), 1, "\r\n\r\n"},
        {kFourBlanks, NumberStyle::rounded(3), 400, kCrLf},
        {wide, NumberStyle::plain(), 430, kCrLf},
    };
    for (const auto& c : cases) {
        Report r;
        r.text("head");
        r.matrixBlock(m, rows, cols, c.separator, c.style, c.firstCol, c.rowEnd);
        const std::string expected =
            "head" + referenceBlock(m, rows, cols, c.separator, c.style, c.firstCol, c.rowEnd);
        const std::string got = r.plainText();
        ASSERT_EQ(got.size(), expected.size()) << c.separator.size() << " " << c.style.decimals;
        EXPECT_TRUE(got == expected) << c.separator.size() << " " << c.style.decimals;
    }
}

TEST(ReportBlocks, LargeExactBlocksMatchAStraightforwardWriter) {
    // 61 x 62 fractions of some 900 digits each: enough digits to be written
    // on several cores, in rounds of rows that do not divide the rows evenly.
    std::mt19937_64 rng(5);
    const int rows = 61, cols = 62;
    RationalMatrix m(rows, cols);
    mpz_class big;
    mpz_ui_pow_ui(big.get_mpz_t(), 7, 1000);
    for (int i = 1; i <= rows; ++i)
        for (int j = 1; j <= cols; ++j) {
            m(i, j) = Rational(big * static_cast<long>(rng() % 1000 + 1) - i,
                               big + static_cast<long>(rng() % 97 + j));
            m(i, j).canonicalize();
        }
    m(3, 4) = 0;
    Report r;
    r.text("head");
    r.matrixBlock(m, rows, cols, kTwoBlanks, NumberStyle::plain(), 2, "\r\n\r\n");
    std::string expected = "head";
    for (int i = 1; i <= rows; ++i) {
        for (int j = 2; j <= cols; ++j) expected.append(kTwoBlanks).append(m(i, j).get_str());
        expected.append("\r\n\r\n");
    }
    const std::string got = r.plainText();
    ASSERT_GT(got.size(), std::size_t{3} << 20);
    ASSERT_EQ(got.size(), expected.size());
    EXPECT_TRUE(got == expected);
}

} // namespace
} // namespace quorvex
