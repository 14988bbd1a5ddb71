#include "check/entry.h"

#include "expression.h"

#include <cctype>
#include <cmath>

namespace quorvex::check {

namespace {

/// Exponents beyond this are not read exactly: 10^4000 is already far past
/// any number a double holds, and exact powers beyond it only cost memory.
constexpr long kLargestExactExponent = 4000;

/// Relative tolerance of a number that was computed in double precision.
const mpq_class kDoubleTolerance(1, 1000000000000);

/// A plain decimal number: sign, digits, a point, digits, an exponent.
struct DecimalNumber {
    mpq_class value;
    int decimals = 0;  ///< places after the point
    long exponent = 0; ///< the written exponent
    bool hasPoint = false;
};

bool digitAt(std::string_view s, std::size_t i) {
    return i < s.size() && std::isdigit(static_cast<unsigned char>(s[i]));
}

mpq_class powerOfTen(long e) {
    mpz_class p;
    mpz_ui_pow_ui(p.get_mpz_t(), 10, static_cast<unsigned long>(e < 0 ? -e : e));
    return e < 0 ? mpq_class(1, p) : mpq_class(p);
}

/// Reads s whole as a decimal number, or gives nothing.
std::optional<DecimalNumber> readDecimal(std::string_view s) {
    std::size_t i = 0;
    const bool negative = i < s.size() && s[i] == '-';
    if (i < s.size() && (s[i] == '+' || s[i] == '-')) ++i;
    std::string digits;
    DecimalNumber d;
    for (; i < s.size() && (digitAt(s, i) || (s[i] == '.' && !d.hasPoint)); ++i) {
        if (s[i] == '.')
            d.hasPoint = true;
        else {
            digits += s[i];
            if (d.hasPoint) ++d.decimals;
        }
    }
    if (digits.empty()) return std::nullopt;
    if (i < s.size() && (s[i] == 'e' || s[i] == 'E')) {
        std::size_t j = i + 1;
        const bool minus = j < s.size() && s[j] == '-';
        if (j < s.size() && (s[j] == '+' || s[j] == '-')) ++j;
        if (!digitAt(s, j)) return std::nullopt;
        long e = 0;
        for (; digitAt(s, j); ++j) {
            e = e * 10 + (s[j] - '0');
            if (e > kLargestExactExponent) return std::nullopt;
        }
        d.exponent = minus ? -e : e;
        i = j;
    }
    if (i != s.size()) return std::nullopt;
    d.value = mpq_class(mpz_class(digits, 10)) * powerOfTen(d.exponent - d.decimals);
    if (negative) d.value = -d.value;
    d.value.canonicalize();
    return d;
}

/// The exact value of a number or of a quotient of two numbers.
std::optional<mpq_class> exactValue(std::string_view s) {
    if (const auto d = readDecimal(s)) return d->value;
    const std::size_t slash = s.find('/');
    if (slash == std::string_view::npos) return std::nullopt;
    const auto p = readDecimal(s.substr(0, slash));
    const auto q = readDecimal(s.substr(slash + 1));
    if (!p || !q || sgn(q->value) == 0) return std::nullopt;
    return mpq_class(p->value / q->value);
}

} // namespace

std::optional<Entry> readEntry(std::string_view text) {
    Entry e;
    e.text = std::string(text);
    if (const auto d = readDecimal(text); d && d->hasPoint && d->decimals > 0) {
        e.value = d->value;
        e.written = Written::Decimal;
        e.decimals = static_cast<int>(d->decimals - d->exponent);
        e.tolerance = powerOfTen(d->exponent - d->decimals);
        return e;
    }
    if (const auto q = exactValue(text)) {
        e.value = *q;
        return e;
    }
    const double v = EvaluateExpression(text);
    if (!std::isfinite(v)) return std::nullopt;
    e.value = v;
    e.written = Written::Inexact;
    e.tolerance = kDoubleTolerance * (abs(e.value) > 1 ? mpq_class(abs(e.value)) : mpq_class(1));
    return e;
}

bool agrees(const Entry& written, const mpq_class& value) {
    return abs(written.value - value) <= written.tolerance;
}

} // namespace quorvex::check
