// Worked steps where hand-worked cases cannot reach: every printed line
// redone by hand from the numbers printed before it, at every order and
// setting a student would work through; the recorded sweeps and sums redone
// into the very numbers reported; the steps one section added to the report
// and a refusal's message left as it is without them.
#include "methods/decomposition.h"
#include "methods/elimination.h"
#include "methods/iteration.h"
#include "methods/tests_and_norms.h"
#include "numerics/iteration_sweeps.h"
#include "numerics/norm_routines.h"
#include "reading/matrix_text.h"
#include "reading/number_text.h"
#include "report/render.h"
#include "scripted_host.h"
#include "steps/iteration_steps.h"
#include "steps/steps.h"
#include "support.h"
#include "texts/exact_texts.h"

#include <gtest/gtest.h>

#include <cmath>
#include <cstring>
#include <limits>
#include <random>
#include <string>
#include <vector>

namespace quorvex {
namespace {

using testing::ScriptedHost;
using testing::Shape;

ScriptedHost run(const Command& command, const std::string& text, std::vector<std::string> answers,
                 bool steps, bool exact = false, int digits = 6) {
    ScriptedHost host(text, std::move(answers), digits);
    host.settings.steps = steps;
    host.settings.exact = exact;
    host.run(command);
    return host;
}

bool sameBits(double a, double b) { return std::memcmp(&a, &b, sizeof a) == 0; }

/// How a command's steps are redone: eliminations from the printed rows,
/// entries from the numbers in their own line.
enum class Redo { Rows, Entries, Inverse, Determinant };

struct Worked {
    const Command* command;
    Shape shape; ///< of the entries' systems
    int weight;
    Redo redo;
    bool exact; ///< the command also works in fractions
};

const Worked kWorked[] = {
    {&commands::Gauss_1, Shape::General, 0, Redo::Rows, true},
    {&commands::GaussTier, Shape::General, 0, Redo::Rows, true},
    {&commands::GaussFull, Shape::General, 0, Redo::Rows, true},
    {&commands::A_matrix, Shape::General, 0, Redo::Inverse, true},
    {&commands::A_range, Shape::General, 0, Redo::Determinant, true},
    {&commands::MatrixBreak, Shape::General, 1, Redo::Entries, true},
    {&commands::LU_break, Shape::General, 1, Redo::Entries, true},
    {&commands::TierLU, Shape::General, 1, Redo::Entries, true},
    {&commands::SqrtRoot, Shape::Symmetric, 10, Redo::Entries, false}, // roots in decimals
    {&commands::MendSqrt, Shape::Symmetric, 1, Redo::Entries, true},
    {&commands::Purase, Shape::Tridiagonal, 1, Redo::Entries, true},
};

// Values used unrounded are written with the decimals the line needs;
// stage matrices are held one decimal beyond the setting (the determinant's
// at 7). Exact lines come out exactly, but for the doubles redoing them.
TEST(Steps, EveryPrintedLineComesOutByHand) {
    std::mt19937 gen(20261207);
    int redone = 0;
    for (int n = 2; n <= 6; ++n)
        for (int dd = 2; dd <= 8; ++dd)
            for (const Worked& w : kWorked) {
                std::vector<double> solution;
                const std::string text =
                    w.redo == Redo::Entries
                        ? testing::dominantSystem(n, w.weight, w.shape, gen, solution)
                        : testing::textOf(testing::randomMatrix(gen, n, n + 1));
                for (const bool exact : {false, true}) {
                    if (exact && (dd != 2 || !w.exact)) continue; // fractions know no decimals
                    const ScriptedHost host =
                        run(*w.command, text, {std::to_string(n)}, true, exact, dd);
                    if (host.result.empty() || !host.messages.empty()) continue;
                    const int held = exact ? 9 : w.redo == Redo::Determinant ? 7 : dd + 1;
                    const std::vector<std::string> wrong =
                        w.redo == Redo::Entries
                            ? testing::linesNotComingOut(host.result, held)
                            : testing::eliminationLinesNotComingOut(host.result, n, held,
                                                                    w.redo == Redo::Inverse);
                    EXPECT_TRUE(wrong.empty()) << w.command->id << " order " << n << ", " << dd
                                               << " decimals" << (exact ? ", exact" : "") << ":\n"
                                               << text << wrong.front();
                    ++redone;
                }
            }
    EXPECT_GT(redone, 300);
}

// The help book's pivoting example without pivoting: the multiplier of
// stage 2 is 40001.072 ÷ 20003.712 = 1.99968245894 and the last unknown
// 2.17605 ÷ 5.9247 = 0.36728441946, each written with the decimals their
// uses need; by hand 60005.643 − 1.99968245894 × 30004.623 = 5.92470 and
// (1 − (3 × 0.36728441946 + 2 × (-0.0509))) ÷ 0.0001 = -0.532583.
TEST(Steps, TheHelpBooksSmallPivotComesOutByHand) {
    const ScriptedHost host =
        run(commands::Gauss_1, "0.0001 2 3 1\n-1 3.712 4.623 2\n-2 1.072 5.643 3\n", {"3"}, true,
            false, 4);
    EXPECT_TRUE(testing::eliminationLinesNotComingOut(host.result, 3, 5, false).empty());
    for (const char* line :
         {"第 3 行 − 1.99968245894 × 第 2 行\r\n", "  0  0  5.9247  2.17605\r\n",
          "x(1) = (1 − (3 × 0.36728441946 + 2 × (-0.0509))) ÷ 0.0001 = -0.53258\r\n",
          // The results show 2.176 where the steps held 2.17605, and one line says so.
          "以上各步写出计算时保留的 5 位小数；下面的结果按设定保留 4 "
          "位小数，末位可能与步骤中的不同。"
          "\r\n"})
        EXPECT_NE(host.result.find(line), std::string::npos) << line;
}

// The determinant's stages hold 7 decimals whatever the setting: at 2 the
// reduced matrix shows 0.857 and -0.5 where the steps wrote 0.8571429 and
// -0.4999999, and one line says so; an integral reduction (2 0 / 0 3)
// reads alike at every rounding and needs none.
TEST(Steps, TheDeterminantSaysWhereItsStepsHeldMoreDecimals) {
    const std::string line = "以上各步写出计算时保留的 7 位小数；下面的矩阵按设定保留 3 "
                             "位小数，行列式的值保留 2 位小数，末位可能与步骤中的不同。\r\n";
    const ScriptedHost held =
        run(commands::A_range, "1 2 3\n4 5 6\n7 8 10\n", {"3"}, true, false, 2);
    EXPECT_NE(held.result.find("  0  0  -0.4999999\r\n"), std::string::npos) << held.result;
    EXPECT_NE(held.result.find(line), std::string::npos) << held.result;
    const ScriptedHost integral = run(commands::A_range, "2 0\n0 3\n", {"2"}, true, false, 2);
    EXPECT_EQ(integral.result.find("以上各步写出"), std::string::npos) << integral.result;
}

/// The numbers of an iteration's document: the echoed system, the initial
/// iterate, the table of sweeps (in as many blocks as it takes) and the
/// solution.
struct Sweeps {
    std::vector<double> system, start, table, solution;
    int cols = 0;
    int rows() const { return cols ? static_cast<int>(table.size()) / cols : 0; }
    const double* row(int k) const { return table.data() + (k - 1) * cols; }
};

Sweeps sweepsOf(const Document& d) {
    Sweeps s;
    for (const Piece& p : d.pieces()) {
        if (const auto* m = std::get_if<piece::MatrixBlock>(&p)) {
            const auto v = d.numbers(*m);
            auto& to = s.system.empty() ? s.system : s.table;
            if (!s.system.empty()) s.cols = m->cols;
            to.insert(to.end(), v.begin(), v.end());
        } else if (const auto* r = std::get_if<piece::NumberRow>(&p)) {
            const auto v = d.numbers(*r);
            s.start.assign(v.begin(), v.end());
        } else if (const auto* x = std::get_if<piece::IndexedValue>(&p)) {
            s.solution.push_back(x->value);
        }
    }
    return s;
}

// Each recorded sweep, redone by the method's own sweep from the recorded
// iterate before it, gives the next recorded iterate and its change to the
// bit; the last is the report's solution.
TEST(Steps, RecordedSweepsGiveTheRecordedIterates) {
    const struct {
        const Command* command;
        Sweep sweep;
    } methods[] = {{&commands::JacobiDie, &jacobiSweep},
                   {&commands::Gauss_SeidelDie, &gaussSeidelSweep},
                   {&commands::SorDie, &relaxationSweep}};
    std::mt19937 rng(2024);
    std::uniform_int_distribution<int> startValue(-5, 5);
    for (const auto& m : methods)
        for (int n = 2; n <= 8; ++n) {
            SCOPED_TRACE(std::string(m.command->id) + " order " + std::to_string(n));
            std::vector<double> solution;
            const auto text = testing::dominantSystem(n, 10, Shape::General, rng, solution);
            std::vector<std::string> answers{"1E-09", std::to_string(n)};
            for (int i = 0; i < n; ++i) answers.push_back(std::to_string(startValue(rng)));
            answers.push_back("1.25"); // the relaxation factor; the others do not ask
            const ScriptedHost host = run(*m.command, text, answers, true);
            ASSERT_TRUE(host.document);
            const Sweeps d = sweepsOf(*host.document);
            ASSERT_EQ(d.cols, n + 2);
            ASSERT_GT(d.rows(), 1);
            Matrix Ab(n, n + 1);
            for (int i = 1; i <= n; ++i)
                for (int j = 1; j <= n + 1; ++j) Ab(i, j) = d.system[(i - 1) * (n + 1) + (j - 1)];
            Iterate previous = d.start;
            for (int k = 1; k <= d.rows(); ++k) {
                Iterate x = previous;
                m.sweep(Ab, n, previous, x, 1.25);
                const double* row = d.row(k);
                EXPECT_EQ(row[0], k);
                for (int i = 0; i < n; ++i) EXPECT_TRUE(sameBits(row[i + 1], x[i])) << k;
                EXPECT_TRUE(sameBits(row[n + 1], steps::largestChange(x, previous))) << k;
                previous = x;
            }
            ASSERT_EQ(d.solution.size(), previous.size());
            for (int i = 0; i < n; ++i) EXPECT_TRUE(sameBits(d.solution[i], previous[i]));
        }
}

TEST(Steps, ANotANumberAnywhereIsTheLargestChange) {
    const double nan = std::numeric_limits<double>::quiet_NaN();
    const double inf = std::numeric_limits<double>::infinity();
    const struct {
        Iterate x;
        double change; ///< NaN: must be NaN
    } cases[] = {{{5.0, nan, 1.0}, nan},
                 {{nan, 5.0}, nan},
                 {{1.0, 2.0, nan}, nan},
                 {{1.0, inf}, inf},
                 {{-3.0, 2.0}, 3.0}};
    for (const auto& c : cases) {
        const double d = steps::largestChange(c.x, Iterate(c.x.size(), 0.0));
        if (std::isnan(c.change)) EXPECT_TRUE(std::isnan(d)) << d;
        else EXPECT_EQ(d, c.change);
    }
}

/// Adds the recorded terms to 0 in the recorded order.
double sumOf(const SumSteps<double>& s) {
    double total = 0.0;
    for (double t : s.terms) total += t;
    return total;
}

void expectSumNorm(const Matrix& A, int n, bool columns, const SumNormSteps<double>& s,
                   double norm) {
    ASSERT_EQ(s.sums.size(), static_cast<std::size_t>(n));
    for (int j = 1; j <= n; ++j) {
        const SumSteps<double>& sum = s.sums[static_cast<std::size_t>(j - 1)];
        ASSERT_EQ(sum.terms.size(), static_cast<std::size_t>(n));
        for (int i = 1; i <= n; ++i)
            EXPECT_TRUE(sameBits(sum.terms[static_cast<std::size_t>(i - 1)],
                                 std::fabs(columns ? A(i, j) : A(j, i))));
        EXPECT_TRUE(sameBits(sumOf(sum), sum.total));
        EXPECT_TRUE(sameBits(s.largest.candidates[static_cast<std::size_t>(j - 1)], sum.total));
    }
    EXPECT_TRUE(sameBits(s.largest.candidates[static_cast<std::size_t>(s.largest.at - 1)], norm));
}

TEST(Steps, RecordedTermsSumToTheNormsBitForBit) {
    std::mt19937 gen(16);
    for (int n = 2; n <= 8; ++n) {
        const Matrix A = testing::randomMatrix(gen, n, n);
        SumNormSteps<double> columns, rows;
        SumSteps<double> squares, abs, vsquares;
        SpectralSteps spectral;
        expectSumNorm(A, n, true, columns, columnSumNorm(A, n, &columns));
        expectSumNorm(A, n, false, rows, rowSumNorm(A, n, &rows));
        EXPECT_TRUE(sameBits(std::sqrt(sumOf(squares)), frobeniusNorm(A, n, &squares)));
        const double two = spectralNormEstimate(A, n, &spectral);
        EXPECT_TRUE(sameBits(spectral.value, two));
        if (spectral.powerIteration) {
            EXPECT_TRUE(sameBits(std::sqrt(spectral.divisor), two));
        }

        Vector v(n);
        for (int i = 1; i <= n; ++i) v(i) = A(1, i);
        MaximumSteps<double> largest;
        EXPECT_TRUE(sameBits(sumOf(abs), vectorOneNorm(v, n, &abs)));
        EXPECT_TRUE(sameBits(std::sqrt(sumOf(vsquares)), vectorTwoNorm(v, n, &vsquares)));
        const double vInfinity = vectorInfinityNorm(v, n, &largest);
        for (int i = 1; i <= n; ++i) {
            EXPECT_TRUE(sameBits(abs.terms[static_cast<std::size_t>(i - 1)], std::fabs(v(i))));
            EXPECT_TRUE(sameBits(vsquares.terms[static_cast<std::size_t>(i - 1)], v(i) * v(i)));
        }
        EXPECT_TRUE(
            sameBits(largest.candidates[static_cast<std::size_t>(largest.at - 1)], vInfinity));
    }
}

// With steps the report is the same report with one section inserted, and
// above the order limit one line (an iteration's table keeps the first and
// last components instead).
TEST(Steps, OneSectionIsAddedAndAboveTheLimitOneLine) {
    const struct {
        const Command* command;
        Shape shape;
    } all[] = {
        {&commands::Gauss_1, Shape::General},           {&commands::GaussTier, Shape::General},
        {&commands::GaussFull, Shape::General},         {&commands::A_matrix, Shape::General},
        {&commands::A_range, Shape::General},           {&commands::MatrixBreak, Shape::General},
        {&commands::LU_break, Shape::General},          {&commands::TierLU, Shape::General},
        {&commands::SqrtRoot, Shape::Symmetric},        {&commands::MendSqrt, Shape::Symmetric},
        {&commands::Purase, Shape::Tridiagonal},        {&commands::CMatrixJudge, Shape::Symmetric},
        {&commands::StrictMatrixJudge, Shape::General}, {&commands::MatrixModel, Shape::General},
        {&commands::VectorModel, Shape::General}};
    std::mt19937 rng(11);
    for (const auto& c : all)
        for (const int n : {1, 2, 5, steps::kMaxStepsOrder, steps::kMaxStepsOrder + 1})
            for (const bool exact : {false, true}) {
                std::vector<double> solution;
                std::string text = testing::dominantSystem(n, 10, c.shape, rng, solution);
                std::vector<std::string> answers{std::to_string(n)};
                if (c.command == &commands::VectorModel) {
                    text.erase(text.find('\r')).erase(text.rfind(' ')); // n entries
                    answers.clear();
                }
                const ScriptedHost off = run(*c.command, text, answers, false, exact);
                const ScriptedHost on = run(*c.command, text, answers, true, exact);
                EXPECT_TRUE(off.messages.empty());
                const char* inside = n > steps::kMaxStepsOrder
                                         ? "\r\n详细步骤：阶数大于 12，不列出步骤。\r\n"
                                         : "\r\n详细步骤：\r\n";
                EXPECT_TRUE(testing::oneStretchAdded(off.result, on.result, inside))
                    << c.command->id << " order " << n << (exact ? " exact" : "");
                // Above the limit only that line, after a line break ending the
                // report's last line where it had none.
                if (n > steps::kMaxStepsOrder) {
                    EXPECT_LE(on.result.size(), off.result.size() + std::strlen(inside) + 2);
                }
            }
}

TEST(Steps, AboveTheLimitTheSweepsKeepTheFirstAndLastComponents) {
    std::mt19937 rng(7);
    for (const int n : {steps::kMaxStepsOrder, steps::kMaxStepsOrder + 1}) {
        std::vector<double> solution;
        const auto text = testing::dominantSystem(n, 10, Shape::General, rng, solution);
        std::vector<std::string> answers{"1E-08", std::to_string(n)};
        answers.resize(static_cast<std::size_t>(n + 2), "1");
        const ScriptedHost host = run(commands::Gauss_SeidelDie, text, answers, true);
        const bool few = n > steps::kMaxStepsOrder;
        EXPECT_EQ(host.result.find("\r\n阶数大于 12，表中只列出第一个和最后一个分量\r\n") !=
                      std::string::npos,
                  few);
        EXPECT_NE(host.result.find(few ? "（每行依次为 k，x(1)，x(13)，与上一次"
                                       : "x(11)，x(12)，与上一次"),
                  std::string::npos);
        ASSERT_TRUE(host.document);
        const Sweeps d = sweepsOf(*host.document);
        const int shown = few ? 2 : n;
        ASSERT_EQ(d.cols, shown + 2);
        EXPECT_EQ(d.start, std::vector<double>(static_cast<std::size_t>(shown), 1.0));
        ASSERT_EQ(d.solution.size(), static_cast<std::size_t>(n));
        EXPECT_TRUE(sameBits(d.row(d.rows())[1], d.solution.front()));
        EXPECT_TRUE(sameBits(d.row(d.rows())[shown], d.solution.back()));
    }
}

// Sweeps that do not converge keep their message; the report shows them and
// says where they ended: past the limit, or where the change stopped being
// a finite number.
TEST(Steps, UnconvergedSweepsEndWithTheSameMessage) {
    const struct {
        const char* system;
        std::vector<std::string> answers;
        bool runsAway;
    } cases[] = {{"1 1000 1\n1000 1 1\n", {"1E-05", "2", "1", "1"}, true},
                 // e = 3 * 2^-1001 is met only by sweep 1001, past the limit.
                 {"2 1 0\n1 2 0\n", {"1.3998954277548283e-301", "2", "1", "1"}, false}};
    for (const auto& c : cases) {
        const ScriptedHost host = run(commands::JacobiDie, c.system, c.answers, true);
        EXPECT_EQ(host.messages,
                  std::vector<std::string>{"本方法不适合解此线形方程组，请用其他方法再试一下#"});
        EXPECT_TRUE(
            host.result.ends_with("迭代 1000 次仍未达到精度要求\r\n\r\nJacobi迭代法解线性方程组"));
        EXPECT_EQ(host.result.find("求得方程组的解为"), std::string::npos);
        ASSERT_TRUE(host.document);
        const Sweeps d = sweepsOf(*host.document);
        const int last = d.rows();
        ASSERT_GT(last, 0);
        for (int k = 1; k < last; ++k) EXPECT_TRUE(std::isfinite(d.row(k)[3])) << k;
        EXPECT_EQ(std::isfinite(d.row(last)[3]), !c.runsAway);
        EXPECT_EQ(last == kSweepLimit, !c.runsAway);
        const std::string runaway =
            "第 " + std::to_string(last) + " 次迭代的变化已不是有限数，迭代发散，以后各次从略\r\n";
        EXPECT_EQ(host.result.find(runaway) != std::string::npos, c.runsAway);
        // However many blocks hold it, the text shows the table as one run of rows.
        const std::string opening = "）：\r\n";
        const auto from = host.result.find(opening) + opening.size();
        const auto to = host.result.find(c.runsAway ? "\r\n第 " : "\r\n迭代 1000", from);
        std::size_t rows = 0;
        for (auto p = from; (p = host.result.find("\r\n", p)) <= to; p += 2) ++rows;
        EXPECT_EQ(rows, static_cast<std::size_t>(last));
    }
}

// A method that refuses its matrix shows the same message, steps or not;
// with steps it first shows them up to the entry it stopped at and the line
// saying why.
TEST(Steps, ARefusalKeepsItsMessageAfterTheStepsUpToTheStop) {
    const char* const zeroU11 =
        "主元 u(1,1) 为 0；本方法不交换行，分解到此停止，请改用列主元三角分解法。";
    const struct {
        const Command* command;
        const char* input;
        bool exact;
        const char* reason; ///< the steps' last line
    } cases[] = {
        {&commands::MatrixBreak, "0 1\n1 1\n", false, zeroU11},
        {&commands::LU_break, "0 1 1\n1 1 2\n", false, zeroU11},
        {&commands::LU_break, "0 1 1\n1 1 2\n", true, zeroU11},
        // d(1) = a(1,1) = 0, and l(2,1) would divide by it.
        {&commands::MendSqrt, "0 1 1\n1 1 2\n", false,
         "主元 d(1) 为 0；本方法不交换行，分解到此停止，请改用列主元三角分解法。"},
        // Row 2 holds the pivot (2 > 1): u(2,2) = 2 − 0.5 × 4 = 0, which x(2) would divide by.
        {&commands::TierLU, "1 2 1\n2 4 2\n", false, "除数为 0，计算到此停止，以下结果无意义"},
        // Both candidates of column 1 are 0.
        {&commands::TierLU, "0 0 1\n0 0 2\n", true, "候选 s(i) 全为 0，矩阵奇异，分解到此停止。"},
        // u(2) = 1 − 1 × 1 = 0, and x(2) would divide by it.
        {&commands::Purase, "1 1 2\n1 1 3\n", true,
         "主元 u(2) 为 0；本方法不交换行，分解到此停止，请改用列主元三角分解法。"},
    };
    for (const auto& c : cases) {
        const ScriptedHost off = run(*c.command, c.input, {"2"}, false, c.exact);
        const ScriptedHost on = run(*c.command, c.input, {"2"}, true, c.exact);
        ASSERT_EQ(off.messages.size(), 1u) << c.command->id;
        EXPECT_EQ(on.messages, off.messages);
        EXPECT_EQ(off.result, "");
        EXPECT_NE(on.result.find("\r\n详细步骤：\r\n"), std::string::npos);
        EXPECT_TRUE(on.result.ends_with("\r\n" + std::string(c.reason) + "\r\n")) << on.result;
    }
}

TEST(Steps, TheChasingMethodInFractionsStopsPastTheLengthLimit) {
    // u(2) = 1 − 10^6000 · 10^6000 has 12,001 digits.
    ScriptedHost host("1 10^6000 0 1\n10^6000 1 1 1\n0 1 1 1\n", {"3"});
    host.settings.exact = true;
    EXPECT_EQ(host.run(commands::Purase), Outcome::Failed);
    EXPECT_EQ(host.messages, std::vector<std::string>{std::string(texts::exact::kTooLong)});
}

TEST(Steps, ExportsCarryTheSteps) {
    const ScriptedHost host = run(commands::Gauss_1, "2 1 3\n1 3 4\n", {"2"}, true, true);
    ASSERT_TRUE(host.document);
    EXPECT_NE(renderLatex(*host.document).find("\\frac{1}{2}"), std::string::npos); // multiplier
    EXPECT_NE(renderHtml(*host.document).find("回代求解"), std::string::npos);
    EXPECT_NE(renderMarkdown(*host.document).find("第 1 步后的矩阵"), std::string::npos);
}

} // namespace
} // namespace quorvex
