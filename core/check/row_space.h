#pragma once

#include "check/entry.h"
#include "check/step_check.h"
#include "frame/frame.h"

#include <optional>
#include <vector>

namespace quorvex::check {

/// A row the new block holds where a step did several operations at once:
/// the combination of the previous rows that gives it, as a student made
/// it, and the entry that differs from it, if one does.
struct CombinedRow {
    Combination combination;
    std::optional<WrongEntry> wrong;
};

/// The row space of the previous block, for rows no one or two operations
/// explain. A block with every row in it, the rank kept, has the previous
/// block's reduced echelon form: the step is right however many operations
/// it did at once.
///
/// A row is taken to be in it only through a combination a student would
/// have made: its coefficients fixed by the entries written exactly (every
/// one of them met exactly), and where that leaves one scale open, some row
/// kept with coefficient 1 or a whole number written as a decimal met
/// exactly; every other entry then agrees within its own tolerance. Letting
/// the coefficients drift to absorb the rounding of every decimal at once
/// would explain away a slip of a unit as well.
class RowSpace {
public:
    explicit RowSpace(const std::vector<Row>& previous);

    int rank() const { return static_cast<int>(m_echelon.size()); }

    /// The combination of the fewest previous rows that gives the written
    /// row `own` (0-based), or nothing when none does.
    std::optional<Combination> combination(const EntryRow& written, int own,
                                           const StopRequest& stop) const;

    /// The one entry that, changed, puts the row into the row space: the
    /// combination fixed by the entries the student aimed at (the 0s and 1s
    /// among the coefficients) and a row kept with coefficient 1, every
    /// other entry agreeing with it. Of several such entries, one not aimed
    /// at, then one whose value is of the kind written (a whole number for a
    /// whole number), then the combination of fewer rows, then the leftmost.
    std::optional<CombinedRow> oneWrongEntry(const EntryRow& written, int own,
                                             const StopRequest& stop) const;

private:
    /// Which columns fix the coefficients (met exactly) and which are
    /// checked against them within their tolerance; a column in neither is
    /// left out.
    struct Columns {
        std::vector<bool> pinned;
        std::vector<bool> checked;
        bool wholeNumbers; ///< a whole number written as a decimal may fix the scale
    };

    /// Whether any row of the row space meets the pinned entries and, when
    /// they fix it, agrees with the checked ones.
    bool possible(const EntryRow& written, const Columns& columns) const;
    /// The combination of the fewest rows, at least `fewestRows`, that
    /// meets the written row as `columns` asks.
    std::optional<Combination> fit(const EntryRow& written, const Columns& columns, int own,
                                   std::size_t fewestRows, const StopRequest& stop) const;
    /// The combination of the rows `subset` (0-based, ascending) that meets
    /// the written row as `columns` asks.
    std::optional<Combination> fitRows(const std::vector<int>& subset, const EntryRow& written,
                                       const Columns& columns, int own) const;
    bool agreesWith(const Row& x, const EntryRow& written, const Columns& columns) const;

    std::vector<Row> m_rows;
    std::vector<Row> m_echelon; ///< the non-zero rows of the reduced echelon form
    std::size_t m_width = 0;
};

} // namespace quorvex::check
