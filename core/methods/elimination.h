#pragma once

#include "frame.h"

namespace quorvex {

/// Gauss消去法: elimination without pivoting, then back substitution.
Outcome Gauss_1_Click(Host& host);

/// Gauss列主元消去法: elimination with column pivoting.
Outcome GaussTier_Click(Host& host);

} // namespace quorvex
