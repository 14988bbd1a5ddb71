// The elimination commands' worked steps: what the recorder wrote down,
// replayed on the input, must give the method's own matrices bit for bit.
#include "linear_routines.h"
#include "methods/elimination.h"
#include "methods/gauss_steps.h"
#include "number_text.h"
#include "render/render.h"
#include "scripted_host.h"
#include "steps/elimination_steps.h"
#include "steps/steps.h"

#include <gtest/gtest.h>

#include <cstring>
#include <numeric>
#include <random>
#include <string>

namespace quorvex {
namespace {

using steps::EliminationRecorder;
using steps::PivotSearch;

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
