#pragma once

#include "base/matrix.h"

#include <string>
#include <string_view>

namespace quorvex {

/// Fills M (already n x (n+1)) from the edit area's text: one row per line,
/// elements separated by blanks (tabs too) or commas, each an expression;
/// full-width forms read as their ASCII counterparts. Never rejects
/// input: missing elements keep the value the previous row left in the row
/// buffer (0 in the first row), surplus elements and rows are ignored, and
/// up to ten empty lines between rows collapse. Linear in the text's length.
void GetMatrixFromText(Matrix& M, int n, std::string_view text);
/// The same, working in the given text's own buffer instead of a copy.
void GetMatrixFromText(Matrix& M, int n, std::string&& text);

/// The edit area's text as GetMatrixFromText reads it, handed out a row's
/// line at a time, so that other readers (exact values, the texts typed)
/// read exactly the same entries.
class MatrixLines {
public:
    explicit MatrixLines(std::string_view text) : MatrixLines(std::string(text)) {}
    /// Cleans the text in its own buffer.
    explicit MatrixLines(std::string&& text);

    /// The next row's line (empty once the text is used up), ending in the
    /// row mark "#" the evaluator stops at.
    std::string_view next();

    /// Calls element(j, text) for the row line's elements j = 1..count at
    /// most; an element the line does not supply is not called for.
    template <typename F>
    static void forEachElement(std::string_view line, int count, F&& element) {
        for (int k = 1; k <= count; ++k) {
            const std::size_t q = line.find(',');
            if (q == std::string_view::npos) {
                element(k, line);
                return;
            }
            element(k, line.substr(0, q));
            line.remove_prefix(q + 1);
        }
    }

private:
    std::string m_text;
    std::size_t m_start = 0;
};

} // namespace quorvex
