#include "methods/gauss_steps.h"

#include "linear_routines.h"
#include "number_text.h"

#include <algorithm>

namespace quorvex {

namespace {

/// Writes the m x (m+1) block S back over rows and columns k.. of A.
void putBlock(const Matrix& S, int m, Matrix& A, int k) {
    for (int i = 1; i <= m; ++i)
        std::copy(S.row(i), S.row(i) + (m + 1), A.row(k + i - 1) + (k - 1));
}

} // namespace

void eliminate(Matrix& A, int n, int d, bool columnPivot, const StopRequest& stop,
               StageObserver* observer) {
    for (int k = 1; k <= n; ++k) {
        stop.check();
        if (columnPivot) A.swapRowRange(k, columnPivotRow(A, k, n), k, n + 1);
        if (observer) observer->pivotChosen(A, k);
        for (int i = k + 1; i <= n; ++i) {
            const double m = A(i, k) / A(k, k);
            eliminateRow(A, i, k, m, k, n + 1, d);
        }
        if (observer) observer->stageDone(A, k);
    }
}

void eliminateFullPivot(Matrix& A, int n, int d, std::vector<int>& order, const StopRequest& stop,
                        StageObserver* observer) {
    // Each step works on a copy of the remaining block. One buffer serves
    // every step: a step's block fills its top left corner, and the
    // routines never look past the block's size.
    Matrix S(n, n + 1);
    for (int k = 1; k <= n - 1; ++k) {
        stop.check();
        const int m = n - k + 1;
        CopyBlock(A, n, k, S);
        int pr = 1;
        int pc = 1;
        FindLargest(S, m, pr, pc);
        SwapRows(S, 1, pr, m);
        SwapColumns(S, 1, pc, m);
        // The rows finished earlier must follow the new column order too.
        SwapColumns(A, k, k + pc - 1, n);
        if (pc != 1) std::swap(order[k - 1], order[k + pc - 2]);
        EliminantFirst(S, m, d);
        putBlock(S, m, A, k);
        if (observer) observer->stageDone(A, k);
    }
}

Vector backSubstitute(const Matrix& A, int n, int d) {
    Vector x(n);
    x(n) = A(n, n + 1) / A(n, n);
    for (int i = n - 1; i >= 1; --i) {
        double s = 0.0;
        for (int j = n; j >= i + 1; --j) s = s + x(j) * A(i, j);
        x(i) = roundTo((A(i, n + 1) - s) / A(i, i), d);
    }
    return x;
}

} // namespace quorvex
