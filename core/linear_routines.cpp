#include "linear_routines.h"

#include "number_text.h"

#include <algorithm>
#include <cmath>

namespace quorvex {

namespace {
/// Determinants keep a fixed 7 decimals, whatever the display setting.
constexpr int kDeterminantDecimals = 7;
} // namespace

void eliminateRow(Matrix& A, int i, int k, double m, int first, int last, int decimals) {
    double* ri = A.row(i);
    const double* rk = A.row(k);
    for (int j = first - 1; j < last; ++j) ri[j] = roundTo(ri[j] - m * rk[j], decimals);
}

int columnPivotRow(const Matrix& A, int k, int n) {
    int p = k;
    for (int i = k + 1; i <= n; ++i)
        if (std::fabs(A(p, k)) < std::fabs(A(i, k))) p = i;
    return p;
}

double ColumnPivotDeterminant(Matrix& A, int& exchangeCount) {
    const int n = A.rows();
    exchangeCount = 0;
    for (int k = 1; k <= n; ++k) {
        const int p = columnPivotRow(A, k, n);
        if (p != k) {
            A.swapRowRange(k, p, k, n);
            ++exchangeCount;
        }
        // A zero pivot after the search means the rest of the column is zero
        // already: the matrix is singular and nothing is to be eliminated,
        // so its determinant comes out 0 rather than 0/0.
        const double pivot = A(k, k);
        for (int i = k + 1; i <= n; ++i)
            eliminateRow(A, i, k, pivot == 0.0 ? 0.0 : A(i, k) / pivot, k, n, kDeterminantDecimals);
    }
    double D = 1.0;
    for (int k = 1; k <= n; ++k) D = D * A(k, k);
    return (exchangeCount % 2 == 0 ? 1.0 : -1.0) * D;
}

void CopyBlock(const Matrix& A, int n, int k, Matrix& S) {
    for (int i = k; i <= n; ++i) {
        const double* from = A.row(i) + (k - 1);
        std::copy(from, from + (n + 2 - k), S.row(i - k + 1));
    }
}

namespace {

/// The largest magnitude among row[0..count-1] (NaN never counts), in four
/// independent lanes so the scan is not one long chain of comparisons.
double largestMagnitude(const double* row, int count) {
    double lane[4] = {0.0, 0.0, 0.0, 0.0};
    int j = 0;
    for (; j + 4 <= count; j += 4)
        for (int l = 0; l < 4; ++l) {
            const double a = std::fabs(row[j + l]);
            if (a > lane[l]) lane[l] = a;
        }
    for (; j < count; ++j) {
        const double a = std::fabs(row[j]);
        if (a > lane[0]) lane[0] = a;
    }
    return std::max(std::max(lane[0], lane[1]), std::max(lane[2], lane[3]));
}

} // namespace

void FindLargest(const Matrix& M, int m, int& pr, int& pc) {
    pr = 1;
    pc = 1;
    if (m < 1) return;
    double largest = std::fabs(M(1, 1));
    for (int i = 1; i <= m; ++i) {
        const double* row = M.row(i);
        // Scanning left to right and moving only on a strictly larger value
        // ends on the first place of the row's largest magnitude, and only
        // when that beats the rows above.
        const double rowLargest = largestMagnitude(row, m);
        if (!(rowLargest > largest)) continue;
        int j = 0;
        while (j < m - 1 && std::fabs(row[j]) != rowLargest) ++j;
        largest = rowLargest;
        pr = i;
        pc = j + 1;
    }
}

void SwapRows(Matrix& M, int r1, int r2, int m) {
    M.swapRowRange(r1, r2, 1, m + 1);
}

void SwapColumns(Matrix& M, int c1, int c2, int rows) {
    if (c1 == c2) return;
    for (int i = 1; i <= rows; ++i) std::swap(M(i, c1), M(i, c2));
}

void EliminantFirst(Matrix& S, int m, int decimals) {
    for (int i = 2; i <= m; ++i) eliminateRow(S, i, 1, S(i, 1) / S(1, 1), 1, m + 1, decimals);
}

int MaxIndex(const Vector& v) {
    int best = v.lo();
    for (int i = v.lo() + 1; i <= v.hi(); ++i)
        if (std::fabs(v(i)) > std::fabs(v(best))) best = i;
    return best;
}

void SwapSquareRows(Matrix& M, int r, int p, int n) {
    M.swapRowRange(r, p, 1, n);
}

} // namespace quorvex
