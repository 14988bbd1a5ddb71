#pragma once

namespace quorvex {

/// v rounded to `digits` significant digits (halves to even), so that the
/// report's number writing shows it short: 29070279.17 to 4 digits is
/// 29070000, 0.000123456 is 1.235E-04. Zero and non-finite values pass.
double significant(double v, int digits);

} // namespace quorvex
