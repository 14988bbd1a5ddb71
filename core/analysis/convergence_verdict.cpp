#include "analysis/convergence_verdict.h"

#include "analysis/dense_algebra.h"
#include "exact/exact_algebra.h"

#include <cmath>

namespace quorvex {

namespace {

Rational magnitude(const Rational& q) { return q < 0 ? Rational(-q) : q; }

/// The method's iteration matrix in exact fractions: Jacobi -D⁻¹(L+U),
/// relaxation (D+wL)⁻¹((1-w)D-wU), Gauss-Seidel the relaxation with w = 1.
RationalMatrix exactIterationMatrix(const RationalMatrix& A, int n, IterationKind kind,
                                    double factor) {
    RationalMatrix G(n, n);
    if (kind == IterationKind::Jacobi) {
        for (int i = 1; i <= n; ++i)
            for (int j = 1; j <= n; ++j)
                if (j != i) G(i, j) = -A(i, j) / A(i, i);
        return G;
    }
    const Rational w = kind == IterationKind::GaussSeidel ? Rational(1) : Rational(factor);
    // Column by column, (D + wL) G = N solved forward.
    for (int c = 1; c <= n; ++c)
        for (int i = 1; i <= n; ++i) {
            Rational s = c == i ? Rational((1 - w) * A(i, i)) : c > i ? Rational(-w * A(i, c)) : 0;
            for (int j = 1; j < i; ++j)
                if (sgn(G(j, c)) != 0) s -= w * A(i, j) * G(j, c);
            G(i, c) = s / A(i, i);
        }
    return G;
}

bool exactlyDominant(const RationalMatrix& A, int n) {
    for (int i = 1; i <= n; ++i) {
        Rational others = 0;
        for (int j = 1; j <= n; ++j)
            if (j != i) others += magnitude(A(i, j));
        if (!(magnitude(A(i, i)) > others)) return false;
    }
    return true;
}

/// Symmetric, and every pivot of its elimination without exchanges
/// positive: the leading minors are the products of the pivots.
bool exactlyDefinite(const RationalMatrix& A, int n) {
    for (int i = 1; i <= n; ++i)
        for (int j = i + 1; j <= n; ++j)
            if (A(i, j) != A(j, i)) return false;
    RationalMatrix U(n, n);
    for (int i = 1; i <= n; ++i)
        for (int j = 1; j <= n; ++j) U(i, j) = A(i, j);
    for (int k = 1; k <= n; ++k) {
        if (sgn(U(k, k)) <= 0) return false;
        for (int i = k + 1; i <= n; ++i) {
            if (sgn(U(i, k)) == 0) continue;
            const Rational f = U(i, k) / U(k, k);
            for (int j = k + 1; j <= n; ++j) U(i, j) -= f * U(k, j);
        }
    }
    return true;
}

} // namespace

std::optional<RationalMatrix> exactCoefficients(const Matrix& Ab, int n,
                                                const std::optional<RationalMatrix>& typed) {
    if (n > kExactConvergenceOrder) return std::nullopt;
    if (typed) return typed;
    if (!allFinite(Ab, n, n)) return std::nullopt;
    RationalMatrix A(n, n);
    for (int i = 1; i <= n; ++i)
        for (int j = 1; j <= n; ++j) A(i, j) = Ab(i, j);
    return A;
}

ExactSpectrum exactSpectrum(const RationalMatrix& A, int n, IterationKind kind, double w) {
    const std::vector<Rational> c =
        characteristicPolynomial(exactIterationMatrix(A, n, kind, w), n);
    ExactSpectrum s;
    s.nilpotent = true;
    for (int k = 0; k < n; ++k)
        s.nilpotent = s.nilpotent && sgn(c[static_cast<std::size_t>(k)]) == 0;
    Rational atOne = 0, atMinusOne = 0;
    for (int k = 0; k <= n; ++k) {
        atOne += c[static_cast<std::size_t>(k)];
        atMinusOne +=
            k % 2 == 0 ? c[static_cast<std::size_t>(k)] : Rational(-c[static_cast<std::size_t>(k)]);
    }
    s.unitEigenvalue = sgn(atOne) == 0 || sgn(atMinusOne) == 0;
    return s;
}

ConvergenceConditions convergenceConditions(const Matrix& Ab, int n,
                                            const std::optional<RationalMatrix>& exact) {
    if (exact) return {exactlyDominant(*exact, n), exactlyDefinite(*exact, n)};
    return {isStrictlyDiagonallyDominant(Ab, n), isSymmetricPositiveDefinite(Ab, n)};
}

bool theoremConverges(const ConvergenceConditions& c, IterationKind kind, double w) {
    switch (kind) {
    case IterationKind::Jacobi: return c.dominant;
    case IterationKind::GaussSeidel: return c.dominant || c.definite;
    case IterationKind::Relaxation:
        return (c.dominant && w > 0.0 && w <= 1.0) || (c.definite && w > 0.0 && w < 2.0);
    }
    return false;
}

RadiusVerdict judgeRadius(double rho, const std::optional<ExactSpectrum>& exact, bool guaranteed) {
    if (exact && exact->nilpotent) return RadiusVerdict::Converges;
    if (radiusBelowOne(rho)) return RadiusVerdict::Converges;
    // An eigenvalue ±1 found exactly settles what rounding cannot.
    if (exact && exact->unitEigenvalue) return RadiusVerdict::Diverges;
    // A theorem that holds exactly outweighs a radius computed in doubles,
    // which then has rounded its way past 1.
    if (guaranteed || std::fabs(rho - 1.0) <= kRadiusTolerance) return RadiusVerdict::AtEdge;
    return RadiusVerdict::Diverges;
}

} // namespace quorvex
