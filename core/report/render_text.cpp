// Plain text: the one writer of a report's text, byte for byte the layout
// the report was built in, separators and line breaks included. It is a hot
// path (a report of order 2000 holds eight million numbers): the text is
// sized once from the document, and a large block is written a range of
// rows per core.
#include "report/render.h"

#include "numerics/kernels/parallel_rows.h"
#include "report/report.h"

#include <gmp.h>

#include <algorithm>
#include <vector>

namespace quorvex {

namespace {

/// Below this many numbers a block is written on one core.
constexpr double kNumbersPerThread = 200000;
/// How many rounds a block written on several cores takes.
constexpr int kWritingRounds = 8;

/// How a block's rows are written.
struct RowLayout {
    int cols;
    std::string_view separator;
    NumberStyle style;
    std::string_view rowEnd;
};

/// Appends rows first..last-1 of a block (numbers row by row) to out.
/// Numbers are written into a local chunk and appended a chunk at a time: a
/// block of a million numbers costs a few hundred appends.
void writeRows(std::string& out, std::span<const double> numbers, int first, int last,
               const RowLayout& b) {
    constexpr std::size_t kChunk = 1 << 16;
    char chunk[kChunk];
    char* at = chunk;
    const std::size_t perNumber = b.separator.size() + kMaxNumberText;
    const auto flushIfShort = [&](std::size_t need) {
        if (static_cast<std::size_t>(at - chunk) + need <= kChunk) return;
        out.append(chunk, static_cast<std::size_t>(at - chunk));
        at = chunk;
    };
    for (int i = first; i < last; ++i) {
        const double* row = numbers.data() + static_cast<std::size_t>(i) * b.cols;
        for (int j = 0; j < b.cols; ++j) {
            flushIfShort(perNumber + b.rowEnd.size());
            at = std::copy(b.separator.begin(), b.separator.end(), at);
            at = writeStyled(at, row[j], b.style);
        }
        flushIfShort(b.rowEnd.size());
        at = std::copy(b.rowEnd.begin(), b.rowEnd.end(), at);
    }
    out.append(chunk, static_cast<std::size_t>(at - chunk));
}

/// The text being written: whole, or handed to a sink whenever it has grown
/// past a size.
struct TextOut {
    std::string text;
    const TextSink* sink = nullptr;
    bool taken = true; ///< false once the sink failed

    static constexpr std::size_t kPieceBytes = std::size_t{1} << 20;

    void handOver() {
        if (!sink || text.size() < kPieceBytes) return;
        taken = taken && (*sink)(text);
        text.clear();
    }
    bool finish() {
        if (sink && !text.empty()) taken = taken && (*sink)(text);
        return taken;
    }
};

/// Writes a block's rows, on several cores when it is large (`work`, in
/// numbers, at least kNumbersPerThread): the rows go in rounds, each
/// round's range split across the cores, the first part straight into the
/// text and the others into buffers kept from round to round and appended
/// in order. The buffers hold a small share of the block, not a copy of it.
/// writeRows(out, first, last) appends rows first..last-1 to out.
template <class RowWriter>
void writeBlock(TextOut& to, int rows, double work, const RowWriter& writeRows) {
    std::string& out = to.text;
    const int parts =
        work < kNumbersPerThread ? 1 : std::min(kernels::defaultKernelThreads(), rows);
    if (parts <= 1) {
        writeRows(out, 0, rows);
        to.handOver();
        return;
    }
    const int rounds = std::max(1, std::min(kWritingRounds, rows / parts));
    const int pieces = rounds * parts;
    const auto rowOf = [&](int piece) {
        return static_cast<int>(static_cast<long long>(rows) * piece / pieces);
    };
    std::vector<std::string> buffers(static_cast<std::size_t>(parts));
    for (int round = 0; round < rounds; ++round) {
        kernels::parallelRows(0, parts, parts, kernels::kWorkPerThread, [&](int a, int z) {
            for (int p = a; p < z; ++p) {
                std::string& t = p == 0 ? out : buffers[static_cast<std::size_t>(p)];
                if (p > 0) t.clear();
                const int piece = round * parts + p;
                writeRows(t, rowOf(piece), rowOf(piece + 1));
            }
        });
        for (int p = 1; p < parts; ++p) out.append(buffers[static_cast<std::size_t>(p)]);
        to.handOver();
    }
}

/// At most how many characters an exact number takes.
std::size_t exactBound(const Rational& q) {
    return mpz_sizeinbase(q.get_num_mpz_t(), 10) + mpz_sizeinbase(q.get_den_mpz_t(), 10) + 3;
}

/// At most how many characters the plain text of d takes: reserving it up
/// front means the text of a large report is never copied to grow.
struct TextBound {
    const Document& d;
    std::size_t bytes = 0;

    void numbers(std::size_t count, std::size_t perRow, std::size_t separator, std::size_t rowEnd) {
        bytes += count * (separator + kMaxNumberText) + (perRow ? count / perRow : 0) * rowEnd;
    }
    void exact(std::span<const Rational> values, std::size_t separator, std::size_t rows,
               std::size_t rowEnd) {
        for (const Rational& q : values) bytes += separator + exactBound(q);
        bytes += rows * rowEnd;
    }
    void operator()(const piece::Text& t) { bytes += t.text.size(); }
    void operator()(const piece::LineBreak&) { bytes += kCrLf.size(); }
    void operator()(const piece::Number& n) {
        bytes += n.exact ? exactBound(*n.exact) : kMaxNumberText;
    }
    void operator()(const piece::Integer&) { bytes += kMaxNumberText; }
    void operator()(const piece::MatrixBlock& m) {
        if (m.exact)
            exact(d.exactNumbers(m), m.separator.size(), static_cast<std::size_t>(m.rows),
                  m.rowEnd.size());
        else
            numbers(d.numbers(m).size(), static_cast<std::size_t>(m.cols), m.separator.size(),
                    m.rowEnd.size());
    }
    void operator()(const piece::NumberRow& r) {
        if (r.exact) exact(d.exactNumbers(r), r.separator.size(), 0, 0);
        else numbers(d.numbers(r).size(), 0, r.separator.size(), 0);
    }
    void operator()(const piece::Heading& h) { bytes += h.text.size() + 2 * kCrLf.size(); }
    void operator()(const piece::IndexedValue& v) {
        bytes += v.name.size() + 2 * kMaxNumberText + kCrLf.size() +
                 (v.exact ? exactBound(*v.exact) : 0);
    }
    void operator()(const piece::Title& t) { bytes += t.text.size() + kCrLf.size(); }
};

struct TextWriter {
    const Document& d;
    TextOut& to;
    std::string& out = to.text;

    void number(double v, NumberStyle style) {
        char buf[kMaxNumberText];
        out.append(buf, writeStyled(buf, v, style));
    }
    /// Rows of perRow fractions, a row end after each. A fraction of
    /// hundreds of digits costs as much as hundreds of numbers, so a large
    /// block of them is written on several cores too.
    void exactNumbers(std::span<const Rational> values, int perRow, std::string_view separator,
                      std::string_view rowEnd) {
        if (perRow <= 0) return;
        const auto cols = static_cast<std::size_t>(perRow);
        const auto rows = static_cast<int>((values.size() + cols - 1) / cols);
        double digits = 0.0;
        for (const Rational& q : values) digits += static_cast<double>(exactBound(q));
        writeBlock(to, rows, digits / 16.0, [&](std::string& t, int first, int last) {
            const std::size_t end = std::min(values.size(), static_cast<std::size_t>(last) * cols);
            for (std::size_t i = static_cast<std::size_t>(first) * cols; i < end; ++i) {
                t.append(separator).append(rationalText(values[i]));
                if ((i + 1) % cols == 0) t.append(rowEnd);
            }
        });
    }
    void writeNumberBlock(std::span<const double> numbers, int rows, const RowLayout& b) {
        writeBlock(
            to, rows, static_cast<double>(rows) * b.cols,
            [&](std::string& t, int first, int last) { writeRows(t, numbers, first, last, b); });
    }
    void indexed(const piece::IndexedValue& v) {
        if (v.breakBefore) out.append(kCrLf);
        out.append(v.name).append("(");
        appendInteger(out, v.index);
        out.append(")=");
        if (v.exact) out.append(rationalText(*v.exact));
        else number(v.value, v.style);
        if (!v.breakBefore) out.append(kCrLf);
    }

    void operator()(const piece::Text& t) { out.append(t.text); }
    void operator()(const piece::LineBreak&) { out.append(kCrLf); }
    void operator()(const piece::Number& n) {
        if (n.exact) out.append(rationalText(*n.exact));
        else number(n.value, n.style);
    }
    void operator()(const piece::Integer& i) { appendInteger(out, i.value); }
    void operator()(const piece::MatrixBlock& m) {
        if (m.exact) exactNumbers(d.exactNumbers(m), m.cols, m.separator, m.rowEnd);
        else writeNumberBlock(d.numbers(m), m.rows, {m.cols, m.separator, m.style, m.rowEnd});
    }
    void operator()(const piece::NumberRow& r) {
        if (r.exact) exactNumbers(d.exactNumbers(r), r.count, r.separator, {});
        else writeRows(out, d.numbers(r), 0, 1, {r.count, r.separator, r.style, {}});
    }
    void operator()(const piece::Heading& h) { out.append(kCrLf).append(h.text).append(kCrLf); }
    void operator()(const piece::IndexedValue& v) { indexed(v); }
    void operator()(const piece::Title& t) { out.append(kCrLf).append(t.text); }
};

} // namespace

std::string renderText(const Document& d) {
    TextBound bound{d};
    for (const Piece& p : d.pieces()) std::visit(bound, p);
    TextOut to;
    to.text.reserve(bound.bytes);
    TextWriter writer{d, to};
    for (const Piece& p : d.pieces()) std::visit(writer, p);
    return std::move(to.text);
}

bool renderText(const Document& d, const TextSink& sink) {
    TextOut to{{}, &sink};
    // A piece, and the last round of a large block on top of it.
    to.text.reserve(2 * TextOut::kPieceBytes);
    TextWriter writer{d, to};
    for (const Piece& p : d.pieces()) {
        std::visit(writer, p);
        to.handOver();
        if (!to.taken) return false;
    }
    return to.finish();
}

} // namespace quorvex
