#pragma once

// TeX math shared by the LaTeX and Markdown renderers.

#include "report/display_blocks.h"

#include <string>
#include <string_view>

namespace quorvex {

/// A number as the report writes it, in TeX math: the exponent form's E
/// upright, its sign not spaced as a binary operator.
std::string texNumber(std::string_view text);

/// An exact number in TeX math: an integer, or \frac{p}{q} with the sign
/// in front.
std::string texExact(const Rational& q);

/// A block as display-math body: bmatrix, or an array in brackets with a
/// vertical bar where the block has one; rows apart by "\\" and LF.
std::string texMatrix(const BlockShape& shape);

} // namespace quorvex
