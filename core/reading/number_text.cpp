#include "reading/number_text.h"

#include "reading/expression_machine.h"
#include "reading/float_chars.h"
#include "reading/text_passes.h"

#include <charconv>
#include <cmath>
#include <cstring>
#include <limits>

namespace quorvex {

namespace {

/// Lays out up to 15 significant digits with decimal exponent `exponent`
/// (the exponent of the first digit) the way "%.15G" does: fixed notation
/// from 1E-04 up to below 1E+15, else mantissa, "E", sign and at least two
/// exponent digits. Trailing zeros are gone already.
char* layoutDigits(char* out, bool negative, const char* digits, int count, int exponent) {
    if (negative) *out++ = '-';
    if (exponent < -4 || exponent >= 15) {
        *out++ = digits[0];
        if (count > 1) {
            *out++ = '.';
            for (int i = 1; i < count; ++i) *out++ = digits[i];
        }
        *out++ = 'E';
        *out++ = exponent < 0 ? '-' : '+';
        const int e = exponent < 0 ? -exponent : exponent;
        if (e >= 100) *out++ = static_cast<char>('0' + e / 100);
        *out++ = static_cast<char>('0' + e / 10 % 10);
        *out++ = static_cast<char>('0' + e % 10);
        return out;
    }
    if (exponent < 0) {
        *out++ = '0';
        *out++ = '.';
        for (int i = -1; i > exponent; --i) *out++ = '0';
        for (int i = 0; i < count; ++i) *out++ = digits[i];
        return out;
    }
    for (int i = 0; i <= exponent; ++i) *out++ = i < count ? digits[i] : '0';
    if (count > exponent + 1) {
        *out++ = '.';
        for (int i = exponent + 1; i < count; ++i) *out++ = digits[i];
    }
    return out;
}

/// The "%.15G" text through the precise (slower) conversion, for values
/// whose shortest form needs 16 or 17 digits.
char* writeFifteenDigits(char* buf, double x) {
    auto res = precisionChars(buf, buf + kMaxNumberText, x, std::chars_format::general, 15);
    for (char* p = buf; p != res.ptr; ++p) {
        if (*p == 'e') {
            *p = 'E';
            break;
        }
    }
    return res.ptr;
}

} // namespace

char* writeNumber(char* buf, double x) {
    if (std::isnan(x)) {
        std::memcpy(buf, "NaN", 3);
        return buf + 3;
    }
    if (std::isinf(x)) {
        if (x < 0) {
            std::memcpy(buf, "-Infinity", 9);
            return buf + 9;
        }
        std::memcpy(buf, "Infinity", 8);
        return buf + 8;
    }
    if (x == 0.0) {
        *buf = '0';
        return buf + 1;
    }
    // Whole numbers below 10^15, the common input, are their own digits
    // under "%.15G"; no shortest form is needed to find them.
    if (std::fabs(x) < 1e15 && x == std::trunc(x))
        return std::to_chars(buf, buf + kMaxNumberText, static_cast<long long>(x)).ptr;
    if (std::fabs(x) < std::numeric_limits<double>::min()) return writeFifteenDigits(buf, x);
    // Normal numbers: a shortest form of at most 15 digits is also the nearest 15-digit
    // decimal (15-digit decimals lie more than two units in the last place
    // of a double apart), so it gives the "%.15G" digits for much less work.
    char sci[kMaxNumberText];
    const auto res = shortestScientific(sci, sci + sizeof sci, x);
    const char* p = sci;
    const bool negative = *p == '-';
    if (negative) ++p;
    char digits[20];
    int count = 0;
    for (; p != res.ptr && *p != 'e'; ++p)
        if (*p != '.') {
            if (count == 17) break;
            digits[count++] = *p;
        }
    if (count > 15) return writeFifteenDigits(buf, x);
    int exponent = 0;
    std::from_chars(p + 1 + (p[1] == '+'), res.ptr, exponent);
    return layoutDigits(buf, negative, digits, count, exponent);
}

char* writeScaledInteger(char* buf, double k, int d) {
    const double magnitude = std::fabs(k);
    if (!(magnitude < 1e15))
        return writeNumber(buf, k / detail::kPow10[static_cast<std::size_t>(d)]);
    if (magnitude == 0.0) {
        *buf = '0';
        return buf + 1;
    }
    char digits[24];
    const auto res =
        std::to_chars(digits, digits + sizeof digits, static_cast<unsigned long long>(magnitude));
    int count = static_cast<int>(res.ptr - digits);
    const int exponent = count - 1 - d;
    while (count > 1 && digits[count - 1] == '0') --count;
    return layoutDigits(buf, k < 0, digits, count, exponent);
}

void appendNumber(std::string& out, double x) {
    char buf[kMaxNumberText];
    char* end = writeNumber(buf, x);
    out.append(buf, static_cast<std::size_t>(end - buf));
}

std::string numberText(double x) {
    std::string s;
    appendNumber(s, x);
    return s;
}

void appendInteger(std::string& out, long long v) {
    char buf[24];
    auto res = std::to_chars(buf, buf + sizeof buf, v);
    out.append(buf, static_cast<std::size_t>(res.ptr - buf));
}

namespace {

/// Significant digits handed to the conversion: enough to round any decimal
/// correctly, with one more digit standing for whatever nonzero digits follow.
constexpr std::size_t kKeptDigits = 800;
/// Written exponents saturate here, far beyond the length of any text, so
/// that the sum with the count of digits keeps its sign.
constexpr long long kExponentCap = 100'000'000'000'000'000LL;
/// Longest mantissa and exponent texts read straight from the text; longer
/// ones are condensed first.
constexpr std::size_t kDirectMantissa = 400;
constexpr std::size_t kDirectExponent = 6;

/// Where the parts of a decimal number text lie and what they come to.
struct DecimalScan {
    std::size_t mantissaEnd = 0; ///< digits and at most one point
    std::size_t end = 0;         ///< after the exponent, when it belongs
    long long exponent = 0;      ///< the written exponent, saturated
    long long scale = 0;         ///< decimal exponent of the first nonzero digit
    bool nonzero = false;
};

DecimalScan scanDecimal(std::string_view text) {
    DecimalScan d;
    std::size_t i = 0;
    int points = 0;
    long long intDigits = 0, leadingFractionZeros = 0;
    for (; i < text.size() && (isDigit(text[i]) || text[i] == '.'); ++i) {
        if (text[i] == '.') {
            if (++points == 2) break;
        } else if (text[i] != '0' || d.nonzero) {
            d.nonzero = true;
            if (points == 0) ++intDigits;
        } else if (points == 1) {
            ++leadingFractionZeros;
        }
    }
    d.mantissaEnd = d.end = i;
    // A second point ends the number before any exponent.
    if (points < 2 && i < text.size() && (text[i] == 'e' || text[i] == 'E')) {
        std::size_t j = i + 1;
        const bool negExp = j < text.size() && text[j] == '-';
        if (j < text.size() && (text[j] == '+' || text[j] == '-')) ++j;
        for (; j < text.size() && isDigit(text[j]); ++j) {
            d.end = j + 1;
            if (d.exponent < kExponentCap) d.exponent = d.exponent * 10 + (text[j] - '0');
        }
        if (negExp) d.exponent = -d.exponent;
    }
    d.scale = (intDigits > 0 ? intDigits - 1 : -(leadingFractionZeros + 1)) + d.exponent;
    return d;
}

/// The mantissa's significant digits as "d.ddd[1]e<scale>", for numbers too
/// long to read directly.
std::string condensedDecimal(std::string_view mantissa, long long scale) {
    std::string t;
    t.reserve(kKeptDigits + 32);
    bool sticky = false;
    for (char c : mantissa) {
        if (c == '.' || (t.empty() && c == '0')) continue;
        if (t.size() < kKeptDigits) t.push_back(c);
        else sticky = sticky || c != '0';
        if (t.size() == 1) t.push_back('.');
    }
    if (sticky) t.push_back('1');
    t.push_back('e');
    appendInteger(t, scale);
    return t;
}

} // namespace

double decimalValue(std::string_view text, bool negative) {
    const DecimalScan d = scanDecimal(text);
    const double zero = negative ? -0.0 : 0.0;
    if (!d.nonzero) return zero;
    // Beyond these the value is an infinity or zero whatever its digits:
    // 1E+309 exceeds the largest double, 1E-324 is below half the smallest.
    if (d.scale > 308) return negative ? -HUGE_VAL : HUGE_VAL;
    if (d.scale < -324) return zero;
    double v = 0.0;
    std::errc ec;
    if (d.mantissaEnd <= kDirectMantissa && d.end - d.mantissaEnd <= kDirectExponent + 2) {
        ec = readDouble(text.data(), text.data() + d.end, v, std::chars_format::general).ec;
    } else {
        const std::string t = condensedDecimal(text.substr(0, d.mantissaEnd), d.scale);
        ec = readDouble(t.data(), t.data() + t.size(), v, std::chars_format::general).ec;
    }
    if (ec == std::errc::result_out_of_range) v = d.scale > 0 ? HUGE_VAL : 0.0;
    return negative ? -v : v;
}

double readLeadingNumber(std::string_view typed) {
    std::string text(typed);
    normaliseTypedText(text);
    std::size_t i = 0;
    while (i < text.size() && text[i] == ' ') ++i;
    bool negative = false;
    if (i < text.size() && (text[i] == '+' || text[i] == '-')) negative = text[i++] == '-';
    const std::string_view rest = std::string_view(text).substr(i);
    if (rest.empty() || !(isDigit(rest[0]) || rest[0] == '.')) return 0.0;
    return decimalValue(rest, negative);
}

std::optional<int> orderFromAnswer(std::string_view answer) {
    const double n = roundHalfEven(readLeadingNumber(answer));
    if (!(n >= 1.0 && n <= static_cast<double>(kMaxOrder))) return std::nullopt;
    return static_cast<int>(n);
}

namespace {

/// Where the number at the start of s (sign, digits and at most one point,
/// exponent) ends, or 0 when s does not start with one that has a digit.
std::size_t leadingNumberEnd(std::string_view s) {
    std::size_t i = 0;
    if (i < s.size() && (s[i] == '+' || s[i] == '-')) ++i;
    bool digits = false, point = false;
    for (; i < s.size(); ++i) {
        if (isDigit(s[i])) digits = true;
        else if (s[i] == '.' && !point) point = true;
        else break;
    }
    return digits ? detail::exponentEnd(s, i) : 0;
}

} // namespace

OrderRefusal orderRefusal(std::string_view answer) {
    std::string text(answer);
    normaliseTypedText(text);
    const std::string_view typed = trimBlanks(text);
    if (typed.empty()) return OrderRefusal::Nothing;
    if (leadingNumberEnd(typed) == 0) return OrderRefusal::NotANumber;
    const double n = roundHalfEven(readLeadingNumber(typed));
    if (n < 1.0) return OrderRefusal::BelowOne;
    if (n > static_cast<double>(kMaxOrder)) return OrderRefusal::AboveLimit;
    return OrderRefusal::None;
}

bool isWholeNumber(std::string_view typed) {
    std::string text(typed);
    normaliseTypedText(text);
    const std::string_view s = trimBlanks(text);
    return !s.empty() && leadingNumberEnd(s) == s.size();
}

int decimalDigitsFromAnswer(std::string_view answer) {
    const double d = roundHalfEven(readLeadingNumber(answer));
    if (!(d >= 1.0)) return 1; // NaN cannot come from a reading, but be safe
    if (d > 16.0) return 16;
    return static_cast<int>(d);
}

} // namespace quorvex
