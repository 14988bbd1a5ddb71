// The norms a report prints, held against the inequalities every norm
// meets and against the target's own sums of the entries as typed.
#pragma once

#include "methods/tests_and_norms.h"
#include "texts/report_texts.h"
#include "truth_algebra.h"
#include "truth_lines.h"
#include "truth_scene.h"
#include "truth_system.h"

#include <cmath>
#include <optional>
#include <string>
#include <vector>

namespace quorvex::fuzz {

/// The text of the first line the sentence matches, its one value.
inline std::optional<std::string> sentenceValue(const Scene& scene, const Run& r,
                                                const Text& sentence) {
    for (const std::string& line : r.lines)
        if (const auto v = matchSentence(line, scene.text(sentence)); v && v->size() == 1)
            return (*v)[0];
    return std::nullopt;
}

/// A printed norm, read back; a report without it, or with another text
/// in its place, is a finding.
inline long double printedNorm(const Scene& scene, const Run& r, const Text& sentence) {
    const auto text = sentenceValue(scene, r, sentence);
    if (!text)
        scene.fail(r, Property::Shape, "a norm is missing: " + std::string(scene.text(sentence)));
    if (const auto v = reportNumber(*text)) return *v;
    // Exact mode writes the norms without a root as fractions.
    if (const auto q = reportRational(*text)) return toLongDouble(*q);
    scene.fail(r, Property::Shape, "a norm is no number text: " + *text);
}

/// In exact mode a norm without a root is an exact number: it must be the
/// exact one.
inline void checkExactNorm(const Scene& scene, const Run& r, const Text& sentence,
                           const Rational& truth) {
    const auto text = sentenceValue(scene, r, sentence);
    if (!text)
        scene.fail(r, Property::Shape, "a norm is missing: " + std::string(scene.text(sentence)));
    const auto q = reportRational(*text);
    if (!q || *q != truth)
        scene.fail(r, Property::Norms, "an exact norm is not " + truth.get_str());
}

/// `a` ≤ `b` up to the tolerance `slack`; a finding otherwise.
inline void checkAtMost(const Scene& scene, const Run& r, long double a, long double b,
                        long double slack, const std::string& what) {
    if (!(a <= b + slack)) scene.fail(r, Property::Norms, what);
}

/// Printed rounding of a value shown to d decimals (and 15 digits).
inline long double shownRounding(const Scene& scene, long double v) {
    return 0.5L * std::pow(10.0L, -scene.digits()) + 1e-13L * std::fabs(v);
}

/// A norm made of sums and maxima of magnitudes: exactly the truth in
/// exact mode, within `relative` of it in decimals.
inline void checkSumNorm(const Scene& scene, const Run& r, bool exact, const Text& sentence,
                         const Rational& truth, long double relative, const std::string& what) {
    if (exact) return checkExactNorm(scene, r, sentence, truth);
    const long double printed = printedNorm(scene, r, sentence);
    checkAtMost(scene, r, std::fabs(printed - toLongDouble(truth)), 0, relative * printed, what);
}

/// VectorModel on the first line: n + 1 entries.
inline void checkVectorNorms(Scene& scene, const TypedSystem& s, bool exact) {
    namespace R = texts::report;
    const int m = s.n() + 1;
    std::string line;
    Rational one = 0, largest = 0;
    long double squares = 0;
    for (int j = 1; j <= m; ++j) {
        line += (j > 1 ? " " : "") + s(1, j).text;
        const Rational a = magnitudeOf(s(1, j).value);
        one += a;
        if (a > largest) largest = a;
        const long double v = toLongDouble(a);
        squares += v * v;
    }
    const Run& r = scene.run(commands::VectorModel, {}, exact, line + "\n");
    const long double n1 = printedNorm(scene, r, R::kVectorOneNorm);
    const long double n2 = printedNorm(scene, r, R::kVectorTwoNorm);
    const long double ninf = printedNorm(scene, r, R::kVectorInfinityNorm);
    const long double two = std::sqrt(squares);
    checkSumNorm(scene, r, exact, R::kVectorOneNorm, one, 1e-13L,
                 "the 1-norm is not the sum of the magnitudes");
    checkSumNorm(scene, r, exact, R::kVectorInfinityNorm, largest, 1e-14L,
                 "the ∞-norm is not the largest magnitude");
    checkAtMost(scene, r, std::fabs(n2 - two), 0, shownRounding(scene, two),
                "the 2-norm is not the root of the sum of squares");
    checkAtMost(scene, r, ninf, n2, shownRounding(scene, n2), "‖x‖∞ > ‖x‖₂");
    checkAtMost(scene, r, n2, n1, shownRounding(scene, n2), "‖x‖₂ > ‖x‖₁");
}

/// MatrixModel on the coefficients.
inline void checkMatrixNorms(Scene& scene, const TypedSystem& s, bool exact) {
    namespace R = texts::report;
    const int n = s.n();
    Rational columns = 0, rows = 0;
    long double squares = 0;
    for (int k = 1; k <= n; ++k) {
        Rational column = 0, row = 0;
        for (int l = 1; l <= n; ++l) {
            column += magnitudeOf(s(l, k).value);
            row += magnitudeOf(s(k, l).value);
            const long double v = toLongDouble(s(k, l).value);
            squares += v * v;
        }
        if (column > columns) columns = column;
        if (row > rows) rows = row;
    }
    const Run& r = scene.run(commands::MatrixModel, {std::to_string(n)}, exact);
    const long double n1 = printedNorm(scene, r, R::kMatrixOneNorm);
    const long double n2 = printedNorm(scene, r, R::kMatrixTwoNorm);
    const long double nf = printedNorm(scene, r, R::kMatrixFrobeniusNorm);
    const long double ninf = printedNorm(scene, r, R::kMatrixInfinityNorm);
    const long double frobenius = std::sqrt(squares);
    checkSumNorm(scene, r, exact, R::kMatrixOneNorm, columns, 1e-13L,
                 "the 1-norm is not the largest column sum");
    checkSumNorm(scene, r, exact, R::kMatrixInfinityNorm, rows, 1e-13L,
                 "the ∞-norm is not the largest row sum");
    checkAtMost(scene, r, std::fabs(nf - frobenius), 0, shownRounding(scene, frobenius),
                "the F-norm is not the root of the sum of squares");
    // The 2-norm is the power iteration's estimate, a reference value: it
    // need not be the largest singular value, but every 2-norm lies within
    // these bounds. Its divisor is a single-precision value, hence 1e-6.
    const long double root = std::sqrt(static_cast<long double>(n));
    const long double single = 1e-6L;
    checkAtMost(scene, r, frobenius / root, n2 * (1 + single), shownRounding(scene, n2),
                "‖A‖₂ < ‖A‖_F/√n");
    checkAtMost(scene, r, n2, frobenius * (1 + single), shownRounding(scene, n2), "‖A‖₂ > ‖A‖_F");
    checkAtMost(scene, r, n2, std::sqrt(n1 * ninf) * (1 + single), shownRounding(scene, n2),
                "‖A‖₂ > √(‖A‖₁‖A‖∞)");
    checkAtMost(scene, r, nf / root, n2 * (1 + single), 2 * shownRounding(scene, nf),
                "the printed ‖A‖₂ < the printed ‖A‖_F/√n");
    checkAtMost(scene, r, n2, nf * (1 + single), 2 * shownRounding(scene, nf),
                "the printed ‖A‖₂ > the printed ‖A‖_F");
}

} // namespace quorvex::fuzz
