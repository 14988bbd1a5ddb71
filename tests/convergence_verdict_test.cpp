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

#include <algorithm>
#include <cmath>
#include <optional>
#include <random>
#include <string>
#include <vector>

namespace quorvex {
namespace {

using Dense = Eigen::MatrixXd;

/// The test's own iteration matrix: Jacobi -D⁻¹(L+U), relaxation
/// (D+wL)⁻¹((1-w)D-wU), Gauss-Seidel w = 1; in the precision of Real.
template <typename Real>
Eigen::Matrix<Real, Eigen::Dynamic, Eigen::Dynamic>
ownIterationMatrix(const Dense& dense, IterationKind kind, double factor) {
    using M = Eigen::Matrix<Real, Eigen::Dynamic, Eigen::Dynamic>;
    const M A = dense.cast<Real>();
    const Eigen::Index n = A.rows();
    const Real w = kind == IterationKind::GaussSeidel ? Real(1) : Real(factor);
    if (kind == IterationKind::Jacobi) {
        M J = -A;
        for (Eigen::Index i = 0; i < n; ++i) {
            J.row(i) /= A(i, i);
            J(i, i) = 0;
        }
        return J;
    }
    M lower = M::Zero(n, n), N = M::Zero(n, n);
    for (Eigen::Index i = 0; i < n; ++i)
        for (Eigen::Index j = 0; j < n; ++j) {
            if (j < i) lower(i, j) = w * A(i, j);
            else if (j == i) lower(i, i) = A(i, i), N(i, i) = (1 - w) * A(i, i);
            else N(i, j) = -w * A(i, j);
        }
    return lower.template triangularView<Eigen::Lower>().solve(N);
}

template <typename Real> double radiusIn(const Dense& A, IterationKind kind, double w) {
    const auto G = ownIterationMatrix<Real>(A, kind, w);
    if (!G.allFinite()) return NAN;
    using M = Eigen::Matrix<Real, Eigen::Dynamic, Eigen::Dynamic>;
    return static_cast<double>(Eigen::EigenSolver<M>(G, false).eigenvalues().cwiseAbs().maxCoeff());
}

/// The test's own radius; nothing where its double and extended precision
/// computations disagree: the spectrum is then too sensitive for either to
/// judge (a matrix far from normal), and only exact arithmetic can.
std::optional<double> ownRadius(const Dense& A, IterationKind kind, double w) {
    const double d = radiusIn<double>(A, kind, w), e = radiusIn<long double>(A, kind, w);
    if (!std::isfinite(d) || !(std::fabs(d - e) <= 1e-6 * std::max(1.0, e))) return std::nullopt;
    return e;
}

/// A system for the test: its coefficients, and the text typed for them.
struct System {
    Dense A;
    std::string text;
    std::string kind;
    /// A diagonal similarity of A with entries of modest size, where the
    /// construction gives one: each method's iteration matrix is then the
    /// same similarity of A's, and its eigenvalues are computed well.
    std::optional<Dense> wellScaled;
};

std::string entryText(double v) {
    char s[40];
    std::snprintf(s, sizeof s, "%.17g", v);
    return s;
}

System fromDense(const Dense& A, std::string kind) {
    System s{A, {}, std::move(kind), std::nullopt};
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
        switch (index % 8) {
        case 7: return cycle(n);
        case 0: return fromDense(integers(n, 0), "integers");
        case 1: return fromDense(integers(n, n * 5), "dominant");
        case 2: return tinyRadiusHugeNorm(n);
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
    System tinyRadiusHugeNorm(int n) {
        const Dense A = integers(n, 3 * n);
        Dense S = Dense::Zero(n, n), inverse = Dense::Zero(n, n);
        for (int i = 0; i < n; ++i) {
            const double s = std::pow(10.0, std::uniform_int_distribution<int>(-6, 6)(m_random));
            S(i, i) = s;
            inverse(i, i) = 1.0 / s;
        }
        System s = fromDense(inverse * A * S, "tiny radius, huge norm");
        s.wellScaled = A;
        return s;
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

    /// I - J with J a cyclic permutation of weights spread over 1e±8 whose
    /// product is ρ^n: J^n = ρ^n·I, so Jacobi's radius is ρ, however far
    /// below the rounding of the largest weight the smallest lies.
    System cycle(int n) {
        const double rho = std::uniform_real_distribution<double>(0.2, 1.4)(m_random);
        std::vector<double> weights(static_cast<std::size_t>(n));
        double product = 1.0;
        for (int i = 0; i + 1 < n; ++i) {
            weights[static_cast<std::size_t>(i)] =
                std::pow(10.0, std::uniform_int_distribution<int>(-8, 8)(m_random));
            product *= weights[static_cast<std::size_t>(i)];
        }
        weights.back() = std::pow(rho, n) / product;
        Dense A = Dense::Identity(n, n), even = Dense::Identity(n, n);
        for (int i = 0; i < n; ++i) {
            A(i, (i + 1) % n) = -weights[static_cast<std::size_t>(i)];
            even(i, (i + 1) % n) = -rho;
        }
        System s = fromDense(A, "cycle");
        s.wellScaled = even;
        return s;
    }

    System hilbert(int n) {
        System s{Dense(n, n), {}, "Hilbert", std::nullopt};
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
    case RadiusVerdict::Converges:
    case RadiusVerdict::JustBelowOne: EXPECT_LT(own, 1.0 + kSlack) << what; break;
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
    int methods = 0, unjudged = 0;
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
            const auto judged = ownRadius(s.wellScaled.value_or(s.A), kind, w);
            ++methods;
            if (!judged) {
                ++unjudged;
                continue;
            }
            const double own = *judged;
            std::optional<ExactSpectrum> spectrum;
            if (exact) spectrum = exactSpectrum(*exact, n, kind, w);
            const bool nilpotent = spectrum && spectrum->nilpotent;
            double rho = nilpotent ? 0.0 : iterationRadius(Ab, n, kind, w);
            if (spectrum) rho = certifiedRadius(*spectrum, rho);
            const bool guaranteed = theoremConverges(conditions, kind, w);
            expectVerdictAgrees(judgeRadius(rho, spectrum, guaranteed), own, guaranteed, what);
            // The radius itself is the one the independent routine finds, to
            // what doubles give of an eigenvalue of a small Jordan block.
            if (!nilpotent) {
                EXPECT_NEAR(rho, own, 1e-4 * std::max(1.0, own)) << what;
            }
            if (s.kind == "nilpotent Jacobi matrix" && kind == IterationKind::Jacobi) {
                EXPECT_TRUE(nilpotent) << what;
            }
            // Nothing short of a zero spectrum is called nilpotent: the n-th
            // power vanishes against the rounding of forming it.
            if (nilpotent) {
                const Dense G = ownIterationMatrix<double>(s.A, kind, w);
                Dense power = G, bound = G.cwiseAbs();
                for (int k = 2; k <= n; ++k) {
                    power = power * G;
                    bound = bound * G.cwiseAbs();
                }
                EXPECT_LE(power.cwiseAbs().maxCoeff(), 1e-8 * bound.maxCoeff()) << what;
            }
        }
    }
    // The independent routine may decline a few spectra, not the test.
    EXPECT_LT(unjudged, methods / 10) << unjudged << " of " << methods;
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
            const auto judged = ownRadius(s.wellScaled.value_or(s.A), kinds[m], 1.25);
            if (!judged) continue;
            const double own = *judged;
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

// Where the doubles could not give the radius it is found on the exact
// polynomial: past the doubles' range it is Infinity at once, within it to
// twelve digits from a bracket of a thousand bits.
TEST(ConvergenceVerdict, ARadiusTheDoublesMissedIsFoundOnThePolynomial) {
    ExactSpectrum huge;
    huge.polynomial = {Rational(-(mpz_class(1) << 1100)), 1}; // x - 2^1100
    EXPECT_TRUE(std::isinf(certifiedRadius(huge, std::nan(""))));

    ExactSpectrum large;
    mpz_class e200;
    mpz_ui_pow_ui(e200.get_mpz_t(), 10, 200);
    large.polynomial = {Rational(-e200), 0, 1}; // x^2 - 1e200
    EXPECT_NEAR(certifiedRadius(large, std::nan("")) / 1e100, 1.0, 1e-11);

    ExactSpectrum small;
    small.polynomial = {Rational(-1, 9), 0, 1}; // x^2 - 1/9, below 1
    small.convergent = true;
    EXPECT_NEAR(certifiedRadius(small, 7.0), 1.0 / 3.0, 1e-12);
}

// Jacobi's matrix of (1e-200 1e200 / 1e-300 1) holds -1e400, past the
// doubles, while its radius is √(1e400 · 1e-300) = 1e50: the doubles find it
// on the matrix scaled by a power of 2, without a search on the polynomial
// (which took minutes at order 14).
TEST(ConvergenceVerdict, AnIterationMatrixPastTheDoublesKeepsItsComputedRadius) {
    RationalMatrix A(2, 2);
    A(1, 1) = 1e-200;
    A(1, 2) = 1e200;
    A(2, 1) = 1e-300;
    A(2, 2) = 1.0;
    const ExactSpectrum s = exactSpectrum(A, 2, IterationKind::Jacobi, 1.0);
    EXPECT_NEAR(s.roundedRadius / 1e50, 1.0, 1e-12);
    EXPECT_FALSE(s.convergent);
    EXPECT_NEAR(certifiedRadius(s, s.roundedRadius) / 1e50, 1.0, 1e-12);
}

// Rows of -3s make 0 a many-fold eigenvalue of Gauss-Seidel's matrix, and
// the entries 4e13 and 9e-16 set it far from normal: balancing moved the
// computed radius to 17.69 while the polynomial's largest root is
// 17.7824313763798 (a computer-algebra system agrees).
TEST(ConvergenceVerdict, ARadiusTheTwoComputationsDisputeIsSettledExactly) {
    const std::string threes = "-3 -3 -3 -3 -3 -3 -3 -3 -3\n";
    const std::string edit = "-58.896 -4 -7 -4e13 -3 -3 -3 -3 -3\n" + threes + threes +
                             "-3 -3 7729.9 -3 -3 -3 -3 -3 -3\n" + threes +
                             "-3 -3 -3 -3 -5 4 4 -5 1\n"
                             "49.881 -2 86 4 -5 5195.6 614.22 9e-16 -9\n"
                             "-114.792 -5 -11 -79999999999997 -3 -3 -3 -3 -3\n";
    testing::ScriptedHost host(edit, {"8", "1E-05", "1.7"}, 2);
    ASSERT_EQ(host.run(commands::ConvergenceAnalysis), Outcome::Reported);
    EXPECT_NE(host.result.find("Gauss-Seidel迭代矩阵的谱半径 ρ=17.78，"), std::string::npos)
        << host.result;
}

} // namespace
} // namespace quorvex
