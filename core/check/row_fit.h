#pragma once

#include "check/entry.h"
#include "check/step_check.h"

#include <optional>
#include <vector>

namespace quorvex::check {

/// Fits combinations of the previous block's rows to one written row,
/// every entry within its tolerance, optionally leaving one column out.
class RowFitter {
public:
    /// skip: the column left out, or -1 for none.
    RowFitter(const std::vector<Row>& previous, const EntryRow& written, int skip);

    /// Whether the combination agrees with every entry taken into account.
    bool fits(const Combination& c) const;
    /// a × row q, a neither 0 nor 1.
    std::optional<Combination> scaled(int q) const;
    /// row i + b × row q.
    std::optional<Combination> plusMultiple(int i, int q) const;
    /// a × row i + b × row q, a not 0.
    std::optional<Combination> twoRows(int i, int q) const;

private:
    bool active(std::size_t j) const { return static_cast<int>(j) != m_skip; }
    /// The simplest non-zero x with base(j) + x × row q agreeing everywhere.
    std::optional<mpq_class> multiplier(const Row& base, int q, bool nonZero) const;

    const std::vector<Row>& m_previous;
    const EntryRow& m_written;
    int m_skip;
};

/// The previous block reduced once per step, so that any combination of
/// its rows can be read off the entries in its pivot columns.
class RowSpace {
public:
    explicit RowSpace(const std::vector<Row>& previous);

    int rank() const { return static_cast<int>(m_pivots.size()); }
    /// The combination matching the written row in the pivot columns, when
    /// it agrees in the others too.
    std::optional<Combination> combination(const EntryRow& written) const;

private:
    std::vector<int> m_pivots;
    std::vector<Row> m_reduced;   ///< one row per pivot, 1 in its pivot column
    std::vector<Row> m_transform; ///< m_reduced[k] = Σ m_transform[k][i] × row i
};

/// The values of the combination, column by column.
Row valuesOf(const std::vector<Row>& previous, const Combination& c);

} // namespace quorvex::check
