#pragma once

#include "check/entry.h"

#include <gmpxx.h>

#include <string>

namespace quorvex::check {

/// q rounded to d decimals (halves to even), without trailing zeros.
std::string decimalText(const mpq_class& q, int d);

/// A multiplier or a computed value as a reader wants it: an integer, a
/// decimal that ends within `decimals` places, a fraction with a small
/// denominator, or else the decimal rounded to `decimals` places. A value
/// that would round to 0 keeps as many more places as show its first
/// `decimals` significant digits: what is shown is never 0 for a value
/// that is not.
std::string valueText(const mpq_class& q, int decimals);

/// What a written entry should have been, in the way it was written: a
/// decimal rounded to one place more than typed, a fraction as a fraction,
/// an exact number exactly.
std::string expectedText(const Entry& written, const mpq_class& expected, int decimals);

} // namespace quorvex::check
