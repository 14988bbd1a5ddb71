#include "report/report.h"

#include "report/render.h"

#include <algorithm>
#include <vector>

namespace quorvex {

namespace {

/// Copies columns firstCol..cols of rows 1..rows into the document, which
/// keeps them as doubles: writing them in any format costs nothing until a
/// renderer asks.
std::size_t recordNumbers(Document& d, const Matrix& m, int rows, int cols, int firstCol) {
    const auto width = static_cast<std::size_t>(cols - firstCol + 1);
    const auto [first, out] = d.appendNumbers(static_cast<std::size_t>(rows) * width);
    double* at = out;
    for (int i = 1; i <= rows; ++i, at += width) std::copy_n(m.row(i) + (firstCol - 1), width, at);
    return first;
}

} // namespace

Report& Report::text(std::string_view s) {
    m_document.addText(s);
    return *this;
}

Report& Report::newline() {
    m_document.add(piece::LineBreak{});
    return *this;
}

Report& Report::number(double v, NumberStyle style) {
    m_document.add(piece::Number{v, style});
    return *this;
}

Report& Report::integer(long long v) {
    m_document.add(piece::Integer{v});
    return *this;
}

Report& Report::matrixBlock(const Matrix& m, int rows, int cols, std::string_view separator,
                            NumberStyle style, int firstCol, std::string_view rowEnd) {
    if (rows <= 0) return *this;
    if (cols < firstCol) return emptyRows(rows, rowEnd);
    m_document.add(piece::MatrixBlock{rows, cols - firstCol + 1, style, std::string(separator),
                                      std::string(rowEnd), 0,
                                      recordNumbers(m_document, m, rows, cols, firstCol)});
    return *this;
}

Report& Report::augmented() {
    if (piece::MatrixBlock* m = m_document.lastBlock()) m->barAfter = m->cols - 1;
    return *this;
}

Report& Report::barAfter(int columns) {
    if (piece::MatrixBlock* m = m_document.lastBlock()) m->barAfter = columns;
    return *this;
}

Report& Report::vectorLine(const Vector& v, int first, int last, std::string_view separator,
                           NumberStyle style) {
    if (last < first) return *this;
    const auto [at, out] = m_document.appendNumbers(static_cast<std::size_t>(last - first + 1));
    for (int i = first; i <= last; ++i) out[i - first] = v(i);
    m_document.add(piece::NumberRow{last - first + 1, style, std::string(separator), at});
    return *this;
}

Report& Report::number(const Rational& q, NumberStyle style) {
    m_document.add(piece::Number{q.get_d(), style, q});
    return *this;
}

Report& Report::matrixBlock(const RationalMatrix& m, int rows, int cols, std::string_view separator,
                            NumberStyle style, int firstCol, std::string_view rowEnd) {
    if (rows <= 0) return *this;
    if (cols < firstCol) return emptyRows(rows, rowEnd);
    std::vector<Rational> values;
    values.reserve(static_cast<std::size_t>(rows) * static_cast<std::size_t>(cols - firstCol + 1));
    for (int i = 1; i <= rows; ++i)
        for (int j = firstCol; j <= cols; ++j) values.push_back(m(i, j));
    m_document.add(piece::MatrixBlock{rows, cols - firstCol + 1, style, std::string(separator),
                                      std::string(rowEnd), 0, m_document.appendExact(values),
                                      true});
    return *this;
}

Report& Report::vectorLine(const RationalVector& v, int first, int last, std::string_view separator,
                           NumberStyle style) {
    if (last < first) return *this;
    std::vector<Rational> values;
    for (int i = first; i <= last; ++i) values.push_back(v(i));
    m_document.add(piece::NumberRow{last - first + 1, style, std::string(separator),
                                    m_document.appendExact(values), true});
    return *this;
}

Report& Report::indexedValue(std::string_view name, int index, const Rational& value,
                             NumberStyle style) {
    m_document.add(
        piece::IndexedValue{std::string(name), index, value.get_d(), style, false, value});
    return *this;
}

Report& Report::indexedValueAfterBreak(std::string_view name, int index, const Rational& value,
                                       NumberStyle style) {
    m_document.add(
        piece::IndexedValue{std::string(name), index, value.get_d(), style, true, value});
    return *this;
}

Report& Report::heading(std::string_view h) {
    m_document.add(piece::Heading{std::string(h)});
    return *this;
}

Report& Report::indexedValue(std::string_view name, int index, double value, NumberStyle style) {
    m_document.add(piece::IndexedValue{std::string(name), index, value, style, false});
    return *this;
}

Report& Report::indexedValueAfterBreak(std::string_view name, int index, double value,
                                       NumberStyle style) {
    m_document.add(piece::IndexedValue{std::string(name), index, value, style, true});
    return *this;
}

Report& Report::title(std::string_view t) {
    m_document.add(piece::Title{std::string(t)});
    return *this;
}

Report& Report::emptyRows(int rows, std::string_view rowEnd) {
    for (int i = 0; i < rows; ++i) text(rowEnd);
    return *this;
}

std::string Report::plainText() const { return renderText(m_document); }

} // namespace quorvex
