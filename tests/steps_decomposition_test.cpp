// Worked steps of the decompositions: hand-worked sections, where they stop,
// the recorded entries replayed into the very factors and solutions the
// routines return, and reports with steps off left as they were.
#include "exact/exact_texts.h"
#include "hand_replay.h"
#include "methods/decomposition.h"
#include "methods/decomposition_parts.h"
#include "methods/decomposition_routines.h"
#include "scripted_host.h"
#include "steps/decomposition_steps.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <cstring>
#include <map>
#include <random>
#include <string>
#include <tuple>
#include <vector>

namespace quorvex {
namespace {

using testing::ScriptedHost;
using testing::Shape;

const std::string kStepsHeading = "\r\n详细步骤：\r\n";

/// Lines joined with CR LF, each ended by one.
std::string lines(std::initializer_list<const char*> ls) {
    std::string out;
    for (const char* l : ls) out += std::string(l) + "\r\n";
    return out;
}

/// The steps section of a report, from after its heading to the line break
/// before `next`.
std::string stepsSection(const std::string& report, const std::string& next) {
    const auto from = report.find(kStepsHeading);
    const auto to = report.find("\r\n" + next);
    if (from == std::string::npos || to == std::string::npos || to < from) return "(none)";
    return report.substr(from + kStepsHeading.size(), to - from - kStepsHeading.size());
}

ScriptedHost runWithSteps(const Command& command, const std::string& text, int n, bool steps,
                          bool exact = false) {
    ScriptedHost host(text, {std::to_string(n)});
    host.settings.steps = steps;
    host.settings.exact = exact;
    host.run(command);
    return host;
}

const char* const kLowerHeading = "输出方程组的系数矩阵LU分解后的下三角矩阵L(n)";

struct HandWorked {
    const char* name;
    const Command* command;
    const char* input;
    bool exact;
    const char* next; ///< the report's line after the steps
    std::string steps;
};

void PrintTo(const HandWorked& c, std::ostream* os) { *os << c.name; }

// A = L·D·Lᵀ with l(2,1) = 1/2, l(3,1) = -1/2, l(3,2) = 1/2, D = diag(4, 4, 4)
// and x = (1, 1, 1), worked by hand.
const char* const kLdltInput = "4 2 -2 4\n2 5 1 8\n-2 1 6 5\n";

const HandWorked kHandWorked[] = {
    // a(1,1) < 0: the very first root stops the method.
    {"CholeskyStopsAtTheFirstRoot", &commands::SqrtRoot, "-4 2 1\n2 5 1\n", false, kLowerHeading,
     lines({"分解 A = L*L'：", "第 1 步：", "l(1,1) = √(a(1,1)) = √(-4)",
            "被开方数不是正数，不能开平方，分解到此停止，以下结果无意义"})},
    {"LdltInDecimals", &commands::MendSqrt, kLdltInput, false, kLowerHeading,
     lines(
         {"分解 A = L*D*L'：",
          "第 1 步：",
          "d(1) = a(1,1) = 4",
          "l(2,1) = a(2,1) ÷ d(1) = 2 ÷ 4 = 0.5",
          "l(3,1) = a(3,1) ÷ d(1) = (-2) ÷ 4 = -0.5",
          "第 2 步：",
          "d(2) = a(2,2) − l(2,1) × l(2,1) × d(1) = 5 − 0.5 × 0.5 × 4 = 5 − 1 = 4",
          "l(3,2) = (a(3,2) − l(3,1) × d(1) × l(2,1)) ÷ d(2) = (1 − (-0.5) × 4 × 0.5) ÷ 4 = "
          "(1 − (-1)) ÷ 4 = 0.5",
          "第 3 步：",
          "d(3) = a(3,3) − (l(3,1) × l(3,1) × d(1) + l(3,2) × l(3,2) × d(2)) = "
          "6 − ((-0.5) × (-0.5) × 4 + 0.5 × 0.5 × 4) = 6 − 2 = 4",
          "解 LY = b：",
          "y(1) = b(1) = 4",
          "y(2) = b(2) − l(2,1) × y(1) = 8 − 0.5 × 4 = 8 − 2 = 6",
          "y(3) = b(3) − (l(3,1) × y(1) + l(3,2) × y(2)) = 5 − ((-0.5) × 4 + 0.5 × 6) = 5 − 1 = 4",
          "解 D*L'X = Y：",
          "x(3) = y(3) ÷ d(3) = 4 ÷ 4 = 1",
          "x(2) = y(2) ÷ d(2) − l(3,2) × x(3) = 6 ÷ 4 − 0.5 × 1 = 6 ÷ 4 − 0.5 = 1",
          "x(1) = y(1) ÷ d(1) − (l(2,1) × x(2) + l(3,1) × x(3)) = "
          "4 ÷ 4 − (0.5 × 1 + (-0.5) × 1) = 4 ÷ 4 − 0 = 1",
          "代入检验：把按设定位数写出的解代入原方程组，残差 = 右端 − 左边：",
          "第 1 个方程：4 × 1 + 2 × 1 + (-2) × 1 = 4，残差 4 − 4 = 0",
          "第 2 个方程：2 × 1 + 5 × 1 + 1 × 1 = 8，残差 8 − 8 = 0",
          "第 3 个方程：(-2) × 1 + 1 × 1 + 6 × 1 = 5，残差 5 − 5 = 0"})},
    // a(2,2) − l(2,1)² = -3 − 1 < 0: no root, and nothing after it.
    {"CholeskyStopsAtANegativeRadicand", &commands::SqrtRoot, "4 2 2 1\n2 -3 1 1\n2 1 5 1\n", false,
     kLowerHeading,
     lines({"分解 A = L*L'：", "第 1 步：", "l(1,1) = √(a(1,1)) = √(4) = 2",
            "l(2,1) = a(2,1) ÷ l(1,1) = 2 ÷ 2 = 1", "l(3,1) = a(3,1) ÷ l(1,1) = 2 ÷ 2 = 1",
            "第 2 步：",
            "l(2,2) = √(a(2,2) − l(2,1) × l(2,1)) = √((-3) − 1 × 1) = √((-3) − 1) = √(-4)",
            "被开方数不是正数，不能开平方，分解到此停止，以下结果无意义"})},
    // u(2) = 1 − 1 × 1 = 0 is the next divisor.
    {"ChasingStopsAtAZeroDivisor", &commands::Purase, "1 1 0 2\n1 1 1 3\n0 1 1 2\n", false,
     "输出求解LY=D后的 Y(n)",
     lines({"追赶法分解 A = LU：", "u(1) = b(1) = 1", "l(2) = a(2) ÷ u(1) = 1 ÷ 1 = 1",
            "u(2) = b(2) − l(2) × c(1) = 1 − 1 × 1 = 1 − 1 = 0", "l(3) = a(3) ÷ u(2) = 1 ÷ 0",
            "除数为 0，计算到此停止，以下结果无意义"})},
    // The pivot of column 1 is 4 in row 2; then 1.5 against 2.5 in column 2.
    {"PivotSearchAndExchanges", &commands::TierLU, "2 1 1 4\n4 1 0 5\n-2 2 1 1\n", false,
     "输出方程组的系数矩阵列主元三角分解后的下三角矩阵L(n)",
     lines({"列主元分解 PA = LU：",
            "第 1 步：",
            "s(1) = a(1,1) = 2",
            "s(2) = a(2,1) = 4",
            "s(3) = a(3,1) = -2",
            "主元取 s(2)，交换第 1 行与第 2 行",
            "u(1,1) = s(2) = 4",
            "l(2,1) = s(1) ÷ s(2) = 2 ÷ 4 = 0.5",
            "l(3,1) = s(3) ÷ s(2) = (-2) ÷ 4 = -0.5",
            "u(1,2) = a(1,2) = 1",
            "u(1,3) = a(1,3) = 0",
            "第 2 步：",
            "s(2) = a(2,2) − l(2,1) × u(1,2) = 1 − 0.5 × 1 = 1 − 0.5 = 0.5",
            "s(3) = a(3,2) − l(3,1) × u(1,2) = 2 − (-0.5) × 1 = 2 − (-0.5) = 2.5",
            "主元取 s(3)，交换第 2 行与第 3 行",
            "u(2,2) = s(3) = 2.5",
            "l(3,2) = s(2) ÷ s(3) = 0.5 ÷ 2.5 = 0.2",
            "u(2,3) = a(2,3) − l(2,1) × u(1,3) = 1 − (-0.5) × 0 = 1 − 0 = 1",
            "第 3 步：",
            "u(3,3) = a(3,3) − (l(3,1) × u(1,3) + l(3,2) × u(2,3)) = 1 − (0.5 × 0 + 0.2 × 1) = "
            "1 − 0.2 = 0.8",
            "解 LY = b：",
            "y(1) = b(1) = 5",
            "y(2) = b(2) − l(2,1) × y(1) = 1 − (-0.5) × 5 = 1 − "
            "(-2.5) = 3.5",
            "y(3) = b(3) − (l(3,1) × y(1) + l(3,2) × y(2)) = 4 − (0.5 × 5 + 0.2 × 3.5) = 4 − 3.2 = "
            "0.8",
            "解 UX = Y：",
            "x(3) = y(3) ÷ u(3,3) = 0.8 ÷ 0.8 = 1",
            "x(2) = (y(2) − u(2,3) × x(3)) ÷ u(2,2) = (3.5 − 1 × 1) ÷ 2.5 = (3.5 − 1) ÷ 2.5 = 1",
            "x(1) = (y(1) − (u(1,2) × x(2) + u(1,3) × x(3))) ÷ u(1,1) = "
            "(5 − (1 × 1 + 0 × 1)) ÷ 4 = (5 − 1) ÷ 4 = 1",
            "代入检验：把按设定位数写出的解代入原方程组，残差 = 右端 − 左边：",
            "第 1 个方程：2 × 1 + 1 × 1 + 1 × 1 = 4，残差 4 − 4 = 0",
            "第 2 个方程：4 × 1 + 1 × 1 + 0 × 1 = 5，残差 5 − 5 = 0",
            "第 3 个方程：(-2) × 1 + 2 × 1 + 1 × 1 = 1，残差 1 − 1 = 0"})},
};

class DecompositionSteps : public ::testing::TestWithParam<HandWorked> {};

TEST_P(DecompositionSteps, SectionAsWorkedByHand) {
    const HandWorked& c = GetParam();
    const int n = static_cast<int>(std::count(c.input, c.input + std::strlen(c.input), '\n'));
    const ScriptedHost host = runWithSteps(*c.command, c.input, n, true, c.exact);
    EXPECT_TRUE(host.messages.empty());
    EXPECT_EQ(stepsSection(host.result, c.next), c.steps);
}

INSTANTIATE_TEST_SUITE_P(HandWorked, DecompositionSteps, ::testing::ValuesIn(kHandWorked),
                         [](const auto& info) { return std::string(info.param.name); });

// ---- Replaying the recorded entries ----

/// Bit for bit for doubles (a zero keeps its sign), exactly for fractions.
bool same(double a, double b) { return std::memcmp(&a, &b, sizeof a) == 0; }
bool same(const Rational& a, const Rational& b) { return a == b; }

/// Which input the names a, b, c, d stand for.
enum class Naming { Square, Chasing };

/// Replays every recorded entry from its recorded operands, checks each
/// operand against the input or the entry that made it, and keeps what the
/// replay gives, by name.
template <class T> class Replay {
public:
    Replay(const BasicMatrix<T>& input, Naming naming)
        : m_input(input), m_naming(naming), m_rows(static_cast<std::size_t>(input.rows() + 1)) {
        for (int i = 0; i <= input.rows(); ++i) m_rows[static_cast<std::size_t>(i)] = i;
    }

    void run(const steps::DecompositionRecorder<T>& log) {
        for (const auto& event : log.events()) {
            if (const auto* p = std::get_if<steps::PivotMark>(&event)) exchange(p->k, p->row);
            else if (const auto* e = std::get_if<FactorEntry<T>>(&event)) replay(*e);
        }
    }

    /// The replayed value of name(i,j); a missing one fails the test.
    T at(char name, int i, int j = 0) const {
        const auto found = m_values.find({name, i, j});
        if (found != m_values.end()) return found->second;
        ADD_FAILURE() << "no entry " << name << "(" << i << "," << j << ")";
        return T(0.0);
    }

private:
    using Key = std::tuple<char, int, int>;

    T input(const NamedValue<T>& v) const {
        const int n = m_input.rows();
        const int row = m_rows[static_cast<std::size_t>(v.i)];
        if (m_naming == Naming::Square) return m_input(row, v.name == 'b' ? n + 1 : v.j);
        switch (v.name) {
        case 'a': return m_input(v.i, v.i - 1);
        case 'b': return m_input(v.i, v.i);
        case 'c': return m_input(v.i, v.i + 1);
        default: return m_input(v.i, n + 1);
        }
    }

    bool isInput(char name) const {
        return name == 'a' || name == 'b' ||
               (m_naming == Naming::Chasing && (name == 'c' || name == 'd'));
    }

    void expectKnown(const NamedValue<T>& v) const {
        const T expected = isInput(v.name) ? input(v) : at(v.name, v.i, v.j);
        EXPECT_TRUE(same(v.value, expected)) << v.name << "(" << v.i << "," << v.j << ")";
    }

    /// Rows k and p exchanged: the multipliers of L and the input's rows
    /// move with them.
    void exchange(int k, int p) {
        std::swap(m_rows[static_cast<std::size_t>(k)], m_rows[static_cast<std::size_t>(p)]);
        for (int t = 1; t < k; ++t) std::swap(m_values[{'l', k, t}], m_values[{'l', p, t}]);
    }

    static T product(const std::vector<NamedValue<T>>& factors) {
        T p = factors[0].value;
        for (std::size_t f = 1; f < factors.size(); ++f) p = p * factors[f].value;
        return p;
    }

    static T sumOf(const FactorEntry<T>& e) {
        if (!e.accumulated) return product(e.terms.at(0));
        T s = 0.0;
        for (const auto& term : e.terms) s = s + product(term);
        return s;
    }

    static T valueOf(const FactorEntry<T>& e) {
        const T inner = e.terms.empty() ? e.base.value : T(e.base.value - e.sum);
        switch (e.form) {
        case EntryForm::Difference: return inner;
        case EntryForm::Quotient: return T(inner / e.divisor.value);
        case EntryForm::QuotientFirst: return T(e.base.value / e.divisor.value - e.sum);
        case EntryForm::Root:
            EXPECT_TRUE(same(inner, e.radicand));
            if constexpr (std::is_same_v<T, double>) return inner < 0.0 ? 0.0 : std::sqrt(inner);
            break;
        }
        ADD_FAILURE() << "a root in exact work";
        return inner;
    }

    void replay(const FactorEntry<T>& e) {
        expectKnown(e.base);
        for (const auto& term : e.terms)
            for (const auto& f : term) expectKnown(f);
        if (e.form == EntryForm::Quotient || e.form == EntryForm::QuotientFirst)
            expectKnown(e.divisor);
        // The recorded sum is the routine's own; the terms added again in
        // their order must give it (a zero's sign aside).
        EXPECT_TRUE(sumOf(e) == e.sum) << e.target.name << "(" << e.target.i << ")";
        const T value = valueOf(e);
        EXPECT_TRUE(same(value, e.target.value)) << e.target.name << "(" << e.target.i << ")";
        m_values[{e.target.name, e.target.i, e.target.j}] = value;
    }

    const BasicMatrix<T>& m_input;
    Naming m_naming;
    std::vector<int> m_rows; ///< m_rows[i]: the input row now at row i
    std::map<Key, T> m_values;
};

/// An n x (n+1) system of numbers k/7 with k in -60..60; a weight > 0
/// adds weight·n·7/7 to the diagonal, so that no pivot is small.
template <class T> BasicMatrix<T> randomSystem(int n, Shape shape, int weight, std::mt19937& rng) {
    std::uniform_int_distribution<int> k(-60, 60);
    std::vector<std::vector<int>> a(n, std::vector<int>(n + 1, 0));
    for (int i = 0; i < n; ++i)
        for (int j = 0; j <= n; ++j) {
            if (shape == Shape::Tridiagonal && j < n && std::abs(i - j) > 1) continue;
            a[i][j] = shape != Shape::General && j < i ? a[j][i] : k(rng);
            if (i == j)
                a[i][j] += 7 * weight * n * (a[i][j] < 0 && shape == Shape::General ? -1 : 1);
        }
    BasicMatrix<T> M(n, n + 1);
    for (int i = 1; i <= n; ++i)
        for (int j = 1; j <= n + 1; ++j) {
            if constexpr (std::is_same_v<T, double>) M(i, j) = a[i - 1][j - 1] / 7.0;
            else {
                M(i, j) = Rational(a[i - 1][j - 1], 7);
                M(i, j).canonicalize();
            }
        }
    return M;
}

/// L below the diagonal (and on it, unless it is a unit triangle).
template <class T>
void expectSameLower(const Replay<T>& replay, const BasicMatrix<T>& L, int n, bool unit) {
    for (int i = 1; i <= n; ++i)
        for (int j = 1; j <= (unit ? i - 1 : i); ++j)
            EXPECT_TRUE(same(L(i, j), replay.at('l', i, j))) << "l(" << i << "," << j << ")";
}

template <class T> void expectSameUpper(const Replay<T>& replay, const BasicMatrix<T>& U, int n) {
    for (int i = 1; i <= n; ++i)
        for (int j = i; j <= n; ++j)
            EXPECT_TRUE(same(U(i, j), replay.at('u', i, j))) << "u(" << i << "," << j << ")";
}

template <class T>
void expectSameVector(const Replay<T>& replay, char name, const BasicVector<T>& v) {
    for (int i = v.lo(); i <= v.hi(); ++i) EXPECT_TRUE(same(v(i), replay.at(name, i))) << name << i;
}

template <class T> BasicVector<T> rhsOf(const BasicMatrix<T>& B, int n) {
    BasicVector<T> b(n);
    for (int i = 1; i <= n; ++i) b(i) = B(i, n + 1);
    return b;
}

/// Doolittle as MatrixBreak (the square matrix) and LU_break (and solving).
template <class T> void replayDoolittle(const BasicMatrix<T>& B, int n, bool solve) {
    const StopRequest stop;
    steps::DecompositionRecorder<T> log;
    BasicMatrix<T> L(n, n), U(n, n);
    ASSERT_TRUE(doolittle(B, n, L, U, stop, &log));
    BasicVector<T> Y, X(n);
    if (solve) {
        Y = forwardUnit(L, rhsOf(B, n), n, &log);
        ASSERT_TRUE(backUpper(U, Y, n, false, X, &log));
    }
    Replay<T> replay(B, Naming::Square);
    replay.run(log);
    expectSameLower(replay, L, n, true);
    expectSameUpper(replay, U, n);
    if (solve) {
        expectSameVector(replay, 'y', Y);
        expectSameVector(replay, 'x', X);
    }
}

template <class T> void replayTierLU(const BasicMatrix<T>& input, int n) {
    const StopRequest stop;
    steps::DecompositionRecorder<T> log;
    BasicMatrix<T> B = input, L(n, n), U(n, n);
    columnPivotDoolittle(B, n, L, U, stop, &log);
    const BasicVector<T> Y = forwardUnit(L, rhsOf(B, n), n, &log);
    BasicVector<T> X(n);
    ASSERT_TRUE(backUpper(U, Y, n, true, X, &log));
    Replay<T> replay(input, Naming::Square);
    replay.run(log);
    expectSameLower(replay, L, n, true);
    expectSameUpper(replay, U, n);
    expectSameVector(replay, 'y', Y);
    expectSameVector(replay, 'x', X);
}

template <class T> void replayLdlt(const BasicMatrix<T>& B, int n) {
    const StopRequest stop;
    steps::DecompositionRecorder<T> log;
    BasicMatrix<T> L(n, n);
    BasicVector<T> d(n), X(n);
    ASSERT_TRUE(ldlt(B, n, L, d, stop, &log));
    const BasicVector<T> Y = forwardUnit(L, rhsOf(B, n), n, &log);
    ASSERT_TRUE(backWithLdlt(L, d, Y, n, X, &log));
    Replay<T> replay(B, Naming::Square);
    replay.run(log);
    expectSameLower(replay, L, n, true);
    expectSameVector(replay, 'd', d);
    expectSameVector(replay, 'y', Y);
    expectSameVector(replay, 'x', X);
}

void replayCholesky(const Matrix& B, int n) {
    const StopRequest stop;
    steps::DecompositionRecorder<double> log;
    const Matrix L = cholesky(B, n, stop, &log);
    Vector Y(n), X(n);
    solveWithCholesky(L, rhsOf(B, n), n, Y, X, &log);
    Replay<double> replay(B, Naming::Square);
    replay.run(log);
    expectSameLower(replay, L, n, false);
    expectSameVector(replay, 'y', Y);
    expectSameVector(replay, 'x', X);
}

template <class T> void replayChase(const BasicMatrix<T>& M, int n) {
    steps::DecompositionRecorder<T> log;
    const Chase<T> out = chase(M, n, &log);
    Replay<T> replay(M, Naming::Chasing);
    replay.run(log);
    expectSameVector(replay, 'l', out.l);
    expectSameVector(replay, 'u', out.u);
    expectSameVector(replay, 'y', out.y);
    expectSameVector(replay, 'x', out.x);
}

template <class T> void replayEveryMethod(std::mt19937& rng) {
    for (int n = 2; n <= 8; ++n) {
        SCOPED_TRACE("order " + std::to_string(n));
        const BasicMatrix<T> general = randomSystem<T>(n, Shape::General, 0, rng);
        replayDoolittle(general, n, false);
        replayDoolittle(general, n, true);
        replayTierLU(general, n);
        replayLdlt(randomSystem<T>(n, Shape::Symmetric, 0, rng), n);
        replayChase(randomSystem<T>(n, Shape::Tridiagonal, 0, rng), n);
        if constexpr (std::is_same_v<T, double>)
            replayCholesky(randomSystem<T>(n, Shape::Symmetric, 10, rng), n);
    }
}

TEST(DecompositionReplay, RecordedEntriesGiveTheFactorsAndSolutionsBitForBit) {
    std::mt19937 rng(2024);
    for (int round = 0; round < 5; ++round) replayEveryMethod<double>(rng);
}

TEST(DecompositionReplay, RecordedFractionsGiveTheExactFactorsAndSolutions) {
    std::mt19937 rng(7);
    replayEveryMethod<Rational>(rng);
}

// ---- The rest of the report ----

struct SixCommands {
    const Command* command;
    Shape shape;
    int weight;
    bool exact;
};

void PrintTo(const SixCommands& c, std::ostream* os) {
    *os << c.command->id << (c.exact ? " exact" : "");
}

class StepsAddOnlyTheirSection : public ::testing::TestWithParam<SixCommands> {};

TEST_P(StepsAddOnlyTheirSection, EveryOrderUpToTheLimitAndTheOneLineAbove) {
    const SixCommands& c = GetParam();
    std::mt19937 rng(11);
    for (int n : {1, 2, 3, 5, 8, 12, 13}) {
        std::vector<double> solution;
        const std::string text = testing::dominantSystem(n, c.weight, c.shape, rng, solution);
        const ScriptedHost off = runWithSteps(*c.command, text, n, false, c.exact);
        const ScriptedHost on = runWithSteps(*c.command, text, n, true, c.exact);
        ASSERT_TRUE(off.messages.empty()) << n;
        const std::string opening =
            n <= 12 ? kStepsHeading : "\r\n详细步骤：阶数大于 12，不列出步骤。\r\n";
        EXPECT_TRUE(testing::oneStretchAdded(off.result, on.result, opening)) << n;
        // Above the limit only that line, after a line break ending the
        // report's last line where it had none.
        if (n > 12) {
            EXPECT_LE(on.result.size(), off.result.size() + opening.size() + 2);
        }
    }
}

const SixCommands kSixCommands[] = {
    {&commands::MatrixBreak, Shape::General, 10, false},
    {&commands::LU_break, Shape::General, 10, false},
    {&commands::TierLU, Shape::General, 0, false},
    {&commands::SqrtRoot, Shape::Symmetric, 10, false},
    {&commands::MendSqrt, Shape::Symmetric, 10, false},
    {&commands::Purase, Shape::Tridiagonal, 10, false},
    {&commands::MatrixBreak, Shape::General, 10, true},
    {&commands::LU_break, Shape::General, 10, true},
    {&commands::TierLU, Shape::General, 0, true},
    {&commands::SqrtRoot, Shape::Symmetric, 10, true},
    {&commands::MendSqrt, Shape::Symmetric, 10, true},
    {&commands::Purase, Shape::Tridiagonal, 10, true},
};

INSTANTIATE_TEST_SUITE_P(SixCommands, StepsAddOnlyTheirSection, ::testing::ValuesIn(kSixCommands));

// Every entry's line, redone by hand from the numbers printed in it, gives
// the value printed at its end: values used unrounded are written with the
// decimals the line needs.
TEST(DecompositionSteps, EveryPrintedLineComesOutByHand) {
    std::mt19937 rng(20261207);
    const struct {
        const Command* command;
        Shape shape;
        int weight;
    } commandsToRun[] = {
        {&commands::MatrixBreak, Shape::General, 1}, {&commands::LU_break, Shape::General, 1},
        {&commands::TierLU, Shape::General, 1},      {&commands::SqrtRoot, Shape::Symmetric, 10},
        {&commands::MendSqrt, Shape::Symmetric, 1},  {&commands::Purase, Shape::Tridiagonal, 1}};
    int replayed = 0;
    for (int n = 2; n <= 6; ++n)
        for (int dd = 2; dd <= 8; ++dd)
            for (const auto& c : commandsToRun) {
                std::vector<double> solution;
                const std::string text =
                    testing::dominantSystem(n, c.weight, c.shape, rng, solution);
                // Fractions know no decimals: exact lines come out exactly,
                // but for the double arithmetic redoing them. The square
                // root method runs in decimals anyway.
                for (const bool exact : {false, true}) {
                    if (exact && (dd != 2 || c.command == &commands::SqrtRoot)) continue;
                    ScriptedHost host(text, {std::to_string(n)}, dd);
                    host.settings.steps = true;
                    host.settings.exact = exact;
                    if (host.run(*c.command) != Outcome::Reported) continue;
                    const std::vector<std::string> wrong =
                        testing::linesNotComingOut(host.result, exact ? 9 : dd + 1);
                    EXPECT_TRUE(wrong.empty()) << c.command->id << " order " << n << ", " << dd
                                               << " decimals" << (exact ? ", exact" : "") << ":\n"
                                               << text << wrong.front();
                    ++replayed;
                }
            }
    EXPECT_GT(replayed, 150);
}

struct Refused {
    const char* name;
    const Command* command;
    const char* input;
    bool exact;
    const char* reason; ///< the steps' last line
};

void PrintTo(const Refused& c, std::ostream* os) { *os << c.name; }

class RefusedWithSteps : public ::testing::TestWithParam<Refused> {};

// A method that refuses its matrix shows the same message, steps or not;
// with steps it first shows them up to the entry it stopped at and the
// line saying why.
TEST_P(RefusedWithSteps, TheSameMessageAfterTheStepsUpToTheStop) {
    const Refused& c = GetParam();
    const ScriptedHost off = runWithSteps(*c.command, c.input, 2, false, c.exact);
    const ScriptedHost on = runWithSteps(*c.command, c.input, 2, true, c.exact);
    ASSERT_EQ(off.messages.size(), 1u);
    EXPECT_EQ(on.messages, off.messages);
    EXPECT_EQ(off.result, "");
    EXPECT_NE(on.result.find(kStepsHeading), std::string::npos);
    EXPECT_TRUE(on.result.ends_with("\r\n" + std::string(c.reason) + "\r\n")) << on.result;
}

constexpr const char* kZeroU11 =
    "主元 u(1,1) 为 0；本方法不交换行，分解到此停止，请改用列主元三角分解法。";

const Refused kRefused[] = {
    {"MatrixBreakZeroPivot", &commands::MatrixBreak, "0 1\n1 1\n", false, kZeroU11},
    {"LuBreakZeroPivot", &commands::LU_break, "0 1 1\n1 1 2\n", false, kZeroU11},
    {"LuBreakZeroPivotExact", &commands::LU_break, "0 1 1\n1 1 2\n", true, kZeroU11},
    // d(1) = a(1,1) = 0, and l(2,1) would divide by it.
    {"MendSqrtZeroDiagonal", &commands::MendSqrt, "0 1 1\n1 1 2\n", false,
     "主元 d(1) 为 0；本方法不交换行，分解到此停止，请改用列主元三角分解法。"},
    // Row 2 holds the pivot (2 > 1): u(2,2) = 2 − 0.5 × 4 = 0, which x(2) would divide by.
    {"TierLuSingular", &commands::TierLU, "1 2 1\n2 4 2\n", false,
     "除数为 0，计算到此停止，以下结果无意义"},
    // Both candidates of column 1 are 0.
    {"TierLuSingularExact", &commands::TierLU, "0 0 1\n0 0 2\n", true,
     "候选 s(i) 全为 0，矩阵奇异，分解到此停止。"},
    // u(2) = 1 − 1 × 1 = 0, and x(2) would divide by it.
    {"ChasingZeroDivisorExact", &commands::Purase, "1 1 2\n1 1 3\n", true,
     "主元 u(2) 为 0；本方法不交换行，分解到此停止，请改用列主元三角分解法。"},
};

INSTANTIATE_TEST_SUITE_P(Failures, RefusedWithSteps, ::testing::ValuesIn(kRefused),
                         [](const auto& info) { return std::string(info.param.name); });

TEST(ExactGrowth, TheChasingMethodStopsPastTheLimit) {
    // u(2) = 1 − 10^6000 · 10^6000 has 12,001 digits.
    ScriptedHost host("1 10^6000 0 1\n10^6000 1 1 1\n0 1 1 1\n", {"3"});
    host.settings.exact = true;
    EXPECT_EQ(host.run(commands::Purase), Outcome::Failed);
    ASSERT_EQ(host.messages.size(), 1u);
    EXPECT_EQ(host.messages[0], exact_texts::kTooLong);
}

} // namespace
} // namespace quorvex
