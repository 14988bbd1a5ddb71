#include "check/value_text.h"

#include "base/rational.h"
#include "reading/number_text.h"

namespace quorvex::check {

namespace {

/// Fractions are shown while both parts stay this small.
const mpz_class kLargestShownDenominator = 1000;
const mpz_class kLargestShownNumerator = 1000000;

mpz_class tenTo(int d) {
    mpz_class p;
    mpz_ui_pow_ui(p.get_mpz_t(), 10, static_cast<unsigned long>(d));
    return p;
}

/// The decimal places q needs to be written exactly, or -1 when it never
/// ends (its denominator has a prime factor other than 2 and 5).
int placesOf(const mpq_class& q) {
    mpz_class den = q.get_den();
    int twos = 0, fives = 0;
    while (mpz_divisible_ui_p(den.get_mpz_t(), 2)) den /= 2, ++twos;
    while (mpz_divisible_ui_p(den.get_mpz_t(), 5)) den /= 5, ++fives;
    if (den != 1) return -1;
    return twos > fives ? twos : fives;
}

/// The decimal place of q's first significant digit (1 for 0.5, 7 for
/// 1e-7), for 0 < |q| < 1.
int firstSignificantPlace(const mpq_class& q) {
    mpz_class scaled = abs(q.get_num());
    int place = 0;
    while (scaled < q.get_den()) scaled *= 10, ++place;
    return place;
}

/// Decimal places that show q as the number it is: `decimals`, or when q
/// would round to 0 there, as many more as carry its first digits too (the
/// multiplier 1e-7 is 0.0000001, never 0).
int placesShowing(const mpq_class& q, int decimals) {
    if (sgn(q) == 0 || abs(q) >= 1) return decimals;
    const int first = firstSignificantPlace(q);
    return first <= decimals ? decimals : first + decimals - 1;
}

} // namespace

std::string decimalText(const mpq_class& q, int d) {
    const mpz_class scale = tenTo(d);
    const mpq_class scaled = q * scale;
    // Round half to even: floor(x + 1/2), one less on an exact tie with an
    // odd result.
    mpz_class r;
    const mpq_class shifted = scaled + mpq_class(1, 2);
    mpz_fdiv_q(r.get_mpz_t(), shifted.get_num_mpz_t(), shifted.get_den_mpz_t());
    if (shifted.get_den() == 1 && mpz_odd_p(r.get_mpz_t())) r -= 1;
    std::string digits = mpz_class(abs(r)).get_str();
    if (digits.size() <= static_cast<std::size_t>(d))
        digits.insert(0, static_cast<std::size_t>(d) + 1 - digits.size(), '0');
    std::string text = digits.substr(0, digits.size() - static_cast<std::size_t>(d));
    std::string fraction = digits.substr(digits.size() - static_cast<std::size_t>(d));
    while (!fraction.empty() && fraction.back() == '0') fraction.pop_back();
    if (!fraction.empty()) text += "." + fraction;
    return (sgn(r) < 0 ? "-" : "") + text;
}

std::string valueText(const mpq_class& q, int decimals) {
    if (q.get_den() == 1) return q.get_num().get_str();
    const int places = placesOf(q);
    const int shown = placesShowing(q, decimals);
    if (places >= 0 && places <= shown) return decimalText(q, places);
    if (q.get_den() <= kLargestShownDenominator && abs(q.get_num()) <= kLargestShownNumerator)
        return rationalText(q);
    return decimalText(q, shown);
}

std::string expectedText(const Entry& written, const mpq_class& expected, int decimals) {
    switch (written.written) {
    case Written::Decimal:
        // One place more than typed, so that the slip shows beside the
        // rounding a student may do.
        return written.decimals >= 0 ? decimalText(expected, written.decimals + 1)
                                     : valueText(expected, decimals);
    case Written::Exact: {
        const int places = placesOf(expected);
        const bool fraction = written.text.find('/') != std::string::npos;
        return places < 0 || fraction ? rationalText(expected) : decimalText(expected, places);
    }
    case Written::Inexact: break;
    }
    return numberText(expected.get_d());
}

} // namespace quorvex::check
