#pragma once

#include "analysis/iteration_radii.h"
#include "base/rational.h"

#include <optional>
#include <vector>

namespace quorvex {

/// Up to this order the analysis also settles in exact fractions what
/// doubles cannot: nilpotency, an eigenvalue ±1, dominance and definiteness.
/// The characteristic polynomial of a matrix of fractions grows in cost
/// about as n^5 with typed decimals: 0.8 s at order 20, 26 s at order 40.
inline constexpr int kExactConvergenceOrder = 20;

/// The system's coefficients as exact fractions: as typed where the typed
/// text has exact values, otherwise the doubles as read, which are exact
/// fractions themselves. Nothing above kExactConvergenceOrder or when an
/// entry is not a finite number.
std::optional<RationalMatrix> exactCoefficients(const Matrix& Ab, int n,
                                                const std::optional<RationalMatrix>& typed);

/// What the exact iteration matrix says of its eigenvalues.
struct ExactSpectrum {
    std::vector<Rational> polynomial; ///< det(xI - G), lowest power first
    bool nilpotent = false;           ///< every eigenvalue is 0: ρ = 0
    bool convergent = false;          ///< every eigenvalue inside the unit circle: ρ < 1
    /// The radius of the exact iteration matrix rounded once to doubles:
    /// formed in doubles from entries of very different sizes, the matrix
    /// can be off by far more than its rounding, and its eigenvalues with it.
    double roundedRadius = 0.0;
    /// The radius computed with and without balancing differ by more than
    /// kRadiusAgreement: the eigenvalues hang on the rounding (a cluster
    /// far from normal), and only the polynomial can give the radius.
    /// Told up to order kSettledDoubtOrder.
    bool doubtful = false;
    double otherRadius = 0.0; ///< the radius computed without balancing
};

/// How closely, relatively, two computations of a radius in doubles must
/// agree for either to be kept.
inline constexpr double kRadiusAgreement = 1e-9;
/// The largest order whose doubtful radius the polynomial settles.
inline constexpr int kSettledDoubtOrder = 12;

/// The spectrum facts of the method's iteration matrix for the exact
/// coefficients A (a nonzero diagonal).
ExactSpectrum exactSpectrum(const RationalMatrix& A, int n, IterationKind kind, double w);

/// True when every root of the polynomial c (lowest power first, leading
/// coefficient nonzero) lies strictly inside the circle |z| < r, r > 0:
/// the Schur-Cohn test, exact in rational arithmetic.
bool rootsInsideCircle(const std::vector<Rational>& c, const Rational& r);

/// The spectral radius computed in doubles, held against the exact verdict:
/// kept where it agrees (below 1 by more than the margin exactly when the
/// roots are inside the unit circle) and is not doubtful, otherwise found
/// again by bisection
/// on the Schur-Cohn test. Doubles can misjudge the eigenvalues of a matrix
/// far from normal by far more than their rounding; the polynomial cannot.
double certifiedRadius(const ExactSpectrum& s, double computed);

/// The two sufficient conditions of the convergence theorems.
struct ConvergenceConditions {
    bool dominant = false; ///< strictly diagonally dominant by rows
    bool definite = false; ///< symmetric positive definite
};

/// The conditions, exactly where the exact coefficients are known.
ConvergenceConditions convergenceConditions(const Matrix& Ab, int n,
                                            const std::optional<RationalMatrix>& exact);

/// True when a theorem guarantees the method's convergence: strict
/// dominance for Jacobi and Gauss-Seidel (and relaxation with 0 < w ≤ 1),
/// definiteness for Gauss-Seidel and relaxation with 0 < w < 2.
bool theoremConverges(const ConvergenceConditions& c, IterationKind kind, double w);

/// What a radius says of convergence once what is known exactly is weighed.
enum class RadiusVerdict {
    Converges,    ///< ρ < 1
    JustBelowOne, ///< ρ < 1 exactly, within rounding of 1: converges, very slowly
    AtEdge,       ///< ρ within rounding of 1, or against a theorem: doubles cannot tell
    Diverges,     ///< ρ ≥ 1
};

/// The verdict on a radius `rho` (finite), given the exact spectrum (when
/// known) and whether a theorem guarantees convergence. With the exact
/// spectrum the answer is exact; without it a radius within rounding of 1,
/// or one that a theorem contradicts, is at the edge.
RadiusVerdict judgeRadius(double rho, const std::optional<ExactSpectrum>& exact, bool guaranteed);

} // namespace quorvex
