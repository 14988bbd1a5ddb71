#include "steps/elimination_steps.h"

#include "base/rational.h"
#include "numerics/arithmetic.h"
#include "steps/steps.h"
#include "texts/fill.h"
#include "texts/steps_texts.h"

#include <cmath>
#include <numeric>
#include <string>
#include <type_traits>
#include <utility>

namespace quorvex::steps {

namespace texts = quorvex::texts::steps;

template <class T>
EliminationRecorder<T>::EliminationRecorder(PivotSearch search, int n)
    : m_search(search), m_unknowns(static_cast<std::size_t>(n)) {
    std::iota(m_unknowns.begin(), m_unknowns.end(), 1);
}

template <class T> EliminationStage<T>& EliminationRecorder<T>::current(int k) {
    if (m_stages.empty() || m_stages.back().k != k) m_stages.emplace_back().k = k;
    return m_stages.back();
}

template <class T>
void EliminationRecorder<T>::pivotSearched(const BasicMatrix<T>& A, int k, int row, int column) {
    EliminationStage<T>& s = current(k);
    s.pivotRow = row;
    s.pivotColumn = column;
    s.pivot = A(row, column);
    for (int j = k; j <= A.cols(); ++j)
        if (magnitude(A(row, j)) > s.pivotRowLargest) s.pivotRowLargest = magnitude(A(row, j));
    if (m_search == PivotSearch::Column)
        for (int i = k; i <= A.rows(); ++i) s.candidates.push_back(A(i, k));
    if (m_search == PivotSearch::Complete) {
        std::swap(m_unknowns[k - 1], m_unknowns[column - 1]);
        s.unknowns = m_unknowns;
    }
}

template <class T> void EliminationRecorder<T>::rowEliminated(int i, int k, const T& m) {
    current(k).operations.push_back({i, k, m});
}

template <class T> void EliminationRecorder<T>::rowDivided(int k, const T& t) {
    current(k).divisor = t;
}

template <class T> void EliminationRecorder<T>::stageDone(const BasicMatrix<T>& A, int k) {
    current(k).after = A;
}

template <class T> NumberStyle entriesStyle(const BasicMatrix<T>& typed, NumberStyle style) {
    constexpr int kMost = 15;
    if constexpr (std::is_same_v<T, double>) {
        if (style.decimals == NumberStyle::kPlain) return style;
        int decimals = style.decimals;
        for (int i = 1; i <= typed.rows(); ++i)
            for (int j = 1; j <= typed.cols(); ++j)
                while (decimals < kMost && std::isfinite(typed(i, j)) &&
                       roundTo(typed(i, j), decimals) != typed(i, j))
                    ++decimals;
        return NumberStyle::rounded(decimals);
    } else return style;
}

namespace {

void zeroPivotSentence(Report& r, int k, PivotSearch search) {
    const std::string stage = std::to_string(k);
    r.text(fillText(search == PivotSearch::None ? texts::kZeroPivotNoExchange
                                                : texts::kZeroPivotSingular,
                    {stage, stage, stage}));
}

template <class T>
void writeSearch(Report& r, const EliminationStage<T>& s, PivotSearch search, int n,
                 NumberStyle style) {
    const int k = s.k;
    if (search == PivotSearch::Column) {
        const auto candidates = [&](Report& to) {
            for (const T& c : s.candidates) to.text(kTwoBlanks).number(c, style);
        };
        say(r, texts::kColumnCandidates, k, k, candidates, s.pivotRow);
    } else if (search == PivotSearch::Complete) {
        say(r, texts::kBlockSearch, k, k, n, k, n, s.pivotRow, s.pivotColumn,
            number(s.pivot, style));
    } else {
        say(r, texts::kPivotAt, k, k, k, number(s.pivot, style));
    }
    r.newline();
}

template <class T> void writeExchanges(Report& r, const EliminationStage<T>& s) {
    if (s.pivotRow != s.k) say(r, texts::kExchangeRows, s.k, s.pivotRow).newline();
    if (s.pivotColumn != s.k) {
        const auto unknowns = [&](Report& to) {
            for (int u : s.unknowns) say(to.text(kTwoBlanks), texts::kUnknown, u);
        };
        say(r, texts::kExchangeColumns, s.k, s.pivotColumn, unknowns).newline();
    }
}

template <class T> bool finite(const T& v) {
    if constexpr (std::is_same_v<T, double>) return std::isfinite(v);
    else return true;
}

/// A decimal multiplier, used unrounded, with the decimals that make the
/// row's new values come out by hand.
template <class T>
NumberStyle multiplierStyle(const RowOperation<T>& op, const EliminationStage<T>& s,
                            const StageLayout& layout) {
    if constexpr (std::is_same_v<T, double>)
        return NumberStyle::rounded(decimalsAsUsed(op.multiplier, s.pivotRowLargest,
                                                   layout.style.decimals, layout.heldDecimals));
    else return layout.style;
}

/// Whether some multiplier is written with more decimals than the matrices.
template <class T>
bool multipliersBeyond(const EliminationRecorder<T>& log, const StageLayout& layout) {
    if (!std::is_same_v<T, double> || layout.style.decimals == NumberStyle::kPlain) return false;
    for (const EliminationStage<T>& s : log.stages())
        for (const RowOperation<T>& op : s.operations)
            if (multiplierStyle(op, s, layout).decimals > layout.style.decimals) return true;
    return false;
}

/// Row i − m × row k, or row i + |m| × row k for a negative m.
template <class T>
void writeOperation(Report& r, const RowOperation<T>& op, const EliminationStage<T>& s,
                    const StageLayout& layout) {
    const NumberStyle style = multiplierStyle(op, s, layout);
    const bool negative = op.multiplier < 0.0;
    const T shown = negative ? T(-op.multiplier) : op.multiplier;
    say(
        r, negative ? texts::kRowGainsMultiple : texts::kRowLosesMultiple, op.target,
        [&](Report& to) { operand(to, shown, style); }, op.source)
        .newline();
}

/// The line naming a zero pivot a stage divided by, and whether what it
/// gave has any meaning.
template <class T>
void writeZeroPivot(Report& r, const EliminationStage<T>& s, PivotSearch search) {
    zeroPivotSentence(r, s.k, search);
    for (const RowOperation<T>& op : s.operations)
        if (!finite(op.multiplier)) {
            r.text(texts::kDividedByZeroOnward);
            break;
        }
    r.newline();
}

} // namespace

void writeStopAt(Report& r, int k, PivotSearch search) {
    zeroPivotSentence(r, k, search);
    r.newline();
}

template <class T>
void writeStages(Report& r, const EliminationRecorder<T>& log, const StageLayout& layout,
                 const BasicMatrix<T>* start) {
    const bool rows = layout.rowByRow && start && start->rows() <= kMaxRowStepsOrder;
    // Row by row the matrix is followed as it changes: each operation
    // changes only its target row, which then holds its value of the end
    // of the stage.
    BasicMatrix<T> current = rows ? *start : BasicMatrix<T>();
    const auto show = [&](const BasicMatrix<T>& M) {
        r.matrixBlock(M, M.rows(), layout.columns, kTwoBlanks, layout.entryStyle());
        if (layout.barAfter > 0) r.barAfter(layout.barAfter);
    };
    const auto takeRow = [&](const BasicMatrix<T>& from, int i) {
        for (int j = 1; j <= current.cols(); ++j) current(i, j) = from(i, j);
    };
    if (multipliersBeyond(log, layout))
        say(r, texts::kMultipliersAsUsed, layout.style.decimals).newline();
    for (const EliminationStage<T>& s : log.stages()) {
        if (s.operations.empty() && !s.divisor) {
            if (rows) current = s.after;
            continue;
        }
        writeSearch(r, s, log.search(), s.after.rows(), layout.entryStyle());
        writeExchanges(r, s);
        if (rows && (s.pivotRow != s.k || s.pivotColumn != s.k)) {
            current.swapRowRange(s.k, s.pivotRow, 1, current.cols());
            if (s.pivotColumn != s.k)
                for (int i = 1; i <= current.rows(); ++i)
                    std::swap(current(i, s.k), current(i, s.pivotColumn));
            show(current);
        }
        if (s.pivot == 0.0 && !s.operations.empty()) writeZeroPivot(r, s, log.search());
        for (const RowOperation<T>& op : s.operations) {
            writeOperation(r, op, s, layout);
            if (rows) {
                takeRow(s.after, op.target);
                show(current);
            }
        }
        if (s.divisor) {
            say(r, texts::kDividedRow, s.k, [&](Report& to) {
                divisor(to, *s.divisor, layout.entryStyle());
            }).newline();
            if (rows) {
                takeRow(s.after, s.k);
                show(current);
            }
        }
        if (rows) {
            current = s.after;
            continue;
        }
        say(r, texts::kAfterStage, s.k).newline();
        show(s.after);
    }
}

template <class T>
void writeBackSubstitution(Report& r, const BasicMatrix<T>& A, const BasicVector<T>& x,
                           const std::vector<int>& unknowns, int n, NumberStyle style,
                           NumberStyle entries) {
    r.text(texts::kBackSubstitution).newline();
    // The last unknown is used unrounded: how much of it each other row
    // needs decides its decimals.
    NumberStyle lastStyle = style;
    if constexpr (std::is_same_v<T, double>) {
        double weight = 0.0;
        for (int i = 1; i < n; ++i) weight = std::fmax(weight, std::fabs(A(i, n) / A(i, i)));
        lastStyle =
            NumberStyle::rounded(decimalsAsUsed(x(n), weight, style.decimals, style.decimals));
    }
    const auto styleOf = [&](int j) { return j == n ? lastStyle : style; };
    for (int i = n; i >= 1; --i) {
        const auto dividend = [&](Report& to) {
            if (i < n) to.text("(");
            operand(to, A(i, n + 1), entries);
            if (i < n) {
                to.text(texts::kMinus);
                if (i < n - 1) to.text("(");
                // The sum runs from the last unknown back, as the substitution adds.
                for (int j = n; j >= i + 1; --j) {
                    if (j < n) to.text(texts::kPlus);
                    operand(to, A(i, j), entries).text(texts::kTimes);
                    divisor(to, x(j), styleOf(j));
                }
                if (i < n - 1) to.text(")");
                to.text(")");
            }
        };
        say(
            r, texts::kBackSubstitutionLine, unknowns[i - 1], dividend,
            [&](Report& to) { divisor(to, A(i, i), entries); }, number(x(i), styleOf(i)))
            .newline();
        if (A(i, i) == 0.0) {
            const std::string at = std::to_string(i);
            r.text(fillText(texts::kZeroInBackSubstitution,
                            {at, at, std::to_string(unknowns[i - 1])}))
                .newline();
        }
    }
}

template <class T>
void writeDeterminantProduct(Report& r, const BasicMatrix<T>& A, int n, int exchanges, const T& det,
                             NumberStyle style, NumberStyle entries) {
    const auto product = [&](Report& to) {
        to.text(exchanges % 2 == 0 ? texts::kSignEven : texts::kSignOdd);
        for (int k = 1; k <= n; ++k) divisor(to.text(texts::kTimes), A(k, k), entries);
    };
    say(r, texts::kDeterminantProduct, product, number(det, style)).newline();
}

#define QUORVEX_ELIMINATION_STEPS(T)                                                               \
    template class EliminationRecorder<T>;                                                         \
    template void writeStages(Report&, const EliminationRecorder<T>&, const StageLayout&,          \
                              const BasicMatrix<T>*);                                              \
    template NumberStyle entriesStyle(const BasicMatrix<T>&, NumberStyle);                         \
    template void writeBackSubstitution(Report&, const BasicMatrix<T>&, const BasicVector<T>&,     \
                                        const std::vector<int>&, int, NumberStyle, NumberStyle);   \
    template void writeDeterminantProduct(Report&, const BasicMatrix<T>&, int, int, const T&,      \
                                          NumberStyle, NumberStyle);

QUORVEX_ELIMINATION_STEPS(double)
QUORVEX_ELIMINATION_STEPS(Rational)

} // namespace quorvex::steps
