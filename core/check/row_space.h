#pragma once

#include "check/entry.h"
#include "check/step_check.h"
#include "frame/frame.h"

#include <functional>
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
    /// row `own` (0-based). Failing that, with `diagnose`, the one entry
    /// that, changed, puts the row into the row space: the combination
    /// fixed by the entries the student aimed at (see aimedAt; they are
    /// trusted) and a row kept with coefficient 1, every other entry
    /// agreeing with it. Of several such entries, one whose value is of the
    /// kind written (a whole number for a whole number), then the
    /// combination of fewer rows, then the leftmost.
    std::optional<CombinedRow> explain(const EntryRow& written, int own, bool diagnose,
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
    /// A combination that meets the written row, and for each column the
    /// first that meets it everywhere but there.
    struct Found {
        std::optional<Combination> whole;
        std::vector<std::optional<Combination>> allBut;
    };

    /// Combinations of the fewest rows first; `allBut` collects the
    /// combinations missing one entry too.
    Found search(const EntryRow& written, const Columns& columns, int own, bool allBut,
                 const StopRequest& stop) const;
    /// The combinations of the rows `subset` (0-based, ascending).
    void searchRows(Found& found, const std::vector<int>& subset, const EntryRow& written,
                    const Columns& columns, int own, bool allBut) const;
    using Value = std::function<mpq_class(std::size_t)>;
    /// The checked column where the values x(j) miss the written row,
    /// nothing where they meet it, m_width where they miss it more often
    /// than allowed (once with `oneAllowed`, else never).
    std::optional<std::size_t> mismatch(const Value& x, const EntryRow& written,
                                        const Columns& columns, bool oneAllowed) const;
    void record(Found& found, Combination c, std::optional<std::size_t> off) const;

    std::vector<Row> m_rows;
    std::vector<Row> m_echelon; ///< the non-zero rows of the reduced echelon form
    std::size_t m_width = 0;
};

/// Whether the entry is one a student aims at, where eliminating and
/// scaling put it: a 0 or a 1 among the coefficients written exactly, or a
/// 0 written as a decimal (0.00) before the row's first coefficient that is
/// not 0. With `scaledRow`, also the decimal 0s and the 1 of a row whose
/// first such coefficient is 1 (1.00): a row scaled to 1, unless that 1.00
/// is a number rounded. A 0.00 right of a pivot 2.5 is a small number
/// rounded.
bool aimedAt(const EntryRow& written, std::size_t j, bool scaledRow = true);

} // namespace quorvex::check
