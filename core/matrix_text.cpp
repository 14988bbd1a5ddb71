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

/// Reads one row's elements into R (1..n+1); R keeps what it held for the
/// elements the line does not supply.
void readRow(std::string_view line, int n, std::vector<double>& R) {
    // Rows were cleaned as a whole: no blanks are left to normalise here.
    int k = 1;
    for (;;) {
        const std::size_t q = line.find(',');
        if (q == std::string_view::npos) {
            R[static_cast<std::size_t>(k)] = EvaluateExpression(line);
            return;
        }
        R[static_cast<std::size_t>(k)] = EvaluateExpression(line.substr(0, q));
        line.remove_prefix(q + 1);
        if (++k >= n + 2) return;
    }
}

} // namespace

void GetMatrixFromText(Matrix& M, int n, std::string_view text) {
    std::vector<double> R(static_cast<std::size_t>(n) + 2, 0.0);
    std::string s;
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
    std::size_t start = 0;
    while (start < s.size() && (s[start] == ' ' || s[start] == '#')) ++start;

    for (int r = 1; r <= n; ++r) {
        const std::size_t p = s.find('#', start);
        std::string_view line;
        if (p != std::string::npos) {
            // The row mark stays on the last element; the evaluator reads
            // it as the end of its input.
            line = std::string_view(s).substr(start, p + 1 - start);
            start = p + 1;
        }
        readRow(trimBlanks(line), n, R);
        double* row = M.row(r);
        for (int j = 1; j <= n + 1; ++j) row[j - 1] = R[static_cast<std::size_t>(j)];
    }
}

} // namespace quorvex
