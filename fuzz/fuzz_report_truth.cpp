// Checks what the reports say, not only that they are written. From the
// bytes: a system of order 1-12 as a student types it (small integers,
// decimals, fractions, now and then entries near the doubles' limits, a
// nearly singular or badly scaled row, and shapes the verdicts turn on),
// then one family of commands on it, each report read back and held
// against the truth the target works out itself:
//  - the eliminations: decimal solutions within the rounding they claim of
//    the exact one, which must solve the system; no clean solution of a
//    singular system; the error analysis's verdict on the decimals;
//  - the convergence analysis: every radius and its verdict against Eigen's
//    eigenvalues of the iteration matrices the target forms itself;
//  - the norms: their values and the inequalities between them.
// A verdict showing Infinity or NaN must come with a notice. On a violated
// property the reproducer goes to standard error and the target traps.
#include "truth_convergence.h"
#include "truth_elimination.h"
#include "truth_error.h"
#include "truth_norms.h"
#include "truth_scene.h"
#include "truth_system.h"

#include "exact/exact_expression.h"
#include "reading/matrix_text.h"

#include <fuzzer/FuzzedDataProvider.h>

#include <array>
#include <cstddef>
#include <cstdint>
#include <string>

namespace {

using namespace quorvex;
using namespace quorvex::fuzz;

/// The system as the commands read it. Every entry must read as the
/// number it was made as, exactly for the exact reader and within the
/// rounding of its terms for the decimal one: the checks rest on it.
Matrix readSystem(const Scene& scene, const TypedSystem& s) {
    const int n = s.n();
    Matrix M(n, n + 1);
    GetMatrixFromText(M, n, scene.edit());
    for (int i = 1; i <= n; ++i)
        for (int j = 1; j <= n + 1; ++j) {
            const Entry& e = s(i, j);
            const auto exact = EvaluateExactly(e.text);
            if (!exact || *exact != e.value)
                scene.failReading("the exact reading of " + e.text + " is not " +
                                  e.value.get_str());
            const long double off = std::fabs((long double)M(i, j) - toLongDouble(e.value));
            if (!(off <= 1e-12L * toLongDouble(e.scale) + 1e-320L))
                scene.failReading("the decimal reading of " + e.text + " is " +
                                  numberText(M(i, j)));
        }
    return M;
}

void checkEliminations(Scene& scene, const TypedSystem& s, const Matrix& read,
                       FuzzedDataProvider& fdp) {
    namespace R = texts::report;
    const std::string n = std::to_string(s.n());
    const Run& tierExact = scene.run(commands::GaussTier, {n}, true);
    const ExactClaim exact = readExactClaim(scene, tierExact, s);
    const Run& tier = scene.run(commands::GaussTier, {n});
    checkDecimalElimination(scene, tier, s, read, exact, R::kPivotEliminatedHeading, true);
    switch (fdp.ConsumeIntegralInRange<int>(0, 2)) {
    case 0: {
        const Run& plainExact = scene.run(commands::Gauss_1, {n}, true);
        const ExactClaim plain = readExactClaim(scene, plainExact, s);
        if (plain.kind == ExactClaim::Kind::Unique && exact.kind != ExactClaim::Kind::Unique)
            scene.fail(plainExact, Property::ExactSolution,
                       "solved exactly without pivoting, but not with pivoting");
        const Run& decimal = scene.run(commands::Gauss_1, {n});
        checkDecimalElimination(scene, decimal, s, read, exact, R::kEliminatedHeading, false);
        break;
    }
    case 1: {
        const auto x = indexedRun(tier.lines, "x", s.n());
        checkErrorAnalysis(scene, s, exact, x ? *x : std::vector<std::string>{});
        break;
    }
    default: checkPivotComparison(scene, s); break;
    }
}

void checkConvergenceAnalysis(Scene& scene, const TypedSystem& s, const Matrix& read,
                              FuzzedDataProvider& fdp) {
    static const std::array<const char*, 5> tolerances{"1E-05", "0.001", "1e-8", "0.01", "1e-12"};
    static const std::array<const char*, 6> factors{"1", "2", "1.25", "0.05", "1.95", "3"};
    const std::string e = tolerances[fdp.ConsumeIntegralInRange<std::size_t>(0, 4)];
    const int k = fdp.ConsumeIntegralInRange<int>(0, 24);
    // Mostly tenths in (0, 2), the usual choices, and a few at the edges.
    const std::string w = k < 19 ? numberText((k + 1) / 10.0)
                                 : std::string(factors[static_cast<std::size_t>(k - 19)]);
    checkConvergence(scene, s, read, e, w);
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    FuzzedDataProvider fdp(data, size);
    const int family = fdp.ConsumeIntegralInRange<int>(0, 2);
    const int digits = fdp.ConsumeIntegralInRange<int>(1, 16);
    const Language language = fdp.ConsumeBool() ? Language::English : Language::Chinese;
    const int n = fdp.ConsumeIntegralInRange<int>(1, 12);
    const auto shape =
        static_cast<Shape>(fdp.ConsumeIntegralInRange<int>(0, static_cast<int>(Shape::kCount) - 1));
    // The convergence analysis settles a radius the doubles cannot find (the
    // squares in its eigenvalue routine overflow from about 1e154, which
    // products of ratios of entries of 1e±50 reach) by bisection on the
    // exact characteristic polynomial, which takes from seconds to minutes
    // an input: its systems stay within 1e±20, the others reach 1e±300.
    const TypedSystem s = randomSystem(fdp, n, shape, family == 1 ? 20 : 300);
    Scene scene(s.text(), digits, language);
    try {
        const Matrix read = readSystem(scene, s);
        switch (family) {
        case 0: checkEliminations(scene, s, read, fdp); break;
        case 1: checkConvergenceAnalysis(scene, s, read, fdp); break;
        default: {
            const bool exact = fdp.ConsumeBool();
            checkVectorNorms(scene, s, exact);
            checkMatrixNorms(scene, s, exact);
            break;
        }
        }
    } catch (const SetAside&) {
    }
    return 0;
}
