#include "matrix_text.h"

#include "expression.h"
#include "text_passes.h"

#include <string>
#include <vector>

namespace quorvex {

namespace {

/// Blanks become commas, a run of blanks one comma; a comma with a blank on
/// each side becomes two commas, so it still separates an empty element.
void normaliseBlanks(std::string& s) {
    collapseBlankRuns(s);
    for (char& c : s)
        if (c == ' ') c = ',';
    replaceAllInPlace(s, ",,", ",");
}

/// Line breaks become row marks "#", and empty lines between rows collapse.
void markRows(std::string& s) {
    for (char& c : s)
        if (c == '\r' || c == '\n') c = '#';
    replaceAllInPlace(s, "#,", "#");
    replaceAllInPlace(s, ",#", "#");
    s += '#';
    replaceAllInPlace(s, "#####", "#");
    replaceAllInPlace(s, "###", "#");
    replaceAllInPlace(s, "##", "#");
}

} // namespace

MatrixLines::MatrixLines(std::string_view text) {
    std::string& s = m_text;
    s.reserve(text.size() + 1); // room for the final row mark
    s.assign(text);
    normaliseTypedText(s);
    const std::string_view trimmed = trimBlanks(s);
    const auto begin = static_cast<std::size_t>(trimmed.data() - s.data());
    const std::size_t length = trimmed.size();
    s.erase(begin + length);
    s.erase(0, begin);
    normaliseBlanks(s);
    markRows(s);
    while (m_start < s.size() && (s[m_start] == ' ' || s[m_start] == '#')) ++m_start;
}

std::string_view MatrixLines::next() {
    const std::size_t p = m_text.find('#', m_start);
    if (p == std::string::npos) return {};
    // The row mark stays on the last element; the evaluator reads it as the
    // end of its input.
    const std::string_view line = std::string_view(m_text).substr(m_start, p + 1 - m_start);
    m_start = p + 1;
    // Rows were cleaned as a whole: no blanks are left to normalise here.
    return trimBlanks(line);
}

void GetMatrixFromText(Matrix& M, int n, std::string_view text) {
    // Missing elements keep what the row above left in this buffer.
    std::vector<double> R(static_cast<std::size_t>(n) + 2, 0.0);
    MatrixLines lines(text);
    for (int r = 1; r <= n; ++r) {
        MatrixLines::forEachElement(lines.next(), n + 1, [&](int j, std::string_view element) {
            R[static_cast<std::size_t>(j)] = EvaluateExpression(element);
        });
        double* row = M.row(r);
        for (int j = 1; j <= n + 1; ++j) row[j - 1] = R[static_cast<std::size_t>(j)];
    }
}

} // namespace quorvex
