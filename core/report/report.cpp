#include "report/report.h"

#include "numerics/kernels/parallel_rows.h"
#include "reading/number_text.h"

#include <algorithm>
#include <vector>

namespace quorvex {

namespace {

inline char* styledNumber(char* buf, double v, NumberStyle style) {
    return writeStyled(buf, v, style);
}

/// Copies columns firstCol..cols of rows 1..rows into the document, which
/// keeps them as doubles: writing them in another format costs nothing
/// until a renderer asks.
std::size_t recordNumbers(Document& d, const Matrix& m, int rows, int cols, int firstCol) {
    const std::size_t first = d.numberCount();
    if (rows <= 0 || cols < firstCol) return first;
    const auto width = static_cast<std::size_t>(cols - firstCol + 1);
    double* out = d.appendNumbers(static_cast<std::size_t>(rows) * width);
    for (int i = 1; i <= rows; ++i, out += width)
        std::copy_n(m.row(i) + (firstCol - 1), width, out);
    return first;
}

/// Which numbers of a block's rows are written, and how.
struct BlockLayout {
    int firstCol;
    int cols;
    std::string_view separator;
    NumberStyle style;
    std::string_view rowEnd;
};

/// Below this many numbers a block is written on one core.
constexpr double kNumbersPerThread = 200000;
/// How many rounds a block written on several cores takes.
constexpr int kWritingRounds = 8;

/// Appends rows first..last-1 of m to out. Numbers are written into a local
/// chunk and appended a chunk at a time: a block of a million numbers costs
/// a few hundred appends.
void writeRows(std::string& out, const Matrix& m, int first, int last, const BlockLayout& b) {
    constexpr std::size_t kChunk = 1 << 16;
    char chunk[kChunk];
    char* at = chunk;
    const std::size_t perNumber = b.separator.size() + kMaxNumberText;
    for (int i = first; i < last; ++i) {
        const double* row = m.row(i);
        for (int j = b.firstCol; j <= b.cols; ++j) {
            if (static_cast<std::size_t>(at - chunk) + perNumber + b.rowEnd.size() > kChunk) {
                out.append(chunk, static_cast<std::size_t>(at - chunk));
                at = chunk;
            }
            for (char c : b.separator) *at++ = c;
            at = styledNumber(at, row[j - 1], b.style);
        }
        if (static_cast<std::size_t>(at - chunk) + b.rowEnd.size() > kChunk) {
            out.append(chunk, static_cast<std::size_t>(at - chunk));
            at = chunk;
        }
        for (char c : b.rowEnd) *at++ = c;
    }
    out.append(chunk, static_cast<std::size_t>(at - chunk));
}

} // namespace

Report& Report::text(std::string_view s) {
    m_text.append(s);
    m_document.addText(s);
    return *this;
}

Report& Report::newline() {
    m_text.append(kCrLf);
    m_document.add(piece::LineBreak{});
    return *this;
}

Report& Report::number(double v, NumberStyle style) {
    char buf[kMaxNumberText];
    char* end = styledNumber(buf, v, style);
    m_text.append(buf, static_cast<std::size_t>(end - buf));
    m_document.add(piece::Number{v, style});
    return *this;
}

Report& Report::integer(long long v) {
    appendInteger(m_text, v);
    m_document.add(piece::Integer{v});
    return *this;
}

Report& Report::matrixBlock(const Matrix& m, int rows, int cols, std::string_view separator,
                            NumberStyle style, int firstCol, std::string_view rowEnd) {
    const BlockLayout layout{firstCol, cols, separator, style, rowEnd};
    const int width = cols - firstCol + 1;
    const std::size_t need = m_text.size() + estimateBlockBytes(rows, width, separator.size());
    if (m_text.capacity() < need) m_text.reserve(std::max(need, 2 * m_text.capacity()));
    const int parts = static_cast<double>(rows) * width < kNumbersPerThread
                          ? 1
                          : std::min(kernels::defaultKernelThreads(), rows);
    if (parts <= 1) {
        writeRows(m_text, m, 1, rows + 1, layout);
    } else {
        // The rows go in rounds, each round's range split across the cores:
        // the first part straight into the report, the others into buffers
        // kept from round to round and appended in order. The buffers hold
        // a small share of the block, not a copy of it.
        const int rounds = std::max(1, std::min(kWritingRounds, rows / parts));
        const int pieces = rounds * parts;
        const auto rowOf = [&](int piece) {
            return 1 + static_cast<int>(static_cast<long long>(rows) * piece / pieces);
        };
        std::vector<std::string> buffers(static_cast<std::size_t>(parts));
        for (int round = 0; round < rounds; ++round) {
            kernels::parallelRows(0, parts, parts, kernels::kWorkPerThread, [&](int a, int b) {
                for (int p = a; p < b; ++p) {
                    std::string& t = p == 0 ? m_text : buffers[static_cast<std::size_t>(p)];
                    if (p > 0) t.clear();
                    const int piece = round * parts + p;
                    writeRows(t, m, rowOf(piece), rowOf(piece + 1), layout);
                }
            });
            for (int p = 1; p < parts; ++p) m_text.append(buffers[static_cast<std::size_t>(p)]);
        }
    }
    if (rows > 0 && cols >= firstCol)
        m_document.add(piece::MatrixBlock{rows, width, style, std::string(separator),
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
    const std::size_t at = m_document.numberCount();
    double* out = m_document.appendNumbers(static_cast<std::size_t>(last - first + 1));
    char buf[kMaxNumberText];
    for (int i = first; i <= last; ++i) {
        m_text.append(separator);
        m_text.append(buf, styledNumber(buf, v(i), style));
        *out++ = v(i);
    }
    m_document.add(piece::NumberRow{last - first + 1, style, std::string(separator), at});
    return *this;
}

Report& Report::number(const Rational& q, NumberStyle style) {
    m_text.append(rationalText(q));
    m_document.add(piece::Number{q.get_d(), style, q});
    return *this;
}

Report& Report::matrixBlock(const RationalMatrix& m, int rows, int cols, std::string_view separator,
                            NumberStyle style, int firstCol, std::string_view rowEnd) {
    std::vector<Rational> values;
    for (int i = 1; i <= rows; ++i) {
        for (int j = firstCol; j <= cols; ++j) {
            m_text.append(separator);
            m_text.append(rationalText(m(i, j)));
            values.push_back(m(i, j));
        }
        m_text.append(rowEnd);
    }
    if (rows > 0 && cols >= firstCol)
        m_document.add(piece::MatrixBlock{rows, cols - firstCol + 1, style, std::string(separator),
                                          std::string(rowEnd), 0, m_document.appendExact(values),
                                          true});
    return *this;
}

Report& Report::vectorLine(const RationalVector& v, int first, int last, std::string_view separator,
                           NumberStyle style) {
    if (last < first) return *this;
    std::vector<Rational> values;
    for (int i = first; i <= last; ++i) {
        m_text.append(separator);
        m_text.append(rationalText(v(i)));
        values.push_back(v(i));
    }
    m_document.add(piece::NumberRow{last - first + 1, style, std::string(separator),
                                    m_document.appendExact(values), true});
    return *this;
}

Report& Report::indexedValue(std::string_view name, int index, const Rational& value,
                             NumberStyle style) {
    m_text.append(name).append("(");
    appendInteger(m_text, index);
    m_text.append(")=").append(rationalText(value)).append(kCrLf);
    m_document.add(
        piece::IndexedValue{std::string(name), index, value.get_d(), style, false, value});
    return *this;
}

Report& Report::indexedValueAfterBreak(std::string_view name, int index, const Rational& value,
                                       NumberStyle style) {
    m_text.append(kCrLf).append(name).append("(");
    appendInteger(m_text, index);
    m_text.append(")=").append(rationalText(value));
    m_document.add(
        piece::IndexedValue{std::string(name), index, value.get_d(), style, true, value});
    return *this;
}

Report& Report::heading(std::string_view h) {
    m_text.append(kCrLf);
    m_text.append(h);
    m_text.append(kCrLf);
    m_document.add(piece::Heading{std::string(h)});
    return *this;
}

void Report::appendIndexedValue(std::string_view name, int index, double value, NumberStyle style) {
    m_text.append(name);
    m_text.push_back('(');
    appendInteger(m_text, index);
    m_text.append(")=");
    char buf[kMaxNumberText];
    m_text.append(buf, styledNumber(buf, value, style));
}

Report& Report::indexedValue(std::string_view name, int index, double value, NumberStyle style) {
    appendIndexedValue(name, index, value, style);
    m_text.append(kCrLf);
    m_document.add(piece::IndexedValue{std::string(name), index, value, style, false});
    return *this;
}

Report& Report::indexedValueAfterBreak(std::string_view name, int index, double value,
                                       NumberStyle style) {
    m_text.append(kCrLf);
    appendIndexedValue(name, index, value, style);
    m_document.add(piece::IndexedValue{std::string(name), index, value, style, true});
    return *this;
}

Report& Report::title(std::string_view t) {
    m_text.append(kCrLf);
    m_text.append(t);
    m_document.add(piece::Title{std::string(t)});
    return *this;
}

std::size_t estimateBlockBytes(int rows, int cols, std::size_t separator) {
    if (rows <= 0 || cols <= 0) return 0;
    // Typical rounded numbers take 10 to 16 characters.
    return static_cast<std::size_t>(rows) * (static_cast<std::size_t>(cols) * (separator + 14) + 2);
}

} // namespace quorvex
