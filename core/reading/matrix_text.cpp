#include "reading/matrix_text.h"

#include "numerics/kernels/parallel_rows.h"
#include "reading/expression.h"
#include "reading/text_passes.h"

#include <string>
#include <vector>

namespace quorvex {

namespace {

/// What reading one element costs, in the kernels' element steps: enough
/// that only texts of a few megabytes take a second thread.
constexpr double kParseWorkPerElement = 40.0;

/// Blanks become commas, a run of blanks one comma, line breaks become row
/// marks "#"; then every pair of commas in a row becomes one, so that a
/// comma with a blank on each side still separates an empty element (a run
/// of k commas keeps the odd-numbered ones: ceil(k/2)). One pass: on a large
/// text the separate passes cost more than reading its numbers.
void normaliseBlanks(std::string& s) {
    std::size_t write = 0;
    std::size_t commaRun = 0;
    bool afterBlank = false;
    for (const char c : s) {
        const bool blank = c == ' ';
        if (blank && afterBlank) continue;
        afterBlank = blank;
        if (blank || c == ',') {
            if (++commaRun % 2 == 1) s[write++] = ',';
            continue;
        }
        commaRun = 0;
        s[write++] = c == '\r' || c == '\n' ? '#' : c;
    }
    s.resize(write);
}

/// Drops the comma right after (or right before) each row mark: one each,
/// as a single left-to-right replacement of "#," (",#") by "#" would. Row
/// marks are few, so the search goes from mark to mark.
void dropCommaBesideMarks(std::string& s, bool after) {
    std::size_t mark = s.find('#');
    if (mark == std::string::npos) return;
    std::size_t write = 0;
    std::size_t read = 0;
    while (mark != std::string::npos) {
        std::size_t keepEnd = mark;
        if (!after && mark > read && s[mark - 1] == ',') keepEnd = mark - 1;
        write = shiftLeft(s, read, keepEnd, write);
        s[write++] = '#';
        read = mark + 1;
        if (after && read < s.size() && s[read] == ',') ++read;
        mark = s.find('#', read);
    }
    s.resize(shiftLeft(s, read, s.size(), write));
}

/// Empty lines between rows collapse.
void markRows(std::string& s) {
    dropCommaBesideMarks(s, true);
    dropCommaBesideMarks(s, false);
    s += '#';
    replaceAllInPlace(s, "#####", "#");
    replaceAllInPlace(s, "###", "#");
    replaceAllInPlace(s, "##", "#");
}

} // namespace

MatrixLines::MatrixLines(std::string&& text) : m_text(std::move(text)) {
    std::string& s = m_text;
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

namespace {

void readRows(Matrix& M, int n, MatrixLines& lines) {
    std::vector<std::string_view> rowLines(static_cast<std::size_t>(n));
    for (std::string_view& line : rowLines) line = lines.next();
    // Rows are evaluated on their own, on every core for a large text; what
    // a row leaves out is filled afterwards, in order, from the row above.
    std::vector<int> supplied(static_cast<std::size_t>(n) + 1, 0);
    kernels::parallelRows(1, n + 1, kernels::defaultKernelThreads(), kParseWorkPerElement * (n + 1),
                          [&](int first, int last) {
                              for (int r = first; r < last; ++r) {
                                  double* row = M.row(r);
                                  int& count = supplied[static_cast<std::size_t>(r)];
                                  MatrixLines::forEachElement(
                                      rowLines[static_cast<std::size_t>(r - 1)], n + 1,
                                      [&](int j, std::string_view element) {
                                          row[j - 1] = EvaluateExpression(element);
                                          count = j;
                                      });
                              }
                          });
    // A missing element keeps the value the row above has there (0 in the
    // first row): one row buffer carried down the rows.
    for (int r = 1; r <= n; ++r) {
        double* row = M.row(r);
        for (int j = supplied[static_cast<std::size_t>(r)] + 1; j <= n + 1; ++j)
            row[j - 1] = r > 1 ? M(r - 1, j) : 0.0;
    }
}

} // namespace

void GetMatrixFromText(Matrix& M, int n, std::string_view text) {
    MatrixLines lines(text);
    readRows(M, n, lines);
}

void GetMatrixFromText(Matrix& M, int n, std::string&& text) {
    MatrixLines lines(std::move(text));
    readRows(M, n, lines);
}

} // namespace quorvex
