#include "number_text.h"

#include <charconv>
#include <cmath>
#include <cstring>

namespace quorvex {

namespace {

bool isDigit(char c) { return c >= '0' && c <= '9'; }

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
    auto res = std::to_chars(buf, buf + kMaxNumberText, x, std::chars_format::general, 15);
    for (char* p = buf; p != res.ptr; ++p) {
        if (*p == 'e') {
            *p = 'E';
            break;
        }
    }
    return res.ptr;
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
