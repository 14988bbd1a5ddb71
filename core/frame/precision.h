#pragma once

#include "frame/host.h"

namespace quorvex {

/// The default answer of the precision question, 1E-05.
inline constexpr double kDefaultPrecision = 0.00001;

/// Asks the iteration precision e ("输入迭代精度 e："). A precision coarser
/// than 0.1 is taken only once the user confirms it; No asks again, and the
/// new answer is checked anew.
double askConfirmedPrecision(Host& host);

} // namespace quorvex
