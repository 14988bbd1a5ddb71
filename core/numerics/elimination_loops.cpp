#include "numerics/elimination_loops.h"

#include "numerics/arithmetic.h"
#include "numerics/elimination_routines.h"
#include "reading/number_text.h"

#include <algorithm>

namespace quorvex {

namespace {

/// Writes the m x (m+1) block S back over rows and columns k.. of A.
template <class T> void putBlock(const BasicMatrix<T>& S, int m, BasicMatrix<T>& A, int k) {
    for (int i = 1; i <= m; ++i)
        std::copy(S.row(i), S.row(i) + (m + 1), A.row(k + i - 1) + (k - 1));
}

} // namespace

template <class T>
void eliminate(BasicMatrix<T>& A, int n, int d, bool columnPivot, const StopRequest& stop,
               BasicStageObserver<T>* observer) {
    for (int k = 1; k <= n; ++k) {
        stop.check();
        guardGrowth(A);
        const int p = columnPivot ? columnPivotRow(A, k, n) : k;
        if (observer) observer->pivotSearched(A, k, p, k);
        A.swapRowRange(k, p, k, n + 1);
        if (observer) observer->pivotChosen(A, k);
        for (int i = k + 1; i <= n; ++i) {
            const T m = quotient(A(i, k), A(k, k));
            eliminateRow(A, i, k, m, k, n + 1, d);
            if (observer) observer->rowEliminated(i, k, m);
        }
        if (observer) observer->stageDone(A, k);
    }
}

template <class T>
void eliminateFullPivot(BasicMatrix<T>& A, int n, int d, std::vector<int>& order,
                        const StopRequest& stop, BasicStageObserver<T>* observer) {
    // Each step works on a copy of the remaining block. One buffer serves
    // every step: a step's block fills its top left corner, and the
    // routines never look past the block's size.
    BasicMatrix<T> S(n, n + 1);
    for (int k = 1; k <= n - 1; ++k) {
        stop.check();
        guardGrowth(A);
        const int m = n - k + 1;
        CopyBlock(A, n, k, S);
        int pr = 1;
        int pc = 1;
        FindLargest(S, m, pr, pc);
        if (observer) observer->pivotSearched(A, k, k + pr - 1, k + pc - 1);
        SwapRows(S, 1, pr, m);
        SwapColumns(S, 1, pc, m);
        // The rows finished earlier must follow the new column order too.
        SwapColumns(A, k, k + pc - 1, n);
        if (pc != 1) std::swap(order[k - 1], order[k + pc - 2]);
        EliminantFirst(S, m, d, observer, k - 1);
        putBlock(S, m, A, k);
        if (observer) observer->stageDone(A, k);
    }
}

template <class T> BasicVector<T> backSubstitute(const BasicMatrix<T>& A, int n, int d) {
    BasicVector<T> x(n);
    x(n) = quotient(A(n, n + 1), A(n, n));
    // The unknowns grow on their own after the last stage's check.
    guardGrowth(x(n));
    for (int i = n - 1; i >= 1; --i) {
        T s = 0.0;
        for (int j = n; j >= i + 1; --j) s = s + x(j) * A(i, j);
        x(i) = roundTo(quotient(A(i, n + 1) - s, A(i, i)), d);
        guardGrowth(x(i));
    }
    return x;
}

template <class T>
void reduceGaussJordan(BasicMatrix<T>& W, int n, int d, const StopRequest& stop,
                       BasicStageObserver<T>* observer) {
    const int width = 2 * n;
    for (int k = 1; k <= n; ++k) {
        stop.check();
        guardGrowth(W);
        const int p = columnPivotRow(W, k, n);
        if (observer) observer->pivotSearched(W, k, p, k);
        W.swapRowRange(k, p, k, width);
        for (int i = 1; i <= n; ++i) {
            if (i == k) continue;
            const T m = quotient(W(i, k), W(k, k));
            eliminateRow(W, i, k, m, k, width, d);
            if (observer) observer->rowEliminated(i, k, m);
        }
        T* pivotRow = W.row(k);
        const T t = pivotRow[k - 1];
        for (int j = 0; j < width; ++j) pivotRow[j] = quotient(pivotRow[j], t);
        if (observer) {
            observer->rowDivided(k, t);
            observer->stageDone(W, k);
        }
    }
}

#define QUORVEX_GAUSS_STEPS(T)                                                                     \
    template void eliminate(BasicMatrix<T>&, int, int, bool, const StopRequest&,                   \
                            BasicStageObserver<T>*);                                               \
    template void eliminateFullPivot(BasicMatrix<T>&, int, int, std::vector<int>&,                 \
                                     const StopRequest&, BasicStageObserver<T>*);                  \
    template BasicVector<T> backSubstitute(const BasicMatrix<T>&, int, int);                       \
    template void reduceGaussJordan(BasicMatrix<T>&, int, int, const StopRequest&,                 \
                                    BasicStageObserver<T>*);

QUORVEX_GAUSS_STEPS(double)
QUORVEX_GAUSS_STEPS(Rational)

} // namespace quorvex
