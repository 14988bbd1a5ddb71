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

std::vector<Rational> characteristicPolynomial(const RationalMatrix& M, int n) {
    // Brought to upper Hessenberg form by similarity (exchanges and
    // eliminations below the subdiagonal), whose characteristic polynomial
    // follows from the leading blocks' by a recurrence.
    RationalMatrix H(n, n);
    for (int i = 1; i <= n; ++i)
        for (int j = 1; j <= n; ++j) H(i, j) = M(i, j);
    for (int m = 2; m < n; ++m) {
        int p = m;
        while (p <= n && sgn(H(p, m - 1)) == 0) ++p;
        if (p > n) continue;
        if (p != m) {
            for (int j = 1; j <= n; ++j) std::swap(H(p, j), H(m, j));
            for (int i = 1; i <= n; ++i) std::swap(H(i, p), H(i, m));
        }
        for (int i = m + 1; i <= n; ++i) {
            if (sgn(H(i, m - 1)) == 0) continue;
            const Rational u = H(i, m - 1) / H(m, m - 1);
            for (int j = 1; j <= n; ++j) H(i, j) -= u * H(m, j);
            for (int r = 1; r <= n; ++r) H(r, m) += u * H(r, i);
        }
    }
    // polys[k]: det(xI - H's leading k x k block), coefficients lowest first.
    std::vector<std::vector<Rational>> polys(static_cast<std::size_t>(n) + 1);
    polys[0] = {Rational(1)};
    for (int k = 1; k <= n; ++k) {
        const auto& before = polys[static_cast<std::size_t>(k - 1)];
        std::vector<Rational> p(static_cast<std::size_t>(k) + 1);
        for (std::size_t e = 0; e < before.size(); ++e) {
            p[e + 1] += before[e];
            p[e] -= H(k, k) * before[e];
        }
        Rational t = 1;
        for (int i = 1; i < k; ++i) {
            t *= H(k - i + 1, k - i);
            const Rational f = t * H(k - i, k);
            for (std::size_t e = 0; e < polys[static_cast<std::size_t>(k - i - 1)].size(); ++e)
                p[e] -= f * polys[static_cast<std::size_t>(k - i - 1)][e];
        }
        polys[static_cast<std::size_t>(k)] = std::move(p);
    }
    return polys[static_cast<std::size_t>(n)];
}

RationalMatrix reducedEchelonForm(const RationalMatrix& M, int rows, int cols) {
    RationalMatrix reduced(rows, cols);
    for (int i = 1; i <= rows; ++i)
        for (int j = 1; j <= cols; ++j) reduced(i, j) = M(i, j);
    reduceInPlace(reduced, rows, cols, cols);
    return reduced;
}

} // namespace quorvex
