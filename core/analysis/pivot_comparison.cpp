#include "analysis/analysis.h"

#include "analysis/dense_algebra.h"
#include "analysis/reference_report.h"
#include "analysis/reference_solution.h"
#include "numerics/elimination_loops.h"
#include "report/report.h"
#include "texts/analysis_texts.h"
#include "texts/fill.h"
#include "texts/notice_texts.h"
#include "texts/sentence.h"

#include <array>
#include <cmath>
#include <numeric>
#include <string>
#include <vector>

namespace quorvex {

namespace {

namespace T = texts::analysis;

/// The largest magnitude among rows firstRow..n, columns firstColumn..n of
/// A; a NaN never counts.
double largestCoefficient(const Matrix& A, int n, int firstRow = 1, int firstColumn = 1) {
    double m = 0.0;
    for (int i = firstRow; i <= n; ++i) {
        const double* a = A.row(i);
        for (int j = firstColumn - 1; j < n; ++j) {
            const double v = std::fabs(a[j]);
            if (v > m) m = v;
        }
    }
    return m;
}

/// Watches an elimination: the largest coefficient any stage produced, and
/// the stage whose multiplier was largest with its pivot.
class PivotWatch final : public StageObserver {
public:
    PivotWatch(const Matrix& A, int n) : m_n(n), m_largest(largestCoefficient(A, n)) {}

    void pivotChosen(const Matrix& A, int k) override {
        const double pivot = A(k, k);
        if (pivot == 0.0 && m_zeroPivotStage == 0) m_zeroPivotStage = k;
        for (int i = k + 1; i <= m_n; ++i) {
            const double m = std::fabs(A(i, k) / pivot);
            if (m > m_multiplier) m_multiplier = m, m_multiplierStage = k, m_pivot = pivot;
        }
    }
    // A stage changes only the rows below its pivot, from its column on;
    // everything else was looked at before (column exchanges only move it).
    void stageDone(const Matrix& A, int k) override {
        const double stage = largestCoefficient(A, m_n, k + 1, k);
        if (stage > m_largest) m_largest = stage;
    }

    int m_n;
    double m_largest;
    int m_zeroPivotStage = 0;
    int m_multiplierStage = 0;
    double m_multiplier = 0.0;
    double m_pivot = 0.0;
};

struct Elimination {
    std::string_view name;
    Vector x;      ///< in the input's order of the unknowns
    double growth; ///< largest coefficient of any stage over the largest given
    double error = 0.0;
};

Elimination byRows(const Matrix& B, int n, int d, bool columnPivot, const StopRequest& stop,
                   PivotWatch& watch) {
    Matrix A = B;
    eliminate(A, n, d, columnPivot, stop, &watch);
    return {columnPivot ? T::kColumnPivotName : T::kNoPivotName, backSubstitute(A, n, d),
            watch.m_largest / largestCoefficient(B, n)};
}

Elimination completely(const Matrix& B, int n, int d, const StopRequest& stop) {
    Matrix A = B;
    std::vector<int> order(static_cast<std::size_t>(n));
    std::iota(order.begin(), order.end(), 1);
    PivotWatch watch(B, n);
    eliminateFullPivot(A, n, d, order, stop, &watch);
    const Vector inPivotOrder = backSubstitute(A, n, d);
    Vector x(n);
    for (int i = 1; i <= n; ++i) x(order[static_cast<std::size_t>(i - 1)]) = inPivotOrder(i);
    return {T::kFullPivotName, x, watch.m_largest / largestCoefficient(B, n)};
}

/// An error that is not a number ranks last.
double rank(double error) { return std::isnan(error) ? HUGE_VAL : error; }

/// True when an unknown of x is not a number.
bool notANumber(const Vector& x) {
    for (int i = x.lo(); i <= x.hi(); ++i)
        if (std::isnan(x(i))) return true;
    return false;
}

/// The names of the runs that came closest to x* among `among`, joined.
std::string closestNames(const std::vector<const Elimination*>& among) {
    double best = HUGE_VAL;
    for (const Elimination* e : among) best = std::fmin(best, rank(e->error));
    std::string names;
    for (const Elimination* e : among)
        if (rank(e->error) == best)
            names.append(names.empty() ? "" : T::kNameSeparator).append(e->name);
    return names;
}

/// The one line saying which came closest and why.
void writeRanking(Report& r, const std::array<Elimination, 3>& runs, const PivotWatch& plain) {
    double best = HUGE_VAL;
    for (const Elimination& e : runs) best = std::fmin(best, rank(e.error));
    std::vector<std::string_view> closest;
    for (const Elimination& e : runs)
        if (rank(e.error) == best) closest.push_back(e.name);
    if (closest.size() == runs.size()) {
        r.text(T::kAllSame).newline();
        return;
    }
    std::string names;
    for (std::size_t i = 0; i < closest.size(); ++i)
        names.append(i ? T::kNameSeparator : "").append(closest[i]);
    const bool plainAmongBest = rank(runs[0].error) == best;
    if (!plainAmongBest && plain.m_zeroPivotStage != 0) {
        writeSentence(r, T::kClosestZeroPivot, {names, plain.m_zeroPivotStage});
    } else if (!plainAmongBest && plain.m_multiplier > 1.0) {
        writeSentence(r, T::kClosestSmallPivot,
                      {names,
                       plain.m_multiplierStage,
                       {shortNumber(plain.m_pivot), NumberStyle::plain()},
                       {shortNumber(plain.m_multiplier), NumberStyle::plain()}});
    } else {
        writeSentence(r, T::kClosestRoundingOnly, {names});
    }
    r.newline();
}

/// Names the solutions that are not numbers, then the closest of the rest.
void writeNotNumbers(Report& r, const std::array<Elimination, 3>& runs) {
    std::vector<const Elimination*> nan, numbers;
    for (const Elimination& e : runs) (notANumber(e.x) ? nan : numbers).push_back(&e);
    if (nan.size() == 1) writeSentence(r, T::kNotANumberOne, {nan[0]->name});
    else if (nan.size() == 2) writeSentence(r, T::kNotANumberTwo, {nan[0]->name, nan[1]->name});
    else r.text(T::kNotANumberAll);
    r.newline();
    if (!numbers.empty())
        writeSentence(r, T::kClosestAmongNumbers, {closestNames(numbers)}).newline();
}

/// The verdict: which came closest and why. A solution that is not a
/// number is no distance from x* at all: it is named as such, unless it is
/// the one without pivoting stopped by a zero pivot, which the ranking's
/// own reason names.
void writeVerdict(Report& r, const std::array<Elimination, 3>& runs, const PivotWatch& plain) {
    std::size_t nan = 0;
    for (const Elimination& e : runs) nan += notANumber(e.x);
    const bool zeroPivotOnly = nan == 1 && notANumber(runs[0].x) && plain.m_zeroPivotStage != 0;
    r.newline();
    if (nan == 0 || zeroPivotOnly) writeRanking(r, runs, plain);
    else writeNotNumbers(r, runs);
}

/// Why the comparison shows Infinity or NaN: an entry read so (named
/// already where the decimal reading differs from the typed one), a
/// singular matrix, the zero pivot of the run without pivoting, else an
/// overflow.
std::string notFiniteCause(const Matrix& B, int n, const ReferenceSolution& ref,
                           const PivotWatch& plain, const PivotWatch& column) {
    namespace N = texts::notice;
    if (std::string entry = notFiniteEntryNotice(B, n, n + 1); !entry.empty())
        return ref.misread.empty() ? entry : std::string();
    if (ref.singular && column.m_zeroPivotStage != 0)
        return fillText(N::kSingular, {std::to_string(column.m_zeroPivotStage)});
    if (plain.m_zeroPivotStage != 0)
        return fillText(N::kZeroPivotNoExchange, {std::to_string(plain.m_zeroPivotStage)});
    return std::string(N::kOverflow);
}

Outcome pivotComparison(CommandInput& in) {
    const int n = in.n;
    const Matrix& B = in.matrix;
    const int dd = in.settings.decimalDigits;
    PivotWatch plain(B, n), column(B, n);
    std::array<Elimination, 3> runs = {byRows(B, n, dd + 1, false, in.stop, plain),
                                       byRows(B, n, dd + 1, true, in.stop, column),
                                       completely(B, n, dd + 1, in.stop)};
    const ReferenceSolution ref = referenceSolution(B, n, referenceText(in.host, n), in.stop);
    noticeMisreadEntries(in.host, ref);

    Report r;
    r.matrixBlock(B, n, n + 1, kTwoBlanks, NumberStyle::plain());
    for (const Elimination& e : runs) {
        r.heading(fillText(T::kSolutionOf, {e.name}));
        for (int i = 1; i <= n; ++i) r.indexedValue("x", i, e.x(i), NumberStyle::rounded(dd));
    }
    writeReference(r, ref, dd);
    if (ref.singular) {
        r.newline().text(T::kSingular).newline();
    } else {
        r.heading(T::kComparisonHeading);
        for (Elimination& e : runs) {
            e.error = maxNorm(shownError(ref, e.x, dd));
            writeSentence(r, T::kDifference,
                          {e.name,
                           {shortNumber(e.error), NumberStyle::plain()},
                           {shortNumber(e.growth), NumberStyle::plain()}})
                .newline();
        }
        writeVerdict(r, runs, plain);
    }
    r.title(T::kPivotTitle);
    return publish(in.host, std::move(r), [&] { return notFiniteCause(B, n, ref, plain, column); });
}

} // namespace

namespace commands {

const Command PivotComparison{"PivotComparison",
                              T::kPivotCaption,
                              CommandGroup::Analysis,
                              {kOrderPrompt, kInputDataCaption},
                              &pivotComparison};

} // namespace commands

} // namespace quorvex
