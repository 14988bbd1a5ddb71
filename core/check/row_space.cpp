#include "check/row_space.h"

#include "check/row_fit.h"
#include "exact/exact_algebra.h"

#include <algorithm>
#include <iterator>
#include <tuple>

namespace quorvex::check {

namespace {

/// Every solution of a linear system: one of them and the directions of
/// the rest.
struct Solutions {
    Row particular;
    std::vector<Row> directions;
};

/// The reduced echelon form of rows of `cols` numbers each.
RationalMatrix echelonOf(const std::vector<Row>& rows, std::size_t cols) {
    const int m = static_cast<int>(rows.size());
    const int n = static_cast<int>(cols);
    RationalMatrix a(m, n);
    for (int i = 1; i <= m; ++i)
        for (int j = 1; j <= n; ++j)
            a(i, j) = rows[static_cast<std::size_t>(i - 1)][static_cast<std::size_t>(j - 1)];
    return reducedEchelonForm(a, m, n);
}

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
        e = echelonOf(equations, unknowns + 1);
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

/// The terms of a combination of the rows `subset`, those that are not 0.
Combination termsOf(const std::vector<int>& subset, const Row& c) {
    Combination terms;
    for (std::size_t k = 0; k < subset.size(); ++k)
        if (sgn(c[k]) != 0) terms.push_back({subset[k], c[k], {}});
    return terms;
}

/// The values of a combination of some rows, each column worked out when
/// it is first asked for: most tries end at the first entries that
/// disagree, and with long exact numbers each product is dear.
class LazyValues {
public:
    LazyValues(const std::vector<Row>& rows, const std::vector<int>& subset, const Row& c)
        : m_rows(rows), m_subset(subset), m_c(c), m_values(rows.empty() ? 0 : rows[0].size()),
          m_known(m_values.size()) {}

    const mpq_class& operator[](std::size_t j) {
        if (!m_known[j]) {
            for (std::size_t k = 0; k < m_subset.size(); ++k)
                m_values[j] += m_c[k] * m_rows[static_cast<std::size_t>(m_subset[k])][j];
            m_known[j] = true;
        }
        return m_values[j];
    }

    bool allZero() {
        for (std::size_t j = 0; j < m_values.size(); ++j)
            if (sgn((*this)[j]) != 0) return false;
        return true;
    }

private:
    const std::vector<Row>& m_rows;
    const std::vector<int>& m_subset;
    const Row& m_c;
    Row m_values;
    std::vector<bool> m_known;
};

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

/// The fewest rows a combination blamed for one entry takes: one row
/// kept, copied or scaled is the row fitter's to name, with what it knows
/// of copies and of the multipliers a student writes.
constexpr std::size_t kFewestRowsBlamed = 2;

/// The fewest rows a combination takes whose scale nothing written fixes:
/// one or two rows with a multiplier left open are the row fitter's
/// operations, which take it only as a student writes it.
constexpr std::size_t kFewestRowsScaledByHabit = 3;

} // namespace

RowSpace::RowSpace(const std::vector<Row>& previous) : m_rows(previous) {
    if (previous.empty()) return;
    m_width = previous[0].size();
    const RationalMatrix e = echelonOf(previous, m_width);
    for (int i = 1; i <= e.rows(); ++i) {
        Row r(m_width);
        for (int j = 1; j <= e.cols(); ++j) r[static_cast<std::size_t>(j - 1)] = e(i, j);
        if (isZero(r)) break;
        m_echelon.push_back(std::move(r));
    }
}

std::optional<std::size_t> RowSpace::mismatch(const Value& x, const EntryRow& written,
                                              const Columns& columns, bool oneAllowed) const {
    // The pinned entries hold by the way the combination was found.
    std::optional<std::size_t> found;
    for (std::size_t j = 0; j < m_width; ++j) {
        if (!columns.checked[j] || agrees(written[j], x(j))) continue;
        if (found || !oneAllowed) return m_width; // more than allowed
        found = j;
    }
    return found;
}

void RowSpace::record(Found& found, Combination c, std::optional<std::size_t> off) const {
    if (!off) {
        found.whole = std::move(c);
        return;
    }
    if (*off < m_width && !found.allBut[*off]) found.allBut[*off] = std::move(c);
}

RowSpace::Found RowSpace::search(const EntryRow& written, const Columns& columns, int own,
                                 bool allBut, const StopRequest& stop) const {
    Found found;
    found.allBut.resize(m_width);
    // A row of the row space is the combination of the echelon rows by its
    // own entries in their pivot columns: what the pinned entries leave of
    // it, first.
    std::vector<Row> equations;
    for (std::size_t j = 0; j < m_width; ++j) {
        if (!columns.pinned[j]) continue;
        Row eq;
        for (const Row& r : m_echelon) eq.push_back(r[j]);
        eq.push_back(written[j].value);
        equations.push_back(std::move(eq));
    }
    const auto z = solveAll(equations, m_echelon.size());
    if (!z) return found;
    if (z->directions.empty()) {
        Row x(m_width);
        for (std::size_t k = 0; k < m_echelon.size(); ++k)
            for (std::size_t j = 0; j < m_width; ++j) x[j] += z->particular[k] * m_echelon[k][j];
        const auto off = mismatch([&](std::size_t j) { return x[j]; }, written, columns, allBut);
        if (off && *off == m_width) return found;
        if (isZero(x)) return found;
        // Independent rows combine to it in one way only.
        if (rank() == static_cast<int>(m_rows.size())) {
            std::vector<Row> rowEquations;
            for (std::size_t j = 0; j < m_width; ++j) {
                Row eq;
                for (const Row& r : m_rows) eq.push_back(r[j]);
                eq.push_back(x[j]);
                rowEquations.push_back(std::move(eq));
            }
            std::vector<int> all(m_rows.size());
            for (std::size_t k = 0; k < all.size(); ++k) all[k] = static_cast<int>(k);
            record(found, termsOf(all, solveAll(rowEquations, m_rows.size())->particular), off);
            return found;
        }
    }
    const int rows = static_cast<int>(m_rows.size());
    std::size_t pinned = 0;
    for (bool p : columns.pinned) pinned += p;
    // Each coefficient beyond the pinned entries and the one scale is left
    // open: no combination of more rows is fixed.
    const int most = std::min(rows, static_cast<int>(pinned) + 1);
    for (int size = 1; size <= most; ++size) {
        std::vector<int> subset(static_cast<std::size_t>(size));
        for (int k = 0; k < size; ++k) subset[static_cast<std::size_t>(k)] = k;
        do {
            stop.check();
            searchRows(found, subset, written, columns, own, allBut);
            if (found.whole) return found;
        } while (nextSubset(subset, rows));
    }
    return found;
}

void RowSpace::searchRows(Found& found, const std::vector<int>& subset, const EntryRow& written,
                          const Columns& columns, int own, bool allBut) const {
    std::vector<Row> equations;
    for (std::size_t j = 0; j < m_width; ++j) {
        if (!columns.pinned[j]) continue;
        Row eq;
        for (int k : subset) eq.push_back(m_rows[static_cast<std::size_t>(k)][j]);
        eq.push_back(written[j].value);
        equations.push_back(std::move(eq));
    }
    const auto s = solveAll(equations, subset.size());
    if (!s || s->directions.size() > 1) return;
    const Row& p = s->particular;
    LazyValues xp(m_rows, subset, p);
    if (s->directions.empty()) {
        if (isZero(p)) return;
        record(found, termsOf(subset, p),
               mismatch([&](std::size_t j) { return xp[j]; }, written, columns, allBut));
        return;
    }
    if (subset.size() < kFewestRowsScaledByHabit) return;
    const Row& h = s->directions[0];
    LazyValues xh(m_rows, subset, h);
    // The one scale left open, as a student fixes it: the row's own
    // previous row kept with coefficient 1, else another row moved into its
    // place; else, for a right row only, a whole number written as a
    // decimal (1.00) met exactly.
    std::vector<mpq_class> scales;
    for (std::size_t k = 0; k < subset.size(); ++k)
        if (subset[k] == own && sgn(h[k]) != 0) scales.push_back((1 - p[k]) / h[k]);
    for (std::size_t k = 0; k < subset.size(); ++k)
        if (subset[k] != own && sgn(h[k]) != 0) scales.push_back((1 - p[k]) / h[k]);
    const std::size_t fromRows = scales.size();
    for (std::size_t j = 0; columns.wholeNumbers && j < m_width; ++j) {
        const Entry& e = written[j];
        if (columns.checked[j] && e.written == Written::Decimal && e.value.get_den() == 1 &&
            sgn(xh[j]) != 0)
            scales.push_back((e.value - xp[j]) / xh[j]);
    }
    for (std::size_t t = 0; t < scales.size(); ++t) {
        const mpq_class& scale = scales[t];
        const auto off = mismatch([&](std::size_t j) { return mpq_class(xp[j] + scale * xh[j]); },
                                  written, columns, allBut && t < fromRows);
        if (off && *off == m_width) continue;
        // Rows that depend on each other: fewer of them give the same rows.
        if (xh.allZero()) return;
        Row c = p;
        for (std::size_t k = 0; k < c.size(); ++k) c[k] += scale * h[k];
        if (isZero(c)) continue;
        record(found, termsOf(subset, c), off);
        if (found.whole) return;
    }
}

std::optional<CombinedRow> RowSpace::explain(const EntryRow& written, int own, bool diagnose,
                                             const StopRequest& stop) const {
    using Pins = std::vector<bool>;
    const auto pinsWhere = [&](auto pin) {
        Pins p(m_width);
        for (std::size_t j = 0; j < m_width; ++j) p[j] = pin(j);
        return p;
    };
    const auto exactly = [&](std::size_t j) { return written[j].written == Written::Exact; };
    const Pins wide = pinsWhere([&](std::size_t j) { return aimedAt(written, j, true); });
    const Pins strict = pinsWhere([&](std::size_t j) { return aimedAt(written, j, false); });
    // The most entries pinned first: the aims a student wrote fix the
    // combination, and a 1.00 or a 0.00 that is a number rounded is left to
    // its tolerance after.
    const Pins tries[] = {pinsWhere([&](std::size_t j) { return exactly(j) || wide[j]; }),
                          pinsWhere([&](std::size_t j) { return exactly(j) || strict[j]; }),
                          pinsWhere(exactly)};
    std::vector<std::pair<Pins, Found>> searched;
    searched.reserve(std::size(tries) + 2); // the references handed out stay valid
    const auto searchPinning = [&](const Pins& pins, bool wholeNumbers) -> const Found& {
        for (const auto& [p, f] : searched)
            if (p == pins) return f;
        Columns c{pins, Pins(m_width), wholeNumbers};
        for (std::size_t j = 0; j < m_width; ++j) c.checked[j] = !pins[j];
        searched.emplace_back(pins, search(written, c, own, diagnose, stop));
        return searched.back().second;
    };
    for (const Pins& pins : tries) {
        const Found& f = searchPinning(pins, true);
        if (f.whole) return CombinedRow{*f.whole, {}};
    }
    if (!diagnose) return std::nullopt;
    for (const Pins* aims : {&wide, &strict}) {
        const Found& found = searchPinning(*aims, false);
        // The entries aimed at fix the combination and never miss it: they
        // are trusted, and the slip is among the others.
        std::optional<CombinedRow> best;
        std::tuple<bool, std::size_t, std::size_t> bestRank;
        for (std::size_t j = 0; j < m_width; ++j) {
            const auto& c = found.allBut[j];
            if (!c || c->size() < kFewestRowsBlamed) continue;
            const mpq_class expected = valuesOf(m_rows, *c)[j];
            const Entry& e = written[j];
            const bool unlike = e.written == Written::Exact &&
                                (e.value.get_den() == 1) != (expected.get_den() == 1);
            const auto rank = std::tuple(unlike, c->size(), j);
            if (best && !(rank < bestRank)) continue;
            bestRank = rank;
            best = CombinedRow{*c, WrongEntry{static_cast<int>(j), expected, {}}};
        }
        if (best) return best;
    }
    return std::nullopt;
}

bool aimedAt(const EntryRow& written, std::size_t j, bool scaledRow) {
    const Entry& e = written[j];
    const std::size_t coefficients = written.size() - 1;
    if (j >= coefficients || e.written == Written::Inexact) return false;
    if (sgn(e.value) != 0 && e.value != 1) return false;
    if (e.written == Written::Exact) return true;
    std::size_t pivot = 0;
    while (pivot < coefficients && sgn(written[pivot].value) == 0) ++pivot;
    return j < pivot || (scaledRow && pivot < coefficients && written[pivot].value == 1);
}

} // namespace quorvex::check
