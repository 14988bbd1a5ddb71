#pragma once

#include "base/matrix.h"
#include "numerics/stage_observer.h"
#include "report/report.h"
#include "steps/steps.h"

#include <optional>
#include <vector>

namespace quorvex::steps {

/// How an elimination looks for its pivots.
enum class PivotSearch { None, Column, Complete };

/// Row `target` lost `multiplier` times row `source`.
template <class T> struct RowOperation {
    int target = 0;
    int source = 0;
    T multiplier{};
};

/// What one stage of an elimination did, with the numbers it used.
template <class T> struct EliminationStage {
    int k = 0;
    int pivotRow = 0;    ///< where the pivot was found, before any exchange
    int pivotColumn = 0; ///< likewise; k unless pivoting is complete
    T pivot{};
    T pivotRowLargest{};       ///< the largest magnitude in the pivot row, from column k on
    std::vector<T> candidates; ///< column pivoting: column k, rows k..n, as searched
    std::vector<int> unknowns; ///< complete pivoting: the unknowns' order after the exchange
    std::vector<RowOperation<T>> operations;
    std::optional<T> divisor; ///< Gauss-Jordan: what the pivot row was divided by
    BasicMatrix<T> after;     ///< the matrix once the stage is done
};

/// Writes an elimination down as it runs.
template <class T> class EliminationRecorder final : public BasicStageObserver<T> {
public:
    static constexpr Reach kReach = Reach::UpToMaxOrder;

    EliminationRecorder(PivotSearch search, int n);

    void pivotSearched(const BasicMatrix<T>& A, int k, int row, int column) override;
    void rowEliminated(int i, int k, const T& m) override;
    void rowDivided(int k, const T& t) override;
    void stageDone(const BasicMatrix<T>& A, int k) override;

    PivotSearch search() const { return m_search; }
    const std::vector<EliminationStage<T>>& stages() const { return m_stages; }

private:
    EliminationStage<T>& current(int k);

    PivotSearch m_search;
    std::vector<int> m_unknowns;
    std::vector<EliminationStage<T>> m_stages;
};

/// How the stages' matrices are shown: their columns, where the bar stands
/// (0: none) and the style of every number.
struct StageLayout {
    int columns = 0;
    int barAfter = 0;
    NumberStyle style;
    /// The decimals the method stores new values at, which a multiplier is
    /// written precisely enough for.
    int heldDecimals = 0;
    /// Show the matrix after every single row operation, not only after
    /// each stage (orders up to kMaxRowStepsOrder).
    bool rowByRow = false;
    /// The style of the matrices' entries, pivots and candidates (see
    /// entriesStyle); plain: `style`.
    NumberStyle entries{};

    NumberStyle entryStyle() const {
        return entries.decimals == NumberStyle::kPlain ? style : entries;
    }
};

/// The style an elimination's steps write its entries in: `style`, or
/// more decimals where an entry of the typed matrix has more, since the
/// method uses a typed entry as typed until an operation replaces it by a
/// value rounded to `style` (at most 15; trailing zeros are not written, so
/// the stored values look as before).
template <class T> NumberStyle entriesStyle(const BasicMatrix<T>& typed, NumberStyle style);

/// Writes each stage that did anything: the pivot search, the exchanges,
/// each row operation with its multiplier, and the matrix after it. Row by
/// row, the matrix follows every exchange and every row operation, worked
/// from `start`, the matrix the elimination began with.
template <class T>
void writeStages(Report& r, const EliminationRecorder<T>& log, const StageLayout& layout,
                 const BasicMatrix<T>* start = nullptr);

/// Writes the one line saying why an elimination stopped at stage k: its
/// pivot a(k,k) is 0, and what that means for a method that searches its
/// pivots as `search` does.
void writeStopAt(Report& r, int k, PivotSearch search);

/// Writes the back substitution on the eliminated augmented matrix A, one
/// unknown a line from the last, with the sum and the quotient that give
/// it; unknowns[j-1] numbers the unknown of column j. The last unknown,
/// used unrounded, is written with the decimals the others need of it.
template <class T>
void writeBackSubstitution(Report& r, const BasicMatrix<T>& A, const BasicVector<T>& x,
                           const std::vector<int>& unknowns, int n, NumberStyle style,
                           NumberStyle entries);

/// Writes the determinant as the product of the pivots (in the style of
/// the entries) and the sign of the exchanges, = det.
template <class T>
void writeDeterminantProduct(Report& r, const BasicMatrix<T>& A, int n, int exchanges, const T& det,
                             NumberStyle style, NumberStyle entries);

} // namespace quorvex::steps
