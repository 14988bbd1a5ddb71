#include "number_text.h"

#include <charconv>
#include <cmath>
#include <cstring>
#include <limits>

namespace quorvex {

namespace {

bool isDigit(char c) { return c >= '0' && c <= '9'; }

} // namespace

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
    auto res = std::to_chars(buf, buf + kMaxNumberText, x, std::chars_format::general, 15);
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
    if (std::fabs(x) < std::numeric_limits<double>::min()) return writeFifteenDigits(buf, x);
    // Normal numbers: a shortest form of at most 15 digits is also the nearest 15-digit
    // decimal (15-digit decimals lie more than two units in the last place
    // of a double apart), so it gives the "%.15G" digits for much less work.
    char sci[kMaxNumberText];
    const auto res = std::to_chars(sci, sci + sizeof sci, x, std::chars_format::scientific);
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
    if (!(magnitude < 1e15)) return writeNumber(buf, k / detail::kPow10[static_cast<std::size_t>(d)]);
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

double decimalValue(std::string_view text, bool negative) {
    // Mantissa: digits and at most one point; the exponent is only part of
    // the number when no second point cut it short.
    std::size_t i = 0;
    int points = 0;
    while (i < text.size() && (isDigit(text[i]) || text[i] == '.')) {
        if (text[i] == '.' && ++points == 2) break;
        ++i;
    }
    std::size_t end = i;
    if (points < 2 && i < text.size() && (text[i] == 'e' || text[i] == 'E')) {
        std::size_t j = i + 1;
        if (j < text.size() && (text[j] == '+' || text[j] == '-')) ++j;
        if (j < text.size() && isDigit(text[j])) {
            while (j < text.size() && isDigit(text[j])) ++j;
            end = j;
        }
    }
    std::string_view num = text.substr(0, end);
    // from_chars wants at least one digit before an exponent.
    bool anyDigit = false;
    for (std::size_t k = 0; k < i; ++k) anyDigit = anyDigit || isDigit(num[k]);
    if (!anyDigit) return negative ? -0.0 : 0.0;
    double v = 0.0;
    auto res = std::from_chars(num.data(), num.data() + num.size(), v, std::chars_format::general);
    if (res.ec == std::errc::result_out_of_range) {
        // Decide overflow or underflow from the decimal exponent.
        long long exponent = 0;
        std::size_t k = 0;
        bool seenNonZero = false;
        long long intDigits = 0;
        long long leadingFractionZeros = 0;
        bool inFraction = false;
        for (; k < i; ++k) {
            char c = num[k];
            if (c == '.') {
                inFraction = true;
                continue;
            }
            if (c != '0') seenNonZero = true;
            if (!inFraction && seenNonZero) ++intDigits;
            if (inFraction && !seenNonZero) ++leadingFractionZeros;
        }
        if (end > i) {
            std::size_t j = i + 1;
            bool negExp = false;
            if (num[j] == '+' || num[j] == '-') negExp = num[j++] == '-';
            for (; j < end && exponent < 100000; ++j) exponent = exponent * 10 + (num[j] - '0');
            if (negExp) exponent = -exponent;
        }
        const long long magnitude = intDigits > 0 ? intDigits + exponent
                                                  : exponent - leadingFractionZeros;
        v = magnitude > 0 ? HUGE_VAL : 0.0;
    }
    return negative ? -v : v;
}

double readLeadingNumber(std::string_view text) {
    std::size_t i = 0;
    while (i < text.size() && text[i] == ' ') ++i;
    bool negative = false;
    if (i < text.size() && (text[i] == '+' || text[i] == '-')) negative = text[i++] == '-';
    std::string_view rest = text.substr(i);
    if (rest.empty() || !(isDigit(rest[0]) || rest[0] == '.')) return 0.0;
    return decimalValue(rest, negative);
}

std::optional<int> orderFromAnswer(std::string_view answer) {
    const double n = roundHalfEven(readLeadingNumber(answer));
    if (!(n >= 1.0 && n <= 32766.0)) return std::nullopt;
    return static_cast<int>(n);
}

int decimalDigitsFromAnswer(std::string_view answer) {
    const double d = roundHalfEven(readLeadingNumber(answer));
    if (!(d >= 1.0)) return 1; // NaN cannot come from a reading, but be safe
    if (d > 16.0) return 16;
    return static_cast<int>(d);
}

} // namespace quorvex
