#include "analysis/convergence_verdict.h"

#include "analysis/dense_algebra.h"
#include "exact/exact_algebra.h"
#include "numerics/kernels/exact_elimination.h"

#include <algorithm>
#include <cmath>
#include <limits>
#include <optional>

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

/// Symmetric, and every leading minor positive (Sylvester).
bool exactlyDefinite(const RationalMatrix& A, int n) {
    for (int i = 1; i <= n; ++i)
        for (int j = i + 1; j <= n; ++j)
            if (A(i, j) != A(j, i)) return false;
    kernels::ExactLeadingMinors minors(A, n, nullptr);
    for (int k = 1; k <= n; ++k)
        if (sgn(minors(k)) <= 0) return false;
    return true;
}

} // namespace

namespace {

/// The most bits a numerator or denominator of a coefficient may have for
/// the exact analysis: every double fits (the smallest subnormal's
/// denominator has 1074), while typed numbers of thousands of digits would
/// make the characteristic polynomial's work run into minutes.
constexpr std::size_t kExactConvergenceBits = 1100;

bool withinConvergenceBits(const RationalMatrix& A, int n) {
    for (int i = 1; i <= n; ++i)
        for (int j = 1; j <= n; ++j)
            if (mpz_sizeinbase(A(i, j).get_num_mpz_t(), 2) > kExactConvergenceBits ||
                mpz_sizeinbase(A(i, j).get_den_mpz_t(), 2) > kExactConvergenceBits)
                return false;
    return true;
}

} // namespace

std::optional<RationalMatrix> exactCoefficients(const Matrix& Ab, int n,
                                                const std::optional<RationalMatrix>& typed) {
    if (n > kExactConvergenceOrder) return std::nullopt;
    if (typed) {
        if (!withinConvergenceBits(*typed, n)) return std::nullopt;
        return typed;
    }
    if (!allFinite(Ab, n, n)) return std::nullopt;
    RationalMatrix A(n, n);
    for (int i = 1; i <= n; ++i)
        for (int j = 1; j <= n; ++j) A(i, j) = Ab(i, j);
    return A;
}

bool rootsInsideCircle(const std::vector<Rational>& c, const Rational& r) {
    // The roots of c(rz) inside the unit circle; each step keeps the count
    // outside while |c(0)| < |leading| (Rouché on |z| = 1) and drops the
    // degree by one, a root on the circle ending it.
    std::vector<Rational> p(c.size());
    Rational power = 1;
    for (std::size_t k = 0; k < c.size(); ++k, power *= r) p[k] = c[k] * power;
    while (p.size() > 1) {
        const std::size_t m = p.size() - 1;
        if (!(magnitude(p[0]) < magnitude(p[m]))) return false;
        std::vector<Rational> q(m);
        for (std::size_t j = 0; j < m; ++j) q[j] = p[m] * p[j + 1] - p[0] * p[m - j - 1];
        // Monic, so that the numbers stay as small as the roots allow.
        const Rational leading = q[m - 1];
        for (Rational& x : q) x /= leading;
        p = std::move(q);
    }
    return true;
}

namespace {

/// About log2 of a positive q, within 1: numbers past the doubles' range
/// included.
long binaryExponent(const Rational& q) {
    return static_cast<long>(mpz_sizeinbase(q.get_num_mpz_t(), 2)) -
           static_cast<long>(mpz_sizeinbase(q.get_den_mpz_t(), 2));
}

/// A power of 2 between lo > 0 and hi when they lie more than a factor of
/// 4 apart, halving the exponents' distance; else their mean, a dyadic
/// number when they are, which keeps the numbers of c(rz) short.
Rational bisection(const Rational& lo, const Rational& hi) {
    if (sgn(lo) > 0 && hi > lo * 4) {
        const long middle = (binaryExponent(lo) + binaryExponent(hi)) / 2;
        const Rational power =
            middle >= 0 ? Rational(mpz_class(1) << middle) : Rational(1, mpz_class(1) << -middle);
        if (lo < power && power < hi) return power;
    }
    return (lo + hi) / 2;
}

/// x > 0 rounded down or up to a number of 32 significant bits: a radius
/// the Schur-Cohn test takes without the 53 bits of a double growing its
/// numbers.
Rational dyadic(double x, bool up) {
    int exponent = 0;
    const double mantissa = std::frexp(x, &exponent);
    const double scaled = std::ldexp(mantissa, 32);
    const mpz_class m(up ? std::ceil(scaled) : std::floor(scaled));
    const long shift = exponent - 32L;
    return shift >= 0 ? Rational(m << shift) : Rational(m, mpz_class(1) << -shift);
}

} // namespace

double certifiedRadius(const ExactSpectrum& s, double computed) {
    if (s.nilpotent) return 0.0;
    const bool nearOne = std::fabs(computed - 1.0) <= kRadiusTolerance;
    if (std::isfinite(computed) && !s.doubtful &&
        (nearOne || radiusBelowOne(computed) == s.convergent))
        return computed;
    constexpr double kLargest = std::numeric_limits<double>::max();
    // A radius past the doubles' range has no value to print: one test
    // settles it, where a bisection would search through a thousand bits.
    if (!s.convergent && !rootsInsideCircle(s.polynomial, Rational(kLargest)))
        return std::numeric_limits<double>::infinity();
    // Every root lies on the side of 1 the exact test found, within the
    // doubles' range (tested above).
    Rational lo = 0, hi = 1;
    if (!s.convergent) {
        lo = 1;
        hi = kLargest;
    }
    // Either computation may be the one the rounding spared: two tests
    // confirm it, or narrow the search.
    for (const double candidate : {computed, s.otherRadius}) {
        if (!(candidate > 0.0) || !std::isfinite(candidate)) continue;
        const Rational below = dyadic(candidate * (1 - kRadiusAgreement), false);
        const Rational above = dyadic(candidate * (1 + kRadiusAgreement), true);
        if (!(lo < below && above < hi)) continue;
        const bool under = rootsInsideCircle(s.polynomial, above);
        const bool over = !rootsInsideCircle(s.polynomial, below);
        if (under && over) return candidate;
        if (under) hi = above;
        if (over) lo = below;
    }
    const Rational width(1e-12);
    for (int step = 0; step < 160 && Rational(hi - lo) > hi * width; ++step) {
        const Rational mid = bisection(lo, hi);
        if (rootsInsideCircle(s.polynomial, mid)) hi = mid;
        else lo = mid;
    }
    return hi.get_d();
}

namespace {

/// q times 2^shift, exactly.
void scaleByPowerOfTwo(Rational& q, long shift) {
    if (shift > 0) mpq_mul_2exp(q.get_mpq_t(), q.get_mpq_t(), static_cast<mp_bitcnt_t>(shift));
    if (shift < 0) mpq_div_2exp(q.get_mpq_t(), q.get_mpq_t(), static_cast<mp_bitcnt_t>(-shift));
}

/// The largest binary exponent among the nonzero entries of row i
/// (`row`) or column i of G, off the diagonal; none: nothing.
std::optional<long> offDiagonalExponent(const RationalMatrix& G, int n, int i, bool row) {
    std::optional<long> largest;
    for (int k = 1; k <= n; ++k) {
        const Rational& q = row ? G(i, k) : G(k, i);
        if (k == i || sgn(q) == 0) continue;
        const long e = binaryExponent(abs(q));
        largest = largest ? std::max(*largest, e) : e;
    }
    return largest;
}

/// G rounded to doubles after an exact similarity by powers of 2, which
/// keeps its eigenvalues: each row and its column brought to entries of
/// about the same size, then the whole matrix to entries about 1, by 2^-shift.
/// Entries past the doubles' range, or far apart, would otherwise overflow
/// or vanish.
Matrix roundedBalanced(RationalMatrix G, int n, long& shift) {
    for (int sweep = 0; sweep < 8 * n; ++sweep) {
        bool moved = false;
        for (int i = 1; i <= n; ++i) {
            const auto r = offDiagonalExponent(G, n, i, true);
            const auto c = offDiagonalExponent(G, n, i, false);
            if (!r || !c || std::labs(*r - *c) <= 2) continue;
            const long f = (*c - *r) / 2;
            for (int k = 1; k <= n; ++k)
                if (k != i) {
                    scaleByPowerOfTwo(G(i, k), f);
                    scaleByPowerOfTwo(G(k, i), -f);
                }
            moved = true;
        }
        if (!moved) break;
    }
    shift = 0;
    bool any = false;
    for (int i = 1; i <= n; ++i)
        for (int j = 1; j <= n; ++j)
            if (sgn(G(i, j)) != 0) {
                const long e = binaryExponent(abs(G(i, j)));
                shift = any ? std::max(shift, e) : e;
                any = true;
            }
    Matrix rounded(n, n);
    for (int i = 1; i <= n; ++i)
        for (int j = 1; j <= n; ++j) {
            Rational q = G(i, j);
            scaleByPowerOfTwo(q, -shift);
            rounded(i, j) = q.get_d();
        }
    return rounded;
}

} // namespace

ExactSpectrum exactSpectrum(const RationalMatrix& A, int n, IterationKind kind, double w) {
    ExactSpectrum s;
    const RationalMatrix G = exactIterationMatrix(A, n, kind, w);
    s.polynomial = characteristicPolynomial(G, n);
    Matrix rounded(n, n);
    for (int i = 1; i <= n; ++i)
        for (int j = 1; j <= n; ++j) rounded(i, j) = G(i, j).get_d();
    s.roundedRadius = spectralRadius(rounded, n);
    double second = unbalancedSpectralRadius(rounded, n);
    if (!std::isfinite(s.roundedRadius) || !std::isfinite(second)) {
        // Entries past the doubles' range, or squares of large ones inside
        // the eigenvalue routine, overflowed: G balanced and scaled exactly
        // by powers of 2 has the same eigenvalues, scaled by 2^-shift, and
        // a bisection through a thousand bits is spared.
        long shift = 0;
        rounded = roundedBalanced(G, n, shift);
        const int by = static_cast<int>(std::clamp(shift, -100000L, 100000L));
        s.roundedRadius = std::ldexp(spectralRadius(rounded, n), by);
        second = std::ldexp(unbalancedSpectralRadius(rounded, n), by);
    }
    s.otherRadius = second;
    // Settling a doubt costs a few Schur-Cohn tests, which take seconds
    // from order 13 on: there the balanced computation stands.
    s.doubtful = n <= kSettledDoubtOrder && std::isfinite(s.roundedRadius) &&
                 std::isfinite(second) &&
                 std::fabs(s.roundedRadius - second) >
                     kRadiusAgreement * std::max({1.0, s.roundedRadius, second});
    s.nilpotent = true;
    for (int k = 0; k < n; ++k)
        s.nilpotent = s.nilpotent && sgn(s.polynomial[static_cast<std::size_t>(k)]) == 0;
    s.convergent = rootsInsideCircle(s.polynomial, 1);
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
    const bool nearOne = std::fabs(rho - 1.0) <= kRadiusTolerance;
    if (exact) {
        if (!exact->convergent) return RadiusVerdict::Diverges;
        return nearOne && !exact->nilpotent ? RadiusVerdict::JustBelowOne
                                            : RadiusVerdict::Converges;
    }
    if (radiusBelowOne(rho)) return RadiusVerdict::Converges;
    // A theorem that holds outweighs a radius computed in doubles, which
    // then has rounded its way past 1.
    if (guaranteed || nearOne) return RadiusVerdict::AtEdge;
    return RadiusVerdict::Diverges;
}

} // namespace quorvex
