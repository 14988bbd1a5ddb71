#include "check/step_check.h"

#include "check/row_fit.h"

#include <functional>

namespace quorvex::check {

namespace {

/// One way a row may have come about, and how many multipliers it fits.
struct Candidate {
    int multipliers;
    std::function<std::optional<Combination>(const RowFitter&)> fit;
};

/// The elementary changes that may have made row i, simplest first: kept,
/// copied from another row (an exchange), scaled, a multiple of another
/// row added, a combination of it with another row.
std::vector<Candidate> candidatesFor(int i, int rows) {
    std::vector<Candidate> list;
    const auto others = [&](auto make) {
        for (int q = 0; q < rows; ++q)
            if (q != i) make(q);
    };
    list.push_back({0, [i](const RowFitter& f) {
                        Combination c{{i, 1}};
                        return f.fits(c) ? std::optional(c) : std::nullopt;
                    }});
    others([&](int q) {
        list.push_back({0, [q](const RowFitter& f) {
                            Combination c{{q, 1}};
                            return f.fits(c) ? std::optional(c) : std::nullopt;
                        }});
    });
    list.push_back({1, [i](const RowFitter& f) { return f.scaled(i); }});
    others([&](int q) { list.push_back({1, [q](const RowFitter& f) { return f.scaled(q); }}); });
    others([&](int q) {
        list.push_back({1, [i, q](const RowFitter& f) { return f.plusMultiple(i, q); }});
    });
    others([&](int q) {
        list.push_back({2, [i, q](const RowFitter& f) { return f.twoRows(i, q); }});
    });
    return list;
}

/// Beyond this order a row that no change explains is not searched for a
/// single wrong entry: the search grows with the fourth power of the order,
/// and exercises worked by hand are small.
constexpr int kLargestDiagnosedOrder = 12;

/// How plausible a one-wrong-entry explanation is, most plausible least:
/// students use simple multipliers, so the largest denominator among them
/// counts first; then fewer multipliers; then an entry written exactly is
/// trusted more than a rounded one; then the simpler change and the
/// leftmost column.
struct Plausibility {
    mpz_class denominator;
    int multipliers;
    bool exact;
    std::size_t candidate;
    int column;

    bool operator<(const Plausibility& o) const {
        if (denominator != o.denominator) return denominator < o.denominator;
        if (multipliers != o.multipliers) return multipliers < o.multipliers;
        if (exact != o.exact) return !exact;
        if (candidate != o.candidate) return candidate < o.candidate;
        return column < o.column;
    }
};

mpz_class largestDenominator(const Combination& c) {
    mpz_class d = 1;
    for (const Term& t : c)
        if (t.coefficient.get_den() > d) d = t.coefficient.get_den();
    return d;
}

/// Looks for one entry that, left out, lets an elementary change explain
/// the rest, and keeps the most plausible such explanation. Only changes
/// with fewer multipliers than the entries left can tell: with as many, any
/// row would fit.
RowFinding diagnose(const std::vector<Row>& previous, const EntryRow& written,
                    const std::vector<Candidate>& candidates) {
    RowFinding finding;
    const int width = static_cast<int>(written.size());
    if (width - 1 > kLargestDiagnosedOrder) return finding;
    std::vector<RowFitter> leaving;
    for (int j = 0; j < width; ++j) leaving.emplace_back(previous, written, j);
    std::optional<Plausibility> best;
    for (std::size_t k = 0; k < candidates.size(); ++k) {
        const Candidate& c = candidates[k];
        if (c.multipliers >= width - 1) continue;
        for (int j = 0; j < width; ++j) {
            auto combination = c.fit(leaving[static_cast<std::size_t>(j)]);
            if (!combination) continue;
            const Plausibility p{largestDenominator(*combination), c.multipliers,
                                 written[static_cast<std::size_t>(j)].written == Written::Exact, k,
                                 j};
            if (best && !(p < *best)) continue;
            best = p;
            finding.kind = RowFinding::Kind::OneWrongEntry;
            finding.column = j;
            finding.expected = valuesOf(previous, *combination)[static_cast<std::size_t>(j)];
            finding.combination = std::move(*combination);
        }
    }
    return finding;
}

RowFinding explainRow(const std::vector<Row>& previous, const RowSpace& space,
                      const EntryRow& written, int i) {
    const std::vector<Candidate> candidates = candidatesFor(i, static_cast<int>(previous.size()));
    const RowFitter whole(previous, written, -1);
    RowFinding finding;
    finding.kind = RowFinding::Kind::Explained;
    for (const Candidate& c : candidates) {
        if (auto combination = c.fit(whole)) {
            finding.combination = std::move(*combination);
            return finding;
        }
    }
    if (auto combination = space.combination(written)) {
        finding.combination = std::move(*combination);
        return finding;
    }
    return diagnose(previous, written, candidates);
}

bool mentions(const Combination& c, int row) {
    for (const Term& t : c)
        if (t.row == row) return true;
    return false;
}

/// Where the rank fell: the rows that no longer hold their own previous
/// row and add nothing to the others.
std::vector<int> lostRows(const std::vector<RowFinding>& findings, const std::vector<Row>& fitted,
                          int rank) {
    std::vector<int> lost;
    for (std::size_t i = 0; i < fitted.size(); ++i) {
        if (mentions(findings[i].combination, static_cast<int>(i))) continue;
        std::vector<Row> rest = fitted;
        rest.erase(rest.begin() + static_cast<long>(i));
        if (rankOf(rest) == rank) lost.push_back(static_cast<int>(i));
    }
    return lost;
}

} // namespace

bool StepFinding::right() const {
    for (const RowFinding& r : rows)
        if (r.kind != RowFinding::Kind::Explained) return false;
    return !rankAfter || *rankAfter == rankBefore;
}

std::vector<Row> valuesOf(const EntryMatrix& m) {
    std::vector<Row> rows;
    for (const EntryRow& r : m) {
        Row v;
        for (const Entry& e : r) v.push_back(e.value);
        rows.push_back(std::move(v));
    }
    return rows;
}

StepFinding checkStep(const EntryMatrix& before, const EntryMatrix& after) {
    const std::vector<Row> previous = valuesOf(before);
    const RowSpace space(previous);
    StepFinding step;
    step.rankBefore = space.rank();
    bool derived = true;
    for (std::size_t i = 0; i < after.size(); ++i) {
        step.rows.push_back(explainRow(previous, space, after[i], static_cast<int>(i)));
        derived = derived && step.rows.back().kind != RowFinding::Kind::Unexplained;
    }
    if (!derived) return step;
    std::vector<Row> fitted;
    for (const RowFinding& r : step.rows) fitted.push_back(valuesOf(previous, r.combination));
    step.rankAfter = rankOf(fitted);
    if (*step.rankAfter < step.rankBefore)
        step.lostRows = lostRows(step.rows, fitted, *step.rankAfter);
    return step;
}

int rankOf(std::vector<Row> rows) {
    int rank = 0;
    const std::size_t width = rows.empty() ? 0 : rows[0].size();
    for (std::size_t col = 0; col < width && static_cast<std::size_t>(rank) < rows.size(); ++col) {
        const auto top = static_cast<std::size_t>(rank);
        std::size_t pick = top;
        while (pick < rows.size() && sgn(rows[pick][col]) == 0) ++pick;
        if (pick == rows.size()) continue;
        std::swap(rows[top], rows[pick]);
        for (std::size_t r = top + 1; r < rows.size(); ++r) {
            if (sgn(rows[r][col]) == 0) continue;
            const mpq_class f = rows[r][col] / rows[top][col];
            for (std::size_t j = col; j < width; ++j) rows[r][j] -= f * rows[top][j];
        }
        ++rank;
    }
    return rank;
}

std::optional<Row> uniqueSolution(std::vector<Row> augmented) {
    const std::size_t n = augmented.size();
    for (std::size_t k = 0; k < n; ++k) {
        std::size_t pick = k;
        while (pick < n && sgn(augmented[pick][k]) == 0) ++pick;
        if (pick == n) return std::nullopt;
        std::swap(augmented[k], augmented[pick]);
        for (std::size_t r = 0; r < n; ++r) {
            if (r == k || sgn(augmented[r][k]) == 0) continue;
            const mpq_class f = augmented[r][k] / augmented[k][k];
            for (std::size_t j = k; j <= n; ++j) augmented[r][j] -= f * augmented[k][j];
        }
    }
    Row x(n);
    for (std::size_t i = 0; i < n; ++i) x[i] = augmented[i][n] / augmented[i][i];
    return x;
}

} // namespace quorvex::check
