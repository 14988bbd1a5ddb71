// What the error analysis and the pivoting comparison conclude: the
// verdict on the decimals against the exact error of the solution they
// print, and no verdict built on a value that is not a finite number.
#pragma once

#include "analysis/analysis.h"
#include "analysis/significant.h"
#include "texts/analysis_texts.h"
#include "truth_elimination.h"
#include "truth_lines.h"
#include "truth_scene.h"

#include <cmath>
#include <string>
#include <vector>

namespace quorvex::fuzz {

/// Fails when a verdict sentence of the report shows a value that is not a
/// finite number and no notice says why.
inline void checkFiniteVerdicts(const Scene& scene, const Run& r,
                                const std::vector<Text>& verdicts) {
    if (!r.notices.empty()) return;
    for (const std::string& line : r.lines)
        for (const Text& verdict : verdicts)
            if (const auto values = matchSentence(line, scene.text(verdict)))
                for (const std::string& v : *values)
                    if (showsNonFinite(v))
                        scene.fail(r, Property::FiniteVerdict,
                                   "a verdict shows " + v + " without a notice");
}

/// ErrorAnalysis: its solution is the column-pivot elimination's, as
/// GaussTier prints it; its singular verdict is the exact report's; and
/// "enough decimals" holds exactly when the solution printed is within half
/// a unit of its last decimal of the exact solution.
inline void checkErrorAnalysis(Scene& scene, const TypedSystem& s, const ExactClaim& exact,
                               const std::vector<std::string>& tierSolution) {
    namespace T = texts::analysis;
    const int n = s.n();
    const Run& r = scene.run(commands::ErrorAnalysis, {std::to_string(n)});
    checkFiniteVerdicts(scene, r, {T::kDigitsLost, T::kDecimalsEnough, T::kDecimalsShort});
    // Entries the reading misread make the analysis's system another one,
    // which a notice names.
    if (!r.notices.empty()) return;
    const bool singular = findLine(r.lines, scene.text(T::kSingular)).has_value();
    if (singular && exact.kind == ExactClaim::Kind::Unique)
        scene.fail(r, Property::ErrorAnalysis,
                   "called singular, while the exact elimination solves the system");
    if (!singular && exact.kind == ExactClaim::Kind::Singular)
        scene.fail(r, Property::ErrorAnalysis,
                   "analysed as nonsingular, while the exact elimination finds it singular");
    if (singular || exact.kind != ExactClaim::Kind::Unique) return;
    const auto x = indexedRun(r.lines, "x", n);
    if (!x) scene.fail(r, Property::Shape, "the report has no solution");
    if (!tierSolution.empty() && *x != tierSolution)
        scene.fail(r, Property::ErrorAnalysis,
                   "the solution differs from the one the column-pivot elimination prints");
    Rational largest = 0, size = 0;
    for (int i = 0; i < n; ++i) {
        const auto q = reportRational((*x)[static_cast<std::size_t>(i)]);
        if (!q) return; // not finite: the report says so in a sentence of its own
        const Rational off = magnitudeOf(Rational(*q - exact.x[static_cast<std::size_t>(i)]));
        if (off > largest) largest = off;
        if (magnitudeOf(*q) > size) size = magnitudeOf(*q);
    }
    const Rational half = Rational(5) * powerOfTen(-(scene.digits() + 1));
    const std::string dd = std::to_string(scene.digits());
    bool saysEnough = false, saysShort = false;
    for (const std::string& line : r.lines) {
        if (const auto v = matchSentence(line, scene.text(T::kDecimalsEnough)); v && (*v)[0] == dd)
            saysEnough = true;
        if (const auto v = matchSentence(line, scene.text(T::kDecimalsShort)); v && (*v)[0] == dd)
            saysShort = true;
    }
    if (!saysEnough && !saysShort &&
        findLine(r.lines, fillText(scene.text(T::kDecimalsNotFinite), {dd})))
        return; // x* or the difference is beyond the doubles, and the report says so
    if (saysEnough == saysShort) scene.fail(r, Property::Shape, "no verdict on the decimals");
    // The report's error is a double, of a solution kept to more digits
    // than the 15 it prints: within that rounding of the half unit either
    // verdict stands.
    const Rational tie = half * Rational(1, 1000000000) + size * Rational(1, 100000000000000);
    if (saysEnough && largest > half + tie)
        scene.fail(r, Property::ErrorAnalysis,
                   "enough decimals, but the solution is off by " + numberText(largest.get_d()));
    if (saysShort && largest < half - tie)
        scene.fail(r, Property::ErrorAnalysis,
                   "too few decimals, but the solution is off by only " +
                       numberText(largest.get_d()));
}

/// PivotComparison: no verdict on pivoting built on a value that is not a
/// number.
inline void checkPivotComparison(Scene& scene, const TypedSystem& s) {
    namespace T = texts::analysis;
    const Run& r = scene.run(commands::PivotComparison, {std::to_string(s.n())});
    checkFiniteVerdicts(scene, r, {T::kClosestSmallPivot, T::kClosestZeroPivot});
}

} // namespace quorvex::fuzz
