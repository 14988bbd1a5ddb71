// Exact algebra for builds without FLINT (the WebAssembly one): Gauss-Jordan
// reduction in GMP's rationals. The results are exact and unique, so they
// are the library's to the last digit; only slower.
#include "exact/exact_algebra.h"

#include <utility>

namespace quorvex {

namespace {

/// Reduces the leading rows x cols block of M to its reduced row echelon
/// form in place, pivoting in the first `pivotCols` columns only; returns
/// the rank found there.
int reduceInPlace(RationalMatrix& M, int rows, int cols, int pivotCols) {
    int rank = 0;
    for (int j = 1; j <= pivotCols && rank < rows; ++j) {
        int p = rank + 1;
        while (p <= rows && sgn(M(p, j)) == 0) ++p;
        if (p > rows) continue;
        ++rank;
        if (p != rank)
            for (int c = 1; c <= cols; ++c) std::swap(M(p, c), M(rank, c));
        const Rational pivot = M(rank, j);
        for (int c = j; c <= cols; ++c) M(rank, c) /= pivot;
        for (int i = 1; i <= rows; ++i) {
            if (i == rank || sgn(M(i, j)) == 0) continue;
            const Rational factor = M(i, j);
            for (int c = j; c <= cols; ++c) M(i, c) -= factor * M(rank, c);
        }
    }
    return rank;
}

} // namespace

std::optional<RationalVector> solveExactly(const RationalMatrix& Ab, int n) {
    RationalMatrix M(n, n + 1);
    for (int i = 1; i <= n; ++i)
        for (int j = 1; j <= n + 1; ++j) M(i, j) = Ab(i, j);
    if (reduceInPlace(M, n, n + 1, n) < n) return std::nullopt;
    RationalVector solution(n);
    for (int i = 1; i <= n; ++i) solution(i) = M(i, n + 1);
    return solution;
}

std::optional<RationalMatrix> invertExactly(const RationalMatrix& A, int n) {
    RationalMatrix M(n, 2 * n);
    for (int i = 1; i <= n; ++i) {
        for (int j = 1; j <= n; ++j) M(i, j) = A(i, j);
        M(i, n + i) = 1;
    }
    if (reduceInPlace(M, n, 2 * n, n) < n) return std::nullopt;
    RationalMatrix inverse(n, n);
    for (int i = 1; i <= n; ++i)
        for (int j = 1; j <= n; ++j) inverse(i, j) = M(i, n + j);
    return inverse;
}

void releaseExactCaches() {}

RationalMatrix reducedEchelonForm(const RationalMatrix& M, int rows, int cols) {
    RationalMatrix reduced(rows, cols);
    for (int i = 1; i <= rows; ++i)
        for (int j = 1; j <= cols; ++j) reduced(i, j) = M(i, j);
    reduceInPlace(reduced, rows, cols, cols);
    return reduced;
}

} // namespace quorvex
