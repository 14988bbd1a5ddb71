#include "analysis/analysis.h"
#include "analysis/dense_algebra.h"
#include "analysis/error_chart.h"
#include "analysis/iteration_radii.h"
#include "analysis/reference_solution.h"
#include "analysis/significant.h"
#include "methods/iteration.h"
#include "reading/matrix_text.h"
#include "scripted_host.h"
#include "support.h"

#include <gtest/gtest.h>

#include <cmath>
#include <numbers>
#include <optional>
#include <string>
#include <utility>

namespace quorvex {
namespace {

using testing::ScriptedHost;

/// A scripted host that keeps the chart a command shows.
class ChartHost : public ScriptedHost {
public:
    using ScriptedHost::ScriptedHost;
    void showChart(const ErrorChart& c) override { chart = c; }
    std::optional<ErrorChart> chart;
};

bool has(const std::string& report, const std::string& line) {
    return report.find(line) != std::string::npos;
}

/// The Hilbert system of order n, b = (1, ..., 1).
std::string hilbert(int n) {
    std::string text;
    for (int i = 1; i <= n; ++i) {
        for (int j = 1; j <= n; ++j) text += "1/" + std::to_string(i + j - 1) + " ";
        text += "1\n";
    }
    return text;
}

Matrix read(const std::string& text, int n) {
    Matrix M(n, n + 1);
    GetMatrixFromText(M, n, text);
    return M;
}

TEST(IterationRadii, TridiagonalOrderTenHasTheTextbookRadiiAndBestFactor) {
    const Matrix A = read(testing::secondDifferences(10), 10);
    const double rhoJ = std::cos(std::numbers::pi / 11);
    EXPECT_NEAR(iterationRadius(A, 10, IterationKind::Jacobi), rhoJ, 1e-12);
    EXPECT_NEAR(iterationRadius(A, 10, IterationKind::GaussSeidel), rhoJ * rhoJ, 1e-9);
    const StopRequest never;
    const BestFactor best = bestRelaxationFactor(A, 10, never);
    EXPECT_EQ(best.source, FactorSource::TridiagonalFormula);
    EXPECT_NEAR(best.w, 2 / (1 + std::sin(std::numbers::pi / 11)), 1e-12);
    EXPECT_NEAR(best.w, 1.560388, 5e-7);
    // The search, which knows no formula, finds the same factor.
    const BestFactor found = searchRelaxationFactor(A, 10, never);
    EXPECT_EQ(found.source, FactorSource::Search);
    EXPECT_NEAR(found.w, best.w, 2e-3);
    EXPECT_NEAR(found.radius, best.radius, 2e-3);
}

// Jacobi's matrix cycles 1 → 2 → 3 → 1 through the weights 1e6, 1e6 and
// 9.41192e-13: its cube is 0.941192·I, so its radius is 0.98 however far the
// smallest weight lies below the rounding of the largest. Gauss-Seidel's
// keeps the 2 → 3 → 2 cycle, 1e6 · 1e-6·0.941192: ρ = √0.941192.
TEST(IterationRadii, ABadlyScaledCycleKeepsItsRadius) {
    const Matrix A = read("1 -1e6 0 1\n0 1 -1e6 1\n-9.41192e-13 0 1 1\n", 3);
    EXPECT_NEAR(iterationRadius(A, 3, IterationKind::Jacobi), 0.98, 1e-12);
    EXPECT_NEAR(iterationRadius(A, 3, IterationKind::GaussSeidel), std::sqrt(0.941192), 1e-12);
}

// Balancing a matrix whose entries span the doubles' range: a row sum
// scaled up past the largest double once was halved forever. The radius of
// (0.85 -1.4830968362614109e308; -0.255 4.4492905087842333e307) is its
// trace less the other eigenvalue, det / trace, about 0.85 - 0.85 here.
TEST(IterationRadii, BalancingEntriesAtTheDoublesLimitsEnds) {
    Matrix M(2, 2);
    M(1, 1) = 0.85000000000000009;
    M(1, 2) = -1.4830968362614109e308;
    M(2, 1) = -0.25500000000000006;
    M(2, 2) = 4.4492905087842333e307;
    EXPECT_NEAR(spectralRadius(M, 2) / 4.4492905087842333e307, 1.0, 1e-12);
}

TEST(IterationRadii, FormulaOnlyForConsistentlyOrderedMatricesWithARealConvergentJacobi) {
    for (const auto& r : testing::table("best_factor_formula")) {
        const int n = std::stoi(r[1]);
        EXPECT_EQ(bestFactorFormulaApplies(read(r[0], n), n), r[2] == "yes") << r[0];
    }
}

TEST(IterationRadii, ArnoldiRadiiAgreeWithEveryEigenvalueAtLargeOrders) {
    const int n = kArnoldiOrder;
    const Matrix T = read(testing::secondDifferences(n), n);
    const double rhoJ = std::cos(std::numbers::pi / (n + 1));
    EXPECT_NEAR(iterationRadius(T, n, IterationKind::Jacobi), rhoJ, 1e-9);
    EXPECT_NEAR(iterationRadius(T, n, IterationKind::GaussSeidel), rhoJ * rhoJ, 1e-9);
    // A full matrix with a dominant diagonal, no structure to lean on.
    std::string text;
    for (int i = 1; i <= n; ++i) {
        for (int j = 1; j <= n; ++j)
            text += i == j ? std::to_string(3 * n) + " "
                           : std::to_string((i * 7 + j * 3) % 11 - 5) + " ";
        text += "1\n";
    }
    const Matrix A = read(text, n);
    for (IterationKind kind :
         {IterationKind::Jacobi, IterationKind::GaussSeidel, IterationKind::Relaxation})
        EXPECT_NEAR(iterationRadius(A, n, kind, 1.3),
                    spectralRadius(iterationMatrix(A, n, kind, 1.3), n), 1e-8);
}

// A diagonal far above the rest puts every eigenvalue of the relaxation
// matrix near |1 - w|: a cluster Arnoldi iteration may not settle on.
TEST(IterationRadii, TheSearchRanksClustersByEstimateAndConfirmsItsBest) {
    const int n = kArnoldiOrder;
    std::string text;
    for (int i = 1; i <= n; ++i) {
        for (int j = 1; j <= n; ++j)
            text += i == j ? "100000 " : std::to_string((i * 5 + j * 7) % 13 - 6) + " ";
        text += "1\n";
    }
    const Matrix A = read(text, n);
    const auto dense = [&](double w) {
        return spectralRadius(iterationMatrix(A, n, IterationKind::Relaxation, w), n);
    };
    const BestFactor best = searchRelaxationFactor(A, n, StopRequest());
    // The printed radius is the radius at the printed factor ...
    EXPECT_NEAR(best.radius, dense(best.w), 1e-8);
    // ... and no factor of a fine grid does visibly better.
    for (double w = 0.9; w <= 1.1; w += 0.001) EXPECT_GE(dense(w), best.radius * 0.999) << w;
    // The power method cannot part a cluster, but gives its size to a few
    // parts in a thousand: enough to rank factors by.
    const double w = 0.8;
    Matrix M(n, n), N(n, n);
    for (int i = 1; i <= n; ++i)
        for (int j = 1; j <= n; ++j) {
            if (j <= i) M(i, j) = i == j ? A(i, j) / w : A(i, j);
            if (j >= i) N(i, j) = i == j ? (1 / w - 1) * A(i, j) : -A(i, j);
        }
    EXPECT_NEAR(splittingRadiusEstimate(M, N, n, 80), dense(w), 5e-3 * dense(w));
}

TEST(ReferenceSolution, HilbertSixIsSolvedExactlyWithItsConditionNumber) {
    const std::string text = hilbert(6);
    const StopRequest never;
    const ReferenceSolution ref = referenceSolution(read(text, 6), 6, text, never);
    ASSERT_TRUE(ref.exact);
    ASSERT_FALSE(ref.singular);
    EXPECT_NEAR(ref.condInf(), 2.907e7, 0.001e7);
    // Its solution for b = (1, ..., 1) is integral: -6, 210, -1680, ...
    const double x[] = {-6, 210, -1680, 5040, -6300, 2772};
    for (int i = 1; i <= 6; ++i) EXPECT_EQ(ref.x(i), x[i - 1]) << i;
}

TEST(ReferenceSolution, ExactWhereEveryEntryIsExactOtherwiseDouble) {
    const StopRequest never;
    for (const auto& r : testing::table("reference_solution")) {
        const ReferenceSolution ref = referenceSolution(read(r[0], 2), 2, r[0], never);
        EXPECT_EQ(ref.exact, r[1] == "exact") << r[0];
        EXPECT_EQ(ref.singular, r[2] == "singular") << r[0];
    }
}

TEST(ReferenceSolution, HugeAndTinyEntriesKeepTheirConditionNumber) {
    // A = a·[1 1; 1 -1] with a = 1e308: ||A|| = 2a in both norms and
    // A⁻¹ = [1 1; 1 -1]/(2a), ||A⁻¹|| = 1/a, so cond = 2 where 2a alone
    // overflows. The 1 x 1 matrix 1e-320 (below the normal doubles): cond = 1.
    // (The reports of both are case files.)
    const struct {
        const char* text;
        int n;
        double cond;
    } cases[] = {{"1e308 1e308 1\n1e308 -1e308 1\n", 2, 2.0}, {"1e-320 1\n", 1, 1.0}};
    const StopRequest never;
    for (const auto& c : cases) {
        const ReferenceSolution ref = referenceSolution(read(c.text, c.n), c.n, c.text, never);
        ASSERT_TRUE(ref.exact) << c.text;
        EXPECT_EQ(ref.cond1(), c.cond) << c.text;
        EXPECT_EQ(ref.condInf(), c.cond) << c.text;
    }
}

TEST(ReferenceSolution, ErrorsAreThoseOfTheSolutionAsShown) {
    // x* = (1/3, 1/3): shown with 4 decimals as 0.3333, off by 1/30000.
    const char* text = "3 0 1\n0 3 1\n";
    const StopRequest never;
    const ReferenceSolution ref = referenceSolution(read(text, 2), 2, text, never);
    Vector x(2);
    x(1) = x(2) = 1.0 / 3.0;
    const Vector e = shownError(ref, x, 4);
    EXPECT_DOUBLE_EQ(e(1), -1.0 / 30000);
    const Vector r = shownResidual(ref, read(text, 2), 2, x, 4);
    EXPECT_DOUBLE_EQ(r(2), 0.0001);
}

TEST(Significant, RoundsToSignificantDigitsAtAnyMagnitude) {
    for (const auto& r : testing::table("significant"))
        EXPECT_EQ(significant(testing::byHand(r[0]), std::stoi(r[1])), testing::byHand(r[2]))
            << r[0];
    EXPECT_TRUE(std::isnan(significant(NAN, 4)));
}

TEST(ConvergenceAnalysis, AnOverflowingFactorGivesNoConclusion) {
    // w = 1e308 overflows SOR's iteration matrix: its radius is no number,
    // and no conclusion may be drawn from it. Jacobi's radius is 1/sqrt(12).
    // A factor read as Infinity has no exact fraction and must not stop the
    // exact test of the other two methods.
    for (const auto& [answer, shown] : {std::pair{"1E+308", "1E+308"}, {"1e999", "Infinity"}}) {
        ChartHost host("4 1 5\n1 3 4\n", {"2", "1E-05", answer});
        ASSERT_EQ(host.run(commands::ConvergenceAnalysis), Outcome::Reported);
        const std::string sor = std::string("SOR(w=") + shown + ")迭代";
        EXPECT_TRUE(has(host.result, "Jacobi迭代矩阵的谱半径 ρ=0.288675，ρ<1")) << host.result;
        EXPECT_TRUE(has(host.result, sor + "矩阵的谱半径算不出有限的值（计算中数值溢出），"
                                           "不能据此判断是否收敛\r\n"))
            << host.result;
        EXPECT_TRUE(has(host.result, sor + "：谱半径算不出有限的值，无法预计，")) << host.result;
        EXPECT_FALSE(has(host.result, "NaN")) << host.result;
    }
}

TEST(ConvergenceAnalysis, EstimatesKeepThreeSignificantDigits) {
    // The Hilbert matrix of order 8: radii so close to 1 that ln e/ln ρ
    // runs into the billions; an estimate keeps three significant digits.
    ChartHost host(hilbert(8), {"8", "1E-05", "1"});
    ASSERT_EQ(host.run(commands::ConvergenceAnalysis), Outcome::Reported);
    int estimates = 0;
    for (auto at = host.result.find("预计约 "); at != std::string::npos;
         at = host.result.find("预计约 ", at + 1)) {
        std::string digits = host.result.substr(at + std::string("预计约 ").size());
        digits = digits.substr(0, digits.find(' '));
        ASSERT_EQ(digits.find_first_not_of("0123456789"), std::string::npos) << digits;
        EXPECT_LE(digits.find_last_not_of('0') + 1, 3u) << digits;
        ++estimates;
    }
    EXPECT_GT(estimates, 0);
}

// The chart of the order-10 second difference system (the prompts and the
// report of such a system are a case file).
TEST(ConvergenceAnalysis, ShowsTheErrorChartOfTheSweepsReported) {
    ChartHost host(testing::secondDifferences(10), {"10", "1E-05", "1.5"});
    ASSERT_EQ(host.run(commands::ConvergenceAnalysis), Outcome::Reported);
    ASSERT_TRUE(host.chart);
    ASSERT_EQ(host.chart->curves.size(), 3u);
    // Each curve has one error per sweep the report names, falling overall.
    for (const ErrorCurve& c : host.chart->curves) {
        const std::string line = c.name + "：预计约 ";
        const auto at = host.result.find(line);
        ASSERT_NE(at, std::string::npos) << c.name;
        const auto observed = host.result.find("实际迭代 ", at) + std::string("实际迭代 ").size();
        EXPECT_EQ(c.errors.size(), std::stoul(host.result.substr(observed))) << c.name;
        EXPECT_LT(c.errors.back(), c.errors.front() * 1e-3) << c.name;
    }
    const std::string table = chartTable(*host.chart);
    EXPECT_EQ(table.substr(0, table.find('\n')), "k\tJacobi迭代\tGauss-Seidel迭代\tSOR(w=1.5)迭代");
}

// Jacobi's errors grow about 2.2 times a sweep here: sweep 571 reaches
// 7.79E+307, sweep 572 would pass the largest double and its error is NaN.
// The curve ends there, marked as overflowing: a NaN passed over would draw
// zeros from 572 on, a diverging iteration drawn as converged.
TEST(ConvergenceAnalysis, ADivergingCurveEndsAtItsLastFiniteSweep) {
    ChartHost host("1 -4 8 9\n-6 2 -6 -7\n-3 -3 1 2\n", {"3", "1E-05", "1E+154"});
    ASSERT_EQ(host.run(commands::ConvergenceAnalysis), Outcome::Reported);
    ASSERT_TRUE(host.chart);
    const ErrorCurve& jacobi = host.chart->curves.at(0);
    ASSERT_EQ(jacobi.errors.size(), 571u);
    EXPECT_TRUE(jacobi.overflows);
    EXPECT_NEAR(jacobi.errors.back() / 1e307, 7.79, 0.005);
    for (std::size_t k = 561; k < jacobi.errors.size(); ++k)
        EXPECT_GT(jacobi.errors[k], jacobi.errors[k - 1]) << k;
    const std::string table = chartTable(*host.chart);
    const auto last = table.rfind('\n', table.size() - 2) + 1;
    EXPECT_EQ(table.substr(last, 4), "571\t") << table.substr(last);
}

TEST(ErrorAnalysis, SingularMatrixIsSaidToBeSoInsteadOfAConditionNumber) {
    ScriptedHost host("1 2 3\n2 4 6\n", {"2"});
    ASSERT_EQ(host.run(commands::ErrorAnalysis), Outcome::Reported);
    EXPECT_TRUE(has(host.result, "系数矩阵奇异，没有逆矩阵，条件数为无穷大，方程组没有唯一解。"));
    EXPECT_FALSE(has(host.result, "cond"));
    // Nor a solution or residual of 0 ÷ 0 before it.
    EXPECT_FALSE(has(host.result, "NaN"));
    EXPECT_FALSE(has(host.result, "x(1)="));
}

} // namespace
} // namespace quorvex
