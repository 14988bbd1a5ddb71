#include "exact/exact_algebra.h"

#include "exact/flint_matrices.h"

#include <flint/flint.h>
#include <flint/fmpq.h>
#include <flint/fmpq_mat.h>
#include <flint/fmpq_poly.h>

namespace quorvex {

namespace {

void copyIn(FlintRationals& to, const RationalMatrix& from, int rows, int firstCol, int cols) {
    for (int i = 1; i <= rows; ++i)
        for (int j = 1; j <= cols; ++j)
            fmpq_set_mpq(to.at(i, j), from(i, firstCol + j - 1).get_mpq_t());
}

Rational copyOut(const fmpq* q) {
    Rational r;
    fmpq_get_mpq(r.get_mpq_t(), q);
    return r;
}

} // namespace

std::optional<RationalVector> solveExactly(const RationalMatrix& Ab, int n) {
    FlintRationals A(n, n), b(n, 1), x(n, 1);
    copyIn(A, Ab, n, 1, n);
    copyIn(b, Ab, n, n + 1, 1);
    if (!fmpq_mat_solve(x.get(), A.get(), b.get())) return std::nullopt;
    RationalVector solution(n);
    for (int i = 1; i <= n; ++i) solution(i) = copyOut(x.at(i, 1));
    return solution;
}

std::optional<RationalMatrix> invertExactly(const RationalMatrix& A, int n) {
    FlintRationals M(n, n), inverse(n, n);
    copyIn(M, A, n, 1, n);
    if (!fmpq_mat_inv(inverse.get(), M.get())) return std::nullopt;
    RationalMatrix result(n, n);
    for (int i = 1; i <= n; ++i)
        for (int j = 1; j <= n; ++j) result(i, j) = copyOut(inverse.at(i, j));
    return result;
}

void releaseExactCaches() { flint_cleanup(); }

std::vector<Rational> characteristicPolynomial(const RationalMatrix& M, int n) {
    FlintRationals from(n, n);
    copyIn(from, M, n, 1, n);
    fmpq_poly_t p;
    fmpq_poly_init(p);
    fmpq_mat_charpoly(p, from.get());
    std::vector<Rational> c(static_cast<std::size_t>(n) + 1);
    fmpq_t q;
    fmpq_init(q);
    for (int k = 0; k <= n; ++k) {
        fmpq_poly_get_coeff_fmpq(q, p, k);
        c[static_cast<std::size_t>(k)] = copyOut(q);
    }
    fmpq_clear(q);
    fmpq_poly_clear(p);
    return c;
}

RationalMatrix reducedEchelonForm(const RationalMatrix& M, int rows, int cols) {
    FlintRationals from(rows, cols), reduced(rows, cols);
    copyIn(from, M, rows, 1, cols);
    fmpq_mat_rref(reduced.get(), from.get());
    RationalMatrix result(rows, cols);
    for (int i = 1; i <= rows; ++i)
        for (int j = 1; j <= cols; ++j) result(i, j) = copyOut(reduced.at(i, j));
    return result;
}

} // namespace quorvex
