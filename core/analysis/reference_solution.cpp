#include "analysis/reference_solution.h"

#include "analysis/dense_algebra.h"
#include "exact/exact_algebra.h"
#include "exact/exact_matrix.h"
#include "numerics/norm_routines.h"
#include "reading/number_text.h"

#include <cmath>

#include <optional>

namespace quorvex {

namespace {

Rational magnitude(const Rational& q) { return q < 0 ? Rational(-q) : q; }

/// The largest sum of magnitudes over rows (byRows) or columns of the
/// leading n x n block of M.
Rational exactNorm(const RationalMatrix& M, int n, bool byRows) {
    Rational largest = 0;
    for (int a = 1; a <= n; ++a) {
        Rational s = 0;
        for (int b = 1; b <= n; ++b) s += magnitude(byRows ? M(a, b) : M(b, a));
        if (s > largest) largest = s;
    }
    return largest;
}

/// The inverse's norms from doubles, for an order too large for the exact
/// inverse; a matrix nonsingular exactly but not in doubles gets its exact
/// inverse after all.
void inverseNorms(ReferenceSolution& ref, const Matrix& Ab, int n, const Rational& norm1,
                  const Rational& normInf) {
    if (n <= ReferenceSolution::kExactInverseOrderLimit || solveInDouble(Ab, n).singular) {
        if (const auto inverse = invertExactly(ref.system, n)) {
            const Rational inverseNorm1 = exactNorm(*inverse, n, false);
            const Rational inverseNormInf = exactNorm(*inverse, n, true);
            ref.exactInverse = true;
            ref.inverseNorm1 = inverseNorm1.get_d();
            ref.inverseNormInf = inverseNormInf.get_d();
            // Multiplied before rounding: a huge norm times a tiny one is a
            // modest condition number, while their doubles may be an
            // infinity and a zero.
            ref.exactCond1 = Rational(norm1 * inverseNorm1).get_d();
            ref.exactCondInf = Rational(normInf * inverseNormInf).get_d();
            return;
        }
    }
    const DoubleSolution s = solveInDouble(Ab, n);
    ref.inverseNorm1 = columnSumNorm(s.inverse, n);
    ref.inverseNormInf = rowSumNorm(s.inverse, n);
}

/// True when the exact value q is not what the decimal reading made of it,
/// beyond the rounding of its evaluation: an overflow to an infinity or to
/// 0, or digits lost below the normal range.
bool misread(const Rational& q, double read) {
    if (!std::isfinite(read)) return true;
    const Rational difference = magnitude(Rational(q - Rational(read)));
    return difference > magnitude(q) * Rational(1, 1000000000);
}

/// The entries with an exact value that the reading did not hold; each is
/// given its value as read.
std::vector<MisreadEntry> takeReadValues(ExactMatrixReading& reading, const Matrix& Ab, int n) {
    std::vector<MisreadEntry> found;
    std::size_t nextInexact = 0;
    for (int i = 1; i <= n; ++i)
        for (int j = 1; j <= n + 1; ++j) {
            if (nextInexact < reading.inexact.size() &&
                reading.inexact[nextInexact] == EntryPlace{i, j}) {
                ++nextInexact;
                continue;
            }
            if (!misread(reading.values(i, j), Ab(i, j))) continue;
            found.push_back({i, j, reading.text(i, j), Ab(i, j)});
            if (std::isfinite(Ab(i, j))) reading.values(i, j) = Ab(i, j);
        }
    return found;
}

std::optional<ReferenceSolution> exactReference(const Matrix& Ab, int n, std::string_view text,
                                                const StopRequest& stop,
                                                std::vector<MisreadEntry>& misreadEntries) {
    if (n > ReferenceSolution::kExactOrderLimit) return std::nullopt;
    ExactMatrixReading reading = GetExactMatrixFromText(n, n + 1, text);
    misreadEntries = takeReadValues(reading, Ab, n);
    // An entry read as an infinity leaves no exact system to solve.
    if (!reading.inexact.empty() || !allFinite(Ab, n, n + 1)) return std::nullopt;
    stop.check();
    ReferenceSolution ref;
    ref.exact = true;
    ref.order = n;
    ref.system = std::move(reading.values);
    const Rational norm1 = exactNorm(ref.system, n, false);
    const Rational normInf = exactNorm(ref.system, n, true);
    ref.norm1 = norm1.get_d();
    ref.normInf = normInf.get_d();
    const auto x = solveExactly(ref.system, n);
    if (!x) {
        ref.singular = true;
        return ref;
    }
    // A solution past the exact limit is no use to print or to measure
    // against; the double precision one has to do.
    ref.x = Vector(n);
    for (int i = 1; i <= n; ++i) {
        if (!withinExactLimit((*x)(i))) return std::nullopt;
        ref.exactX.push_back((*x)(i));
        ref.x(i) = ref.exactX.back().get_d();
    }
    stop.check();
    inverseNorms(ref, Ab, n, norm1, normInf);
    return ref;
}

ReferenceSolution doubleReference(const Matrix& Ab, int n) {
    ReferenceSolution ref;
    ref.order = n;
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

std::string referenceText(Host& host, int n) {
    return n <= ReferenceSolution::kExactOrderLimit ? host.editText() : std::string();
}

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
    std::vector<MisreadEntry> misread;
    auto exact = exactReference(Ab, n, editText, stop, misread);
    stop.check();
    ReferenceSolution ref = exact ? std::move(*exact) : doubleReference(Ab, n);
    ref.misread = std::move(misread);
    return ref;
}

} // namespace quorvex
