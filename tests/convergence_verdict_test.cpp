// The convergence analysis's verdicts held against spectral radii that this
// test computes on its own, with Eigen, from iteration matrices it forms
// itself; over random systems of the classes that once fooled the analysis.
#include "analysis/analysis.h"
#include "analysis/convergence_verdict.h"
#include "analysis/iteration_radii.h"
#include "reading/matrix_text.h"
#include "scripted_host.h"

#include <Eigen/Dense>
#include <gtest/gtest.h>

#include <cmath>
#include <optional>
#include <random>
#include <string>
#include <vector>

namespace quorvex {
namespace {

using Dense = Eigen::MatrixXd;

/// The test's own iteration matrix: Jacobi -D⁻¹(L+U), relaxation
/// (D+wL)⁻¹((1-w)D-wU), Gauss-Seidel w = 1.
Dense ownIterationMatrix(const Dense& A, IterationKind kind, double w) {
    const Eigen::Index n = A.rows();
    if (kind == IterationKind::GaussSeidel) w = 1.0;
    if (kind == IterationKind::Jacobi) {
        Dense J = -A;
        for (Eigen::Index i = 0; i < n; ++i) {
            J.row(i) /= A(i, i);
            J(i, i) = 0.0;
        }
        return J;
    }
    Dense M = Dense::Zero(n, n), N = Dense::Zero(n, n);
    for (Eigen::Index i = 0; i < n; ++i)
        for (Eigen::Index j = 0; j < n; ++j) {
            if (j < i) M(i, j) = w * A(i, j);
            else if (j == i) M(i, i) = A(i, i), N(i, i) = (1.0 - w) * A(i, i);
            else N(i, j) = -w * A(i, j);
        }
    return M.triangularView<Eigen::Lower>().solve(N);
}

double ownRadius(const Dense& A, IterationKind kind, double w) {
    const Dense G = ownIterationMatrix(A, kind, w);
    if (!G.allFinite()) return NAN;
    return Eigen::EigenSolver<Dense>(G, false).eigenvalues().cwiseAbs().maxCoeff();
}

/// A system for the test: its coefficients, and the text typed for them.
struct System {
    Dense A;
    std::string text;
    std::string kind;
};

std::string entryText(double v) {
    char s[40];
    std::snprintf(s, sizeof s, "%.17g", v);
    return s;
}

System fromDense(const Dense& A, std::string kind) {
    System s{A, {}, std::move(kind)};
    for (Eigen::Index i = 0; i < A.rows(); ++i) {
        for (Eigen::Index j = 0; j < A.cols(); ++j) s.text += entryText(A(i, j)) + " ";
        s.text += "1\n";
    }
    return s;
}

/// Random systems of orders 2-20, in turn of each class.
class Systems {
public:
    explicit Systems(unsigned seed) : m_random(seed) {}

    System next(int index) {
        const int n = std::uniform_int_distribution<int>(2, 20)(m_random);
        switch (index % 7) {
        case 0: return fromDense(integers(n, 0), "integers");
        case 1: return fromDense(integers(n, n * 5), "dominant");
        case 2: return fromDense(tinyRadiusHugeNorm(n), "tiny radius, huge norm");
        case 3: return fromDense(nearOne(n), "radius within 1e-9 of 1");
        case 4: return fromDense(nearLimits(n), "entries near the limits");
        case 5: return fromDense(nilpotentJacobi(n), "nilpotent Jacobi matrix");
        default: return hilbert(2 + index % 13);
        }
    }

private:
    int digit() { return std::uniform_int_distribution<int>(-9, 9)(m_random); }

    /// Integer entries; the diagonal raised by `boost` and never 0.
    Dense integers(int n, int boost) {
        Dense A(n, n);
        for (int i = 0; i < n; ++i)
            for (int j = 0; j < n; ++j) A(i, j) = digit();
        for (int i = 0; i < n; ++i) A(i, i) = std::abs(A(i, i)) + boost + 1;
        return A;
    }

    /// A dominant matrix seen through a diagonal similarity of wild scales:
    /// the Jacobi radius stays below 1 while the iteration matrix's norm
    /// runs to 1e12.
    Dense tinyRadiusHugeNorm(int n) {
        Dense A = integers(n, 3 * n);
        for (int i = 0; i < n; ++i)
            for (int j = 0; j < n; ++j) {
                const int e = std::uniform_int_distribution<int>(-6, 6)(m_random);
                if (i != j) A(i, j) *= std::pow(10.0, e), A(j, i) *= std::pow(10.0, -e);
            }
        return A;
    }

    /// Blocks (1, -c; -c, 1) with c = 1 - δ, δ up to 1e-9: the Jacobi
    /// radius is c and Gauss-Seidel's c², both within rounding of 1.
    Dense nearOne(int n) {
        Dense A = Dense::Identity(n, n);
        const double delta = std::uniform_real_distribution<double>(1e-13, 1e-9)(m_random);
        for (int i = 0; i + 1 < n; i += 2) A(i, i + 1) = A(i + 1, i) = -(1.0 - delta);
        return A;
    }

    /// Rows scaled by up to 1e±300: the iteration matrices do not change.
    Dense nearLimits(int n) {
        Dense A = integers(n, std::uniform_int_distribution<int>(0, 2 * n)(m_random));
        for (int i = 0; i < n; ++i)
            A.row(i) *= std::pow(10.0, std::uniform_int_distribution<int>(-300, 300)(m_random));
        return A;
    }

    /// I - P T Pᵀ with T strictly upper triangular: a Jacobi matrix that is
    /// nilpotent without being triangular.
    Dense nilpotentJacobi(int n) {
        Dense T = Dense::Zero(n, n);
        for (int i = 0; i < n; ++i)
            for (int j = i + 1; j < n; ++j) T(i, j) = digit();
        Eigen::PermutationMatrix<Eigen::Dynamic> P(n);
        P.setIdentity();
        std::shuffle(P.indices().data(), P.indices().data() + n, m_random);
        return Dense::Identity(n, n) - Dense(P * T * P.transpose());
    }

    System hilbert(int n) {
        System s{Dense(n, n), {}, "Hilbert"};
        for (int i = 0; i < n; ++i) {
            for (int j = 0; j < n; ++j) {
                s.A(i, j) = 1.0 / (i + j + 1);
                s.text += "1/" + std::to_string(i + j + 1) + " ";
            }
            s.text += "1\n";
        }
        return s;
    }

    std::mt19937 m_random;
};

/// How far a radius computed by two routines in doubles may differ near 1.
constexpr double kSlack = 1e-7;

void expectVerdictAgrees(RadiusVerdict verdict, double own, bool guaranteed,
                         const std::string& what) {
    switch (verdict) {
    case RadiusVerdict::Converges: EXPECT_LT(own, 1.0 + kSlack) << what; break;
    case RadiusVerdict::Diverges: EXPECT_GT(own, 1.0 - kSlack) << what; break;
    case RadiusVerdict::AtEdge:
        EXPECT_TRUE(guaranteed || std::fabs(own - 1.0) < kSlack) << what << " ρ=" << own;
        break;
    }
}

TEST(ConvergenceVerdict, AgreesWithAnIndependentRadiusOverTwoThousandSystems) {
    Systems systems(20261207);
    const IterationKind kinds[] = {IterationKind::Jacobi, IterationKind::GaussSeidel,
                                   IterationKind::Relaxation};
    for (int index = 0; index < 2000; ++index) {
        const System s = systems.next(index);
        const int n = static_cast<int>(s.A.rows());
        Matrix Ab(n, n + 1);
        GetMatrixFromText(Ab, n, s.text);
        const auto exact = exactCoefficients(Ab, n, std::nullopt);
        const ConvergenceConditions conditions = convergenceConditions(Ab, n, exact);
        for (IterationKind kind : kinds) {
            const double w = kind == IterationKind::Relaxation ? 1.25 : 1.0;
            const std::string what = s.kind + " #" + std::to_string(index) + " order " +
                                     std::to_string(n) + " method " +
                                     std::to_string(static_cast<int>(kind));
            const double own = ownRadius(s.A, kind, w);
            if (!std::isfinite(own)) continue;
            std::optional<ExactSpectrum> spectrum;
            if (exact) spectrum = exactSpectrum(*exact, n, kind, w);
            const bool nilpotent = spectrum && spectrum->nilpotent;
            const double rho = nilpotent ? 0.0 : iterationRadius(Ab, n, kind, w);
            const bool guaranteed = theoremConverges(conditions, kind, w);
            expectVerdictAgrees(judgeRadius(rho, spectrum, guaranteed), own, guaranteed, what);
            if (s.kind == "nilpotent Jacobi matrix" && kind == IterationKind::Jacobi) {
                EXPECT_TRUE(nilpotent) << what;
            }
            // Nothing short of a zero spectrum is called nilpotent: the n-th
            // power vanishes against the rounding of forming it.
            if (nilpotent) {
                const Dense G = ownIterationMatrix(s.A, kind, w);
                Dense power = G, bound = G.cwiseAbs();
                for (int k = 2; k <= n; ++k) {
                    power = power * G;
                    bound = bound * G.cwiseAbs();
                }
                EXPECT_LE(power.cwiseAbs().maxCoeff(), 1e-8 * bound.maxCoeff()) << what;
            }
        }
    }
}

TEST(ConvergenceVerdict, ReportsNeverStateTwoOppositeAnswers) {
    Systems systems(7);
    for (int index = 0; index < 210; ++index) {
        const System s = systems.next(index);
        const int n = static_cast<int>(s.A.rows());
        testing::ScriptedHost host(s.text, {std::to_string(n), "1E-05", "1.25"});
        ASSERT_EQ(host.run(commands::ConvergenceAnalysis), Outcome::Reported) << s.kind;
        const std::string& report = host.result;
        const std::string what = s.kind + " #" + std::to_string(index) + "\n" + report;
        const IterationKind kinds[] = {IterationKind::Jacobi, IterationKind::GaussSeidel,
                                       IterationKind::Relaxation};
        const std::string names[] = {"Jacobi迭代矩阵", "Gauss-Seidel迭代矩阵",
                                     "SOR(w=1.25)迭代矩阵"};
        std::string jacobiLine;
        for (int m = 0; m < 3; ++m) {
            const auto at = report.find(names[m] + "的谱半径");
            ASSERT_NE(at, std::string::npos) << what;
            const std::string line = report.substr(at, report.find("\r\n", at) - at);
            if (m == 0) jacobiLine = line;
            const double own = ownRadius(s.A, kinds[m], 1.25);
            if (line.find("ρ<1") != std::string::npos) {
                EXPECT_LT(own, 1.0 + kSlack) << what;
            }
            if (line.find("ρ≥1") != std::string::npos) {
                EXPECT_GT(own, 1.0 - kSlack) << what;
                // A theorem's promise of convergence may not stand beside it.
                if (m == 0) {
                    EXPECT_EQ(report.find("Jacobi迭代与Gauss-Seidel迭代都收敛"), std::string::npos)
                        << what;
                }
                if (m == 1) {
                    EXPECT_EQ(report.find("所以Gauss-Seidel迭代收敛"), std::string::npos) << what;
                }
            }
        }
        // The closed form for the best factor needs ρ_J < 1.
        if (report.find("由公式") != std::string::npos) {
            EXPECT_NE(jacobiLine.find("ρ<1"), std::string::npos) << what;
        }
    }
}

} // namespace
} // namespace quorvex
