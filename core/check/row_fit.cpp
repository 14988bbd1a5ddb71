#include "check/row_fit.h"

#include "check/fit.h"

#include <utility>

namespace quorvex::check {

namespace {

/// A row's own multiplier in a combination of two rows is a small number,
/// such as the 2 of 2·r2 − 3·r1. With two free multipliers and rounded
/// entries almost any row would fit; combinations with other multipliers
/// are left to the general combination, which fits exact entries exactly.
const mpz_class kLargestOwnRowDenominator = 10;

} // namespace

RowFitter::RowFitter(const std::vector<Row>& previous, const EntryRow& written, int skip)
    : m_previous(previous), m_written(written), m_skip(skip) {}

bool RowFitter::fits(const Combination& c) const {
    const Row v = valuesOf(m_previous, c);
    for (std::size_t j = 0; j < v.size(); ++j)
        if (active(j) && !agrees(m_written[j], v[j])) return false;
    return true;
}

std::optional<mpq_class> RowFitter::multiplier(const Row& base, int q, bool nonZero) const {
    const Row& p = m_previous[static_cast<std::size_t>(q)];
    std::vector<Condition1> conditions;
    conditions.reserve(p.size());
    for (std::size_t j = 0; j < p.size(); ++j) {
        if (!active(j)) continue;
        const Entry& s = m_written[j];
        conditions.push_back({base[j], p[j], s.value - s.tolerance, s.value + s.tolerance});
    }
    const Interval r = feasible(conditions);
    if (r.empty) return std::nullopt;
    if (nonZero) return simplestNonZeroIn(r);
    return simplestIn(r);
}

std::optional<Combination> RowFitter::scaled(int q) const {
    const Row zero(m_written.size());
    const auto a = multiplier(zero, q, true);
    if (!a || *a == 1) return std::nullopt;
    Combination c{{q, *a}};
    return fits(c) ? std::optional(std::move(c)) : std::nullopt;
}

std::optional<Combination> RowFitter::plusMultiple(int i, int q) const {
    const auto b = multiplier(m_previous[static_cast<std::size_t>(i)], q, true);
    if (!b) return std::nullopt;
    Combination c{{i, 1}, {q, *b}};
    return fits(c) ? std::optional(std::move(c)) : std::nullopt;
}

std::optional<Combination> RowFitter::twoRows(int i, int q) const {
    const Row& pi = m_previous[static_cast<std::size_t>(i)];
    const Row& pq = m_previous[static_cast<std::size_t>(q)];
    std::vector<Condition2> conditions;
    for (std::size_t j = 0; j < pi.size(); ++j) {
        if (!active(j)) continue;
        const Entry& s = m_written[j];
        conditions.push_back({pi[j], pq[j], s.value - s.tolerance, s.value + s.tolerance});
    }
    const auto a = simplestNonZeroIn(feasibleFirst(conditions));
    if (!a || a->get_den() > kLargestOwnRowDenominator) return std::nullopt;
    Row base(pi.size());
    for (std::size_t j = 0; j < pi.size(); ++j) base[j] = *a * pi[j];
    const auto b = multiplier(base, q, false);
    if (!b) return std::nullopt;
    Combination c{{i, *a}};
    if (sgn(*b) != 0) c.push_back({q, *b});
    return fits(c) ? std::optional(std::move(c)) : std::nullopt;
}

namespace {

/// Gauss-Jordan reduction of rows that carry their own history: row i
/// starts as (previous row i | unit vector i). Gives the pivot columns.
std::vector<int> reduceWithHistory(std::vector<Row>& rows, std::size_t width) {
    std::vector<int> pivots;
    std::size_t top = 0;
    for (std::size_t col = 0; col < width && top < rows.size(); ++col) {
        std::size_t pick = top;
        while (pick < rows.size() && sgn(rows[pick][col]) == 0) ++pick;
        if (pick == rows.size()) continue;
        std::swap(rows[top], rows[pick]);
        const mpq_class pivot = rows[top][col];
        for (mpq_class& x : rows[top]) x /= pivot;
        for (std::size_t r = 0; r < rows.size(); ++r) {
            if (r == top || sgn(rows[r][col]) == 0) continue;
            const mpq_class f = rows[r][col];
            for (std::size_t j = 0; j < rows[r].size(); ++j) rows[r][j] -= f * rows[top][j];
        }
        pivots.push_back(static_cast<int>(col));
        ++top;
    }
    return pivots;
}

} // namespace

RowSpace::RowSpace(const std::vector<Row>& previous) {
    const std::size_t n = previous.size();
    const std::size_t width = n ? previous[0].size() : 0;
    std::vector<Row> rows(n);
    for (std::size_t i = 0; i < n; ++i) {
        rows[i] = previous[i];
        rows[i].resize(width + n);
        rows[i][width + i] = 1;
    }
    m_pivots = reduceWithHistory(rows, width);
    for (std::size_t k = 0; k < m_pivots.size(); ++k) {
        m_reduced.emplace_back(rows[k].begin(), rows[k].begin() + static_cast<long>(width));
        m_transform.emplace_back(rows[k].begin() + static_cast<long>(width), rows[k].end());
    }
}

std::optional<Combination> RowSpace::combination(const EntryRow& written) const {
    const std::size_t width = written.size();
    const std::size_t n = m_transform.empty() ? 0 : m_transform[0].size();
    Row values(width), coefficients(n);
    for (std::size_t k = 0; k < m_pivots.size(); ++k) {
        const mpq_class& s = written[static_cast<std::size_t>(m_pivots[k])].value;
        for (std::size_t j = 0; j < width; ++j) values[j] += s * m_reduced[k][j];
        for (std::size_t i = 0; i < n; ++i) coefficients[i] += s * m_transform[k][i];
    }
    for (std::size_t j = 0; j < width; ++j)
        if (!agrees(written[j], values[j])) return std::nullopt;
    Combination c;
    for (std::size_t i = 0; i < n; ++i)
        if (sgn(coefficients[i]) != 0) c.push_back({static_cast<int>(i), coefficients[i]});
    return c;
}

Row valuesOf(const std::vector<Row>& previous, const Combination& c) {
    Row v(previous.empty() ? 0 : previous[0].size());
    for (const Term& t : c) {
        const Row& p = previous[static_cast<std::size_t>(t.row)];
        for (std::size_t j = 0; j < v.size(); ++j) v[j] += t.coefficient * p[j];
    }
    return v;
}

} // namespace quorvex::check
