#pragma once

#include "matrix.h"

#include <string_view>

namespace quorvex {

/// Fills M (already n x (n+1)) from the edit area's text: one row per line,
/// elements separated by blanks (tabs too) or commas, each an expression;
/// full-width forms read as their ASCII counterparts. Never rejects
/// input: missing elements keep the value the previous row left in the row
/// buffer (0 in the first row), surplus elements and rows are ignored, and
/// up to ten empty lines between rows collapse. Linear in the text's length.
void GetMatrixFromText(Matrix& M, int n, std::string_view text);

} // namespace quorvex
