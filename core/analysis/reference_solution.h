#pragma once

#include "base/matrix.h"
#include "base/rational.h"
#include "frame/frame.h"

#include <string>
#include <string_view>
#include <vector>

namespace quorvex {

/// An entry whose typed value the decimal reading cannot hold: it reads as
/// 0 or as an infinity, or loses its digits below the smallest normal
/// double, while its exact value is another number.
struct MisreadEntry {
    int row = 0;
    int col = 0;
    std::string text;  ///< as typed
    double read = 0.0; ///< the value the report echoes and computes with
};

/// The solution the analyses measure against: exact (rational arithmetic)
/// where every entry of the system has an exact value, otherwise the double
/// precision one.
struct ReferenceSolution {
    /// Above these orders the exact solution, and the exact inverse behind
    /// the condition numbers, cost too much; doubles stand in.
    static constexpr int kExactOrderLimit = 300;
    static constexpr int kExactInverseOrderLimit = 40;

    bool exact = false;          ///< x* worked in rational arithmetic
    bool exactInverse = false;   ///< ||A⁻¹|| from the exact inverse
    bool singular = false;       ///< the coefficient matrix has no inverse
    int order = 0;               ///< n
    Vector x;                    ///< the solution, rounded to double (empty when singular)
    double norm1 = 0.0;          ///< ||A||1
    double normInf = 0.0;        ///< ||A||∞
    double inverseNorm1 = 0.0;   ///< ||A⁻¹||1 (singular: not set)
    double inverseNormInf = 0.0; ///< ||A⁻¹||∞ (singular: not set)

    RationalMatrix system;        ///< exact only: the system as typed, n x (n+1)
    std::vector<Rational> exactX; ///< exact only: the solution, 0-based
    double exactCond1 = 0.0;      ///< exactInverse only: ||A||1·||A⁻¹||1, rounded once
    double exactCondInf = 0.0;    ///< exactInverse only: ||A||∞·||A⁻¹||∞, rounded once

    /// Entries the decimal reading could not hold. The reference is made on
    /// the matrix as read, the one the report echoes and its methods use, so
    /// that every comparison is between solutions of one matrix.
    std::vector<MisreadEntry> misread;

    double cond1() const { return exactInverse ? exactCond1 : norm1 * inverseNorm1; }
    double condInf() const { return exactInverse ? exactCondInf : normInf * inverseNormInf; }
};

/// Solves the augmented n x (n+1) system Ab, read from `editText`, exactly
/// where the text allows it and in double precision otherwise; an entry
/// the decimal reading could not hold counts with its value as read.
ReferenceSolution referenceSolution(const Matrix& Ab, int n, std::string_view editText,
                                    const StopRequest& stop);

/// The edit area's text where the reference may be exact at order n, which
/// reads it again; empty above that order, where a copy of megabytes of
/// text would only raise the command's peak memory.
std::string referenceText(Host& host, int n);

/// x rounded to d decimals, the values the report shows.
Vector shownSolution(const Vector& x, int d);

/// The error of the solution as shown (x rounded to d decimals): x - x*,
/// computed exactly when the reference is exact and x is finite.
Vector shownError(const ReferenceSolution& ref, const Vector& x, int d);

/// The residual b - A·x of the solution as shown, summed left to right;
/// exact when the reference is exact and x is finite (then rounded once).
Vector shownResidual(const ReferenceSolution& ref, const Matrix& Ab, int n, const Vector& x, int d);

} // namespace quorvex
