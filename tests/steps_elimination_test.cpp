// The elimination commands' worked steps: what the recorder wrote down,
// replayed on the input, must give the method's own matrices bit for bit.
#include "hand_replay.h"
#include "linear_routines.h"
#include "methods/elimination.h"
#include "methods/gauss_steps.h"
#include "number_text.h"
#include "render/render.h"
#include "scripted_host.h"
#include "steps/elimination_steps.h"
#include "steps/steps.h"

#include <gtest/gtest.h>

#include <cmath>
#include <cstring>
#include <numeric>
#include <random>
#include <regex>
#include <sstream>
#include <string>
#include <vector>

namespace quorvex {
namespace {

using steps::EliminationRecorder;
using steps::PivotSearch;
using testing::agrees;
using testing::byHand;
using testing::linesOf;

bool sameBits(double a, double b) { return std::memcmp(&a, &b, sizeof a) == 0; }

bool sameBits(const Matrix& a, const Matrix& b) {
    return a.rows() == b.rows() && a.cols() == b.cols() &&
           std::memcmp(a.row(1), b.row(1), sizeof(double) * a.rows() * a.cols()) == 0;
}

/// Random entries with up to two decimals, so that pivots tie now and then.
Matrix randomMatrix(std::mt19937& gen, int rows, int cols) {
    std::uniform_int_distribution<int> hundredths(-999, 999);
    std::uniform_int_distribution<int> small(-3, 3);
    Matrix A(rows, cols);
    for (int i = 1; i <= rows; ++i)
        for (int j = 1; j <= cols; ++j)
            A(i, j) = (gen() % 3 == 0 ? small(gen) : hundredths(gen)) / 100.0;
    return A;
}

/// How a method's stages touch the matrix: which columns a row operation
/// and a row exchange cover, and the decimals new values are stored at.
struct Reach {
    int last = 0; ///< operations and row exchanges run over columns k..last
    int decimals = 7;
};

/// Applies the recorded stages to A, checking each stage's recorded matrix
/// on the way.
void replay(Matrix& A, const EliminationRecorder<double>& log, const Reach& reach) {
    for (const auto& s : log.stages()) {
        const int k = s.k;
        A.swapRowRange(k, s.pivotRow, k, reach.last);
        if (s.pivotColumn != k) // a column exchange renumbers every row's unknowns
            for (int i = 1; i <= A.rows(); ++i) std::swap(A(i, k), A(i, s.pivotColumn));
        ASSERT_TRUE(sameBits(A(k, k), s.pivot)) << "stage " << k;
        for (const auto& op : s.operations)
            for (int j = k; j <= reach.last; ++j)
                A(op.target, j) =
                    roundTo(A(op.target, j) - op.multiplier * A(op.source, j), reach.decimals);
        if (s.divisor)
            for (int j = 1; j <= A.cols(); ++j) A(k, j) = A(k, j) / *s.divisor;
        ASSERT_TRUE(sameBits(A, s.after)) << "stage " << k;
    }
}

TEST(EliminationSteps, ReplayedOperationsGiveTheMethodsMatrices) {
    std::mt19937 gen(20261206);
    const StopRequest stop;
    for (int n = 2; n <= 8; ++n) {
        for (int round = 0; round < 5; ++round) {
            SCOPED_TRACE("order " + std::to_string(n) + ", round " + std::to_string(round));
            const Matrix B = randomMatrix(gen, n, n + 1);
            for (const bool columnPivot : {false, true}) {
                Matrix A = B, R = B;
                EliminationRecorder<double> log(
                    columnPivot ? PivotSearch::Column : PivotSearch::None, n);
                eliminate(A, n, 7, columnPivot, stop, &log);
                replay(R, log, {n + 1, 7});
                EXPECT_TRUE(sameBits(A, R)) << "column pivot " << columnPivot;
            }
            {
                Matrix A = B, R = B;
                std::vector<int> order(n);
                std::iota(order.begin(), order.end(), 1);
                EliminationRecorder<double> log(PivotSearch::Complete, n);
                eliminateFullPivot(A, n, 7, order, stop, &log);
                replay(R, log, {n + 1, 7});
                EXPECT_TRUE(sameBits(A, R)) << "complete pivoting";
                EXPECT_EQ(log.stages().back().unknowns, order);
            }
            {
                Matrix W(n, 2 * n);
                for (int i = 1; i <= n; ++i) {
                    for (int j = 1; j <= n; ++j) W(i, j) = B(i, j);
                    W(i, n + i) = 1.0;
                }
                Matrix R = W;
                EliminationRecorder<double> log(PivotSearch::Column, n);
                reduceGaussJordan(W, n, 7, stop, &log);
                replay(R, log, {2 * n, 7});
                EXPECT_TRUE(sameBits(W, R)) << "Gauss-Jordan";
            }
            {
                Matrix A(n, n);
                for (int i = 1; i <= n; ++i)
                    for (int j = 1; j <= n; ++j) A(i, j) = B(i, j);
                Matrix R = A;
                int exchanges = 0;
                EliminationRecorder<double> log(PivotSearch::Column, n);
                ColumnPivotDeterminant(A, exchanges, &log);
                replay(R, log, {n, 7});
                EXPECT_TRUE(sameBits(A, R)) << "determinant";
            }
        }
    }
}

std::vector<double> numbersOf(const std::string& line) {
    std::vector<double> row;
    std::istringstream in(line);
    for (std::string word; in >> word;) row.push_back(byHand(word));
    return row;
}

/// Decimals written in a number's text.
int decimalsOf(const std::string& number) {
    const auto point = number.find('.');
    if (point == std::string::npos || number.find('E') != std::string::npos) return 0;
    return static_cast<int>(number.size() - point - 1);
}

/// Redoes the printed steps of an elimination report by hand, from the
/// numbers printed before each line; `held` decimals are what the stage
/// matrices are written with. Returns the lines that do not come out.
std::vector<std::string> unreplayableLines(const std::string& report, int n, int held,
                                           bool inverse = false) {
    static const std::regex operation("第 (\\d+) 行 (−|\\+) (.+) × 第 (\\d+) 行");
    static const std::regex rows("交换第 (\\d+) 行与第 (\\d+) 行");
    static const std::regex columns("交换第 (\\d+) 列与第 (\\d+) 列.*");
    static const std::regex division("第 (\\d+) 行除以主元 (.+)");
    static const std::regex equation("(x\\(\\d+\\)|行列式) = (.+) = (\\S+)");
    const std::vector<std::string> lines = linesOf(report);
    std::vector<std::vector<double>> cur;
    for (int i = 0; i < n; ++i) {
        cur.push_back(numbersOf(lines[static_cast<std::size_t>(i)]));
        if (inverse) { // the identity beside the matrix
            cur.back().resize(static_cast<std::size_t>(2 * n), 0.0);
            cur.back()[static_cast<std::size_t>(n + i)] = 1.0;
        }
    }
    std::vector<std::vector<double>> next = cur;
    std::vector<std::string> wrong;
    const double unit = std::pow(10.0, -held);
    std::size_t at = 0;
    while (at < lines.size() && lines[at] != "详细步骤：") ++at;
    for (++at; at < lines.size() && !lines[at].empty(); ++at) {
        const std::string& line = lines[at];
        std::smatch m;
        if (std::regex_match(line, m, rows)) {
            std::swap(next[std::stoul(m[1]) - 1], next[std::stoul(m[2]) - 1]);
        } else if (std::regex_match(line, m, columns)) {
            for (auto& row : next) std::swap(row[std::stoul(m[1]) - 1], row[std::stoul(m[2]) - 1]);
        } else if (std::regex_match(line, m, operation)) {
            const double factor = byHand(m[3].str()) * (m[2] == "−" ? 1.0 : -1.0);
            auto& target = next[std::stoul(m[1]) - 1];
            const auto& source = cur[std::stoul(m[4]) - 1];
            // A student fills the new row in from the rows as they stood.
            for (std::size_t j = 0; j < source.size(); ++j)
                target[j] = cur[std::stoul(m[1]) - 1][j] - factor * source[j];
        } else if (std::regex_match(line, m, division)) {
            for (double& v : next[std::stoul(m[1]) - 1]) v /= byHand(m[2].str());
        } else if (line.find(" 步后的矩阵：") != std::string::npos) {
            for (int i = 0; i < n; ++i) {
                const std::vector<double> shown = numbersOf(lines[++at]);
                auto& row = next[static_cast<std::size_t>(i)];
                for (std::size_t j = 0; j < shown.size(); ++j)
                    if (!agrees(row[j], shown[j], unit))
                        wrong.push_back(line + " row " + std::to_string(i + 1) + ": " + lines[at]);
                row = shown;
            }
            cur = next;
        } else if (std::regex_match(line, m, equation)) {
            const std::string value = m[3];
            const double place = std::pow(10.0, -std::max(held, decimalsOf(value)));
            if (!agrees(byHand(m[2].str()), byHand(value), place)) wrong.push_back(line);
        } else if (line.rfind("第 ", 0) == 0 && line.find(" 步的主元 ") == std::string::npos &&
                   line.find("，") == std::string::npos && line.find("：") == std::string::npos) {
            wrong.push_back("unread: " + line);
        }
        // For the inverse, a row operation may come after rows have been
        // replaced: the rows a student uses are the printed ones.
        if (line.find(" 步后的矩阵：") == std::string::npos && !std::regex_match(line, operation))
            cur = next;
    }
    return wrong;
}

/// A system with entries of up to two decimals (written exactly at every
/// setting) and a dominant diagonal now and then, so that every command
/// runs to its end in most draws.
std::string randomSystem(std::mt19937& gen, int n, int cols) {
    const Matrix B = randomMatrix(gen, n, cols);
    std::string text;
    for (int i = 1; i <= n; ++i) {
        for (int j = 1; j <= cols; ++j) text += numberText(B(i, j)) + " ";
        text += "\n";
    }
    return text;
}

TEST(EliminationSteps, EveryPrintedLineComesOutByHand) {
    std::mt19937 gen(20261207);
    int replayed = 0;
    for (int n = 2; n <= 6; ++n)
        for (int dd = 2; dd <= 8; ++dd)
            for (int round = 0; round < 3; ++round) {
                const std::string system = randomSystem(gen, n, n + 1);
                for (const Command* command :
                     {&commands::Gauss_1, &commands::GaussTier, &commands::GaussFull,
                      &commands::A_matrix, &commands::A_range})
                    for (const bool exact : {false, true}) {
                        if (exact && dd != 2) continue; // fractions know no decimals
                        testing::ScriptedHost host(system, {std::to_string(n)}, dd);
                        host.settings.steps = true;
                        host.settings.exact = exact;
                        if (host.run(*command) != Outcome::Reported) continue;
                        // The determinant holds its stages at 7 decimals; exact
                        // lines come out exactly, but for the double arithmetic
                        // redoing them.
                        const int held = exact ? 9 : command == &commands::A_range ? 7 : dd + 1;
                        const std::vector<std::string> wrong =
                            unreplayableLines(host.result, n, held, command == &commands::A_matrix);
                        EXPECT_TRUE(wrong.empty())
                            << command->id << " order " << n << ", " << dd << " decimals"
                            << (exact ? ", exact" : "") << ":\n"
                            << system << wrong.front();
                        ++replayed;
                    }
            }
    EXPECT_GT(replayed, 400);
}

// The help book's pivoting example without pivoting, worked by hand: the
// multiplier of stage 2 is 40001.072 ÷ 20003.712 = 1.99968245894 and the
// last unknown 2.17605 ÷ 5.9247 = 0.36728441946, each written with the
// decimals their uses need; by hand 60005.643 − 1.99968245894 × 30004.623
// = 5.92470 and (1 − (3 × 0.36728441946 + 2 × (-0.0509))) ÷ 0.0001 =
// -0.532583, as printed.
TEST(EliminationSteps, TheHelpBooksSmallPivotComesOutByHand) {
    testing::ScriptedHost host("0.0001 2 3 1\n-1 3.712 4.623 2\n-2 1.072 5.643 3\n", {"3"}, 4);
    host.settings.steps = true;
    ASSERT_EQ(host.run(commands::Gauss_1), Outcome::Reported);
    EXPECT_TRUE(unreplayableLines(host.result, 3, 5).empty());
    EXPECT_NE(host.result.find("第 3 行 − 1.99968245894 × 第 2 行\r\n"), std::string::npos);
    EXPECT_NE(host.result.find("  0  0  5.9247  2.17605\r\n"), std::string::npos);
    EXPECT_NE(host.result.find("x(1) = (1 − (3 × 0.36728441946 + 2 × (-0.0509))) ÷ 0.0001 = "
                               "-0.53258\r\n"),
              std::string::npos);
    // The results show 2.176 where the steps held 2.17605, and one line says so.
    EXPECT_NE(host.result.find("以上各步写出计算时保留的 5 位小数；下面的结果按设定保留 4 "
                               "位小数，末位可能与步骤中的不同。\r\n"),
              std::string::npos);
}

TEST(EliminationSteps, OneSectionOrAboveTheLimitOneLineIsAdded) {
    std::mt19937 gen(12);
    for (const int n : {2, 5, steps::kMaxStepsOrder, steps::kMaxStepsOrder + 1}) {
        const Matrix B = randomMatrix(gen, n, n + 1);
        std::string text;
        for (int i = 1; i <= n; ++i) {
            for (int j = 1; j <= n + 1; ++j) text += numberText(B(i, j)) + " ";
            text += "\n";
        }
        for (const Command* command :
             {&commands::Gauss_1, &commands::GaussTier, &commands::GaussFull, &commands::A_matrix,
              &commands::A_range}) {
            testing::ScriptedHost plain(text, {std::to_string(n)});
            testing::ScriptedHost withSteps(text, {std::to_string(n)});
            withSteps.settings.steps = true;
            plain.run(*command);
            withSteps.run(*command);
            const char* inside = n > steps::kMaxStepsOrder ? "详细步骤：阶数大于 12，不列出步骤。"
                                                           : "\r\n详细步骤：\r\n";
            EXPECT_TRUE(testing::oneStretchAdded(plain.result, withSteps.result, inside))
                << command->id << " order " << n;
        }
    }
}

TEST(EliminationSteps, ExportsCarryTheSteps) {
    testing::ScriptedHost host("2 1 3\n1 3 4\n", {"2"});
    host.settings.steps = true;
    host.settings.exact = true;
    host.run(commands::Gauss_1);
    ASSERT_TRUE(host.document);
    const std::string latex = renderLatex(*host.document);
    EXPECT_NE(latex.find("详细步骤"), std::string::npos);
    EXPECT_NE(latex.find("\\frac{1}{2}"), std::string::npos); // the multiplier
    EXPECT_NE(renderHtml(*host.document).find("回代求解"), std::string::npos);
    EXPECT_NE(renderMarkdown(*host.document).find("第 1 步后的矩阵"), std::string::npos);
}

} // namespace
} // namespace quorvex
