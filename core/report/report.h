#pragma once

#include "exact/rational.h"
#include "numerics/matrix.h"
#include "report/document.h"

#include <string>
#include <string_view>

namespace quorvex {

inline constexpr std::string_view kCrLf = "\r\n";

/// The separators reports put before each number of a row.
inline constexpr std::string_view kTwoBlanks = "  ";
inline constexpr std::string_view kFourBlanks = "    ";
inline constexpr std::string_view kFiveBlanks = "     ";

/// Builds a report in one buffer, piece by piece, in the forms every method
/// shares, and records the same pieces as a Document for the other formats;
/// the command hands both to the result area (publish).
class Report {
public:
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
    bool atLineStart() const { return m_text.empty() || m_text.ends_with(kCrLf); }

    /// The finished text, moved out.
    std::string take() { return std::move(m_text); }
    /// The finished document, moved out.
    Document takeDocument() { return std::move(m_document); }
    const Document& document() const { return m_document; }
    void reserve(std::size_t bytes) { m_text.reserve(bytes); }
    /// Room for the numbers of the blocks the report will hold.
    void reserveNumbers(std::size_t count) { m_document.reserveNumbers(count); }

private:
    void appendIndexedValue(std::string_view name, int index, double value, NumberStyle style);

    std::string m_text;
    Document m_document;
};

/// Bytes a block of rows x cols numbers may take, for reserving.
std::size_t estimateBlockBytes(int rows, int cols, std::size_t separator);

} // namespace quorvex
