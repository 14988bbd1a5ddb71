#pragma once

#include "base/matrix.h"
#include "numerics/kernels/blocked_elimination.h"

#include <vector>

namespace quorvex::kernels {

/// The leading principal minors of a square matrix, det of its leading k x k
/// block for k = 1..n, each bit for bit as ColumnPivotDeterminant computes it.
///
/// Each order extends the elimination of the one before: as long as the new
/// row never wins a pivot search, every earlier stage keeps its pivot, so the
/// old rows are the same numbers and only the new column (through the stored
/// multipliers) and the new row (through the stored pivot rows) are to be
/// eliminated, O(k^2) work. When the new row would win a search, the order is
/// eliminated afresh. The minors are asked for in increasing order; a caller
/// that stops early simply destroys the object.
class LeadingMinors {
public:
    /// Minors of the leading n x n block of B (B may have more columns).
    LeadingMinors(const Matrix& B, int n, const KernelSettings& settings);

    /// The minor of order k (1..n); orders up to k that are not yet
    /// eliminated are eliminated first.
    double operator()(int k);

private:
    double* reduced(int i) { return m_reduced.data() + static_cast<std::ptrdiff_t>(i) * m_n; }
    double* multipliers(int j) {
        return m_multipliers.data() + static_cast<std::ptrdiff_t>(j) * m_n;
    }
    bool extend(int k);
    void eliminateAfresh(int k);
    double determinant(int k) const;

    const Matrix& m_B;
    int m_n;
    const StopRequest* m_stop;
    int m_order = 0;
    // Row i (0-based position) of the reduced matrix, as the elimination of
    // the current order leaves it; only its columns i.. are live.
    std::vector<double> m_reduced;
    // Row j holds stage j's multipliers, by the position of the row they
    // were applied to at that stage.
    std::vector<double> m_multipliers;
    std::vector<int> m_pivotRow;
    std::vector<double> m_column;
};

} // namespace quorvex::kernels
