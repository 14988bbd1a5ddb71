#include "report.h"

#include "number_text.h"

#include <algorithm>

namespace quorvex {

namespace {

inline char* styledNumber(char* buf, double v, NumberStyle style) {
    if (style.decimals != NumberStyle::kPlain) return writeRounded(buf, v, style.decimals);
    return writeNumber(buf, v);
}

} // namespace

Report& Report::text(std::string_view s) {
    m_text.append(s);
    return *this;
}

Report& Report::newline() { return text(kCrLf); }

Report& Report::number(double v, NumberStyle style) {
    char buf[kMaxNumberText];
    char* end = styledNumber(buf, v, style);
    m_text.append(buf, static_cast<std::size_t>(end - buf));
    return *this;
}

Report& Report::integer(long long v) {
    appendInteger(m_text, v);
    return *this;
}

Report& Report::matrixBlock(const Matrix& m, int rows, int cols, std::string_view separator,
                            NumberStyle style, int firstCol, std::string_view rowEnd) {
    const std::size_t need =
        m_text.size() + estimateBlockBytes(rows, cols - firstCol + 1, separator.size());
    if (m_text.capacity() < need) m_text.reserve(std::max(need, 2 * m_text.capacity()));
    // Numbers are written into a local chunk and appended a chunk at a
    // time: a block of a million numbers costs a few hundred appends.
    constexpr std::size_t kChunk = 1 << 16;
    char chunk[kChunk];
    char* out = chunk;
    const std::size_t perNumber = separator.size() + kMaxNumberText;
    for (int i = 1; i <= rows; ++i) {
        const double* row = m.row(i);
        for (int j = firstCol; j <= cols; ++j) {
            if (static_cast<std::size_t>(out - chunk) + perNumber + rowEnd.size() > kChunk) {
                m_text.append(chunk, static_cast<std::size_t>(out - chunk));
                out = chunk;
            }
            for (char c : separator) *out++ = c;
            out = styledNumber(out, row[j - 1], style);
        }
        if (static_cast<std::size_t>(out - chunk) + rowEnd.size() > kChunk) {
            m_text.append(chunk, static_cast<std::size_t>(out - chunk));
            out = chunk;
        }
        for (char c : rowEnd) *out++ = c;
    }
    m_text.append(chunk, static_cast<std::size_t>(out - chunk));
    return *this;
}

Report& Report::vectorLine(const Vector& v, int first, int last, std::string_view separator,
                           NumberStyle style) {
    for (int i = first; i <= last; ++i) {
        m_text.append(separator);
        number(v(i), style);
    }
    return *this;
}

Report& Report::number(const Rational& q, NumberStyle) {
    m_text.append(rationalText(q));
    return *this;
}

Report& Report::matrixBlock(const RationalMatrix& m, int rows, int cols,
                            std::string_view separator, NumberStyle style, int firstCol,
                            std::string_view rowEnd) {
    for (int i = 1; i <= rows; ++i) {
        for (int j = firstCol; j <= cols; ++j) {
            m_text.append(separator);
            number(m(i, j), style);
        }
        m_text.append(rowEnd);
    }
    return *this;
}

Report& Report::vectorLine(const RationalVector& v, int first, int last,
                           std::string_view separator, NumberStyle style) {
    for (int i = first; i <= last; ++i) {
        m_text.append(separator);
        number(v(i), style);
    }
    return *this;
}

Report& Report::indexedValue(std::string_view name, int index, const Rational& value,
                             NumberStyle style) {
    m_text.append(name);
    m_text.push_back('(');
    appendInteger(m_text, index);
    m_text.append(")=");
    number(value, style);
    m_text.append(kCrLf);
    return *this;
}

Report& Report::heading(std::string_view h) {
    m_text.append(kCrLf);
    m_text.append(h);
    m_text.append(kCrLf);
    return *this;
}

Report& Report::indexedValue(std::string_view name, int index, double value, NumberStyle style) {
    m_text.append(name);
    m_text.push_back('(');
    appendInteger(m_text, index);
    m_text.append(")=");
    number(value, style);
    m_text.append(kCrLf);
    return *this;
}

Report& Report::title(std::string_view t) {
    m_text.append(kCrLf);
    m_text.append(t);
    return *this;
}

std::size_t estimateBlockBytes(int rows, int cols, std::size_t separator) {
    if (rows <= 0 || cols <= 0) return 0;
    // Typical rounded numbers take 10 to 16 characters.
    return static_cast<std::size_t>(rows) * (static_cast<std::size_t>(cols) * (separator + 14) + 2);
}

} // namespace quorvex
