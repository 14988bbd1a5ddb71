#pragma once

// The two kinds of numbers the methods are written over. Each method is one
// template; these overloads are where doubles and rationals differ: doubles
// are rounded where the method rounds them, rationals never are; a division
// by an exact zero, or an exact number grown past kMaxExactDigits, ends the
// exact computation instead of producing an infinity.

#include "exact/rational.h"
#include "numerics/matrix.h"
#include "reading/number_text.h"

#include <cmath>

namespace quorvex {

/// Thrown when exact work would divide by zero.
struct ExactDivisionByZero {};
/// Thrown when an exact numerator or denominator outgrows kMaxExactDigits.
struct ExactLimitExceeded {};

/// Exact numbers are stored as they are: the rounding policy of rationals.
inline Rational roundTo(Rational q, int) { return q; }

/// |v|.
inline double magnitude(double v) { return std::fabs(v); }
/// |q|.
inline Rational magnitude(const Rational& q) { return abs(q); }

/// a / b as the decimal reports form it (an infinity or NaN for b = 0).
inline double quotient(double a, double b) { return a / b; }
/// a / b exactly; throws ExactDivisionByZero for b = 0.
inline Rational quotient(const Rational& a, const Rational& b) {
    if (sgn(b) == 0) throw ExactDivisionByZero();
    return a / b;
}

/// True for a double that is not a number; an exact number always is one.
inline bool isNotANumber(double v) { return std::isnan(v); }
inline bool isNotANumber(const Rational&) { return false; }

/// Decimal numbers have no growth to watch.
inline void guardGrowth(double) {}
inline void guardGrowth(const Matrix&) {}
inline void guardGrowth(const Vector&) {}
/// Throws ExactLimitExceeded when an entry of M has outgrown kMaxExactDigits.
void guardGrowth(const RationalMatrix& M);
/// Throws ExactLimitExceeded when an element of v has outgrown kMaxExactDigits.
void guardGrowth(const RationalVector& v);
/// Throws ExactLimitExceeded when q has outgrown kMaxExactDigits.
inline void guardGrowth(const Rational& q) {
    if (!withinExactLimit(q)) throw ExactLimitExceeded();
}

} // namespace quorvex
