#include "exact/exact_expression.h"

#include "reading/expression.h"
#include "reading/expression_machine.h"
#include "reading/text_passes.h"

#include <algorithm>
#include <climits>
#include <cmath>
#include <cstdint>
#include <optional>
#include <string>

namespace quorvex {

namespace {

/// The integer nearest to q, halves to the even one.
mpz_class roundHalfEven(const Rational& q) {
    mpz_class floor;
    mpz_fdiv_q(floor.get_mpz_t(), q.get_num_mpz_t(), q.get_den_mpz_t());
    const Rational rest = q - Rational(floor);
    const int half = cmp(2 * rest.get_num(), rest.get_den());
    if (half > 0 || (half == 0 && mpz_odd_p(floor.get_mpz_t()))) ++floor;
    return floor;
}

/// The integer division of the decimal evaluator: both operands rounded
/// half to even, each a 32-bit integer, the quotient truncated; anything
/// it cannot do gives 0, as there.
Rational integerDivision(const Rational& a, const Rational& b) {
    const mpz_class ia = roundHalfEven(a);
    const mpz_class ib = roundHalfEven(b);
    const auto fits = [](const mpz_class& v) { return v >= INT32_MIN && v <= INT32_MAX; };
    if (!fits(ia) || !fits(ib) || ib == 0) return 0;
    if (ia == INT32_MIN && ib == -1) return 0;
    mpz_class q;
    mpz_tdiv_q(q.get_mpz_t(), ia.get_mpz_t(), ib.get_mpz_t());
    return Rational(q);
}

/// At most the decimal digits of the larger of a's numerator and
/// denominator raised to e: each of them is at least 2^(bits - 1).
double powerDigitsAtLeast(const Rational& a, unsigned long e) {
    const std::size_t bits =
        std::max(mpz_sizeinbase(a.get_num_mpz_t(), 2), mpz_sizeinbase(a.get_den_mpz_t(), 2));
    return std::floor(static_cast<double>(bits - 1) * static_cast<double>(e) * 0.30102999) + 1.0;
}

/// 10^kMaxExactDigits, the least number with one digit too many.
const mpz_class& tenToTheLimit() {
    static const mpz_class ten = [] {
        mpz_class p;
        mpz_ui_pow_ui(p.get_mpz_t(), 10, kMaxExactDigits);
        return p;
    }();
    return ten;
}

/// Whether |z| has at most kMaxExactDigits decimal digits. mpz_sizeinbase
/// may count one digit too many; only then is the number compared.
bool withinDigits(const mpz_class& z) {
    const std::size_t digits = mpz_sizeinbase(z.get_mpz_t(), 10);
    if (digits <= kMaxExactDigits) return true;
    return digits == kMaxExactDigits + 1 &&
           mpz_cmpabs(z.get_mpz_t(), tenToTheLimit().get_mpz_t()) < 0;
}

/// The evaluator's numbers as exact rationals; anything without an exact
/// value clears `exact` (the caller then falls back to decimals), while a
/// number past kMaxExactDigits, typed or computed, sets `tooLong`.
struct ExactArithmetic {
    using Value = Rational;
    bool exact = true;
    bool tooLong = false;

    Rational inexact() {
        exact = false;
        return 0;
    }
    Rational overLimit() {
        tooLong = true;
        return 0;
    }
    Rational checked(Rational q) { return withinExactLimit(q) ? q : overLimit(); }

    Rational number(std::string_view digits, bool negative) {
        auto q = exactDecimalValue(digits, negative);
        return q ? *q : overLimit();
    }
    Rational function(std::string_view name, const Rational& a) {
        return name == "abs" ? Rational(abs(a)) : inexact();
    }
    Rational binary(const Rational& a, std::string_view op, const Rational& b) {
        // What follows a number past the limit works on the 0 standing in
        // for it: a division by that 0 says nothing of the text.
        if (tooLong) return 0;
        if (op == "+") return checked(a + b);
        if (op == "-") return checked(a - b);
        if (op == "*") return checked(a * b);
        if (op == "/") return b == 0 ? inexact() : checked(a / b);
        if (op == "\\") return integerDivision(a, b);
        return power(a, b);
    }
    Rational power(const Rational& a, const Rational& b) {
        if (b.get_den() != 1) return inexact();
        if (a == 0) return b > 0 ? 0 : (b == 0 ? 1 : 0); // 0^-n overflows to 0 in decimals
        if (abs(a) == 1) return mpz_odd_p(b.get_num_mpz_t()) ? a : Rational(1);
        if (!b.get_num().fits_slong_p()) return overLimit();
        const long e = b.get_num().get_si();
        const unsigned long magnitude =
            e < 0 ? static_cast<unsigned long>(-(e + 1)) + 1 : static_cast<unsigned long>(e);
        // Beyond the limit for sure: not computed at all (2^99999999 would
        // take the memory first).
        if (powerDigitsAtLeast(a, magnitude) > static_cast<double>(kMaxExactDigits))
            return overLimit();
        mpz_class num, den;
        mpz_pow_ui(num.get_mpz_t(), a.get_num_mpz_t(), magnitude);
        mpz_pow_ui(den.get_mpz_t(), a.get_den_mpz_t(), magnitude);
        Rational r = e < 0 ? Rational(den, num) : Rational(num, den);
        r.canonicalize();
        return checked(r);
    }
};

} // namespace

bool withinExactLimit(const Rational& q) {
    return withinDigits(q.get_num()) && withinDigits(q.get_den());
}

std::string rationalText(const Rational& q) { return q.get_str(); }

std::optional<Rational> exactDecimalValue(std::string_view text, bool negative) {
    // The same reading as decimalValue: digits and at most one point; the
    // exponent counts only when no second point cut the mantissa short.
    std::string mantissa;
    long long fractionDigits = 0;
    std::size_t i = 0;
    int points = 0;
    for (; i < text.size() && (isDigit(text[i]) || text[i] == '.'); ++i) {
        if (text[i] == '.') {
            if (++points == 2) break;
            continue;
        }
        mantissa.push_back(text[i]);
        if (points == 1) ++fractionDigits;
    }
    long long exponent = 0;
    if (points < 2 && i < text.size() && (text[i] == 'e' || text[i] == 'E')) {
        std::size_t j = i + 1;
        bool negativeExponent = false;
        if (j < text.size() && (text[j] == '+' || text[j] == '-'))
            negativeExponent = text[j++] == '-';
        for (; j < text.size() && isDigit(text[j]); ++j)
            if (exponent < 1000000000) exponent = exponent * 10 + (text[j] - '0');
        if (negativeExponent) exponent = -exponent;
    }
    const std::size_t firstNonZero = mantissa.find_first_not_of('0');
    if (firstNonZero == std::string::npos) return Rational(0);
    mantissa.erase(0, firstNonZero);
    const long long scale = exponent - fractionDigits;
    const long long limit = static_cast<long long>(kMaxExactDigits);
    if (static_cast<long long>(mantissa.size()) > limit || scale > limit || scale < -limit)
        return std::nullopt;
    mpz_class m(mantissa, 10);
    mpz_class ten;
    mpz_ui_pow_ui(ten.get_mpz_t(), 10, static_cast<unsigned long>(scale < 0 ? -scale : scale));
    Rational q = scale < 0 ? Rational(m, ten) : Rational(m * ten);
    q.canonicalize();
    if (!withinExactLimit(q)) return std::nullopt;
    return negative ? Rational(-q) : q;
}

namespace {

/// The most digits of a plain decimal: its mantissa and scale must fit in
/// GMP's long, 32 bits in WebAssembly.
constexpr int kMaxPlainDigits = sizeof(long) >= 8 ? 18 : 9;

/// A plain decimal, [-]digits[.digits] with at most kMaxPlainDigits digits,
/// read without the evaluator: nearly every entry of a typed matrix is one,
/// and the evaluator's reading of it is the same number. Nothing for any
/// other text.
std::optional<Rational> plainDecimal(std::string_view text) {
    std::size_t i = 0;
    const bool negative = !text.empty() && text[0] == '-';
    if (negative) ++i;
    long mantissa = 0;
    int digits = 0;
    int fractionDigits = 0;
    bool point = false;
    for (; i < text.size(); ++i) {
        const char c = text[i];
        if (c == '.' && !point && digits > 0) {
            point = true;
            continue;
        }
        if (!isDigit(c) || ++digits > kMaxPlainDigits) return std::nullopt;
        mantissa = mantissa * 10 + (c - '0');
        if (point) ++fractionDigits;
    }
    if (digits == 0 || (point && fractionDigits == 0)) return std::nullopt;
    unsigned long scale = 1;
    for (int k = 0; k < fractionDigits; ++k) scale *= 10;
    Rational q;
    mpz_set_si(q.get_num_mpz_t(), negative ? -mantissa : mantissa);
    mpz_set_ui(q.get_den_mpz_t(), scale);
    q.canonicalize();
    return q;
}

} // namespace

ExactValue exactValueOf(std::string_view text) {
    if (auto q = plainDecimal(text)) return {ExactValue::Kind::Exact, std::move(*q)};
    bool usesPi = false;
    const std::string normalised = NormaliseExpression(text, &usesPi);
    if (usesPi) return {ExactValue::Kind::Inexact, 0};
    ExactArithmetic exact;
    Rational value = detail::evaluatePrepared(PrepareNormalised(normalised, "0"), exact);
    if (!exact.exact) return {ExactValue::Kind::Inexact, 0};
    if (exact.tooLong) return {ExactValue::Kind::TooLong, 0};
    return {ExactValue::Kind::Exact, std::move(value)};
}

std::optional<Rational> EvaluateExactly(std::string_view text) {
    ExactValue v = exactValueOf(text);
    if (v.kind != ExactValue::Kind::Exact) return std::nullopt;
    return std::move(v.value);
}

} // namespace quorvex
