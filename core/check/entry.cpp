#include "check/entry.h"

#include "exact/exact_expression.h"
#include "reading/expression.h"
#include "reading/text_passes.h"

#include <cmath>

namespace quorvex::check {

namespace {

/// Relative tolerance of a number that was computed in double precision.
const mpq_class kDoubleTolerance("1/1000000000000");

/// The power of ten of the last digit typed, when the text is one plain
/// decimal number with digits after its point ("2.50" gives -2, "1.5e3"
/// gives 2); nothing for any other text.
std::optional<long> lastDigitPower(std::string_view s) {
    std::size_t i = 0;
    if (i < s.size() && (s[i] == '+' || s[i] == '-')) ++i;
    while (i < s.size() && isDigit(s[i])) ++i;
    if (i == s.size() || s[i] != '.') return std::nullopt;
    long places = 0;
    for (++i; i < s.size() && isDigit(s[i]); ++i) ++places;
    if (places == 0) return std::nullopt;
    long exponent = 0;
    if (i < s.size() && (s[i] == 'e' || s[i] == 'E')) {
        const bool minus = i + 1 < s.size() && s[i + 1] == '-';
        if (i + 1 < s.size() && (s[i + 1] == '+' || s[i + 1] == '-')) ++i;
        if (++i == s.size()) return std::nullopt;
        for (; i < s.size() && isDigit(s[i]); ++i) {
            exponent = exponent * 10 + (s[i] - '0');
            if (exponent > static_cast<long>(kMaxExactDigits)) return std::nullopt;
        }
        if (minus) exponent = -exponent;
    }
    if (i != s.size()) return std::nullopt;
    return exponent - places;
}

mpq_class powerOfTen(long e) {
    mpz_class p;
    mpz_ui_pow_ui(p.get_mpz_t(), 10, static_cast<unsigned long>(e < 0 ? -e : e));
    return e < 0 ? mpq_class(1, p) : mpq_class(p);
}

} // namespace

std::optional<Entry> readEntry(std::string_view text) {
    Entry e;
    e.text = std::string(text);
    ExactValue exact = exactValueOf(text);
    if (exact.kind == ExactValue::Kind::Exact) {
        e.value = std::move(exact.value);
        if (const auto power = lastDigitPower(text)) {
            e.written = Written::Decimal;
            e.decimals = static_cast<int>(-*power);
            e.tolerance = powerOfTen(*power);
        }
        return e;
    }
    RangeLoss loss;
    const double v = EvaluateExpressionNotingRange(text, loss);
    // A working that overflowed is misread whatever it came to (1 - 2^40000
    // reads as 1); one that underflowed, or that exact arithmetic found too
    // long, is misread when it came to 0 or to no finite number. Judged by
    // such a reading, a right entry would be asked to be 0.
    const bool misread =
        loss.overflow || ((v == 0.0 || !std::isfinite(v)) &&
                          (loss.underflow || exact.kind == ExactValue::Kind::TooLong));
    if (misread) {
        e.held = false;
        e.decimalReading = v;
        e.written = Written::Inexact;
        return e;
    }
    if (!std::isfinite(v)) return std::nullopt;
    e.value = v;
    e.written = Written::Inexact;
    e.tolerance = kDoubleTolerance * (abs(e.value) > 1 ? mpq_class(abs(e.value)) : mpq_class(1));
    return e;
}

bool agrees(const Entry& written, const mpq_class& value) {
    // A decimal stands for what rounds or cuts off to it: less than one unit
    // of its last place away. A whole unit off is a slip.
    const mpq_class off = abs(written.value - value);
    return written.written == Written::Decimal ? off < written.tolerance : off <= written.tolerance;
}

} // namespace quorvex::check
