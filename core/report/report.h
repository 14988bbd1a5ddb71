#pragma once

#include "base/matrix.h"
#include "base/rational.h"
#include "report/document.h"

#include <string>
#include <string_view>

namespace quorvex {

inline constexpr std::string_view kCrLf = "\r\n";

/// The separators reports put before each number of a row.
inline constexpr std::string_view kTwoBlanks = "  ";
inline constexpr std::string_view kFourBlanks = "    ";
inline constexpr std::string_view kFiveBlanks = "     ";

/// Builds a report piece by piece, in the forms every method shares, as a
/// Document: the one source the result area's text, the CLI and every export
/// are rendered from (publish).
class Report {
public:
    /// A report in the language the thread writes in now.
    Report() { m_document.language = currentLanguage(); }

    /// Appends literal text.
    Report& text(std::string_view s);
    /// Appends CR LF.
    Report& newline();
    /// Appends a number, rounded when the style says so.
    Report& number(double v, NumberStyle style);
    /// Appends an exact number: an integer or a reduced fraction with the
    /// sign in front (rationalText). Exact numbers are never rounded, so the
    /// style does not apply; it is taken so that a method written once for
    /// both kinds of numbers reads the same.
    Report& number(const Rational& q, NumberStyle style = {});
    /// Appends an index or count as a plain integer.
    Report& integer(long long v);

    /// For each row: a separator before every element, rowEnd (CR LF, or two
    /// for blocks whose rows stand apart) after the row.
    Report& matrixBlock(const Matrix& m, int rows, int cols, std::string_view separator,
                        NumberStyle style, int firstCol = 1, std::string_view rowEnd = kCrLf);
    /// Marks the block written last as augmented: its last column is the
    /// right-hand side.
    Report& augmented();
    /// Marks the block written last as split by a vertical bar after this
    /// many columns.
    Report& barAfter(int columns);
    /// The same block of exact numbers.
    Report& matrixBlock(const RationalMatrix& m, int rows, int cols, std::string_view separator,
                        NumberStyle style, int firstCol = 1, std::string_view rowEnd = kCrLf);
    /// Separator and number for each element of v(first..last), on one line,
    /// with no line break.
    Report& vectorLine(const Vector& v, int first, int last, std::string_view separator,
                       NumberStyle style);
    /// The same line of exact numbers.
    Report& vectorLine(const RationalVector& v, int first, int last, std::string_view separator,
                       NumberStyle style);
    /// CR LF, heading, CR LF.
    Report& heading(std::string_view h);
    /// name(index)=value CR LF, as in x(2)=1.5.
    Report& indexedValue(std::string_view name, int index, double value, NumberStyle style);
    /// CR LF, then name(index)=value.
    Report& indexedValueAfterBreak(std::string_view name, int index, double value,
                                   NumberStyle style);
    /// name(index)=value CR LF with an exact value.
    Report& indexedValue(std::string_view name, int index, const Rational& value,
                         NumberStyle style);
    /// CR LF, then name(index)=value with an exact value.
    Report& indexedValueAfterBreak(std::string_view name, int index, const Rational& value,
                                   NumberStyle style);
    /// CR LF and the title, no line break after it.
    Report& title(std::string_view t);

    /// True when nothing is written yet or the text ends with a line break.
    bool atLineStart() const { return m_document.endsLine(); }

    /// The report's plain text, for a piece of a report built on its own.
    std::string plainText() const;
    /// The finished document, moved out.
    Document takeDocument() { return std::move(m_document); }
    const Document& document() const { return m_document; }

private:
    /// A block with no columns: only its row ends.
    Report& emptyRows(int rows, std::string_view rowEnd);

    Document m_document;
};

} // namespace quorvex
