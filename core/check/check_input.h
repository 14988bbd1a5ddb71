#pragma once

#include "base/matrix.h"
#include "check/entry.h"

#include <optional>
#include <string>
#include <string_view>
#include <variant>
#include <vector>

namespace quorvex::check {

/// An entry that is not held (Entry::held), where it stands: its block (0
/// the system, k the k-th step, the number after the last step the
/// solution), row and column, from 1.
struct UnheldEntry {
    std::size_t block;
    std::size_t row;
    std::size_t column;
    const Entry* entry;
};

/// What the edit area holds for a check: the system, the student's
/// matrices in the order written, and perhaps the student's solution.
struct CheckInput {
    EntryMatrix system;
    Matrix echo; ///< the system as the matrix reader gives it
    std::vector<EntryMatrix> steps;
    std::optional<EntryRow> solution;

    /// The entries not held, block by block, row by row.
    std::vector<UnheldEntry> unheld() const;
    /// Whether the block (numbered as in UnheldEntry) holds an entry not held.
    bool holdsUnheld(std::size_t block) const;
};

/// Reads the blocks of the edit area for an order n: the first block is the
/// system, n rows read as the matrix reader reads them (a row short of
/// numbers takes the rest from the row above); every later block n rows of
/// n+1 numbers; a last block of one row of n numbers the solution. Gives
/// the message to show when the blocks are not of that shape.
std::variant<CheckInput, std::string> readCheckInput(std::string_view editText, int n);

} // namespace quorvex::check
