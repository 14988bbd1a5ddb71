#pragma once

#include "base/matrix.h"

#include <gmpxx.h>

#include <cstddef>
#include <string>
#include <vector>

namespace quorvex {

/// An exact rational number (GMP), always in lowest terms.
using Rational = mpq_class;

/// The most decimal digits a numerator or denominator may have in exact
/// work; beyond it an entry or a command falls back or stops, rather than
/// exhausting the memory.
inline constexpr std::size_t kMaxExactDigits = 10000;

/// True when the numerator and denominator both stay within kMaxExactDigits.
bool withinExactLimit(const Rational& q);

/// The report's text of an exact number: an integer ("3", "-2") or a reduced
/// fraction with the sign in front ("-7/2").
std::string rationalText(const Rational& q);

/// Matrices and vectors of rationals, 1-based like Matrix and Vector.
using RationalMatrix = BasicMatrix<Rational>;
using RationalVector = BasicVector<Rational>;

} // namespace quorvex
