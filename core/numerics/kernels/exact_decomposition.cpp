#include "numerics/kernels/exact_decomposition.h"

#include "base/stop_request.h"
#include "numerics/kernels/exact_elimination.h"
#include "numerics/kernels/exact_residues.h"
#include "numerics/kernels/fraction_free.h"

namespace quorvex::kernels {

namespace {

/// Bareiss's elimination of f's n rows, every row keeping below the
/// diagonal its candidates of the earlier stages: by residues where they
/// serve, else stage by stage. The first stage whose pivot is 0, or 0.
int factorize(FractionFree& f, const RationalMatrix& A, int n, int cols, bool columnPivot,
              const StopRequest& stop) {
    if (eliminateByResidues(f, A, n, cols, columnPivot, &stop, true)) return 0;
    for (int k = 1; k <= n; ++k) {
        stop.check();
        f.swapRows(k, columnPivot ? f.columnPivotRow(k, n) : k, 1);
        f.settle(k);
        if (sgn(f.at(k, k)) == 0) return k;
        f.eliminateBelow(k, n);
    }
    return 0;
}

/// Settled row k's value in column j.
void settled(Rational& q, const FractionFree& f, int k, int j) {
    q.get_num() = f.at(k, j);
    q.get_den() = f.rowDenominator(k);
    q.canonicalize();
}

/// The multiplier of row i at stage k, its candidate over the pivot: both
/// hold the same product of earlier pivots, and each its own row's scale.
void multiplier(Rational& q, const FractionFree& f, int i, int k) {
    mpz_mul(q.get_num_mpz_t(), f.at(i, k).get_mpz_t(), f.d(k).get_mpz_t());
    mpz_mul(q.get_den_mpz_t(), f.at(k, k).get_mpz_t(), f.d(i).get_mpz_t());
    q.canonicalize();
}

/// L unit lower triangular from the multipliers, U from the settled rows.
void factors(const FractionFree& f, int n, RationalMatrix& L, RationalMatrix& U) {
    for (int i = 1; i <= n; ++i) {
        for (int j = 1; j < i; ++j) {
            multiplier(L(i, j), f, i, j);
            U(i, j) = 0;
        }
        L(i, i) = 1;
        for (int j = i; j <= n; ++j) {
            if (j > i) L(i, j) = 0;
            settled(U(i, j), f, i, j);
        }
    }
}

/// y, the eliminated right-hand side in column n+1, and x.
void solution(const FractionFree& f, int n, RationalVector& Y, RationalVector& X) {
    for (int k = 1; k <= n; ++k) settled(Y(k), f, k, n + 1);
    X = f.backSubstitute(n);
}

} // namespace

bool doolittleExact(const RationalMatrix& A, int n, RationalMatrix& L, RationalMatrix& U,
                    const StopRequest& stop) {
    if (!exactKernelFits(A, n, n)) return false;
    FractionFree f(A, n, n);
    const int zero = factorize(f, A, n, n, false, stop);
    if (zero != 0 && zero != n) return false;
    factors(f, n, L, U);
    return true;
}

bool doolittleSolveExact(const RationalMatrix& B, int n, RationalMatrix& L, RationalMatrix& U,
                         RationalVector& Y, RationalVector& X, const StopRequest& stop) {
    if (!exactKernelFits(B, n, n + 1)) return false;
    FractionFree f(B, n, n + 1);
    if (factorize(f, B, n, n + 1, false, stop) != 0) return false;
    factors(f, n, L, U);
    solution(f, n, Y, X);
    return true;
}

bool columnPivotSolveExact(RationalMatrix& B, int n, RationalMatrix& L, RationalMatrix& U,
                           RationalVector& Y, RationalVector& X, const StopRequest& stop) {
    if (!exactKernelFits(B, n, n + 1)) return false;
    FractionFree f(B, n, n + 1);
    if (factorize(f, B, n, n + 1, true, stop) != 0) return false;
    factors(f, n, L, U);
    solution(f, n, Y, X);
    RationalVector b(n);
    for (int i = 1; i <= n; ++i) b(i) = B(f.origin(i), n + 1);
    for (int i = 1; i <= n; ++i) {
        for (int j = 1; j <= n; ++j) B(i, j) = j < i ? L(i, j) : U(i, j);
        B(i, n + 1) = b(i);
    }
    return true;
}

bool ldltSolveExact(const RationalMatrix& B, int n, RationalMatrix& L, RationalVector& d,
                    RationalVector& Y, RationalVector& X, const StopRequest& stop) {
    RationalMatrix S(n, n + 1);
    for (int i = 1; i <= n; ++i) {
        for (int j = 1; j <= i; ++j) S(i, j) = S(j, i) = B(i, j);
        S(i, n + 1) = B(i, n + 1);
    }
    if (!exactKernelFits(S, n, n + 1)) return false;
    FractionFree f(S, n, n + 1);
    if (factorize(f, S, n, n + 1, false, stop) != 0) return false;
    for (int i = 1; i <= n; ++i) {
        for (int j = 1; j < i; ++j) multiplier(L(i, j), f, i, j);
        L(i, i) = 1;
        for (int j = i + 1; j <= n; ++j) L(i, j) = 0;
        settled(d(i), f, i, i);
    }
    solution(f, n, Y, X);
    return true;
}

} // namespace quorvex::kernels
