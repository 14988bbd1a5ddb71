// The direct methods in exact arithmetic, checked by what exact answers
// must satisfy: multiplied back they give the input exactly.
#include "exact/rational.h"
#include "exact/solution_set.h"
#include "methods/decomposition.h"
#include "methods/elimination.h"
#include "methods/tests_and_norms.h"
#include "scripted_host.h"
#include "texts/exact_texts.h"

#include <gtest/gtest.h>

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

/// Runs a command in exact mode with the order as its one answer.
ScriptedHost runExact(const Command& command, const Rows& rows, bool exact = true) {
    ScriptedHost host(textOf(rows), {std::to_string(rows.size())});
    host.settings.exact = exact;
    host.run(command);
    return host;
}

/// The report's lines after the first line starting with `heading`.
std::vector<std::string> linesAfter(const std::string& report, const std::string& heading) {
    std::istringstream in(report);
    std::vector<std::string> lines;
    bool seen = false;
    for (std::string line; std::getline(in, line);) {
        if (!line.empty() && line.back() == '\r') line.pop_back();
        if (seen) lines.push_back(line);
        else seen = line.rfind(heading, 0) == 0;
    }
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
    std::istringstream in(report);
    for (std::string line; std::getline(in, line);) {
        if (line.rfind("x(", 0) != 0) continue;
        if (line.back() == '\r') line.pop_back();
        const auto k = static_cast<std::size_t>(std::stoi(line.substr(2)));
        if (x.size() < k) x.resize(k);
        x[k - 1] = fraction(line.substr(line.find('=') + 1));
    }
    return x;
}

enum class Shape { General, Symmetric, Tridiagonal };

/// An n x (n+1) system of random integers; the coefficients are strictly
/// diagonally dominant, so no method meets a zero pivot.
Rows randomSystem(int n, Shape shape, std::mt19937& rng) {
    std::uniform_int_distribution<int> coef(-9, 9);
    Rows a(static_cast<std::size_t>(n), std::vector<Rational>(static_cast<std::size_t>(n + 1)));
    for (int i = 0; i < n; ++i)
        for (int j = 0; j <= n; ++j) {
            const bool band = shape != Shape::Tridiagonal || std::abs(i - j) <= 1 || j == n;
            if (shape == Shape::Symmetric && j < i) a[i][j] = a[j][i];
            else if (band) a[i][j] = coef(rng);
        }
    for (int i = 0; i < n; ++i) a[i][i] = 10 * n + coef(rng);
    return a;
}

struct SolverCase {
    const Command* command;
    Shape shape;
};

class ExactSolvers : public ::testing::TestWithParam<SolverCase> {};

TEST_P(ExactSolvers, SolutionMultipliedBackGivesTheRightHandSide) {
    std::mt19937 rng(13);
    for (int n = 1; n <= 10; ++n) {
        const Rows a = randomSystem(n, GetParam().shape, rng);
        const ScriptedHost host = runExact(*GetParam().command, a);
        ASSERT_TRUE(host.messages.empty()) << host.messages.front();
        const std::vector<Rational> x = exactSolution(host.result);
        ASSERT_EQ(x.size(), static_cast<std::size_t>(n));
        for (int i = 0; i < n; ++i) {
            Rational s = 0;
            for (int j = 0; j < n; ++j) s += a[i][j] * x[j];
            EXPECT_EQ(s, a[i][n]) << "order " << n << ", row " << i + 1;
        }
    }
}

INSTANTIATE_TEST_SUITE_P(Methods, ExactSolvers,
                         ::testing::Values(SolverCase{&commands::Gauss_1, Shape::General},
                                           SolverCase{&commands::GaussTier, Shape::General},
                                           SolverCase{&commands::GaussFull, Shape::General},
                                           SolverCase{&commands::LU_break, Shape::General},
                                           SolverCase{&commands::TierLU, Shape::General},
                                           SolverCase{&commands::MendSqrt, Shape::Symmetric},
                                           SolverCase{&commands::Purase, Shape::Tridiagonal}),
                         [](const auto& info) { return std::string(info.param.command->id); });

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
        Rows a = randomSystem(n, Shape::General, rng);
        for (auto& row : a) row.pop_back();
        const auto det =
            numbersOf(linesAfter(runExact(commands::A_range, a).result, "行列式的值为：").at(0));
        const std::vector<std::string> u = linesAfter(runExact(commands::MatrixBreak, a).result,
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

struct SingularCase {
    const Command* command;
    std::string_view message; ///< empty: a report, no message
};

class ExactSingular : public ::testing::TestWithParam<SingularCase> {};

TEST_P(ExactSingular, AZeroPivotGivesTheMethodsMessage) {
    // The second row is twice the first: exactly singular.
    const Rows a = {{1, 2, 3, 1}, {2, 4, 6, 2}, {1, 0, 1, 5}};
    const ScriptedHost host = runExact(*GetParam().command, a);
    if (GetParam().message.empty()) {
        EXPECT_TRUE(host.messages.empty());
        return;
    }
    ASSERT_EQ(host.messages.size(), 1u);
    EXPECT_EQ(host.messages[0], GetParam().message);
}

INSTANTIATE_TEST_SUITE_P(
    Methods, ExactSingular,
    // Row 2 loses twice row 1 and leaves a zero where Gauss_1, which
    // exchanges no rows, needs its second pivot.
    ::testing::Values(
        SingularCase{&commands::Gauss_1, "精确分数：第 2 步的主元 a(2,2) 为 0；本方法不交换行，"
                                         "请改用列主元或全主元消去法#"},
        // The pivoting eliminations classify the system instead.
        SingularCase{&commands::GaussTier, ""}, SingularCase{&commands::GaussFull, ""},
        SingularCase{&commands::A_matrix, texts::exact::kZeroPivot},
        SingularCase{&commands::MatrixBreak, "此方法不合适#"},
        SingularCase{&commands::LU_break, "此方法不合适！"},
        SingularCase{&commands::TierLU, "此方法不合适#"}, SingularCase{&commands::A_range, ""}),
    [](const auto& info) { return std::string(info.param.command->id); });

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

TEST(ExactSingular, DeterminantIsExactlyZero) {
    const Rows a = {{1, 2, 3}, {2, 4, 6}, {1, 0, 1}};
    const auto det = linesAfter(runExact(commands::A_range, a).result, "行列式的值为：");
    EXPECT_EQ(det.at(0), "   0");
}

TEST(ExactGrowth, NumbersBeyondTheLimitStopTheCommand) {
    const struct {
        const char* why;
        std::string input;
        const char* order;
    } cases[] = {
        {"eliminating the first column squares 10^6000", "1 10^6000 1\n10^6000 1 1\n", "2"},
        {"only the back substitution: x(1) = -10^5000 · 10^5001", "1 10^5000 0\n0 1 10^5001\n",
         "2"},
        {"only the right-hand side: 0 - 10 · 10^9999", "1 0 10^9999\n10 1 0\n", "2"},
        {"typed past the limit", "10^10000 1\n", "1"},
        {"computed past the limit", "(10^4000)*(10^4000)*(10^4000) 1\n", "1"},
        {"written out past the limit", std::string("1").append(10000, '0').append(" 1\n"), "1"},
    };
    for (const auto& c : cases) {
        ScriptedHost host(c.input, {c.order});
        host.settings.exact = true;
        EXPECT_EQ(host.run(commands::Gauss_1), Outcome::Failed) << c.why;
        ASSERT_EQ(host.messages.size(), 1u) << c.why;
        EXPECT_EQ(host.messages[0], texts::exact::kTooLong) << c.why;
        EXPECT_EQ(host.result, "") << c.why;
    }
}

TEST(ExactGrowth, NumbersWithinTheLimitStayExact) {
    // 10^8000 x = 1 and (10^10000 - 1) x = 1: the limit holds 10,000 digits.
    const std::string nines(10000, '9');
    const struct {
        std::string input;
        std::string x;
    } cases[] = {{"10^8000 1\n", std::string("x(1)=1/1").append(8000, '0')},
                 {"2^20000/2^19999 1\n", "x(1)=1/2"},
                 {std::string(nines).append(" 1\n"), std::string("x(1)=1/").append(nines)}};
    for (const auto& c : cases) {
        ScriptedHost host(c.input, {"1"});
        host.settings.exact = true;
        EXPECT_EQ(host.run(commands::GaussTier), Outcome::Reported);
        EXPECT_TRUE(host.messages.empty());
        EXPECT_NE(host.result.find(c.x + "\r\n"), std::string::npos) << c.x.substr(0, 20);
        EXPECT_EQ(host.result.find("没有精确值"), std::string::npos);
    }
}

TEST(ExactAgreement, ExactAndDecimalSolutionsAgreeToThePrintedDecimals) {
    std::mt19937 rng(33);
    for (const Command* command : {&commands::GaussTier, &commands::LU_break, &commands::TierLU}) {
        for (int n = 2; n <= 8; ++n) {
            const Rows a = randomSystem(n, Shape::General, rng);
            const std::vector<Rational> exact = exactSolution(runExact(*command, a).result);
            const std::vector<double> decimal =
                testing::solutionOf(runExact(*command, a, false).result);
            ASSERT_EQ(exact.size(), decimal.size());
            for (std::size_t i = 0; i < exact.size(); ++i)
                EXPECT_NEAR(exact[i].get_d(), decimal[i], 1e-6) << command->id << " order " << n;
        }
    }
}

} // namespace
} // namespace quorvex
