#pragma once

#include <string>
#include <string_view>

namespace quorvex {

/// One left-to-right pass replacing every non-overlapping occurrence of
/// `from` by `to`, in place; linear in the text's length.
void replaceAllInPlace(std::string& s, std::string_view from, std::string_view to);

/// The text without leading and trailing blanks (U+0020 only).
std::string_view trimBlanks(std::string_view s);

/// Reduces runs of blanks the way typed input is cleaned: nine blanks by
/// one, then five, three and two by one, each as its own pass.
void collapseBlankRuns(std::string& s);

} // namespace quorvex
