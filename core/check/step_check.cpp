#include "check/step_check.h"

#include "check/row_fit.h"
#include "check/row_space.h"

#include <functional>

namespace quorvex::check {

namespace {

/// One way a row may have come about, and how many multipliers it fits.
struct Candidate {
    int multipliers;
    std::function<std::optional<Combination>(const RowFitter&)> fit;
};

/// The operations that may have made row i, simplest first: kept, copied
/// from another row (an exchange), scaled, a multiple of another row added
/// to it or to a row copied in its place, it and another row combined.
std::vector<Candidate> candidatesFor(int i, int rows) {
    std::vector<Candidate> list;
    // The row's own previous row first, then a row copied in its place.
    const auto pairs = [&](auto make) {
        for (int q = 0; q < rows; ++q)
            if (q != i) make(i, q);
        for (int p = 0; p < rows; ++p)
            for (int q = 0; q < rows; ++q)
                if (p != i && q != p) make(p, q);
    };
    for (int q = -1; q < rows; ++q) {
        const int row = q < 0 ? i : q;
        if (q == i) continue;
        list.push_back({0, [row](const RowFitter& f) {
                            Combination c{{row, 1, {}}};
                            return f.fits(c) ? std::optional(c) : std::nullopt;
                        }});
    }
    list.push_back({1, [i](const RowFitter& f) { return f.scaled(i, false); }});
    for (int q = 0; q < rows; ++q)
        if (q != i) list.push_back({1, [q](const RowFitter& f) { return f.scaled(q, false); }});
    pairs([&](int p, int q) {
        list.push_back({1, [p, q, i](const RowFitter& f) { return f.plusMultiple(p, q, p != i); }});
    });
    // Two rows combined are two operations already: the row's own. Crosswise
    // the multipliers are entries, not fitted: one counts for both.
    for (int q = 0; q < rows; ++q)
        if (q != i) list.push_back({1, [i, q](const RowFitter& f) { return f.crosswise(i, q); }});
    for (int q = 0; q < rows; ++q)
        if (q != i) list.push_back({2, [i, q](const RowFitter& f) { return f.twoRows(i, q); }});
    return list;
}

/// How plausible a one-wrong-entry explanation is, most plausible least:
/// fewer multipliers first; then a row copied that no other row copies
/// already (two copies lose an equation); then a multiplier taken from the entries (the
/// ratio of two, one over one) before a merely plain one; then an integer
/// blamed for what should be an integer too, a fraction for a fraction
/// (13 typed for 13/2 is less likely than 2 for 4); then a 0 or 1
/// written where the operation makes one is trusted, being what the
/// student aimed at; then an entry written exactly is trusted more than a
/// rounded one; then the simpler operation. Last the column: of two aimed
/// at, the leftmost is the pivot the student worked from, so the other is
/// blamed; else the leftmost.
struct Plausibility {
    int multipliers;
    bool duplicate;
    bool fromEntries;
    bool unlike;
    bool aimedAt;
    bool exact;
    std::size_t candidate;
    int column;

    bool operator<(const Plausibility& o) const {
        if (multipliers != o.multipliers) return multipliers < o.multipliers;
        if (duplicate != o.duplicate) return !duplicate;
        if (fromEntries != o.fromEntries) return fromEntries;
        if (unlike != o.unlike) return !unlike;
        if (aimedAt != o.aimedAt) return !aimedAt;
        if (exact != o.exact) return !exact;
        if (candidate != o.candidate) return candidate < o.candidate;
        return aimedAt ? column > o.column : column < o.column;
    }
};

/// Whether the combination's multiplier is one over an entry of the row it
/// scales, or clears a column: the ratio of the two rows' entries there.
bool fromEntries(const std::vector<Row>& previous, const Combination& c) {
    if (c.empty() || c.size() > 2) return false;
    const Row& p = previous[static_cast<std::size_t>(c[0].row)];
    for (std::size_t j = 0; j < p.size(); ++j) {
        if (c.size() == 1 && (c[0].coefficient == 1 || c[0].coefficient * p[j] == 1)) return true;
        if (c.size() == 2 &&
            sgn(c[0].coefficient * p[j] +
                c[1].coefficient * previous[static_cast<std::size_t>(c[1].row)][j]) == 0 &&
            sgn(p[j]) != 0)
            return true;
    }
    return false;
}

/// Whether a decimal is less than two units of its last place off: rounded
/// a unit the wrong way rather than worked out wrongly.
bool nearlyRounded(const Entry& written, const mpq_class& expected) {
    return written.written == Written::Decimal &&
           abs(written.value - expected) < 2 * written.tolerance;
}

/// Why the entry differs, as far as its value tells: the right number with
/// the other sign, the number the row had before (the row `base`, by
/// default the combination's first), or a slip in the working.
Cause causeOf(const Entry& written, const mpq_class& expected, const Combination& c,
              const std::vector<Row>& previous, std::size_t column, int base = -1) {
    if (sgn(expected) != 0 && agrees(written, -expected)) return Cause::Sign;
    if (nearlyRounded(written, expected)) return Cause::BeyondRounding;
    const bool copy = c.size() == 1 && c[0].coefficient == 1;
    if (copy) return Cause::Miscopied;
    const Row& before = previous[static_cast<std::size_t>(base < 0 ? c[0].row : base)];
    if (before[column] != expected && agrees(written, before[column])) return Cause::NotCarried;
    return Cause::Arithmetic;
}

/// Whether a row copied but for one entry has the others as they were
/// typed: a copy keeps the texts, and -2.0000 for -2 is worked out, not
/// copied.
bool copiedAsTyped(const EntryMatrix& before, const Combination& c, const EntryRow& written,
                   int skip) {
    const EntryRow& from = before[static_cast<std::size_t>(c[0].row)];
    for (std::size_t j = 0; j < written.size(); ++j)
        if (static_cast<int>(j) != skip && written[j].text != from[j].text) return false;
    return true;
}

/// Looks for one entry that, left out, lets an operation explain the rest,
/// and keeps the most plausible such explanation. Only operations with
/// fewer multipliers than the entries left can tell: with as many, any row
/// would fit.
RowFinding diagnose(const EntryMatrix& before, const std::vector<Row>& previous,
                    const EntryRow& written, const std::vector<Candidate>& candidates,
                    const std::vector<bool>& copiedElsewhere, const StopRequest& stop) {
    RowFinding finding;
    const int width = static_cast<int>(written.size());
    std::vector<RowFitter> leaving;
    for (int j = 0; j < width; ++j) leaving.emplace_back(before, previous, written, j);
    std::optional<Plausibility> best;
    for (std::size_t k = 0; k < candidates.size(); ++k) {
        const Candidate& c = candidates[k];
        if (c.multipliers >= width - 1) continue;
        stop.check();
        for (int j = 0; j < width; ++j) {
            const auto column = static_cast<std::size_t>(j);
            const Entry& e = written[column];
            const bool exact = e.written == Written::Exact;
            const bool aimedAt = c.multipliers > 0 && exact && (sgn(e.value) == 0 || e.value == 1);
            if (best && best->multipliers < c.multipliers) continue;
            auto combination = c.fit(leaving[column]);
            if (!combination) continue;
            if (c.multipliers == 0 && !copiedAsTyped(before, *combination, written, j)) continue;
            const bool duplicate = c.multipliers == 0 &&
                                   copiedElsewhere[static_cast<std::size_t>((*combination)[0].row)];
            const mpq_class expected = valuesOf(previous, *combination)[column];
            const bool unlike = exact && (e.value.get_den() == 1) != (expected.get_den() == 1);
            const Plausibility p{c.multipliers,
                                 duplicate,
                                 fromEntries(previous, *combination),
                                 unlike,
                                 aimedAt,
                                 exact,
                                 k,
                                 j};
            if (best && !(p < *best)) continue;
            best = p;
            finding.kind = RowFinding::Kind::WrongEntries;
            finding.wrong = {
                {j, expected, causeOf(written[column], expected, *combination, previous, column)}};
            finding.combination = std::move(*combination);
        }
    }
    return finding;
}

/// Decimal places a student rounds a multiplier to.
constexpr int kMostMultiplierPlaces = 4;

/// The multiplier x of row q that clears column c of row p, or scales row
/// p to 1 there (q < 0), tried rounded to 1 to 4 places: when the rounded
/// one explains every entry and the exact one does not, the multiplier was
/// rounded too early.
std::optional<RowFinding> roundedTooEarly(const std::vector<Row>& previous, const EntryRow& written,
                                          int p, int q, std::size_t c) {
    const Row& rp = previous[static_cast<std::size_t>(p)];
    const Row* rq = q < 0 ? nullptr : &previous[static_cast<std::size_t>(q)];
    if (rq ? sgn((*rq)[c]) == 0 : sgn(rp[c]) == 0) return std::nullopt;
    const mpq_class exact = rq ? mpq_class(-rp[c] / (*rq)[c]) : mpq_class(1 / rp[c]);
    const auto value = [&](const mpq_class& x, std::size_t j) {
        return rq ? mpq_class(rp[j] + x * (*rq)[j]) : mpq_class(x * rp[j]);
    };
    for (int d = 1; d <= kMostMultiplierPlaces; ++d) {
        const mpq_class rounded = roundedTo(exact, d);
        if (rounded == exact || sgn(rounded) == 0) return std::nullopt;
        bool fits = true;
        for (std::size_t j = 0; j < written.size() && fits; ++j)
            fits = j == c || agrees(written[j], value(rounded, j));
        if (!fits) continue;
        RowFinding f;
        f.kind = RowFinding::Kind::WrongEntries;
        f.combination = rq ? Combination{{p, 1, {}}, {q, exact, {}}} : Combination{{p, exact, {}}};
        for (std::size_t j = 0; j < written.size(); ++j)
            if (!agrees(written[j], value(exact, j)))
                f.wrong.push_back({static_cast<int>(j), value(exact, j), Cause::RoundedMultiplier});
        if (f.wrong.empty()) return std::nullopt;
        // Named as the student sees it: the multiple of row q taken away.
        f.roundedMultiplier = rq ? mpq_class(abs(rounded)) : rounded;
        f.exactMultiplier = rq ? mpq_class(abs(exact)) : exact;
        return f;
    }
    return std::nullopt;
}

/// A row cleared in some column (written 0 there) or scaled to 1 in it,
/// whose entries all follow from a multiplier rounded too early.
std::optional<RowFinding> roundedMultiplier(const std::vector<Row>& previous,
                                            const EntryRow& written, int i) {
    // The column worked on is the leftmost one the row had and now clears
    // (or makes 1): a multiplier exact there is no rounded one.
    const int rows = static_cast<int>(previous.size());
    const Row& own = previous[static_cast<std::size_t>(i)];
    std::size_t c = 0;
    while (c < written.size() && sgn(own[c]) == 0) ++c;
    if (c == written.size()) return std::nullopt;
    if (agrees(written[c], 0))
        for (int q = 0; q < rows; ++q)
            if (q != i)
                if (auto f = roundedTooEarly(previous, written, i, q, c)) return f;
    if (agrees(written[c], 1)) return roundedTooEarly(previous, written, i, -1, c);
    return std::nullopt;
}

/// Decimals this many units of their last place off, or more, are no
/// longer near the operation that cleared or scaled their row.
constexpr int kNearUnits = 10;

/// The operation that cleared column c of row i with another row, or
/// scaled row i to 1 there, where every entry that differs from it is a
/// decimal a few units off: the nearest operation, and those entries.
std::optional<RowFinding> nearestOperation(const std::vector<Row>& previous,
                                           const EntryRow& written, int i) {
    const Row& ri = previous[static_cast<std::size_t>(i)];
    const auto tryCombination = [&](Combination c) -> std::optional<RowFinding> {
        const Row v = valuesOf(previous, c);
        RowFinding f;
        f.kind = RowFinding::Kind::WrongEntries;
        for (std::size_t j = 0; j < v.size(); ++j) {
            const Entry& e = written[j];
            if (agrees(e, v[j])) continue;
            if (e.written != Written::Decimal || abs(e.value - v[j]) >= kNearUnits * e.tolerance)
                return std::nullopt;
            f.wrong.push_back({static_cast<int>(j), v[j], causeOf(e, v[j], c, previous, j)});
        }
        if (f.wrong.empty()) return std::nullopt;
        f.combination = std::move(c);
        return f;
    };
    for (std::size_t c = 0; c < written.size(); ++c) {
        if (agrees(written[c], 0))
            for (std::size_t q = 0; q < previous.size(); ++q) {
                if (static_cast<int>(q) == i || sgn(previous[q][c]) == 0) continue;
                const mpq_class ratio = -ri[c] / previous[q][c];
                if (sgn(ratio) == 0) continue;
                if (auto f = tryCombination({{i, 1, {}}, {static_cast<int>(q), ratio, {}}}))
                    return f;
            }
        if (agrees(written[c], 1) && sgn(ri[c]) != 0)
            if (auto f = tryCombination({{i, 1 / ri[c], {}}})) return f;
    }
    return std::nullopt;
}

RowFinding explainRow(const EntryMatrix& before, const std::vector<Row>& previous,
                      const EntryRow& written, int i, const std::vector<bool>& copiedElsewhere,
                      const StopRequest& stop) {
    const std::vector<Candidate> candidates = candidatesFor(i, static_cast<int>(previous.size()));
    const RowFitter whole(before, previous, written, -1);
    RowFinding finding;
    finding.kind = RowFinding::Kind::Explained;
    for (const Candidate& c : candidates) {
        stop.check();
        if (auto combination = c.fit(whole)) {
            finding.combination = std::move(*combination);
            return finding;
        }
    }
    if (auto rounded = roundedMultiplier(previous, written, i)) return std::move(*rounded);
    RowFinding one = diagnose(before, previous, written, candidates, copiedElsewhere, stop);
    if (one.kind != RowFinding::Kind::Unexplained) return one;
    if (auto near = nearestOperation(previous, written, i)) return std::move(*near);
    return one;
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

bool sameTexts(const EntryRow& a, const EntryRow& b) {
    for (std::size_t j = 0; j < a.size(); ++j)
        if (a[j].text != b[j].text) return false;
    return true;
}

/// For each previous row, whether a row of `after` other than row i is
/// that row as it was typed.
std::vector<bool> copiedElsewhere(const EntryMatrix& before, const EntryMatrix& after,
                                  std::size_t i) {
    std::vector<bool> copied(before.size());
    for (std::size_t q = 0; q < before.size(); ++q)
        for (std::size_t k = 0; k < after.size() && !copied[q]; ++k)
            copied[q] = k != i && sameTexts(after[k], before[q]);
    return copied;
}

/// Whether the finding blames only the 0s of a cleared row (written 0, or
/// 0.00 before the row's first coefficient that is not 0) of a row worked
/// out with a multiplier: a weak diagnosis, since a student who cleared a
/// column writes its 0 most surely. A 1 may be a slip as well as an aim,
/// and a row copied keeps its texts: a 1 where the copy has a 4 is a slip
/// of the copy.
bool blamesClearedZeros(const RowFinding& f, const EntryRow& written) {
    if (f.kind != RowFinding::Kind::WrongEntries || f.wrong.empty()) return false;
    const Combination& c = f.combination;
    if (c.size() == 1 && c[0].coefficient == 1) return false;
    for (const WrongEntry& w : f.wrong) {
        const auto j = static_cast<std::size_t>(w.column);
        if (sgn(written[j].value) != 0 || !aimedAt(written, j, false)) return false;
    }
    return true;
}

/// The finding of a row the previous rows combine to.
RowFinding combined(Combination c) {
    RowFinding f;
    f.kind = c.size() > 2 ? RowFinding::Kind::Combined : RowFinding::Kind::Explained;
    f.combination = std::move(c);
    return f;
}

/// Looks again at the rows no one or two operations explain: a row the
/// previous rows combine to is right, made by several operations at once
/// (or by one or two with multipliers no student picks, found exactly); a
/// row no operation came near may be such a combination with one entry
/// wrong. A one-entry diagnosis of one or two operations stands, as it
/// names what the student did, unless it blames a 0 the student cleared,
/// or several entries, and a combination blames one entry they did not aim
/// at.
void combineRows(StepFinding& step, const RowSpace& space, const EntryMatrix& after,
                 const std::vector<Row>& previous, const StopRequest& stop) {
    for (std::size_t i = 0; i < after.size(); ++i) {
        RowFinding& f = step.rows[i];
        if (f.kind == RowFinding::Kind::Explained) continue;
        const int own = static_cast<int>(i);
        // One entry off a combination is a likelier slip than two off one
        // operation; a multiplier rounded too early explains them all.
        const bool several = f.wrong.size() > 1 && !f.roundedMultiplier;
        const bool diagnose =
            f.kind == RowFinding::Kind::Unexplained || blamesClearedZeros(f, after[i]) || several;
        auto found = space.explain(after[i], own, diagnose, stop);
        if (!found) continue;
        if (!found->wrong) {
            f = combined(std::move(found->combination));
            continue;
        }
        WrongEntry w = *found->wrong;
        const auto column = static_cast<std::size_t>(w.column);
        w.cause = causeOf(after[i][column], w.expected, found->combination, previous, column, own);
        f = RowFinding{};
        f.kind = RowFinding::Kind::WrongEntries;
        f.combination = std::move(found->combination);
        f.wrong = {w};
    }
}

/// Where the simplest operations explain every row but lose rank, the rows
/// may have been meant otherwise: fitted again to the combinations the
/// entries aimed at fix (0.04 × row 3 fits (0.0, 1, -0.4) loosely; the row
/// cleared and scaled to 1 fits it as written). Kept when the rank then
/// holds.
void keepRank(StepFinding& step, const RowSpace& space, const EntryMatrix& after,
              const std::vector<Row>& previous, const StopRequest& stop) {
    std::vector<RowFinding> rows = step.rows;
    for (std::size_t i = 0; i < after.size(); ++i)
        if (auto found = space.explain(after[i], static_cast<int>(i), false, stop))
            rows[i] = combined(std::move(found->combination));
    std::vector<Row> fitted;
    for (const RowFinding& r : rows) fitted.push_back(valuesOf(previous, r.combination));
    const int rank = rankOf(fitted);
    if (rank < step.rankBefore) return;
    step.rows = std::move(rows);
    step.rankAfter = rank;
}

} // namespace

bool StepFinding::right() const {
    for (const RowFinding& r : rows)
        if (r.kind != RowFinding::Kind::Explained && r.kind != RowFinding::Kind::Combined)
            return false;
    return !rankAfter || *rankAfter == rankBefore;
}

bool StepFinding::combinesOperations() const {
    for (const RowFinding& r : rows)
        if (r.kind == RowFinding::Kind::Combined) return true;
    return false;
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

StepFinding checkStep(const EntryMatrix& before, const EntryMatrix& after,
                      const StopRequest& stop) {
    const std::vector<Row> previous = valuesOf(before);
    StepFinding step;
    step.rankBefore = rankOf(previous);
    bool derived = true;
    for (std::size_t i = 0; i < after.size(); ++i) {
        step.rows.push_back(explainRow(before, previous, after[i], static_cast<int>(i),
                                       copiedElsewhere(before, after, i), stop));
    }
    std::optional<RowSpace> space;
    const auto rowSpace = [&]() -> const RowSpace& {
        if (!space) space.emplace(previous);
        return *space;
    };
    if (!step.right()) combineRows(step, rowSpace(), after, previous, stop);
    for (const RowFinding& r : step.rows)
        derived = derived && r.kind != RowFinding::Kind::Unexplained;
    if (!derived) return step;
    std::vector<Row> fitted;
    for (const RowFinding& r : step.rows) fitted.push_back(valuesOf(previous, r.combination));
    step.rankAfter = rankOf(fitted);
    if (*step.rankAfter < step.rankBefore) keepRank(step, rowSpace(), after, previous, stop);
    if (*step.rankAfter < step.rankBefore) {
        fitted.clear();
        for (const RowFinding& r : step.rows) fitted.push_back(valuesOf(previous, r.combination));
        step.lostRows = lostRows(step.rows, fitted, *step.rankAfter);
    }
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
