#pragma once

#include <array>
#include <cmath>
#include <optional>
#include <string>
#include <string_view>

namespace quorvex {

namespace detail {
inline constexpr std::array<double, 23> kPow10 = {1e0,  1e1,  1e2,  1e3,  1e4,  1e5,  1e6,  1e7,
                                                  1e8,  1e9,  1e10, 1e11, 1e12, 1e13, 1e14, 1e15,
                                                  1e16, 1e17, 1e18, 1e19, 1e20, 1e21, 1e22};
inline constexpr double kTwo52 = 4503599627370496.0;
} // namespace detail

/// Rounds to the nearest integer, halves to even (the order and decimals
/// answers are read this way). Values of 2^52 and more, infinities and NaN
/// pass through; a value that rounds to zero keeps its sign.
inline double roundHalfEven(double x) {
    if (!(std::fabs(x) < detail::kTwo52)) return x;
    // Adding 2^52 leaves no bits below the units, so the addition itself
    // rounds to an integer, ties to even, in the default rounding mode.
    const double r = (std::fabs(x) + detail::kTwo52) - detail::kTwo52;
    return std::copysign(r, x);
}

/// Rounds x to d decimals (0 <= d <= 22), halves to the even neighbour:
/// y = x * 10^d, rounded to the nearest integer with ties to even, divided
/// back by 10^d. When |y| >= 2^52, x is already integral at that scale and is
/// returned unchanged; non-finite values pass through. A value that rounds to
/// zero keeps its sign.
inline double roundTo(double x, int d) {
    const double p = detail::kPow10[static_cast<std::size_t>(d < 0 ? 0 : (d > 22 ? 22 : d))];
    const double y = x * p;
    const double a = std::fabs(y);
    // Written without branches so that loops over a row vectorise; when
    // |y| >= 2^52 (or y is not finite) x is returned unchanged.
    const double r = std::copysign((a + detail::kTwo52) - detail::kTwo52, y) / p;
    return a < detail::kTwo52 ? r : x;
}

/// Longest text appendNumber can produce.
inline constexpr int kMaxNumberText = 32;

/// Writes x the way reports show numbers: the shortest form with up to 15
/// significant digits, exponent form ("1E-05", "1.5E+20") below 1E-04 and
/// from 1E+15, negative zero as "0", and "Infinity", "-Infinity", "NaN" for
/// the non-finite values. Returns the end of the text written into buf,
/// which must hold kMaxNumberText characters.
char* writeNumber(char* buf, double x);

/// Writes k / 10^d, for an integral k, as writeNumber writes that quotient,
/// but straight from the integer's digits: the rounded values of a report
/// come this way without a second decimal conversion. 0 <= d <= 22.
char* writeScaledInteger(char* buf, double k, int d);

/// Writes x rounded to d decimals (roundTo), as writeNumber would.
inline char* writeRounded(char* buf, double x, int d) {
    const int dd = d < 0 ? 0 : (d > 22 ? 22 : d);
    const double y = x * detail::kPow10[static_cast<std::size_t>(dd)];
    if (!(std::fabs(y) < detail::kTwo52)) return writeNumber(buf, std::isnan(y) ? y : x);
    return writeScaledInteger(buf, roundHalfEven(y), dd);
}

/// Appends writeNumber's text of x to out.
void appendNumber(std::string& out, double x);

/// The text of x as a new string.
std::string numberText(double x);

/// Appends an integer (an index or a count) as a plain decimal.
void appendInteger(std::string& out, long long v);

/// Reads the leading number of an answer: leading blanks skipped, then an
/// optional sign, digits, a decimal point and an exponent; reading stops at
/// the first character that cannot continue the number. No number gives 0.
/// Tabs and full-width forms read as normaliseTypedText says.
double readLeadingNumber(std::string_view text);

/// Value of a decimal number text made of digits and points with an optional
/// exponent ("1.5", ".5", "2e-3"); a second point ends it (1.2.3 is 1.2).
/// Correctly rounded however many digits the mantissa and the exponent
/// have; overflow gives an infinity, underflow zero.
double decimalValue(std::string_view digits, bool negative);

/// The order answered in an input box: the leading number rounded half to
/// even. Gives nothing (the command stops) unless it is 1..kMaxOrder.
std::optional<int> orderFromAnswer(std::string_view answer);

/// The largest order: n + 1 must fit a 16-bit integer.
inline constexpr int kMaxOrder = 32766;

/// Why an order answer gives no order (orderFromAnswer gives nothing
/// exactly when this is not None): nothing typed (Cancel, blanks only), no
/// leading number, a number that rounds below 1, or one above kMaxOrder.
enum class OrderRefusal { None, Nothing, NotANumber, BelowOne, AboveLimit };
OrderRefusal orderRefusal(std::string_view answer);

/// Whether the whole text, blanks around it aside, is one decimal number:
/// an optional sign, digits with at most one point, an optional exponent
/// ("5", "-2.5", "1e3", "６"), read as readLeadingNumber reads it. Not "",
/// "abc", "inf" or "5x", whose leading-number reading is only a default.
bool isWholeNumber(std::string_view typed);

/// The decimals setting from an answer: the leading number rounded half to
/// even, clamped to 1..16 (no number, or Cancel, gives 1).
int decimalDigitsFromAnswer(std::string_view answer);

} // namespace quorvex
