// Worked steps where hand-worked cases cannot reach: every printed line
// redone by hand from the numbers printed before it, at every order and
// setting a student would work through; the recorded sweeps and sums redone
// into the very numbers reported; the steps one section added to the report.
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
#include <random>
#include <sstream>
#include <string>
#include <vector>

namespace quorvex {
namespace {

using testing::ScriptedHost;
using testing::Shape;

using testing::ran;

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

/// Whether a command's steps on `text` redo by hand: every line from the
/// numbers printed before it, every value quoted with the digits it ended
/// its own line with. False when the command refused the system.
bool expectRedone(const Worked& w, const std::string& text, int n, int dd, bool exact) {
    const ScriptedHost host = ran(*w.command, text, {std::to_string(n)}, true, exact, dd);
    if (host.result.empty() || !host.messages.empty()) return false;
    const int held = exact ? 9 : w.redo == Redo::Determinant ? 7 : dd + 1;
    const std::vector<std::string> wrong =
        w.redo == Redo::Entries
            ? testing::linesNotComingOut(host.result, held)
            : testing::eliminationLinesNotComingOut(host.result, n, held, w.redo == Redo::Inverse);
    const std::vector<std::string> faces = testing::valuesWithTwoFaces(host.result);
    const auto where = [&] {
        return std::string(w.command->id) + " order " + std::to_string(n) + ", " +
               std::to_string(dd) + " decimals" + (exact ? ", exact" : "") + ":\n" + text;
    };
    EXPECT_TRUE(wrong.empty()) << where() << wrong.front();
    EXPECT_TRUE(faces.empty()) << where() << faces.front();
    return true;
}

// Values used unrounded are written with the decimals the line needs, and
// with the same decimals at the end of their own line; stage matrices are
// held one decimal beyond the setting (the determinant's at 7). Exact lines
// come out exactly, but for the doubles redoing them.
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
                    redone += expectRedone(w, text, n, dd, exact);
                }
            }
    EXPECT_GT(redone, 300);
}

// Where the right-hand side dwarfs the pivot row, or a divisor is tiny, a
// value needs many more digits than the setting for a later line to come
// out: its own line then shows them too, as far as its own numbers carry.
TEST(Steps, LinesComeOutWhereTheRightHandSideOrADivisorDominates) {
    const struct {
        int n;
        const char* text;
    } systems[] = {
        {2, "3 1 1000\n1 2 3\n"},
        {2, "4 1 5\n0 3 1\n"},
        {2, "0.0037 -0.96 1\n-0.96 250.3 2\n"},
        {3, "0.001 2 3 1\n-1 3.712 4.623 2\n-2 1.072 5.643 3\n"},
        {3, "0.02 1 0 1\n1 3 1 2\n0 1 0.05 3\n"},
        {2, "0.0037 -96 1\n-96 2490856.3 2\n"},
        {3, "0.0001 2 3 1\n-1 3.712 4.623 2\n-2 1.072 5.643 3\n"},
        {3, "1e-5 1 0 1\n1 2 3 1000\n0 3 5 2\n"},
    };
    int redone = 0;
    for (const auto& system : systems)
        for (const int dd : {2, 4, 6})
            for (const Worked& w : kWorked)
                redone += expectRedone(w, system.text, system.n, dd, false);
    EXPECT_GT(redone, 100);
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
            const ScriptedHost host = ran(*m.command, text, answers, true);
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
    for (const auto& r : testing::table("largest_change")) {
        Iterate x;
        std::istringstream in(r[0]);
        for (std::string w; in >> w;) x.push_back(testing::byHand(w));
        EXPECT_EQ(numberText(steps::largestChange(x, Iterate(x.size(), 0.0))), r[1]) << r[0];
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
        const SumSteps<double>& sum = s.sums.at(j - 1);
        ASSERT_EQ(sum.terms.size(), static_cast<std::size_t>(n));
        for (int i = 1; i <= n; ++i)
            EXPECT_TRUE(sameBits(sum.terms.at(i - 1), std::fabs(columns ? A(i, j) : A(j, i))));
        EXPECT_TRUE(sameBits(sumOf(sum), sum.total));
        EXPECT_TRUE(sameBits(s.largest.candidates.at(j - 1), sum.total));
    }
    EXPECT_TRUE(sameBits(s.largest.candidates.at(s.largest.at - 1), norm));
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
        // Each norm first, then the sum of what it recorded: as arguments of
        // one call, the order of the two would be the compiler's to choose.
        const double frobenius = frobeniusNorm(A, n, &squares);
        EXPECT_TRUE(sameBits(std::sqrt(sumOf(squares)), frobenius));
        const double two = spectralNormEstimate(A, n, &spectral);
        EXPECT_TRUE(sameBits(spectral.value, two));
        if (spectral.powerIteration) {
            EXPECT_TRUE(sameBits(std::sqrt(spectral.divisor), two));
        }

        Vector v(n);
        for (int i = 1; i <= n; ++i) v(i) = A(1, i);
        MaximumSteps<double> largest;
        const double one = vectorOneNorm(v, n, &abs);
        const double vTwo = vectorTwoNorm(v, n, &vsquares);
        EXPECT_TRUE(sameBits(sumOf(abs), one));
        EXPECT_TRUE(sameBits(std::sqrt(sumOf(vsquares)), vTwo));
        const double vInfinity = vectorInfinityNorm(v, n, &largest);
        for (int i = 1; i <= n; ++i) {
            EXPECT_TRUE(sameBits(abs.terms.at(i - 1), std::fabs(v(i))));
            EXPECT_TRUE(sameBits(vsquares.terms.at(i - 1), v(i) * v(i)));
        }
        EXPECT_TRUE(sameBits(largest.candidates.at(largest.at - 1), vInfinity));
    }
}

// With steps the report is the same report with one section inserted, and
// above the order limit one line (an iteration's table keeps the first and
// last components instead).
TEST(Steps, OneSectionIsAddedAndAboveTheLimitOneLine) {
    std::vector<std::pair<const Command*, Shape>> all = {
        {&commands::CMatrixJudge, Shape::Symmetric},
        {&commands::StrictMatrixJudge, Shape::General},
        {&commands::MatrixModel, Shape::General},
        {&commands::VectorModel, Shape::General}};
    for (const Worked& w : kWorked) all.emplace_back(w.command, w.shape);
    std::mt19937 rng(11);
    for (const auto& [command, shape] : all)
        for (const int n : {1, 2, 5, steps::kMaxStepsOrder, steps::kMaxStepsOrder + 1})
            for (const bool exact : {false, true}) {
                std::vector<double> solution;
                std::string text = testing::dominantSystem(n, 10, shape, rng, solution);
                std::vector<std::string> answers{std::to_string(n)};
                if (command == &commands::VectorModel) {
                    text.erase(text.find('\r')).erase(text.rfind(' ')); // n entries
                    answers.clear();
                }
                const ScriptedHost off = ran(*command, text, answers, false, exact);
                const ScriptedHost on = ran(*command, text, answers, true, exact);
                EXPECT_TRUE(off.messages.empty());
                const char* inside = n > steps::kMaxStepsOrder
                                         ? "\r\n详细步骤：阶数大于 12，不列出步骤。\r\n"
                                         : "\r\n详细步骤：\r\n";
                EXPECT_TRUE(testing::oneStretchAdded(off.result, on.result, inside))
                    << command->id << " order " << n << (exact ? " exact" : "");
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
        const ScriptedHost host = ran(commands::Gauss_SeidelDie, text, answers, true);
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
TEST(Steps, UnconvergedSweepsEndWithOneClosingLine) {
    const struct {
        const char* system;
        std::vector<std::string> answers;
        bool runsAway;
    } cases[] = {{"1 1000 1\n1000 1 1\n", {"1E-05", "2", "1", "1"}, true},
                 // e = 3 * 2^-1001 is met only by sweep 1001, past the limit.
                 {"2 1 0\n1 2 0\n", {"1.3998954277548283e-301", "2", "1", "1"}, false}};
    for (const auto& c : cases) {
        const ScriptedHost host = ran(commands::JacobiDie, c.system, c.answers, true);
        EXPECT_EQ(host.messages,
                  std::vector<std::string>{"本方法不适合解此线形方程组，请用其他方法再试一下#"});
        // A run that left the doubles' range says so, and only so; one that
        // stayed finite ends at the limit.
        const std::string limit = "迭代 1000 次仍未达到精度要求\r\n";
        EXPECT_EQ(host.result.find(limit) != std::string::npos, !c.runsAway);
        EXPECT_TRUE(host.result.ends_with("\r\n\r\nJacobi迭代法解线性方程组"));
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

TEST(Steps, ExportsCarryTheSteps) {
    const ScriptedHost host = ran(commands::Gauss_1, "2 1 3\n1 3 4\n", {"2"}, true, true);
    ASSERT_TRUE(host.document);
    EXPECT_NE(renderLatex(*host.document).find("\\frac{1}{2}"), std::string::npos); // multiplier
    EXPECT_NE(renderHtml(*host.document).find("回代求解"), std::string::npos);
    EXPECT_NE(renderMarkdown(*host.document).find("第 1 步后的矩阵"), std::string::npos);
}

} // namespace
} // namespace quorvex
