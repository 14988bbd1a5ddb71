#include "numerics/elimination_routines.h"

#include "base/stop_request.h"
#include "numerics/arithmetic.h"
#include "reading/number_text.h"

#include <algorithm>
#include <cmath>

namespace quorvex {

template <class T>
void eliminateRow(BasicMatrix<T>& A, int i, int k, const std::type_identity_t<T>& m, int first,
                  int last, int decimals) {
    T* ri = A.row(i);
    const T* rk = A.row(k);
    for (int j = first - 1; j < last; ++j) ri[j] = roundTo(ri[j] - m * rk[j], decimals);
}

template <class T> int columnPivotRow(const BasicMatrix<T>& A, int k, int n) {
    int p = k;
    for (int i = k + 1; i <= n; ++i)
        if (magnitude(A(p, k)) < magnitude(A(i, k))) p = i;
    return p;
}

template <class T>
T ColumnPivotDeterminant(BasicMatrix<T>& A, int& exchangeCount, BasicStageObserver<T>* observer,
                         const StopRequest* stop) {
    const int n = A.rows();
    exchangeCount = 0;
    for (int k = 1; k <= n; ++k) {
        if (stop) stop->check();
        const int p = columnPivotRow(A, k, n);
        if (observer) observer->pivotSearched(A, k, p, k);
        if (p != k) {
            A.swapRowRange(k, p, k, n);
            ++exchangeCount;
        }
        // A zero pivot after the search means the rest of the column is zero
        // already: the matrix is singular and nothing is to be eliminated,
        // so its determinant comes out 0 rather than 0/0.
        const T pivot = A(k, k);
        for (int i = k + 1; i <= n; ++i) {
            const T m = pivot == 0.0 ? T(0.0) : T(quotient(A(i, k), pivot));
            eliminateRow(A, i, k, m, k, n, kDeterminantDecimals);
            if (observer) observer->rowEliminated(i, k, m);
        }
        if (observer) observer->stageDone(A, k);
        guardGrowth(A);
    }
    T D = 1.0;
    for (int k = 1; k <= n; ++k) D = D * A(k, k);
    return (exchangeCount % 2 == 0 ? T(1.0) : T(-1.0)) * D;
}

template <class T> void CopyBlock(const BasicMatrix<T>& A, int n, int k, BasicMatrix<T>& S) {
    for (int i = k; i <= n; ++i) {
        const T* from = A.row(i) + (k - 1);
        std::copy(from, from + (n + 2 - k), S.row(i - k + 1));
    }
}

namespace {

/// The largest magnitude among row[0..count-1] (NaN never counts), in four
/// independent lanes so the scan is not one long chain of comparisons.
template <class T> T largestMagnitude(const T* row, int count) {
    T lane[4] = {T(0.0), T(0.0), T(0.0), T(0.0)};
    int j = 0;
    for (; j + 4 <= count; j += 4)
        for (int l = 0; l < 4; ++l) {
            const T a = magnitude(row[j + l]);
            if (a > lane[l]) lane[l] = a;
        }
    for (; j < count; ++j) {
        const T a = magnitude(row[j]);
        if (a > lane[0]) lane[0] = a;
    }
    return std::max(std::max(lane[0], lane[1]), std::max(lane[2], lane[3]));
}

} // namespace

template <class T> void FindLargest(const BasicMatrix<T>& M, int m, int& pr, int& pc) {
    pr = 1;
    pc = 1;
    if (m < 1) return;
    T largest = magnitude(M(1, 1));
    for (int i = 1; i <= m; ++i) {
        const T* row = M.row(i);
        // Scanning left to right and moving only on a strictly larger value
        // ends on the first place of the row's largest magnitude, and only
        // when that beats the rows above.
        const T rowLargest = largestMagnitude(row, m);
        if (!(rowLargest > largest)) continue;
        int j = 0;
        while (j < m - 1 && magnitude(row[j]) != rowLargest) ++j;
        largest = rowLargest;
        pr = i;
        pc = j + 1;
    }
}

template <class T> void SwapRows(BasicMatrix<T>& M, int r1, int r2, int m) {
    M.swapRowRange(r1, r2, 1, m + 1);
}

template <class T> void SwapColumns(BasicMatrix<T>& M, int c1, int c2, int rows) {
    if (c1 == c2) return;
    for (int i = 1; i <= rows; ++i) std::swap(M(i, c1), M(i, c2));
}

template <class T>
void EliminantFirst(BasicMatrix<T>& S, int m, int decimals, BasicStageObserver<T>* observer,
                    int rowOffset) {
    for (int i = 2; i <= m; ++i) {
        const T multiplier = quotient(S(i, 1), S(1, 1));
        eliminateRow(S, i, 1, multiplier, 1, m + 1, decimals);
        if (observer) observer->rowEliminated(rowOffset + i, rowOffset + 1, multiplier);
    }
}

template <class T> int MaxIndex(const BasicVector<T>& v) {
    int best = v.lo();
    for (int i = v.lo() + 1; i <= v.hi(); ++i)
        if (magnitude(v(i)) > magnitude(v(best))) best = i;
    return best;
}

template <class T> void SwapSquareRows(BasicMatrix<T>& M, int r, int p, int n) {
    M.swapRowRange(r, p, 1, n);
}

#define QUORVEX_LINEAR_ROUTINES(T)                                                                 \
    template void eliminateRow(BasicMatrix<T>&, int, int, const T&, int, int, int);                \
    template int columnPivotRow(const BasicMatrix<T>&, int, int);                                  \
    template T ColumnPivotDeterminant(BasicMatrix<T>&, int&, BasicStageObserver<T>*,               \
                                      const StopRequest*);                                         \
    template void CopyBlock(const BasicMatrix<T>&, int, int, BasicMatrix<T>&);                     \
    template void FindLargest(const BasicMatrix<T>&, int, int&, int&);                             \
    template void SwapRows(BasicMatrix<T>&, int, int, int);                                        \
    template void SwapColumns(BasicMatrix<T>&, int, int, int);                                     \
    template void EliminantFirst(BasicMatrix<T>&, int, int, BasicStageObserver<T>*, int);          \
    template int MaxIndex(const BasicVector<T>&);                                                  \
    template void SwapSquareRows(BasicMatrix<T>&, int, int, int);

QUORVEX_LINEAR_ROUTINES(double)
QUORVEX_LINEAR_ROUTINES(Rational)

} // namespace quorvex
