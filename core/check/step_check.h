#pragma once

#include "check/entry.h"

#include <gmpxx.h>

#include <optional>
#include <vector>

namespace quorvex::check {

using Row = std::vector<mpq_class>;

/// coefficient × the previous block's row `row` (0-based).
struct Term {
    int row;
    mpq_class coefficient;
};

/// A row of the new block as a sum of the previous block's rows; empty for
/// a row of zeros.
using Combination = std::vector<Term>;

/// How one row of the new block came about.
struct RowFinding {
    enum class Kind {
        Explained,     ///< every entry agrees with the combination
        OneWrongEntry, ///< every entry but `column` agrees
        Unexplained,   ///< no elementary change or combination fits
    } kind = Kind::Unexplained;
    Combination combination;
    int column = -1;    ///< the wrong entry's column (0-based), OneWrongEntry only
    mpq_class expected; ///< what that entry should be
};

/// What a step did: each row's finding and the rank before and after. The
/// rank after is that of the rows as the combinations give them, known
/// only when every row was derived.
struct StepFinding {
    std::vector<RowFinding> rows;
    int rankBefore = 0;
    std::optional<int> rankAfter;
    std::vector<int> lostRows; ///< rows (0-based) that took a lost row's place

    bool right() const;
};

/// Explains each row of `after` from the rows of `before`, as written:
/// unchanged, a copy of another row, a multiple of one row, a row plus a
/// multiple of another, a combination of two rows, or of any rows. The
/// multipliers are fitted so that every entry agrees within its tolerance.
/// A row that cannot be explained is explained once more with each entry
/// left out in turn, to find a single wrong entry and its right value.
StepFinding checkStep(const EntryMatrix& before, const EntryMatrix& after);

/// The values of the rows of `m`.
std::vector<Row> valuesOf(const EntryMatrix& m);

/// The rank of the rows, in exact arithmetic.
int rankOf(std::vector<Row> rows);

/// The solution of the system with this augmented matrix (n rows of n+1),
/// in exact arithmetic, when it has exactly one.
std::optional<Row> uniqueSolution(std::vector<Row> augmented);

} // namespace quorvex::check
