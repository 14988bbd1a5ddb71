#include "check/row_space.h"

#include "check/row_fit.h"
#include "exact/exact_algebra.h"

#include <tuple>

namespace quorvex::check {

namespace {

/// Every solution of a linear system: one of them and the directions of
/// the rest.
struct Solutions {
    Row particular;
    std::vector<Row> directions;
};

/// The solutions of the equations, each a row of `unknowns` coefficients
/// and its right-hand side; nothing when there are none.
std::optional<Solutions> solveAll(const std::vector<Row>& equations, std::size_t unknowns) {
    Solutions s;
    s.particular.assign(unknowns, 0);
    std::vector<bool> bound(unknowns, false);
    std::vector<std::pair<int, std::size_t>> pivots; // echelon row, unknown
    RationalMatrix e;
    const int rows = static_cast<int>(equations.size());
    const int cols = static_cast<int>(unknowns) + 1;
    if (rows > 0) {
        RationalMatrix m(rows, cols);
        for (int i = 1; i <= rows; ++i)
            for (int j = 1; j <= cols; ++j)
                m(i, j) =
                    equations[static_cast<std::size_t>(i - 1)][static_cast<std::size_t>(j - 1)];
        e = reducedEchelonForm(m, rows, cols);
        for (int i = 1; i <= rows; ++i) {
            int c = 1;
            while (c <= cols && sgn(e(i, c)) == 0) ++c;
            if (c > cols) break;
            if (c == cols) return std::nullopt; // 0 = a number that is not 0
            const auto u = static_cast<std::size_t>(c - 1);
            pivots.emplace_back(i, u);
            bound[u] = true;
            s.particular[u] = e(i, cols);
        }
    }
    for (std::size_t f = 0; f < unknowns; ++f) {
        if (bound[f]) continue;
        Row d(unknowns);
        d[f] = 1;
        for (const auto& [i, u] : pivots) d[u] = -e(i, static_cast<int>(f) + 1);
        s.directions.push_back(std::move(d));
    }
    return s;
}

bool isZero(const Row& r) {
    for (const mpq_class& x : r)
        if (sgn(x) != 0) return false;
    return true;
}

/// Whether the entry is one a student aims at: a 0 or a 1 among the
/// coefficients, where eliminating and scaling put them.
bool aimedAt(const EntryRow& written, std::size_t j) {
    const Entry& e = written[j];
    return j + 1 < written.size() && e.written != Written::Inexact &&
           (sgn(e.value) == 0 || e.value == 1);
}

/// The terms of a combination of the rows `subset`, those that are not 0.
Combination termsOf(const std::vector<int>& subset, const Row& c) {
    Combination terms;
    for (std::size_t k = 0; k < subset.size(); ++k)
        if (sgn(c[k]) != 0) terms.push_back({subset[k], c[k], {}});
    return terms;
}

/// Steps through the subsets of {0, ..., n-1} with `size` members in
/// ascending order; false after the last.
bool nextSubset(std::vector<int>& s, int n) {
    const auto size = static_cast<int>(s.size());
    int k = size - 1;
    while (k >= 0 && s[static_cast<std::size_t>(k)] == n - size + k) --k;
    if (k < 0) return false;
    ++s[static_cast<std::size_t>(k)];
    for (int t = k + 1; t < size; ++t)
        s[static_cast<std::size_t>(t)] = s[static_cast<std::size_t>(t - 1)] + 1;
    return true;
}

/// Rows taken together in a combination of the fewest rows: the fewest
/// that several operations need. One or two rows are the operations the
/// row fitter names, with the multipliers a student writes.
constexpr std::size_t kFewestCombinedRows = 3;

} // namespace

RowSpace::RowSpace(const std::vector<Row>& previous) : m_rows(previous) {
    if (previous.empty()) return;
    m_width = previous[0].size();
    const int rows = static_cast<int>(previous.size());
    const int cols = static_cast<int>(m_width);
    RationalMatrix m(rows, cols);
    for (int i = 1; i <= rows; ++i)
        for (int j = 1; j <= cols; ++j)
            m(i, j) = previous[static_cast<std::size_t>(i - 1)][static_cast<std::size_t>(j - 1)];
    const RationalMatrix e = reducedEchelonForm(m, rows, cols);
    for (int i = 1; i <= rows; ++i) {
        Row r(m_width);
        for (int j = 1; j <= cols; ++j) r[static_cast<std::size_t>(j - 1)] = e(i, j);
        if (isZero(r)) break;
        m_echelon.push_back(std::move(r));
    }
}

bool RowSpace::agreesWith(const Row& x, const EntryRow& written, const Columns& columns) const {
    for (std::size_t j = 0; j < m_width; ++j) {
        if (columns.pinned[j] && x[j] != written[j].value) return false;
        if (columns.checked[j] && !agrees(written[j], x[j])) return false;
    }
    return true;
}

bool RowSpace::possible(const EntryRow& written, const Columns& columns) const {
    // A row of the row space is the combination of the echelon rows by its
    // own entries in their pivot columns.
    std::vector<Row> equations;
    for (std::size_t j = 0; j < m_width; ++j) {
        if (!columns.pinned[j]) continue;
        Row eq;
        for (const Row& r : m_echelon) eq.push_back(r[j]);
        eq.push_back(written[j].value);
        equations.push_back(std::move(eq));
    }
    const auto z = solveAll(equations, m_echelon.size());
    if (!z) return false;
    if (!z->directions.empty()) return true;
    Row x(m_width);
    for (std::size_t k = 0; k < m_echelon.size(); ++k)
        for (std::size_t j = 0; j < m_width; ++j) x[j] += z->particular[k] * m_echelon[k][j];
    return agreesWith(x, written, columns);
}

std::optional<Combination> RowSpace::fitRows(const std::vector<int>& subset,
                                             const EntryRow& written, const Columns& columns,
                                             int own) const {
    std::vector<Row> equations;
    for (std::size_t j = 0; j < m_width; ++j) {
        if (!columns.pinned[j]) continue;
        Row eq;
        for (int k : subset) eq.push_back(m_rows[static_cast<std::size_t>(k)][j]);
        eq.push_back(written[j].value);
        equations.push_back(std::move(eq));
    }
    const auto s = solveAll(equations, subset.size());
    if (!s || s->directions.size() > 1) return std::nullopt;
    const auto valuesFor = [&](const Row& c) { return valuesOf(m_rows, termsOf(subset, c)); };
    const auto tryCoefficients = [&](const Row& c) -> std::optional<Combination> {
        if (isZero(c) || !agreesWith(valuesFor(c), written, columns)) return std::nullopt;
        return termsOf(subset, c);
    };
    if (s->directions.empty()) return tryCoefficients(s->particular);
    const Row& p = s->particular;
    const Row& h = s->directions[0];
    const Row xp = valuesFor(p), xh = valuesFor(h);
    // Rows that depend on each other: fewer of them give the same rows.
    if (isZero(xh)) return std::nullopt;
    // The one scale left open, as a student fixes it: the row's own
    // previous row kept with coefficient 1, else another row moved into its
    // place, else a whole number written as a decimal (1.00) met exactly.
    std::vector<mpq_class> scales;
    for (std::size_t k = 0; k < subset.size(); ++k)
        if (subset[k] == own && sgn(h[k]) != 0) scales.push_back((1 - p[k]) / h[k]);
    for (std::size_t k = 0; k < subset.size(); ++k)
        if (subset[k] != own && sgn(h[k]) != 0) scales.push_back((1 - p[k]) / h[k]);
    for (std::size_t j = 0; columns.wholeNumbers && j < m_width; ++j) {
        const Entry& e = written[j];
        if (columns.checked[j] && e.written == Written::Decimal && e.value.get_den() == 1 &&
            sgn(xh[j]) != 0)
            scales.push_back((e.value - xp[j]) / xh[j]);
    }
    for (const mpq_class& scale : scales) {
        Row c = p;
        for (std::size_t k = 0; k < c.size(); ++k) c[k] += scale * h[k];
        if (auto found = tryCoefficients(c)) return found;
    }
    return std::nullopt;
}

std::optional<Combination> RowSpace::fit(const EntryRow& written, const Columns& columns, int own,
                                         std::size_t fewestRows, const StopRequest& stop) const {
    if (!possible(written, columns)) return std::nullopt;
    const int rows = static_cast<int>(m_rows.size());
    std::size_t pinned = 0;
    for (bool p : columns.pinned) pinned += p;
    // Each coefficient beyond the pinned entries and the one scale is left
    // open: no combination of more rows is fixed.
    const int most = std::min(rows, static_cast<int>(pinned) + 1);
    for (int size = static_cast<int>(fewestRows); size <= most; ++size) {
        std::vector<int> subset(static_cast<std::size_t>(size));
        for (int k = 0; k < size; ++k) subset[static_cast<std::size_t>(k)] = k;
        do {
            stop.check();
            if (auto c = fitRows(subset, written, columns, own)) return c;
        } while (nextSubset(subset, rows));
    }
    return std::nullopt;
}

std::optional<Combination> RowSpace::combination(const EntryRow& written, int own,
                                                 const StopRequest& stop) const {
    Columns columns{std::vector<bool>(m_width), std::vector<bool>(m_width), true};
    for (std::size_t j = 0; j < m_width; ++j) {
        columns.pinned[j] = written[j].written == Written::Exact;
        columns.checked[j] = !columns.pinned[j];
    }
    return fit(written, columns, own, 1, stop);
}

std::optional<CombinedRow> RowSpace::oneWrongEntry(const EntryRow& written, int own,
                                                   const StopRequest& stop) const {
    std::optional<CombinedRow> best;
    std::tuple<bool, bool, std::size_t, std::size_t> bestRank;
    for (std::size_t skip = 0; skip < m_width; ++skip) {
        Columns columns{std::vector<bool>(m_width), std::vector<bool>(m_width), false};
        for (std::size_t j = 0; j < m_width; ++j) {
            if (j == skip) continue;
            columns.pinned[j] = aimedAt(written, j);
            columns.checked[j] = !columns.pinned[j];
        }
        auto c = fit(written, columns, own, kFewestCombinedRows, stop);
        if (!c || c->size() < kFewestCombinedRows) continue;
        const mpq_class expected = valuesOf(m_rows, *c)[skip];
        const Entry& e = written[skip];
        if (agrees(e, expected)) continue;
        const bool unlike =
            e.written == Written::Exact && (e.value.get_den() == 1) != (expected.get_den() == 1);
        const auto rank = std::tuple(aimedAt(written, skip), unlike, c->size(), skip);
        if (best && !(rank < bestRank)) continue;
        bestRank = rank;
        best = CombinedRow{std::move(*c), WrongEntry{static_cast<int>(skip), expected, {}}};
    }
    return best;
}

} // namespace quorvex::check
