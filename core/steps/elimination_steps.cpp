#include "steps/elimination_steps.h"

#include "exact/rational.h"
#include "numerics/arithmetic.h"
#include "steps/step_texts.h"
#include "steps/steps.h"

#include <cmath>
#include <numeric>
#include <string>
#include <type_traits>
#include <utility>

namespace quorvex::steps {

namespace texts = step_texts;

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

namespace {

void zeroPivotSentence(Report& r, int k, PivotSearch search) {
    const std::string stage = std::to_string(k);
    r.text(texts::fill(search == PivotSearch::None ? texts::kZeroPivotNoExchange
                                                   : texts::kZeroPivotSingular,
                       {stage, stage, stage}));
}

template <class T>
void writeSearch(Report& r, const EliminationStage<T>& s, PivotSearch search, int n,
                 NumberStyle style) {
    stage(r, s.k);
    if (search == PivotSearch::Column) {
        r.text(texts::kCandidatesOpening).integer(s.k).text(texts::kCandidatesColumn);
        for (const T& c : s.candidates) r.text(kTwoBlanks).number(c, style);
        r.text(texts::kPivotChosen).integer(s.pivotRow).text(texts::kPivotChosenClosing);
    } else if (search == PivotSearch::Complete) {
        r.text(texts::kBlockSearchOpening).integer(s.k).text(texts::kBlockSearchRows).integer(n);
        r.text(texts::kBlockSearchColumns).integer(s.k).text(texts::kBlockSearchRows).integer(n);
        r.text(texts::kBlockSearchClosing).integer(s.pivotRow).text(",").integer(s.pivotColumn);
        r.text(")").text(texts::kEquals).number(s.pivot, style);
    } else {
        r.text(texts::kPivotAt).integer(s.k).text(",").integer(s.k).text(")");
        r.text(texts::kEquals).number(s.pivot, style);
    }
    r.newline();
}

template <class T> void writeExchanges(Report& r, const EliminationStage<T>& s) {
    if (s.pivotRow != s.k) {
        r.text(texts::kExchangeRows).integer(s.k).text(texts::kAnd).integer(s.pivotRow);
        r.text(texts::kRow).newline();
    }
    if (s.pivotColumn != s.k) {
        r.text(texts::kExchangeColumns).integer(s.k).text(texts::kAndColumn).integer(s.pivotColumn);
        r.text(texts::kColumn).text(texts::kRenumbered);
        for (int u : s.unknowns) r.text(kTwoBlanks).text("x(").integer(u).text(")");
        r.newline();
    }
}

template <class T> bool finite(const T& v) {
    if constexpr (std::is_same_v<T, double>) return std::isfinite(v);
    else return true;
}

/// Row i − m × row k, or row i + |m| × row k for a negative m; a decimal
/// m, used unrounded, with the decimals that make the row's new values
/// come out by hand.
template <class T>
void writeOperation(Report& r, const RowOperation<T>& op, const EliminationStage<T>& s,
                    const StageLayout& layout) {
    NumberStyle style = layout.style;
    if constexpr (std::is_same_v<T, double>)
        style = NumberStyle::rounded(
            decimalsAsUsed(op.multiplier, s.pivotRowLargest, style.decimals, layout.heldDecimals));
    row(r, op.target);
    if (op.multiplier < 0.0) operand(r.text(texts::kPlus), T(-op.multiplier), style);
    else operand(r.text(texts::kMinus), op.multiplier, style);
    row(r.text(texts::kTimes), op.source).newline();
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
        r.matrixBlock(M, M.rows(), layout.columns, kTwoBlanks, layout.style);
        if (layout.barAfter > 0) r.barAfter(layout.barAfter);
    };
    const auto takeRow = [&](const BasicMatrix<T>& from, int i) {
        for (int j = 1; j <= current.cols(); ++j) current(i, j) = from(i, j);
    };
    for (const EliminationStage<T>& s : log.stages()) {
        if (s.operations.empty() && !s.divisor) {
            if (rows) current = s.after;
            continue;
        }
        writeSearch(r, s, log.search(), s.after.rows(), layout.style);
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
            r.text(texts::kOrdinal).integer(s.k).text(texts::kDividedRow);
            divisor(r, *s.divisor, layout.style).newline();
            if (rows) {
                takeRow(s.after, s.k);
                show(current);
            }
        }
        if (rows) {
            current = s.after;
            continue;
        }
        r.text(texts::kOrdinal).integer(s.k).text(texts::kAfterStage).newline();
        show(s.after);
    }
}

template <class T>
void writeBackSubstitution(Report& r, const BasicMatrix<T>& A, const BasicVector<T>& x,
                           const std::vector<int>& unknowns, int n, NumberStyle style) {
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
        r.text("x(").integer(unknowns[i - 1]).text(")").text(texts::kEquals);
        if (i < n) r.text("(");
        operand(r, A(i, n + 1), style);
        if (i < n) {
            r.text(texts::kMinus);
            if (i < n - 1) r.text("(");
            // The sum runs from the last unknown back, as the substitution adds.
            for (int j = n; j >= i + 1; --j) {
                if (j < n) r.text(texts::kPlus);
                operand(r, A(i, j), style).text(texts::kTimes);
                divisor(r, x(j), styleOf(j));
            }
            if (i < n - 1) r.text(")");
            r.text(")");
        }
        r.text(texts::kDivide);
        divisor(r, A(i, i), style).text(texts::kEquals).number(x(i), styleOf(i)).newline();
        if (A(i, i) == 0.0) {
            const std::string at = std::to_string(i);
            r.text(texts::fill(texts::kZeroInBackSubstitution,
                               {at, at, std::to_string(unknowns[i - 1])}))
                .newline();
        }
    }
}

template <class T>
void writeDeterminantProduct(Report& r, const BasicMatrix<T>& A, int n, int exchanges, const T& det,
                             NumberStyle style) {
    r.text(texts::kDeterminantProduct).text(exchanges % 2 == 0 ? "1" : texts::kSignOdd);
    for (int k = 1; k <= n; ++k) divisor(r.text(texts::kTimes), A(k, k), style);
    r.text(texts::kEquals).number(det, style).newline();
}

#define QUORVEX_ELIMINATION_STEPS(T)                                                               \
    template class EliminationRecorder<T>;                                                         \
    template void writeStages(Report&, const EliminationRecorder<T>&, const StageLayout&,          \
                              const BasicMatrix<T>*);                                              \
    template void writeBackSubstitution(Report&, const BasicMatrix<T>&, const BasicVector<T>&,     \
                                        const std::vector<int>&, int, NumberStyle);                \
    template void writeDeterminantProduct(Report&, const BasicMatrix<T>&, int, int, const T&,      \
                                          NumberStyle);

QUORVEX_ELIMINATION_STEPS(double)
QUORVEX_ELIMINATION_STEPS(Rational)

} // namespace quorvex::steps
