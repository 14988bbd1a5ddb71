#pragma once

#include "base/rational.h"

#include <string>
#include <string_view>
#include <vector>

namespace quorvex {

/// Where an entry sits: row and column, from 1.
struct EntryPlace {
    int row = 0;
    int col = 0;
    friend bool operator==(const EntryPlace&, const EntryPlace&) = default;
};

/// The edit area read exactly.
struct ExactMatrixReading {
    RationalMatrix values;           ///< exact values; 0 where an entry has none
    std::vector<EntryPlace> inexact; ///< entries with no exact value, row by row
    std::vector<EntryPlace> tooLong; ///< those of them past kMaxExactDigits
    /// The text each entry was read from (row by row), as typed: a missing
    /// entry has the text it inherited from the row above ("" in the first row).
    std::vector<std::string> texts;

    const std::string& text(int row, int col) const {
        return texts[static_cast<std::size_t>((row - 1) * values.cols() + (col - 1))];
    }
};

/// Reads rows x cols entries from the edit area's text the way
/// GetMatrixFromText reads them (the same rows, separators and filling of
/// missing entries), each with its exact value.
ExactMatrixReading GetExactMatrixFromText(int rows, int cols, std::string_view text);

/// A vector read exactly.
struct ExactVectorReading {
    RationalVector values;           ///< exact values; 0 where an element has none
    std::vector<EntryPlace> inexact; ///< elements with no exact value, as row 1, column i
    std::vector<EntryPlace> tooLong; ///< those of them past kMaxExactDigits
};

/// Reads the elements GetVectorFromText reads from the edit area's text,
/// each with its exact value.
ExactVectorReading GetExactVectorFromText(std::string_view text);

} // namespace quorvex
