#pragma once

#include "check/entry.h"
#include "check/fit.h"
#include "check/step_check.h"

#include <functional>
#include <optional>
#include <vector>

namespace quorvex::check {

/// Fits the operations a student writes by hand to one written row, every
/// entry within its tolerance, optionally leaving one column out. A
/// multiplier is accepted only when a student would have written it: a
/// ratio of two entries of the previous block (or one over an entry), a
/// fraction with a small denominator, or a decimal with no more places than
/// the row's entries were typed with. Any other number that happens to fit
/// is a slip explained away, never an explanation.
class RowFitter {
public:
    /// skip: the column left out, or -1 for none.
    RowFitter(const EntryMatrix& previous, const std::vector<Row>& values, const EntryRow& written,
              int skip);

    /// Whether the combination agrees with every entry taken into account.
    bool fits(const Combination& c) const;
    /// a × row p, a neither 0 nor 1; with `fromEntries`, a only one over an
    /// entry or the common denominator (a row moved and scaled in one go).
    std::optional<Combination> scaled(int p, bool fromEntries) const;
    /// row p + b × row q; with `clearing`, b only a ratio that clears a
    /// column (the row in another's place and eliminated in one go).
    std::optional<Combination> plusMultiple(int p, int q, bool clearing) const;
    /// q(c) × row p − p(c) × row q for a column c, or the same divided by
    /// the two entries' common factor: the rows multiplied crosswise.
    std::optional<Combination> crosswise(int p, int q) const;
    /// a × row p + b × row q, a neither 0 nor 1: a column cleared and the
    /// row scaled in one.
    std::optional<Combination> twoRows(int p, int q) const;

private:
    bool active(std::size_t j) const { return static_cast<int>(j) != m_skip; }
    /// The interval of x with base(j) + x × direction(j) agreeing everywhere.
    Interval range(const Row& base, const Row& direction) const;
    using Accept = std::function<bool(const mpq_class&)>;
    /// The first of `preferred` in the interval that `accept` takes, else a
    /// simple fraction or a short decimal in it that it takes; 0 and 1
    /// excluded where asked.
    std::optional<mpq_class> studentNumber(const Interval& r,
                                           const std::vector<mpq_class>& preferred, bool notZero,
                                           bool notOne, const Accept& accept) const;
    /// The ratios -p(c) / q(c) that clear a column of row p with row q.
    std::vector<mpq_class> clearingRatios(const Row& p, const Row& q) const;
    /// One over each non-zero entry of the row.
    static std::vector<mpq_class> reciprocals(const Row& r);

    const EntryMatrix& m_entries;
    const std::vector<Row>& m_previous;
    const EntryRow& m_written;
    int m_skip;
    int m_places = 0; ///< the most decimal places among the written entries
};

/// The values of the combination, column by column.
Row valuesOf(const std::vector<Row>& previous, const Combination& c);

/// q rounded to d decimal places, half away from zero.
mpq_class roundedTo(const mpq_class& q, int d);

/// Whether q is a number a student writes as it is: an integer, a fraction
/// with a small denominator, or a decimal of at most `places` places.
bool isPlain(const mpq_class& q, int places);

} // namespace quorvex::check
