// The direct methods in exact arithmetic, checked by what exact answers
// must satisfy: the known solution, the identity, the pivots' product.
#include "base/rational.h"
#include "exact/solution_set.h"
#include "methods/decomposition.h"
#include "methods/elimination.h"
#include "methods/tests_and_norms.h"
#include "scripted_host.h"
#include "support.h"
#include "texts/exact_texts.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <random>
#include <sstream>
#include <string>
#include <vector>

namespace quorvex {
namespace {

using testing::ScriptedHost;
using Rows = std::vector<std::vector<Rational>>;

Rational fraction(const std::string& text) {
    Rational q(text);
    q.canonicalize();
    return q;
}

std::string textOf(const Rows& rows) {
    std::string text;
    for (const auto& row : rows) {
        for (const Rational& v : row) text += rationalText(v) + " ";
        text += "\n";
    }
    return text;
}

/// Runs a command in exact fractions with the order as its one answer.
ScriptedHost run(const Command& command, const std::string& text, int n) {
    return testing::ran(command, text, {std::to_string(n)}, false, true);
}

ScriptedHost runExact(const Command& command, const Rows& rows) {
    return run(command, textOf(rows), static_cast<int>(rows.size()));
}

/// The report's lines after the first line starting with `heading`.
std::vector<std::string> linesAfter(const std::string& report, const std::string& heading) {
    std::vector<std::string> lines = testing::linesOf(report);
    const auto at = std::find_if(lines.begin(), lines.end(),
                                 [&](const std::string& l) { return l.starts_with(heading); });
    lines.erase(lines.begin(), at == lines.end() ? at : at + 1);
    return lines;
}

std::vector<Rational> numbersOf(const std::string& line) {
    std::istringstream in(line);
    std::vector<Rational> out;
    for (std::string word; in >> word;) out.push_back(fraction(word));
    return out;
}

/// The exact values of the "x(k)=v" lines, placed by the unknown's number.
std::vector<Rational> exactSolution(const std::string& report) {
    std::vector<Rational> x;
    for (const std::string& line : testing::linesOf(report)) {
        if (!line.starts_with("x(")) continue;
        const auto k = static_cast<std::size_t>(std::stoi(line.substr(2)));
        if (x.size() < k) x.resize(k);
        x[k - 1] = fraction(line.substr(line.find('=') + 1));
    }
    return x;
}

using testing::Shape;

TEST(ExactSolvers, GiveTheSolutionExactly) {
    const std::pair<const Command*, Shape> solvers[] = {
        {&commands::Gauss_1, Shape::General},   {&commands::GaussTier, Shape::General},
        {&commands::GaussFull, Shape::General}, {&commands::LU_break, Shape::General},
        {&commands::TierLU, Shape::General},    {&commands::MendSqrt, Shape::Symmetric},
        {&commands::Purase, Shape::Tridiagonal}};
    for (const auto& [command, shape] : solvers) {
        std::mt19937 rng(13);
        for (int n = 1; n <= 10; ++n) {
            std::vector<double> solution;
            const std::string text = testing::dominantSystem(n, 10, shape, rng, solution);
            const ScriptedHost host = run(*command, text, n);
            ASSERT_TRUE(host.messages.empty()) << command->id << ": " << host.messages.front();
            const std::vector<Rational> x = exactSolution(host.result);
            ASSERT_EQ(x.size(), solution.size()) << command->id;
            for (int i = 0; i < n; ++i)
                EXPECT_EQ(x[i], Rational(solution[i])) << command->id << " order " << n;
        }
    }
}

/// The inverse from the report of A_matrix.
Rows reportedInverse(const std::string& report, int n) {
    const std::vector<std::string> lines = linesAfter(report, "矩阵的逆为：");
    Rows inv;
    for (int i = 0; i < n; ++i) inv.push_back(numbersOf(lines.at(static_cast<std::size_t>(i))));
    return inv;
}

TEST(ExactInverse, TimesTheMatrixIsTheIdentity) {
    std::mt19937 rng(5);
    std::uniform_int_distribution<int> coef(-9, 9);
    for (int n = 1; n <= 10; ++n) {
        Rows a(static_cast<std::size_t>(n), std::vector<Rational>(static_cast<std::size_t>(n)));
        for (auto& row : a)
            for (Rational& v : row) v = coef(rng);
        const ScriptedHost host = runExact(commands::A_matrix, a);
        if (!host.messages.empty()) { // a random singular matrix
            EXPECT_EQ(host.messages.front(), texts::exact::kZeroPivot);
            continue;
        }
        const Rows inv = reportedInverse(host.result, n);
        for (int i = 0; i < n; ++i)
            for (int j = 0; j < n; ++j) {
                Rational s = 0;
                for (int k = 0; k < n; ++k) s += a[i][k] * inv[k][j];
                EXPECT_EQ(s, i == j ? 1 : 0) << "order " << n << " at " << i + 1 << "," << j + 1;
            }
    }
}

mpz_class binomial(unsigned long n, unsigned long k) {
    mpz_class c;
    mpz_bin_uiui(c.get_mpz_t(), n, k);
    return c;
}

TEST(ExactInverse, HilbertSixHasItsKnownIntegerEntries) {
    const int n = 6;
    Rows h(n, std::vector<Rational>(n));
    for (int i = 1; i <= n; ++i)
        for (int j = 1; j <= n; ++j) h[i - 1][j - 1] = Rational(1, i + j - 1);
    const Rows inv = reportedInverse(runExact(commands::A_matrix, h).result, n);
    EXPECT_EQ(inv[0][0], 36);
    EXPECT_EQ(inv[5][5], 11 * 252 * 252);
    for (unsigned long i = 1; i <= n; ++i)
        for (unsigned long j = 1; j <= n; ++j) {
            const mpz_class b = binomial(i + j - 2, i - 1);
            mpz_class e =
                (i + j - 1) * binomial(n + i - 1, n - j) * binomial(n + j - 1, n - i) * b * b;
            if ((i + j) % 2 == 1) e = -e;
            EXPECT_EQ(inv[i - 1][j - 1], Rational(e)) << i << "," << j;
        }
}

TEST(ExactDeterminant, IsTheProductOfTheDecompositionsPivots) {
    std::mt19937 rng(21);
    for (int n = 1; n <= 8; ++n) {
        std::vector<double> solution; // the determinant reads n numbers a line
        const std::string a = testing::dominantSystem(n, 10, Shape::General, rng, solution);
        const auto det =
            numbersOf(linesAfter(run(commands::A_range, a, n).result, "行列式的值为：").at(0));
        const std::vector<std::string> u = linesAfter(run(commands::MatrixBreak, a, n).result,
                                                      "输出矩阵三角分解后的上三角矩阵U(n)");
        Rational product = 1;
        int row = 0;
        for (const std::string& line : u) {
            if (line.empty()) continue;
            product *= numbersOf(line).at(static_cast<std::size_t>(row++));
        }
        ASSERT_EQ(row, n);
        EXPECT_EQ(det.at(0), product) << "order " << n;
    }
}

// A consistent system of rank r < n built as P·Q: the general solution,
// for any values of its parameters, satisfies every equation exactly.
TEST(ExactSingular, TheGeneralSolutionSolvesTheSystemForAnyParameters) {
    std::mt19937 rng(23);
    std::uniform_int_distribution<int> small(-4, 4);
    for (int n = 2; n <= 6; ++n)
        for (int r = 1; r < n; ++r) {
            RationalMatrix P(n, r), Q(r, n);
            for (int i = 1; i <= n; ++i)
                for (int k = 1; k <= r; ++k) P(i, k) = small(rng);
            for (int k = 1; k <= r; ++k) {
                Q(k, k) = 1; // Q has full rank r, so A = P·Q has P's rank
                for (int j = k + 1; j <= n; ++j) Q(k, j) = Rational(small(rng)) / 3;
            }
            RationalMatrix B(n, n + 1);
            RationalVector chosen(n);
            for (int j = 1; j <= n; ++j) chosen(j) = Rational(small(rng)) / 2;
            for (int i = 1; i <= n; ++i) {
                for (int j = 1; j <= n; ++j)
                    for (int k = 1; k <= r; ++k) B(i, j) += P(i, k) * Q(k, j);
                for (int j = 1; j <= n; ++j) B(i, n + 1) += B(i, j) * chosen(j);
            }
            const SolutionSet s = solutionSet(B, n);
            ASSERT_TRUE(s.solvable()) << n << " " << r;
            EXPECT_LE(s.rankA, r);
            ASSERT_EQ(s.directions.size(), static_cast<std::size_t>(n - s.rankA));
            for (int draw = 0; draw < 5; ++draw) {
                RationalVector x = s.particular;
                for (const RationalVector& v : s.directions) {
                    const Rational t = Rational(small(rng)) / (1 + draw);
                    for (int j = 1; j <= n; ++j) x(j) += t * v(j);
                }
                for (int i = 1; i <= n; ++i) {
                    Rational left = 0;
                    for (int j = 1; j <= n; ++j) left += B(i, j) * x(j);
                    EXPECT_EQ(left, B(i, n + 1)) << "order " << n << ", rank " << r;
                }
            }
        }
}

} // namespace
} // namespace quorvex
