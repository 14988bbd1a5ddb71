#pragma once

#include <string>
#include <string_view>

namespace quorvex {

/// An ASCII decimal digit: what numbers are written with, whatever the locale.
inline bool isDigit(char c) { return c >= '0' && c <= '9'; }

/// One left-to-right pass replacing every non-overlapping occurrence of
/// `from` by `to`, in place; linear in the text's length.
void replaceAllInPlace(std::string& s, std::string_view from, std::string_view to);

/// Moves s[first, last) down to s[to, ...) (to <= first), as a compacting
/// pass does with the text it keeps; returns the end of the moved text.
std::size_t shiftLeft(std::string& s, std::size_t first, std::size_t last, std::size_t to);

/// The text without leading and trailing blanks (U+0020 only).
std::string_view trimBlanks(std::string_view s);

/// Reduces every run of blanks to a single blank.
void collapseBlankRuns(std::string& s);

/// Typed text as the readers of matrices, vectors and answers take it, in
/// place: a tab and the ideographic space U+3000 become a blank, the
/// full-width forms U+FF01..U+FF5E their ASCII counterparts ("１，２" reads
/// as "1,2"). Rows pasted from a spreadsheet and numbers typed with a Chinese
/// input method then read as they look. Other bytes are left as they are.
void normaliseTypedText(std::string& s);

} // namespace quorvex
