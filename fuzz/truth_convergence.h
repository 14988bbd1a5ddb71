// What the convergence analysis concludes, held against spectral radii
// the target computes itself: the iteration matrices formed exactly from
// the entries as typed (and as read), rounded to long double and to double,
// every eigenvalue by Eigen's QR algorithm after the target's own
// deflation and balancing.
#pragma once

#include "analysis/analysis.h"
#include "reading/number_text.h"
#include "texts/analysis_texts.h"
#include "truth_algebra.h"
#include "truth_lines.h"
#include "truth_scene.h"
#include "truth_system.h"

#include <array>
#include <cmath>
#include <optional>
#include <string>

namespace quorvex::fuzz {

/// A spectral radius computed several ways, and whether they agree well
/// enough to judge a verdict by.
struct Recomputed {
    long double rho = 0;    ///< of the entries as typed, in long double
    long double spread = 0; ///< how far the other ways, or a perturbation, move it
    bool reliable = false;

    /// How far from 1 a verdict may err: the spread several times over, and
    /// rounding.
    long double slack() const { return 1e-9L * std::max(1.0L, rho) + 16 * spread; }
};

/// Where the radii differ by more than this (relative to ρ, or to 1 below
/// it), the matrix is too close to defective, or its radius too sensitive
/// to the rounding of its entries, for any of them to be believed, and no
/// verdict is judged.
inline constexpr long double kReliableSpread = 1e-6L;

/// The coefficients (n x n) exactly: as typed, or as the doubles read.
inline RationalMatrix exactCoefficients(const TypedSystem& s, const Matrix& read, bool typed) {
    const int n = s.n();
    RationalMatrix A(n, n);
    for (int i = 1; i <= n; ++i)
        for (int j = 1; j <= n; ++j) A(i, j) = typed ? s(i, j).value : Rational(read(i, j));
    return A;
}

/// The method's spectral radius three times: of the iteration matrix of the
/// entries as typed, rounded to long double and to double, and of the
/// entries as read, rounded to long double. The verdicts are about the
/// typed entries; where the reading alone moves the radius, the report may
/// speak of either, and the spread says so, as it does where a small
/// perturbation of the matrix moves the radius.
inline Recomputed recomputeRadius(const RationalMatrix& typed, const RationalMatrix& read, int n,
                                  Iteration kind, double w) {
    Recomputed r;
    for (int i = 1; i <= n; ++i)
        if (sgn(typed(i, i)) == 0 || sgn(read(i, i)) == 0) return r;
    const Rational factor(w);
    const RationalMatrix G = iterationMatrixOf(typed, n, kind, factor);
    const auto precise = spectralRadiusOf<long double>(G);
    const auto plain = spectralRadiusOf<double>(G);
    const auto asRead = spectralRadiusOf<long double>(iterationMatrixOf(read, n, kind, factor));
    if (!precise || !plain || !asRead) return r;
    r.rho = precise->rho;
    r.spread = std::max({std::fabs((long double)plain->rho - r.rho), std::fabs(asRead->rho - r.rho),
                         precise->moved});
    r.reliable = r.spread <= kReliableSpread * std::max(1.0L, r.rho);
    return r;
}

enum class RadiusKind { Converges, JustBelowOne, AtEdge, Diverges, NotFinite };

struct RadiusLine {
    RadiusKind kind;
    std::string name;
    std::string value; ///< empty for NotFinite
};

inline std::optional<RadiusLine> readRadiusLine(const Scene& scene, std::string_view line) {
    namespace T = texts::analysis;
    const std::array<std::pair<RadiusKind, Text>, 4> verdicts{{
        {RadiusKind::Converges, T::kConverges},
        {RadiusKind::JustBelowOne, T::kRadiusJustBelowOne},
        {RadiusKind::AtEdge, T::kRadiusAtEdge},
        {RadiusKind::Diverges, T::kDiverges},
    }};
    for (const auto& [kind, text] : verdicts)
        if (const auto v = matchSentence(line, scene.text(text)))
            return RadiusLine{kind, (*v)[0], (*v)[1]};
    if (const auto v = matchSentence(line, scene.text(T::kRadiusNotFinite)))
        return RadiusLine{RadiusKind::NotFinite, (*v)[0], {}};
    return std::nullopt;
}

/// Any value of a verdict sentence that is not a finite number must come
/// with a notice that says why.
inline void checkFiniteVerdict(const Scene& scene, const Run& r,
                               const std::vector<std::string>& values) {
    for (const std::string& v : values)
        if (showsNonFinite(v) && r.notices.empty())
            scene.fail(r, Property::FiniteVerdict, "a verdict shows " + v + " without a notice");
}

/// One radius line against the recomputed radius.
inline void checkRadius(const Scene& scene, const Run& r, const RadiusLine& line,
                        const Recomputed& truth) {
    if (line.kind == RadiusKind::NotFinite || !truth.reliable) return;
    const long double rho = truth.rho, s = truth.slack();
    const long double nearOne = 1e-6L + s;
    bool holds = true;
    switch (line.kind) {
    case RadiusKind::Converges: holds = rho < 1 + s; break;
    case RadiusKind::JustBelowOne: holds = rho < 1 + s && std::fabs(rho - 1) <= nearOne; break;
    case RadiusKind::AtEdge: holds = std::fabs(rho - 1) <= nearOne; break;
    case RadiusKind::Diverges: holds = rho > 1 - s; break;
    case RadiusKind::NotFinite: break;
    }
    const std::string recomputed = numberText(double(rho));
    if (!holds && r.notices.empty())
        scene.fail(r, Property::RadiusVerdict,
                   line.name + ": the verdict does not fit ρ = " + recomputed);
    const auto printed = reportNumber(line.value);
    if (!printed) scene.fail(r, Property::Shape, line.name + ": the radius is no number text");
    const long double allowed =
        0.5L * std::pow(10.0L, -scene.digits()) + 1e-7L * std::max(1.0L, rho) + 64 * truth.spread;
    if (!(std::fabs((long double)*printed - rho) <= allowed))
        scene.fail(r, Property::RadiusValue,
                   line.name + ": the printed radius is not ρ = " + recomputed);
}

/// The two sufficient conditions, recomputed from the entries as typed:
/// dominance exactly, definiteness from the eigenvalues in long double,
/// where near a tie nothing is judged.
inline void checkConditions(const Scene& scene, const Run& r, const TypedSystem& s,
                            const Dense<long double>& A) {
    namespace T = texts::analysis;
    const int n = s.n();
    // Dominance is a comparison of sums: exactly, with the typed values.
    bool dominant = true;
    for (int i = 1; i <= n; ++i) {
        Rational others = 0;
        for (int j = 1; j <= n; ++j)
            if (j != i) others += magnitudeOf(s(i, j).value);
        dominant = dominant && magnitudeOf(s(i, i).value) > others;
    }
    bool symmetric = true;
    for (int i = 1; i <= n; ++i)
        for (int j = 1; j < i; ++j) symmetric = symmetric && s(i, j).value == s(j, i).value;
    std::optional<bool> definite = false;
    if (symmetric) {
        const long double lowest = smallestEigenvalue(A);
        const long double tie = 1e-15L * infinityNorm(A);
        definite = lowest > tie    ? std::optional(true)
                   : lowest < -tie ? std::optional(false)
                                   : std::nullopt;
    }
    const auto said = [&](const Text& sentence) -> std::optional<bool> {
        for (const std::string& line : r.lines)
            if (const auto v = matchSentence(line, scene.text(sentence)))
                return (*v)[0] == scene.text(T::kYes);
        return std::nullopt;
    };
    const auto saidDominant = said(T::kDominant);
    const auto saidDefinite = said(T::kPositiveDefinite);
    if (!saidDominant || !saidDefinite)
        scene.fail(r, Property::Shape, "the sufficient conditions are not stated");
    if (dominant != *saidDominant)
        scene.fail(r, Property::Conditions, "strict diagonal dominance is stated wrongly");
    if (definite && *definite != *saidDefinite)
        scene.fail(r, Property::Conditions, "positive definiteness is stated wrongly");
}

/// The best factor's line: no factor may be called best that does worse
/// than w = 1, and "none converges" may not stand beside a factor that
/// does.
inline void checkBestFactor(const Scene& scene, const Run& r, std::string_view line,
                            const Recomputed& seidel, const Recomputed& relaxation, double w) {
    namespace T = texts::analysis;
    const bool wInside = w > 0.0 && w < 2.0;
    if (line == scene.text(T::kNoBest)) {
        if (seidel.reliable && seidel.rho < 1 - seidel.slack())
            scene.fail(r, Property::BestFactor,
                       "no factor is said to converge, but w = 1 gives ρ < 1");
        if (wInside && relaxation.reliable && relaxation.rho < 1 - relaxation.slack())
            scene.fail(r, Property::BestFactor,
                       "no factor is said to converge, but the factor asked for gives ρ < 1");
        return;
    }
    if (line == scene.text(T::kBestAtEdge)) {
        if (seidel.reliable && seidel.rho < 1 - 1e-6L - seidel.slack())
            scene.fail(r, Property::BestFactor,
                       "every factor is said to be at the edge, but w = 1 gives ρ clearly < 1");
        return;
    }
    // The radius runs on into the words saying how the factor was found.
    std::optional<std::vector<std::string>> best;
    for (const Text& source :
         {T::kBestByFormula, T::kBestByOrderedFormula, T::kBestBySearch, T::kBestByArnoldiSearch})
        if (!best)
            best = matchSentence(line,
                                 fillText(scene.text(T::kBest), {"{}", "{}", scene.text(source)}));
    if (!best) scene.fail(r, Property::Shape, "the best factor's line is not recognised");
    checkFiniteVerdict(scene, r, {(*best)[0], (*best)[1]});
    const auto rho = reportNumber((*best)[1]);
    if (!rho) scene.fail(r, Property::Shape, "the best factor's radius is no number text");
    const long double half = 0.5L * std::pow(10.0L, -scene.digits());
    if (seidel.reliable && !((long double)*rho <= seidel.rho + half + 1e-7L + 64 * seidel.spread))
        scene.fail(r, Property::BestFactor, "the best factor's radius exceeds that of w = 1");
}

/// ConvergenceAnalysis on the system with tolerance e and factor w.
inline void checkConvergence(Scene& scene, const TypedSystem& s, const Matrix& read,
                             const std::string& e, const std::string& wText) {
    namespace T = texts::analysis;
    const int n = s.n();
    const Run& r = scene.run(commands::ConvergenceAnalysis, {std::to_string(n), e, wText});
    if (findLine(r.lines, scene.text(T::kZeroDiagonal))) return;
    const auto heading = findLine(r.lines, scene.text(T::kRadiusHeading));
    if (!heading || *heading + 3 >= r.lines.size())
        scene.fail(r, Property::Shape, "the report has no spectral radii");
    double w = readLeadingNumber(wText);
    if (!(w > 0.0)) w = 1.0;
    const Dense<long double> typed = typedCoefficients(s);
    const RationalMatrix exactTyped = exactCoefficients(s, read, true);
    const RationalMatrix exactRead = exactCoefficients(s, read, false);
    const std::array<std::string, 3> names{std::string(scene.text(T::kJacobi)),
                                           std::string(scene.text(T::kGaussSeidel)),
                                           fillText(scene.text(T::kSor), {numberText(w)})};
    const std::array<Iteration, 3> kinds{Iteration::Jacobi, Iteration::GaussSeidel,
                                         Iteration::Relaxation};
    std::array<Recomputed, 3> truth;
    for (std::size_t k = 0; k < 3; ++k) {
        const auto line = readRadiusLine(scene, r.lines[*heading + 1 + k]);
        if (!line) scene.fail(r, Property::Shape, "a spectral radius line is not recognised");
        if (line->name != names[k])
            scene.fail(r, Property::Shape, "the radius lines name the wrong method");
        checkFiniteVerdict(scene, r, {line->value});
        truth[k] = recomputeRadius(exactTyped, exactRead, n, kinds[k], w);
        checkRadius(scene, r, *line, truth[k]);
    }
    // The entries the reading misread change the system the exact verdicts
    // are about; a notice names them, and the conditions are not judged.
    if (r.notices.empty()) checkConditions(scene, r, s, typed);
    for (const std::string& line : r.lines) {
        const auto observed = matchSentence(line, scene.text(T::kObserved));
        const auto none = matchSentence(line, scene.text(T::kObservedNone));
        const std::string prediction = observed ? (*observed)[0] : none ? (*none)[0] : "";
        if (const auto p = matchSentence(prediction, scene.text(T::kPredicted)))
            checkFiniteVerdict(scene, r, {(*p)[1]});
    }
    const auto best = findLine(r.lines, scene.text(T::kBestHeading));
    if (!best || *best + 1 >= r.lines.size())
        scene.fail(r, Property::Shape, "the report has no best factor");
    checkBestFactor(scene, r, r.lines[*best + 1], truth[1], truth[2], w);
}

} // namespace quorvex::fuzz
