#pragma once

#include "base/matrix.h"

#include <string>
#include <string_view>
#include <vector>

namespace quorvex {

/// Reads a vector from the first line of text that holds anything: leading
/// blanks and empty lines are skipped, the line ends at its line break (or at
/// a "#"), and its elements are separated by runs of blanks (commas belong
/// to an element; tabs and full-width forms read as normaliseTypedText says).
/// Each element is an expression. Gives v(1..k), or
/// an empty vector when there is nothing to read. Linear in the text's length.
Vector GetVectorFromText(std::string_view text);

/// The texts of the elements GetVectorFromText reads from text, in order,
/// each as the expression it evaluates.
std::vector<std::string> VectorElementTexts(std::string_view text);

} // namespace quorvex
