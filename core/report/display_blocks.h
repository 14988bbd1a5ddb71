#pragma once

// What the formats other than plain text show of a report: its lines as
// blocks, with the blanks and empty lines that only lay out plain text
// left out.

#include "report/document.h"

#include <string>
#include <string_view>
#include <vector>

namespace quorvex {

/// A piece of a line: text, a number or an integer.
struct Run {
    enum class Kind { Text, Number, Integer } kind;
    std::string_view text{}; ///< Text: blanks at either end of the line removed
    double value = 0.0;
    NumberStyle style{};
    long long integer = 0;
    const Rational* exact = nullptr; ///< Number: an exact number, shown as it is
};

/// One block of a report as the rich formats show it.
struct ReportBlock {
    enum class Kind { Heading, Line, Matrix, Row, Value, Title } kind;
    std::vector<Run> runs{};      ///< Line only
    const Piece* piece = nullptr; ///< every other kind
};

/// The report's blocks in order; lines holding nothing but blanks are dropped.
std::vector<ReportBlock> blocksOf(const Document& d);

/// The lines of a text whose line breaks are CR LF.
std::vector<std::string_view> linesOf(std::string_view text);

/// The number's text as the plain report writes it.
std::string numberText(const Run& r);

/// Rows and columns of a Matrix or Row block, its bar (0 for none) and its
/// numbers' style.
struct BlockShape {
    int rows;
    int cols;
    int barAfter;
    NumberStyle style;
    std::span<const double> values;
    std::span<const Rational> exact{}; ///< the block's exact numbers, when it has them
};

/// The text of number k of a block, as the plain report writes it.
std::string numberText(const BlockShape& shape, std::size_t k);
BlockShape shapeOf(const Document& d, const ReportBlock& b);

} // namespace quorvex
