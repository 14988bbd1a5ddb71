#pragma once

#include <string>
#include <string_view>

namespace quorvex {

/// One left-to-right pass replacing every non-overlapping occurrence of
/// `from` by `to`, in place; linear in the text's length.
void replaceAllInPlace(std::string& s, std::string_view from, std::string_view to);

/// The text without leading and trailing blanks (U+0020 only).
std::string_view trimBlanks(std::string_view s);

/// Reduces every run of blanks to a single blank.
void collapseBlankRuns(std::string& s);

} // namespace quorvex
