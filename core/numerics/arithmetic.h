#pragma once

// The two kinds of numbers the methods are written over. Each method is one
// template; these overloads are where doubles and rationals differ: doubles
// are rounded where the method rounds them, rationals never are; a division
// by an exact zero, or an exact number grown past kMaxExactDigits, ends the
// exact computation instead of producing an infinity.

#include "base/matrix.h"
#include "base/rational.h"
#include "reading/number_text.h"

#include <cmath>
#include <type_traits>

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

/// acc[j] = acc[j] + f * row[j] for j = 0..count-1.
///
/// The factorizations write each entry as one sum of products, accumulated
/// from 0 in increasing order of the summation index. Instead of forming the
/// sums one at a time down a column, every step adds its term to all the
/// sums still open, one contiguous row at a time: each sum still receives
/// the same terms in the same order, so the results are the same to the
/// last bit, and the inner loop runs along rows.
template <class T>
inline void addScaled(T* acc, const T* row, const std::type_identity_t<T>& f, int count) {
    for (int j = 0; j < count; ++j) acc[j] = acc[j] + f * row[j];
}

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
