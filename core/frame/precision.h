#pragma once

#include "frame/host.h"

namespace quorvex {

/// The default answer of the precision question, 1E-05.
inline constexpr double kDefaultPrecision = 0.00001;

/// Asks the iteration precision e ("输入迭代精度 e："). A precision coarser
/// than 0.1 is taken only once the user confirms it; No asks again, and the
/// new answer is checked anew. A negative precision is taken, with a notice
/// that names it.
double askConfirmedPrecision(Host& host);

/// askConfirmedPrecision without the notice: for a command that asks the
/// precision before its order, and gives the notice only once the order is
/// accepted.
double askPrecisionOnly(Host& host);

/// The notice that names a negative precision as what keeps the iteration
/// from stopping; nothing for any other precision.
void noticeNegativePrecision(Host& host, double e);

} // namespace quorvex
