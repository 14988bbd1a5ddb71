// What the eliminations say of the solution, held against the exact
// report and against a bound on what rounding at d+1 decimals can do.
#pragma once

#include "analysis/analysis.h"
#include "methods/elimination.h"
#include "texts/analysis_texts.h"
#include "texts/exact_texts.h"
#include "texts/report_texts.h"
#include "truth_algebra.h"
#include "truth_lines.h"
#include "truth_scene.h"
#include "truth_system.h"

#include <cmath>
#include <limits>
#include <optional>
#include <string>
#include <vector>

namespace quorvex::fuzz {

/// What an exact elimination report concludes.
struct ExactClaim {
    enum class Kind { Unique, Singular, Nothing } kind = Kind::Nothing;
    std::vector<Rational> x; ///< Unique: the solution
};

/// b - A·x for the exact system, as exact numbers.
inline std::vector<Rational> exactResidual(const TypedSystem& s, const std::vector<Rational>& x,
                                           bool homogeneous) {
    const int n = s.n();
    std::vector<Rational> r(static_cast<std::size_t>(n));
    for (int i = 1; i <= n; ++i) {
        Rational sum = homogeneous ? Rational(0) : s(i, n + 1).value;
        for (int j = 1; j <= n; ++j) sum -= s(i, j).value * x[static_cast<std::size_t>(j - 1)];
        r[static_cast<std::size_t>(i - 1)] = sum;
    }
    return r;
}

inline bool allZero(const std::vector<Rational>& v) {
    for (const Rational& q : v)
        if (sgn(q) != 0) return false;
    return true;
}

/// The components of "(a, b, c)" read exactly.
inline std::optional<std::vector<Rational>> exactComponents(std::string_view list, int n) {
    std::vector<Rational> v;
    while (!list.empty()) {
        const std::size_t comma = list.find(", ");
        const auto q = reportRational(list.substr(0, comma));
        if (!q) return std::nullopt;
        v.push_back(*q);
        if (comma == std::string_view::npos) break;
        list.remove_prefix(comma + 2);
    }
    if (static_cast<int>(v.size()) != n) return std::nullopt;
    return v;
}

/// Reads the exact report and checks what it says with exact arithmetic of
/// the target's own: a solution must satisfy the system, and the particular
/// solution and the directions of a singular one must solve it and its
/// homogeneous form.
inline ExactClaim readExactClaim(const Scene& scene, const Run& r, const TypedSystem& s) {
    namespace E = texts::exact;
    const int n = s.n();
    ExactClaim claim;
    if (const auto xs = indexedRun(r.lines, "x", n)) {
        for (const std::string& t : *xs) {
            const auto q = reportRational(t);
            if (!q)
                scene.fail(r, Property::ExactSolution,
                           "an exact solution component that is not an exact number");
            claim.x.push_back(*q);
        }
        if (!allZero(exactResidual(s, claim.x, false)))
            scene.fail(r, Property::ExactSolution,
                       "the exact solution does not satisfy the system as typed");
        claim.kind = ExactClaim::Kind::Unique;
        return claim;
    }
    const std::string none = fillText(scene.text(E::kExactModeLine), {scene.text(E::kNoSolution)});
    const std::string many =
        fillText(scene.text(E::kExactModeLine), {scene.text(E::kInfinitelyMany)});
    for (const std::string& line : r.lines) {
        if (matchSentence(line, none)) claim.kind = ExactClaim::Kind::Singular;
        if (matchSentence(line, many)) claim.kind = ExactClaim::Kind::Singular;
        if (const auto x0 = matchSentence(line, scene.text(E::kParticular))) {
            const auto v = exactComponents((*x0)[0], n);
            if (!v || !allZero(exactResidual(s, *v, false)))
                scene.fail(r, Property::ExactSolution,
                           "the particular solution does not satisfy the system as typed");
        }
        if (const auto d = matchSentence(line, scene.text(E::kDirection))) {
            const auto v = exactComponents(d->back(), n);
            if (!v || allZero(*v) || !allZero(exactResidual(s, *v, true)))
                scene.fail(r, Property::ExactSolution,
                           "a basic solution does not solve the homogeneous system");
        }
    }
    return claim;
}

/// A decimal elimination report read back: the eliminated block and the
/// solution as printed.
struct DecimalClaim {
    std::vector<std::string> xText;
    std::vector<double> x;
    std::vector<std::vector<double>> U; ///< n rows of n+1, empty when unreadable
    bool clean = false;                 ///< every x(i) a finite number
};

inline DecimalClaim readDecimalClaim(const Scene& scene, const Run& r, int n,
                                     const Text& eliminatedHeading) {
    DecimalClaim claim;
    const auto xs = indexedRun(r.lines, "x", n);
    if (!xs) return claim;
    claim.xText = *xs;
    claim.clean = true;
    for (const std::string& t : *xs) {
        const auto v = reportNumber(t);
        if (!v) scene.fail(r, Property::Shape, "a solution component that is no number text");
        claim.x.push_back(*v);
        claim.clean = claim.clean && std::isfinite(*v);
    }
    const auto heading = findLine(r.lines, scene.text(eliminatedHeading));
    if (!heading || *heading + static_cast<std::size_t>(n) >= r.lines.size()) return claim;
    for (int i = 1; i <= n; ++i) {
        const auto row = matrixRow(r.lines[*heading + static_cast<std::size_t>(i)]);
        if (!row || static_cast<int>(row->size()) != n + 1) {
            claim.U.clear();
            return claim;
        }
        claim.U.push_back(*row);
    }
    return claim;
}

/// A bound on max|x̂(i) - x*(i)| for the solution x̂ an elimination that
/// rounds every stored value to d+1 decimals (u = 0.5·10^-(d+1)) computes,
/// x* the solution of the system as typed.
///
/// Each elimination step adds to an entry of a row at most u and the
/// doubles' rounding of that step, so the multipliers L and the eliminated
/// [U|c] satisfy L·[U|c] = P[A|b] - Δ with |Δ| ≤ (n-1)u' entrywise (u' is
/// u plus that rounding, on the scale W of any intermediate value). Back
/// substitution gives U·x̂ = c + r with |r(i)| ≤ |u(i,i)|·u plus the
/// rounding of the sums. So b - A·x̂ = -(Δ_b + L·r - Δ_A·x̂) (permuted), and
/// with the reading's own error δ of the entries as typed,
///     ‖x̂ - x*‖∞ ≤ ‖A⁻¹‖∞ ((n-1)u'(1 + ‖x̂‖₁) + ‖L‖∞ max|r| + max_i Σ_j δ(i,j)|x̂(j)|).
/// With column pivoting every multiplier is at most 1, so ‖L‖∞ ≤ n; without
/// it L = (A - Δ)U⁻¹ is bounded through the printed U. The printed values
/// stand for the stored ones within half a unit of the d-th decimal.
///
/// Nothing where no bound can be had: a condition number beyond 1e12,
/// where the long double inverse (64-bit mantissa) no longer gives ‖A⁻¹‖
/// to a few digits and a bound of 1e12 times the rounding says nothing of
/// the printed decimals; a printed U with a zero or nearly singular
/// diagonal (for the elimination without pivoting).
inline std::optional<long double> eliminationBound(const TypedSystem& s, const Matrix& read,
                                                   const DecimalClaim& c, int d, bool pivoting) {
    using LD = long double;
    const int n = s.n();
    const LD eps = std::numeric_limits<double>::epsilon();
    const LD half = 0.5L * std::pow(10.0L, -d); // the printed rounding
    const LD u = 0.5L * std::pow(10.0L, -(d + 1));
    const auto printedError = [&](LD v) { return half + 1e-14L * std::fabs(v); };
    if (c.U.empty()) return std::nullopt;
    const auto inverse = inverseNorm(typedCoefficients(s));
    if (!inverse || !(inverse->second <= 1e12L)) return std::nullopt;
    const LD inverseNormA = inverse->first * (1 + 1e-4L);

    LD umax = 0, xnorm = 0, amax = 0, anorm = 0;
    for (const auto& row : c.U)
        for (const double v : row) {
            if (!std::isfinite(v)) return std::nullopt;
            umax = std::max(umax, std::fabs(LD(v)) + printedError(v));
        }
    for (const double v : c.x) xnorm += std::fabs(LD(v)) + printedError(v);
    for (int i = 1; i <= n; ++i) {
        LD row = 0;
        for (int j = 1; j <= n + 1; ++j) {
            amax = std::max(amax, std::fabs(LD(read(i, j))));
            if (j <= n) row += std::fabs(LD(read(i, j)));
        }
        anorm = std::max(anorm, row);
    }

    // The multipliers: with pivoting at most 1 each; without, from the
    // printed U within its rounding.
    LD lrow = n, lmax = 1;
    if (!pivoting) {
        Dense<LD> U = Dense<LD>::Zero(n, n);
        for (int i = 0; i < n; ++i)
            for (int j = i; j < n; ++j)
                U(i, j) = c.U[static_cast<std::size_t>(i)][static_cast<std::size_t>(j)];
        for (int i = 0; i < n; ++i)
            if (U(i, i) == 0) return std::nullopt;
        const Dense<LD> Ui =
            U.template triangularView<Eigen::Upper>().solve(Dense<LD>::Identity(n, n));
        const LD uiNorm = infinityNorm(Ui);
        if (!std::isfinite(uiNorm) || !(uiNorm * infinityNorm(U) <= 1e12L)) return std::nullopt;
        const LD spread = uiNorm * n * printedError(umax);
        if (!(spread <= 0.5L)) return std::nullopt;
        const LD trueInverse = uiNorm * (1 + 1e-4L) / (1 - spread);
        // L depends on u', which depends on L through the intermediates'
        // scale: a few rounds settle it, or no bound is claimed.
        LD l = anorm * trueInverse;
        bool settled = false;
        for (int round = 0; round < 4 && !settled; ++round) {
            const LD w = amax + 2 * l * umax + n * u;
            const LD next = (anorm + n * (n - 1) * (u + 8 * eps * w)) * trueInverse;
            settled = next <= l;
            l = std::max(l, next) * 1.01L;
        }
        if (!settled || !std::isfinite(l)) return std::nullopt;
        lrow = l;
        lmax = l;
    }
    const LD w = amax + 2 * lmax * umax + n * u;
    const LD uStep = u + 8 * eps * w;
    const LD rmax = umax * u + (n + 8) * eps * umax * (1 + xnorm);

    // How far the doubles as read are from the entries as typed.
    LD misread = 0;
    for (int i = 1; i <= n; ++i) {
        LD row = 0;
        for (int j = 1; j <= n + 1; ++j) {
            const Rational diff = magnitudeOf(Rational(s(i, j).value - Rational(read(i, j))));
            const LD xj = j <= n ? std::fabs(LD(c.x[static_cast<std::size_t>(j - 1)])) +
                                       printedError(c.x[static_cast<std::size_t>(j - 1)])
                                 : 1.0L;
            row += toLongDouble(diff) * xj;
        }
        misread = std::max(misread, row);
    }
    const LD residual = (n - 1) * uStep * (1 + xnorm) + lrow * rmax + misread;
    const LD bound = inverseNormA * residual * (1 + 1e-6L);
    if (!std::isfinite(bound)) return std::nullopt;
    return bound;
}

/// Every printed x(i) within half a unit of its last decimal, plus the
/// elimination's bound, of the exact solution.
inline void checkAgainstExact(const Scene& scene, const Run& r, const TypedSystem& s,
                              const Matrix& read, const DecimalClaim& c, const ExactClaim& exact,
                              bool pivoting) {
    const auto bound = eliminationBound(s, read, c, scene.digits(), pivoting);
    if (!bound) return;
    const long double half = 0.5L * std::pow(10.0L, -scene.digits());
    for (std::size_t i = 0; i < c.x.size(); ++i) {
        const auto printed = reportRational(c.xText[i]);
        if (!printed)
            scene.fail(r, Property::Shape, "a finite solution component not read exactly");
        const long double off = toLongDouble(magnitudeOf(Rational(*printed - exact.x[i])));
        const long double allowed = half + 1e-14L * std::fabs((long double)c.x[i]) + *bound;
        if (!(off <= allowed))
            scene.fail(r, Property::DecimalSolution,
                       "x(" + std::to_string(i + 1) + ") is " + numberText(double(off)) +
                           " from the exact solution, more than the rounding allows (" +
                           numberText(double(allowed)) + ")");
    }
}

/// True when every entry reads as exactly the number typed: the decimal
/// report then works on the very system the exact one solved.
inline bool readAsTyped(const TypedSystem& s, const Matrix& read) {
    for (int i = 1; i <= s.n(); ++i)
        for (int j = 1; j <= s.n() + 1; ++j)
            if (!std::isfinite(read(i, j)) || Rational(read(i, j)) != s(i, j).value) return false;
    return true;
}

/// The decimal elimination's claims against the exact report.
inline void checkDecimalElimination(const Scene& scene, const Run& r, const TypedSystem& s,
                                    const Matrix& read, const ExactClaim& exact,
                                    const Text& heading, bool pivoting) {
    const DecimalClaim c = readDecimalClaim(scene, r, s.n(), heading);
    if (!c.clean) return;
    if (exact.kind == ExactClaim::Kind::Unique)
        checkAgainstExact(scene, r, s, read, c, exact, pivoting);
    if (exact.kind == ExactClaim::Kind::Singular && readAsTyped(s, read) && r.notices.empty())
        scene.fail(r, Property::SingularSolution,
                   "the system is singular, exactly and as read, but the decimal report gives "
                   "a finite solution without a notice");
}

} // namespace quorvex::fuzz
