#pragma once

#include "analysis/reference_solution.h"
#include "frame/host.h"
#include "report/report.h"

namespace quorvex {

/// Digits kept of the derived quantities the analyses show (residuals,
/// condition numbers, errors, growth factors).
inline constexpr int kShownSignificantDigits = 4;

/// v rounded to kShownSignificantDigits significant digits.
double shortNumber(double v);

/// The heading of the reference solution and its lines x*(i), rounded to dd
/// decimals; nothing when the matrix is singular.
void writeReference(Report& r, const ReferenceSolution& ref, int dd);

/// Names each entry the decimal reading could not hold, one notice each:
/// the report echoes its value as read and measures everything on it.
void noticeMisreadEntries(Host& host, const ReferenceSolution& ref);

} // namespace quorvex
