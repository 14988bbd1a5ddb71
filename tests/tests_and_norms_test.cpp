#include "base/rational.h"
#include "methods/tests_and_norms.h"
#include "numerics/norm_routines.h"
#include "reading/matrix_text.h"
#include "reading/number_text.h"
#include "reading/vector_text.h"
#include "scripted_host.h"
#include "support.h"
#include "texts/fill.h"
#include "texts/report_texts.h"

#include <gtest/gtest.h>

#include <cmath>
#include <cstdlib>
#include <limits>
#include <random>
#include <string>
#include <string_view>
#include <vector>

namespace quorvex {
namespace {

using testing::ScriptedHost;

/// The elements read from the text, joined by blanks.
std::string elementsOf(const std::string& text) {
    const Vector v = GetVectorFromText(text);
    std::string out;
    for (int i = 1; i <= v.size(); ++i) out.append(i > 1 ? " " : "").append(numberText(v(i)));
    return out;
}

TEST(VectorText, ReadsTheFirstLineThatHoldsAnything) {
    for (const auto& r : testing::table("vector_text")) EXPECT_EQ(elementsOf(r[0]), r[1]) << r[0];
    // The cleaning passes of typed input leave two blanks of a run of 287; a
    // run of any length still separates just two elements.
    EXPECT_EQ(elementsOf("1" + std::string(287, ' ') + "2"), "1 2");
}

Vector vectorOf(std::initializer_list<double> values) {
    Vector v(static_cast<int>(values.size()));
    int i = 1;
    for (double x : values) v(i++) = x;
    return v;
}

TEST(MaxAbsElement, SignKeptFirstOfEqualsSinglePrecision) {
    EXPECT_EQ(MaxAbsElement(vectorOf({1, -3, 2}), 3), -3.0f);
    EXPECT_EQ(MaxAbsElement(vectorOf({-2, 2}), 2), -2.0f);
    EXPECT_EQ(MaxAbsElement(vectorOf({2, -2}), 2), 2.0f);
    // Apart in double, equal in single: the first is kept.
    EXPECT_EQ(MaxAbsElement(vectorOf({-(1 + 0x1p-40), 1 + 0x1p-30}), 2), -1.0f);
    const float tenth = MaxAbsElement(vectorOf({0.1}), 1);
    EXPECT_EQ(tenth, 0.1f);
    EXPECT_NE(static_cast<double>(tenth), 0.1);
}

TEST(SpectralNormEstimate, DivisorsAreSinglePrecision) {
    // Order 1 with a = 1 + 2^-41: the divisors are powers of a² = 1 + 2^-40
    // (at most 1 + 30 * 2^-40), all 1 in single precision, so the estimate
    // is exactly 1 where the F-norm shows a itself.
    const double a = 1 + 0x1p-41;
    Matrix m(1, 2);
    m(1, 1) = a;
    EXPECT_EQ(spectralNormEstimate(m, 1), 1.0);
    EXPECT_EQ(frobeniusNorm(m, 1), a);
}

TEST(SpectralNormEstimate, WhereTheSweepsFailTheLargestSingularValueStandsIn) {
    // Where AᵀA overflows double precision, or holds an infinity (the
    // sweeps' sign changes, zero divisors and overflow of single precision
    // are case files).
    for (const double a : {1e200, HUGE_VAL}) {
        Matrix m(2, 3);
        m(1, 1) = a, m(2, 2) = 1, m(1, 3) = 7;
        EXPECT_DOUBLE_EQ(spectralNormEstimate(m, 2), a) << a;
    }
    Matrix nan(1, 1);
    nan(1, 1) = std::nan("");
    EXPECT_TRUE(std::isnan(spectralNormEstimate(nan, 1)));
}

TEST(VectorNorms, ElementCountIsASixteenBitInteger) {
    std::string line;
    for (int i = 0; i < 32767; ++i) line += "1 ";
    ScriptedHost fits(line, {});
    ASSERT_EQ(fits.run(commands::VectorModel), Outcome::Reported);
    EXPECT_NE(fits.result.find("向量的1范数为： 32767\r\n"), std::string::npos);
    ScriptedHost overflows(line + "1", {});
    overflows.result = "earlier report";
    EXPECT_EQ(overflows.run(commands::VectorModel), Outcome::Stopped);
    EXPECT_EQ(overflows.result, "");
    EXPECT_TRUE(overflows.dialogs.empty());
}

namespace R = texts::report;

// Random matrices of orders 2 to 20 in classes that each take a norm
// somewhere the plain formulas fail: squares beyond the doubles' range
// either way, magnitudes from 1e-310 to 1e300 side by side, the Hilbert
// matrices, and matrices whose dominant direction a start vector of ones
// never meets.
enum class NormClass { Moderate, Huge, Tiny, Mixed, SquaresOverflow, Hilbert, Hidden, kCount };

/// An entry p·10^e as typed.
std::string scaled(long long p, int e) { return std::to_string(p) + "e" + std::to_string(e); }

/// The text of a random n x n matrix of the class, one row a line.
std::string randomNormMatrix(std::mt19937& gen, int n, NormClass c) {
    std::uniform_int_distribution<int> digits(-999, 999);
    std::vector<std::vector<std::string>> a(n, std::vector<std::string>(n, "0"));
    if (c == NormClass::Hidden) {
        // A block c·u·uᵀ with u summing to 0 beside a small diagonal: AᵀA
        // sends a vector of ones to the small block, never to u.
        const int m = 2 + static_cast<int>(gen() % static_cast<unsigned>(n - 1));
        std::uniform_int_distribution<int> part(-5, 5);
        std::vector<long long> u(m);
        long long sum = 0;
        for (int i = 0; i + 1 < m; ++i) sum += u[i] = part(gen);
        u[m - 1] = -sum;
        if (sum == 0) u[0] += 1, u[m - 1] -= 1;
        const int size = 1 + static_cast<int>(gen() % 9);
        for (int i = 0; i < m; ++i)
            for (int j = 0; j < m; ++j) a[i][j] = std::to_string(size * u[i] * u[j]);
        for (int i = m; i < n; ++i) a[i][i] = scaled(1 + gen() % 9, -1);
    }
    for (int i = 0; i < n; ++i)
        for (int j = 0; j < n; ++j) {
            const int p = digits(gen);
            switch (c) {
            case NormClass::Moderate: a[i][j] = scaled(p, static_cast<int>(gen() % 7) - 5); break;
            case NormClass::Huge: a[i][j] = scaled(p, 298); break;
            case NormClass::Tiny: a[i][j] = scaled(p, -302); break;
            case NormClass::Mixed: a[i][j] = scaled(p, static_cast<int>(gen() % 611) - 310); break;
            case NormClass::SquaresOverflow:
                a[i][j] = scaled(p, 152 + static_cast<int>(gen() % 9));
                break;
            case NormClass::Hilbert: a[i][j] = "1/" + std::to_string(i + j + 1); break;
            default: break;
            }
        }
    std::string text;
    for (const auto& row : a) {
        for (const std::string& e : row) text += e + " ";
        text += "\n";
    }
    return text;
}

/// The number a report prints after the text of `label` before its
/// placeholder; NaN when there is none.
double printedAfter(const std::string& report, std::string_view label) {
    const std::string head(label.substr(0, label.find("{}")));
    const std::size_t at = report.find(head);
    if (at == std::string::npos) return std::nan("");
    return std::strtod(report.c_str() + at + head.size(), nullptr);
}

/// The root of a sum of squares in long double, whose range holds the
/// square of every double.
long double rootOfSquares(const std::vector<double>& xs) {
    long double s = 0;
    for (double x : xs) s += static_cast<long double>(x) * x;
    return std::sqrt(s);
}

struct Allowance {
    int digits;
    /// What writing v may have moved it: half a unit of the last decimal
    /// a rounded number keeps, and the 15 significant digits of any.
    double operator()(double v) const {
        return 0.5 * std::pow(10.0, -digits) + 1e-13 * std::fabs(v);
    }
};

/// a <= b but for what writing them may have moved them, and a relative
/// `slack` of b.
::testing::AssertionResult atMost(double a, double b, Allowance allow, double slack = 0.0) {
    if (a <= b * (1 + slack) + allow(a) + allow(b)) return ::testing::AssertionSuccess();
    return ::testing::AssertionFailure() << numberText(a) << " > " << numberText(b);
}

// The 2-norm's reference value comes from a power iteration whose divisor
// is a single-precision number: a relative 6e-8 of it is the method's own.
constexpr double kPowerSlack = 1e-6;

TEST(NormProperty, EveryNormPrintedLiesWithinItsBounds) {
    std::mt19937 gen(35);
    const int kinds = static_cast<int>(NormClass::kCount);
    for (int trial = 0; trial < 140 * kinds; ++trial) {
        const auto c = static_cast<NormClass>(trial % kinds);
        const int n = 2 + static_cast<int>(gen() % 19);
        const int digits = trial % 3 == 0 ? 6 : trial % 3 == 1 ? 10 : 16;
        const Allowance allow{digits};
        const std::string text = randomNormMatrix(gen, n, c);
        SCOPED_TRACE(text);
        Matrix A(n, n + 1);
        GetMatrixFromText(A, n, text);
        std::vector<double> entries;
        double one = 0, infinity = 0;
        for (int j = 1; j <= n; ++j) {
            double column = 0, row = 0;
            for (int i = 1; i <= n; ++i) {
                column += std::fabs(A(i, j));
                row += std::fabs(A(j, i));
                entries.push_back(A(i, j));
            }
            one = std::fmax(one, column);
            infinity = std::fmax(infinity, row);
        }
        const double frobenius = static_cast<double>(rootOfSquares(entries));
        const double bound = std::sqrt(one) * std::sqrt(infinity);

        ScriptedHost matrix(text, {std::to_string(n)}, digits);
        ASSERT_EQ(matrix.run(commands::MatrixModel), Outcome::Reported);
        const double p1 = printedAfter(matrix.result, R::kMatrixOneNorm);
        const double p2 = printedAfter(matrix.result, R::kMatrixTwoNorm);
        const double pf = printedAfter(matrix.result, R::kMatrixFrobeniusNorm);
        const double pi = printedAfter(matrix.result, R::kMatrixInfinityNorm);
        EXPECT_TRUE(atMost(p1, one, allow) && atMost(one, p1, allow));
        EXPECT_TRUE(atMost(pi, infinity, allow) && atMost(infinity, pi, allow));
        EXPECT_TRUE(atMost(pf, frobenius, allow, 1e-12) && atMost(frobenius, pf, allow, 1e-12));
        EXPECT_TRUE(atMost(pf / std::sqrt(n), p2, allow, kPowerSlack));
        EXPECT_TRUE(atMost(p2, pf, allow, kPowerSlack));
        EXPECT_TRUE(atMost(p2, std::sqrt(p1) * std::sqrt(pi), allow, kPowerSlack));
        // The same unrounded, where the printed decimals hold nothing of
        // a tiny norm.
        const double two = spectralNormEstimate(A, n);
        const Allowance none{400};
        EXPECT_TRUE(atMost(frobeniusNorm(A, n), frobenius, none, 1e-12) &&
                    atMost(frobenius, frobeniusNorm(A, n), none, 1e-12));
        EXPECT_TRUE(atMost(frobenius / std::sqrt(n), two, none, kPowerSlack));
        EXPECT_TRUE(atMost(two, frobenius, none, kPowerSlack));
        EXPECT_TRUE(atMost(two, bound, none, kPowerSlack));

        // The vector: the first row of the matrix.
        std::string line = text.substr(0, text.find('\n'));
        const Vector v = GetVectorFromText(line);
        ASSERT_EQ(v.size(), n);
        std::vector<double> elements;
        for (int i = 1; i <= n; ++i) elements.push_back(v(i));
        const double vTwo = static_cast<double>(rootOfSquares(elements));
        ScriptedHost vector(line, {}, digits);
        ASSERT_EQ(vector.run(commands::VectorModel), Outcome::Reported);
        const double q1 = printedAfter(vector.result, R::kVectorOneNorm);
        const double q2 = printedAfter(vector.result, R::kVectorTwoNorm);
        const double qi = printedAfter(vector.result, R::kVectorInfinityNorm);
        EXPECT_TRUE(atMost(qi, q2, allow) && atMost(q2, q1, allow));
        EXPECT_TRUE(atMost(q2, vTwo, allow, 1e-12) && atMost(vTwo, q2, allow, 1e-12));
        EXPECT_TRUE(atMost(vectorTwoNorm(v, n), vTwo, none, 1e-12) &&
                    atMost(vTwo, vectorTwoNorm(v, n), none, 1e-12));
        if (HasFailure()) return;
    }
}

// Symmetric matrices whose definiteness rounding can decide: the Hilbert
// matrices, Gram matrices of too few vectors (singular, yet rounding may
// leave every minor positive) and of enough vectors less a hair, scaled far
// below the doubles' range, and plain random ones.
enum class DefiniteClass { Hilbert, Fractions, Singular, NearlySingular, Tiny, kCount };

/// A symmetric matrix as typed, and its exact value.
struct TypedMatrix {
    std::string text;
    std::vector<std::vector<Rational>> exact;
};

TypedMatrix randomSymmetric(std::mt19937& gen, int n, DefiniteClass c) {
    std::vector<std::vector<std::string>> typed(n, std::vector<std::string>(n));
    std::vector<std::vector<Rational>> exact(n, std::vector<Rational>(n));
    const auto put = [&](int i, int j, const std::string& t, const Rational& q) {
        typed[i][j] = typed[j][i] = t;
        exact[i][j] = exact[j][i] = q;
    };
    std::uniform_int_distribution<int> small(-4, 4);
    if (c == DefiniteClass::Singular || c == DefiniteClass::NearlySingular) {
        // BᵀB / q for B with r rows: rank r at most.
        const int r = c == DefiniteClass::Singular ? 1 + static_cast<int>(gen() % (n - 1)) : n;
        const int q = std::vector<int>{1, 3, 7, 9}[gen() % 4];
        const int tenths = 3 + static_cast<int>(gen() % 10);
        std::vector<std::vector<int>> B(r, std::vector<int>(n));
        for (auto& row : B)
            for (int& b : row) b = small(gen);
        for (int i = 0; i < n; ++i)
            for (int j = i; j < n; ++j) {
                int g = 0;
                for (int k = 0; k < r; ++k) g += B[k][i] * B[k][j];
                std::string t = std::to_string(g);
                Rational v(g);
                if (c == DefiniteClass::NearlySingular && i == j) {
                    // g + 10^-tenths, the diagonal of a Gram matrix being >= 0.
                    t += "." + std::string(tenths - 1, '0') + "1";
                    mpz_class ten;
                    mpz_ui_pow_ui(ten.get_mpz_t(), 10, tenths);
                    v += Rational(mpz_class(1), ten);
                }
                if (q != 1) t = "(" + t + ")/" + std::to_string(q), v /= q;
                put(i, j, t, v);
            }
    } else {
        mpz_class tiny;
        mpz_ui_pow_ui(tiny.get_mpz_t(), 10, 200);
        for (int i = 0; i < n; ++i)
            for (int j = i; j < n; ++j) {
                const int p = i == j && gen() % 3 != 0 ? 4 * n + small(gen) : small(gen);
                const int q = 1 + static_cast<int>(gen() % 3) * 3;
                if (c == DefiniteClass::Hilbert)
                    put(i, j, "1/" + std::to_string(i + j + 1), Rational(1, i + j + 1));
                else if (c == DefiniteClass::Tiny)
                    put(i, j, std::to_string(p) + "e-200", Rational(mpz_class(p), tiny));
                else put(i, j, std::to_string(p) + "/" + std::to_string(q), Rational(p, q));
            }
    }
    TypedMatrix m{{}, std::move(exact)};
    for (const auto& row : typed) {
        for (const std::string& t : row) m.text += t + " ";
        m.text += "\n";
    }
    for (auto& row : m.exact)
        for (Rational& q : row) q.canonicalize();
    return m;
}

/// The leading minors of a, exactly, up to the first that is not positive:
/// without exchanges, the k-th pivot is the k-th minor over the (positive)
/// minor before it.
std::vector<Rational> minorsUntilNotPositive(std::vector<std::vector<Rational>> a) {
    const int n = static_cast<int>(a.size());
    std::vector<Rational> minors;
    Rational minor = 1;
    for (int k = 0; k < n; ++k) {
        minor *= a[k][k];
        minors.push_back(minor);
        if (sgn(a[k][k]) <= 0) break;
        for (int i = k + 1; i < n; ++i) {
            const Rational f = a[i][k] / a[k][k];
            for (int j = k; j < n; ++j) a[i][j] -= f * a[k][j];
        }
    }
    return minors;
}

TEST(DefiniteProperty, VerdictAndNoticeAgreeWithExactArithmetic) {
    std::mt19937 gen(44);
    const int kinds = static_cast<int>(DefiniteClass::kCount);
    int rounding = 0, underflow = 0, notDefinite = 0, agreeing = 0;
    for (int trial = 0; trial < 120 * kinds; ++trial) {
        const auto c = static_cast<DefiniteClass>(trial % kinds);
        const int n = 2 + static_cast<int>(gen() % (c == DefiniteClass::Hilbert ? 13 : 19));
        const TypedMatrix m = randomSymmetric(gen, n, c);
        SCOPED_TRACE(m.text);
        ScriptedHost host(m.text, {std::to_string(n)}, 16);
        ASSERT_EQ(host.run(commands::CMatrixJudge), Outcome::Reported);
        const bool reportDefinite = host.result.find(R::kPositiveDefinite) != std::string::npos;
        int failing = 0;
        for (int k = 1; k <= n && !reportDefinite && failing == 0; ++k)
            if (host.result.find(fillText(R::kMinorNotPositive, {std::to_string(k)})) !=
                std::string::npos)
                failing = k;
        ASSERT_TRUE(reportDefinite || failing > 0) << host.result;

        const std::vector<Rational> minors = minorsUntilNotPositive(m.exact);
        const bool definite = sgn(minors.back()) > 0;
        std::vector<std::string> expected;
        if (reportDefinite && !definite) {
            expected.push_back(
                fillText(R::kExactlyNotPositiveDefinite, {std::to_string(minors.size())}));
            ++notDefinite;
        } else if (!reportDefinite && definite) {
            const bool tiny =
                minors[failing - 1] < Rational(std::numeric_limits<double>::denorm_min());
            expected.push_back(
                fillText(tiny ? R::kExactlyPositiveDefiniteUnderflow : R::kExactlyPositiveDefinite,
                         {std::to_string(failing)}));
            ++(tiny ? underflow : rounding);
        } else {
            ++agreeing;
        }
        EXPECT_EQ(host.notices, expected);
        if (HasFailure()) return;
    }
    // Every kind of disagreement was met.
    EXPECT_GT(rounding, 0);
    EXPECT_GT(underflow, 0);
    EXPECT_GT(notDefinite, 0);
    EXPECT_GT(agreeing, 0);
}

} // namespace
} // namespace quorvex
