#pragma once

#include "base/rational.h"
#include "reading/number_text.h"
#include "texts/text.h"

#include <optional>

#include <cstddef>
#include <span>
#include <string>
#include <string_view>
#include <utility>
#include <variant>
#include <vector>

namespace quorvex {

/// How a number is shown in a report: in full (kPlain) or rounded to a
/// number of decimals first.
struct NumberStyle {
    static constexpr int kPlain = -1;
    int decimals = kPlain;

    static NumberStyle plain() { return {}; }
    static NumberStyle rounded(int d) { return NumberStyle{d}; }
};

/// Writes v as a report shows it in this style; buf holds kMaxNumberText
/// characters. Returns the end of the text.
inline char* writeStyled(char* buf, double v, NumberStyle style) {
    if (style.decimals != NumberStyle::kPlain) return writeRounded(buf, v, style.decimals);
    return writeNumber(buf, v);
}

/// The text of v in this style.
std::string styledText(double v, NumberStyle style);

/// The typed pieces a report is made of, in the order they were written.
namespace piece {

/// Literal text within one line; it never holds a line break.
struct Text {
    std::string text;
};
/// CR LF.
struct LineBreak {};
/// A number within a line.
struct Number {
    double value;
    NumberStyle style;
    std::optional<Rational> exact{}; ///< an exact number, shown as it is
};
/// An index or a count within a line.
struct Integer {
    long long value;
};
/// Rows of numbers: the separator before every number, rowEnd after every
/// row. Columns after barAfter (when it is above 0) stand to the right of
/// a vertical bar: the right-hand side of an augmented matrix.
struct MatrixBlock {
    int rows = 0;
    int cols = 0;
    NumberStyle style;
    std::string separator;
    std::string rowEnd;
    int barAfter = 0;
    std::size_t first = 0; ///< which of the document's number buffers holds them, row by row
    bool exact = false;    ///< exact numbers: first is where they start among the exact ones
};
/// Numbers on one line, the separator before each, no line break after.
struct NumberRow {
    int count = 0;
    NumberStyle style;
    std::string separator;
    std::size_t first = 0;
    bool exact = false; ///< as in MatrixBlock
};
/// CR LF, the heading, CR LF. A heading may run over two lines.
struct Heading {
    std::string text;
};
/// name(index)=value, with CR LF after it, or before it when breakBefore.
struct IndexedValue {
    std::string name;
    long long index;
    double value;
    NumberStyle style;
    bool breakBefore = false;
    std::optional<Rational> exact{}; ///< an exact value, shown as it is
};
/// CR LF and the method's title.
struct Title {
    std::string text;
};

} // namespace piece

using Piece =
    std::variant<piece::Text, piece::LineBreak, piece::Number, piece::Integer, piece::MatrixBlock,
                 piece::NumberRow, piece::Heading, piece::IndexedValue, piece::Title>;

/// A report as a small tree of typed pieces, which renderers turn into plain
/// text, LaTeX, HTML or Markdown. The numbers of its blocks are kept as
/// doubles, written only when a renderer asks for them, each block's in a
/// buffer of its own: a report of large matrices never grows (and so never
/// copies) one buffer of them all.
class Document {
public:
    /// The language the report's words are in: the exports declare it.
    Language language = Language::Chinese;

    const std::vector<Piece>& pieces() const { return m_pieces; }
    bool empty() const { return m_pieces.empty(); }

    /// The numbers of a block, row by row.
    std::span<const double> numbers(const piece::MatrixBlock& m) const;
    std::span<const double> numbers(const piece::NumberRow& r) const;
    /// The exact numbers of a block whose numbers are exact, row by row.
    std::span<const Rational> exactNumbers(const piece::MatrixBlock& m) const;
    std::span<const Rational> exactNumbers(const piece::NumberRow& r) const;

    /// The first title, or the empty text when the report has none.
    std::string_view title() const;
    /// The widest block's number of columns (0 when there is none).
    int widestBlock() const;

    /// Appends a piece, built in place.
    template <class P> void add(P&& p) { m_pieces.emplace_back(std::forward<P>(p)); }
    /// Appends literal text, a line break for every CR LF in it.
    void addText(std::string_view text);
    /// True when nothing is added yet or the plain text ends with a line break.
    bool endsLine() const;
    /// A new buffer of count numbers: its index, for the block that refers to
    /// it, and where the caller writes them.
    std::pair<std::size_t, double*> appendNumbers(std::size_t count);
    /// Appends exact numbers for a block; returns where they start.
    std::size_t appendExact(std::span<const Rational> values);
    /// The block added last, for marking its right-hand side.
    piece::MatrixBlock* lastBlock();

private:
    std::vector<Piece> m_pieces;
    std::vector<std::vector<double>> m_numbers;
    std::vector<Rational> m_exact;
};

/// A document of text lines only, for a result area's text that no report
/// recorded (a previous result read from a file).
Document plainDocument(std::string_view text);

} // namespace quorvex
