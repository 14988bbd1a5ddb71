// The target's own arithmetic, apart from the core's: long double values
// of exact numbers, and Eigen's routines on matrices the target forms
// itself, in double and in long double.
#pragma once

#include "base/matrix.h"
#include "base/rational.h"
#include "truth_system.h"

#include <Eigen/Dense>

#include <cmath>
#include <complex>
#include <cstdint>
#include <optional>
#include <type_traits>
#include <vector>

namespace quorvex::fuzz {

template <class T> using Dense = Eigen::Matrix<T, Eigen::Dynamic, Eigen::Dynamic>;

/// The integer to long double precision (its leading 64 bits), as a
/// mantissa and a power of two, so that huge numerators and denominators
/// can be divided without overflowing on the way.
inline long double leadingBits(const mpz_class& z, long& shift) {
    const std::size_t bits = mpz_sizeinbase(z.get_mpz_t(), 2);
    shift = bits > 64 ? static_cast<long>(bits - 64) : 0;
    mpz_class top = abs(z);
    mpz_tdiv_q_2exp(top.get_mpz_t(), top.get_mpz_t(), static_cast<mp_bitcnt_t>(shift));
    const long double v = static_cast<long double>(mpz_get_ui(top.get_mpz_t()));
    return sgn(z) < 0 ? -v : v;
}

/// q in long double, to a few units of its last place.
inline long double toLongDouble(const Rational& q) {
    if (sgn(q) == 0) return 0.0L;
    long a = 0, b = 0;
    const long double num = leadingBits(q.get_num(), a);
    const long double den = leadingBits(q.get_den(), b);
    return std::ldexp(num / den, static_cast<int>(a - b));
}

/// The coefficients as typed (columns 1..n), in long double.
inline Dense<long double> typedCoefficients(const TypedSystem& s) {
    const int n = s.n();
    Dense<long double> A(n, n);
    for (int i = 1; i <= n; ++i)
        for (int j = 1; j <= n; ++j) A(i - 1, j - 1) = toLongDouble(s(i, j).value);
    return A;
}

enum class Iteration { Jacobi, GaussSeidel, Relaxation };

/// The iteration matrix of the splitting A = M - N, M⁻¹N, in exact
/// fractions, by the textbook definitions: Jacobi M = D; relaxation
/// M = D + wL with N = (1-w)D - wU; Gauss-Seidel the relaxation with w = 1.
/// Formed exactly, because the entries of M⁻¹N can be what is left when
/// entries of 1e150 cancel, which no floating-point product keeps. A (n x n)
/// must have a nonzero diagonal.
inline RationalMatrix iterationMatrixOf(const RationalMatrix& A, int n, Iteration kind,
                                        const Rational& factor) {
    const Rational w = kind == Iteration::GaussSeidel ? Rational(1) : factor;
    RationalMatrix G(n, n);
    for (int c = 1; c <= n; ++c)
        for (int i = 1; i <= n; ++i) {
            // Row i of M·G = N, column c, with M lower triangular.
            Rational s = 0;
            if (kind == Iteration::Jacobi) {
                if (c != i) s = -A(i, c);
            } else {
                if (c == i) s = (1 - w) * A(i, i);
                else if (c > i) s = -w * A(i, c);
                for (int j = 1; j < i; ++j) s -= w * A(i, j) * G(j, c);
            }
            G(i, c) = s / A(i, i);
        }
    return G;
}

/// An exact matrix rounded to T.
template <class T> Dense<T> rounded(const RationalMatrix& G) {
    Dense<T> D(G.rows(), G.cols());
    for (int i = 1; i <= G.rows(); ++i)
        for (int j = 1; j <= G.cols(); ++j) {
            if constexpr (std::is_same_v<T, long double>) D(i - 1, j - 1) = toLongDouble(G(i, j));
            else D(i - 1, j - 1) = G(i, j).get_d();
        }
    return D;
}

/// Scales A by a diagonal similarity of powers of two until its rows and
/// columns have like norms (Parlett and Reinsch), which leaves the
/// eigenvalues as they are and makes them better conditioned for the QR
/// algorithm; a bounded number of passes.
template <class T> void balance(Dense<T>& A) {
    const Eigen::Index n = A.rows();
    for (int pass = 0; pass < 100; ++pass) {
        bool done = true;
        for (Eigen::Index i = 0; i < n; ++i) {
            T c = 0, r = 0;
            for (Eigen::Index j = 0; j < n; ++j)
                if (j != i) c += std::abs(A(j, i)), r += std::abs(A(i, j));
            if (!(c > 0) || !(r > 0)) continue;
            const T s = c + r;
            T f = 1;
            while (c < r / 2) f *= 2, c *= 4;
            while (c > r * 2) f /= 2, c /= 4;
            if ((c + r) / f < T(0.95) * s) {
                done = false;
                A.row(i) /= f;
                A.col(i) *= f;
            }
        }
        if (done) break;
    }
}

/// The eigenvalues that a row or a column with no other nonzero entry
/// sets apart (the first step of LAPACK's balancing, done exactly): such a
/// row or column makes its diagonal entry an eigenvalue and leaves the
/// others to the rest of the matrix. What is left after every such step.
struct Deflated {
    RationalMatrix rest;            ///< the remaining rows and columns
    long double isolatedRadius = 0; ///< the largest magnitude set apart
};

inline Deflated deflate(const RationalMatrix& G) {
    std::vector<int> active;
    for (int i = 1; i <= G.rows(); ++i) active.push_back(i);
    Deflated d;
    for (bool found = true; found;) {
        found = false;
        for (std::size_t k = 0; k < active.size() && !found; ++k) {
            const int i = active[k];
            bool row = true, column = true;
            for (const int j : active)
                if (j != i) row = row && sgn(G(i, j)) == 0, column = column && sgn(G(j, i)) == 0;
            if (row || column) {
                d.isolatedRadius = std::max(d.isolatedRadius, std::fabs(toLongDouble(G(i, i))));
                active.erase(active.begin() + static_cast<std::ptrdiff_t>(k));
                found = true;
            }
        }
    }
    const int m = static_cast<int>(active.size());
    d.rest = RationalMatrix(m, m);
    for (int i = 0; i < m; ++i)
        for (int j = 0; j < m; ++j)
            d.rest(i + 1, j + 1) =
                G(active[static_cast<std::size_t>(i)], active[static_cast<std::size_t>(j)]);
    return d;
}

/// The largest eigenvalue magnitude of B by Eigen's QR algorithm; nothing
/// where B is not finite or the algorithm fails.
template <class T> std::optional<T> largestEigenvalue(const Dense<T>& B) {
    if (B.rows() == 0) return T(0);
    if (!B.allFinite()) return std::nullopt;
    Eigen::EigenSolver<Dense<T>> solver(B, false);
    if (solver.info() != Eigen::Success) return std::nullopt;
    T rho = 0;
    for (Eigen::Index k = 0; k < B.rows(); ++k)
        rho = std::max(rho, std::abs(solver.eigenvalues()(k)));
    if (!std::isfinite(rho)) return std::nullopt;
    return rho;
}

/// A spectral radius and how far it moved under a perturbation of the
/// balanced matrix of 1e-13 of its norm, far more than the QR algorithm's
/// own backward error: a radius that moves little then is well conditioned
/// and computed well.
template <class T> struct Radius {
    T rho = 0;
    T moved = 0;
};

/// The spectral radius of the exact matrix G rounded to T: exactly
/// isolated eigenvalues first, then every eigenvalue of the balanced rest.
template <class T> std::optional<Radius<T>> spectralRadiusOf(const RationalMatrix& G) {
    const Deflated d = deflate(G);
    Dense<T> B = rounded<T>(d.rest);
    if (!B.allFinite()) return std::nullopt;
    balance(B);
    const auto rho = largestEigenvalue(B);
    if (!rho) return std::nullopt;
    // A fixed pattern of signs, so that a finding repeats.
    Dense<T> E(B.rows(), B.cols());
    std::uint32_t state = 12345;
    for (Eigen::Index i = 0; i < B.rows(); ++i)
        for (Eigen::Index j = 0; j < B.cols(); ++j) {
            state = state * 1664525u + 1013904223u;
            E(i, j) = (state >> 31) ? T(1) : T(-1);
        }
    const T size = B.norm() * T(1e-13) / std::max(E.norm(), T(1));
    const auto perturbed = largestEigenvalue(Dense<T>(B + size * E));
    if (!perturbed) return std::nullopt;
    const T isolated = static_cast<T>(d.isolatedRadius);
    return Radius<T>{std::max(*rho, isolated),
                     std::fabs(std::max(*perturbed, isolated) - std::max(*rho, isolated))};
}

/// ‖A‖∞, the largest row sum of magnitudes.
template <class T> T infinityNorm(const Dense<T>& A) {
    return A.cwiseAbs().rowwise().sum().maxCoeff();
}

/// ‖A⁻¹‖∞ and the condition number ‖A‖∞‖A⁻¹‖∞, from the inverse by full
/// pivoting; nothing where A is singular to working precision.
template <class T> std::optional<std::pair<T, T>> inverseNorm(const Dense<T>& A) {
    if (!A.allFinite()) return std::nullopt;
    Eigen::FullPivLU<Dense<T>> lu(A);
    if (!lu.isInvertible()) return std::nullopt;
    const Dense<T> inverse = lu.inverse();
    if (!inverse.allFinite()) return std::nullopt;
    const T norm = infinityNorm(inverse);
    return std::pair<T, T>{norm, norm * infinityNorm(A)};
}

/// The smallest eigenvalue of a symmetric A.
template <class T> T smallestEigenvalue(const Dense<T>& A) {
    Eigen::SelfAdjointEigenSolver<Dense<T>> solver(A, Eigen::EigenvaluesOnly);
    return solver.eigenvalues()(0);
}

} // namespace quorvex::fuzz
