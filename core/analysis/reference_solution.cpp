#include "analysis/reference_solution.h"

#include "analysis/dense_algebra.h"
#include "exact/exact_matrix.h"
#include "norm_routines.h"
#include "number_text.h"

#include <cmath>

#include <optional>

namespace quorvex {

namespace {

/// Rational elimination costs about n³ operations on numbers that grow with
/// n; beyond this order the double precision reference has to do.
constexpr int kExactOrderLimit = 100;

Rational magnitude(const Rational& q) { return q < 0 ? Rational(-q) : q; }

/// The largest sum of magnitudes over rows (byRows) or columns of the
/// leading n x n block of M, starting at column `first`.
Rational exactNorm(const RationalMatrix& M, int n, int first, bool byRows) {
    Rational largest = 0;
    for (int a = 1; a <= n; ++a) {
        Rational s = 0;
        for (int b = 1; b <= n; ++b)
            s += magnitude(byRows ? M(a, first + b - 1) : M(b, first + a - 1));
        if (s > largest) largest = s;
    }
    return largest;
}

/// Gauss-Jordan reduction of W = [A | b | I] (n x 2n+1) in rationals, the
/// first nonzero entry of each column taking the pivot. Nothing when the
/// numbers outgrow the exact limit; `singular` when a column has no pivot.
std::optional<RationalMatrix> reduceExactly(RationalMatrix W, int n, bool& singular,
                                            const StopRequest& stop) {
    const int width = W.cols();
    for (int k = 1; k <= n; ++k) {
        stop.check();
        int p = k;
        while (p <= n && W(p, k) == 0) ++p;
        if (p > n) {
            singular = true;
            return W;
        }
        for (int j = 1; j <= width && p != k; ++j) swap(W(k, j), W(p, j));
        const Rational pivot = W(k, k);
        for (int j = k; j <= width; ++j) W(k, j) /= pivot;
        for (int i = 1; i <= n; ++i) {
            if (i == k || W(i, k) == 0) continue;
            const Rational m = W(i, k);
            for (int j = k; j <= width; ++j) {
                W(i, j) -= m * W(k, j);
                if (!withinExactLimit(W(i, j))) return std::nullopt;
            }
        }
    }
    return W;
}

std::optional<ReferenceSolution> exactReference(int n, std::string_view text,
                                                const StopRequest& stop) {
    if (n > kExactOrderLimit) return std::nullopt;
    ExactMatrixReading reading = GetExactMatrixFromText(n, n + 1, text);
    if (!reading.inexact.empty()) return std::nullopt;
    RationalMatrix W(n, 2 * n + 1);
    for (int i = 1; i <= n; ++i) {
        for (int j = 1; j <= n + 1; ++j) W(i, j) = reading.values(i, j);
        W(i, n + 1 + i) = 1;
    }
    ReferenceSolution ref;
    ref.exact = true;
    ref.system = std::move(reading.values);
    const Rational norm1 = exactNorm(W, n, 1, false);
    const Rational normInf = exactNorm(W, n, 1, true);
    ref.norm1 = norm1.get_d();
    ref.normInf = normInf.get_d();
    const auto reduced = reduceExactly(std::move(W), n, ref.singular, stop);
    if (!reduced) return std::nullopt;
    if (ref.singular) return ref;
    ref.x = Vector(n);
    for (int i = 1; i <= n; ++i) {
        ref.exactX.push_back((*reduced)(i, n + 1));
        ref.x(i) = ref.exactX.back().get_d();
    }
    const Rational inverseNorm1 = exactNorm(*reduced, n, n + 2, false);
    const Rational inverseNormInf = exactNorm(*reduced, n, n + 2, true);
    ref.inverseNorm1 = inverseNorm1.get_d();
    ref.inverseNormInf = inverseNormInf.get_d();
    // Multiplied before rounding: a huge norm times a tiny one is a modest
    // condition number, while their doubles may be an infinity and a zero.
    ref.exactCond1 = Rational(norm1 * inverseNorm1).get_d();
    ref.exactCondInf = Rational(normInf * inverseNormInf).get_d();
    return ref;
}

ReferenceSolution doubleReference(const Matrix& Ab, int n) {
    ReferenceSolution ref;
    ref.norm1 = columnSumNorm(Ab, n);
    ref.normInf = rowSumNorm(Ab, n);
    const DoubleSolution s = solveInDouble(Ab, n);
    ref.singular = s.singular;
    if (s.singular) return ref;
    ref.x = s.x;
    ref.inverseNorm1 = columnSumNorm(s.inverse, n);
    ref.inverseNormInf = rowSumNorm(s.inverse, n);
    return ref;
}

/// The exact decimal value of x rounded to d decimals, as the report writes
/// it; nothing for a value that is not a finite number.
std::optional<Rational> shownExactly(double x, int d) {
    const double scaled = roundHalfEven(x * std::pow(10.0, d));
    if (!std::isfinite(scaled)) return std::nullopt;
    mpz_class ten = 10;
    mpz_pow_ui(ten.get_mpz_t(), ten.get_mpz_t(), static_cast<unsigned long>(d));
    return Rational(mpz_class(scaled), ten);
}

/// The solution as shown, exactly; nothing when a component is not finite.
std::optional<std::vector<Rational>> shownExactly(const Vector& x, int d) {
    std::vector<Rational> q;
    for (int i = x.lo(); i <= x.hi(); ++i) {
        auto v = shownExactly(x(i), d);
        if (!v) return std::nullopt;
        q.push_back(std::move(*v));
    }
    return q;
}

} // namespace

Vector shownSolution(const Vector& x, int d) {
    Vector s(x.lo(), x.hi());
    for (int i = x.lo(); i <= x.hi(); ++i) s(i) = roundTo(x(i), d);
    return s;
}

Vector shownError(const ReferenceSolution& ref, const Vector& x, int d) {
    Vector e(x.lo(), x.hi());
    const auto q = ref.exact ? shownExactly(x, d) : std::nullopt;
    for (int i = x.lo(); i <= x.hi(); ++i)
        e(i) = q ? Rational((*q)[static_cast<std::size_t>(i - 1)] -
                            ref.exactX[static_cast<std::size_t>(i - 1)])
                       .get_d()
                 : roundTo(x(i), d) - ref.x(i);
    return e;
}

Vector shownResidual(const ReferenceSolution& ref, const Matrix& Ab, int n, const Vector& x,
                     int d) {
    const auto q = ref.exact ? shownExactly(x, d) : std::nullopt;
    if (!q) return residual(Ab, n, shownSolution(x, d));
    Vector r(n);
    for (int i = 1; i <= n; ++i) {
        Rational s = ref.system(i, n + 1);
        for (int j = 1; j <= n; ++j) s -= ref.system(i, j) * (*q)[static_cast<std::size_t>(j - 1)];
        r(i) = s.get_d();
    }
    return r;
}

ReferenceSolution referenceSolution(const Matrix& Ab, int n, std::string_view editText,
                                    const StopRequest& stop) {
    if (auto exact = exactReference(n, editText, stop)) return *exact;
    stop.check();
    return doubleReference(Ab, n);
}

} // namespace quorvex
