#include "methods/elimination.h"
#include "methods/method_groups.h"

#include "kernels/blocked_elimination.h"
#include "kernels/full_pivot.h"
#include "linear_routines.h"
#include "number_text.h"
#include "report.h"

#include <algorithm>
#include <numeric>
#include <string>
#include <vector>

namespace quorvex {

namespace {

constexpr std::string_view kSep = "  ";

/// Forward elimination of the augmented n x (n+1) matrix A, optionally
/// bringing the largest-magnitude entry of each column to the pivot row.
void eliminate(Matrix& A, int n, int d, bool columnPivot) {
    for (int k = 1; k <= n; ++k) {
        if (columnPivot) A.swapRowRange(k, columnPivotRow(A, k, n), k, n + 1);
        for (int i = k + 1; i <= n; ++i) {
            const double m = A(i, k) / A(k, k);
            eliminateRow(A, i, k, m, k, n + 1, d);
        }
    }
}

/// Writes the m x (m+1) block S back over rows and columns k.. of A.
void putBlock(const Matrix& S, int m, Matrix& A, int k) {
    for (int i = 1; i <= m; ++i)
        std::copy(S.row(i), S.row(i) + (m + 1), A.row(k + i - 1) + (k - 1));
}

/// Forward elimination with complete pivoting. Each step works on a copy of
/// the remaining block; a column exchange renumbers the unknowns, which
/// `order` follows (order[c-1] is the input number of the unknown now in
/// column c).
void eliminateFullPivot(Matrix& A, int n, int d, std::vector<int>& order) {
    // One buffer serves every step: a step's block fills its top left
    // corner, and the routines never look past the block's size.
    Matrix S(n, n + 1);
    for (int k = 1; k <= n - 1; ++k) {
        const int m = n - k + 1;
        CopyBlock(A, n, k, S);
        int pr = 1;
        int pc = 1;
        FindLargest(S, m, pr, pc);
        SwapRows(S, 1, pr, m);
        SwapColumns(S, 1, pc, m);
        // The rows finished earlier must follow the new column order too.
        SwapColumns(A, k, k + pc - 1, n);
        if (pc != 1) std::swap(order[k - 1], order[k + pc - 2]);
        EliminantFirst(S, m, d);
        putBlock(S, m, A, k);
    }
}

/// Back substitution on the eliminated augmented matrix; every unknown but
/// the last is stored rounded to d decimals.
Vector backSubstitute(const Matrix& A, int n, int d) {
    Vector x(n);
    x(n) = A(n, n + 1) / A(n, n);
    for (int i = n - 1; i >= 1; --i) {
        double s = 0.0;
        for (int j = n; j >= i + 1; --j) s = s + x(j) * A(i, j);
        x(i) = roundTo((A(i, n + 1) - s) / A(i, i), d);
    }
    return x;
}

struct GaussTexts {
    std::string_view eliminatedHeading;
    std::string_view solutionHeading;
    std::string_view title;
    bool lineBreakAfterTitle = false;
};

/// The elimination report; unknowns[i-1] labels x(i), the unknown's number
/// in the input.
std::string gaussReport(const Matrix& B, const Matrix& A, const Vector& x,
                        const std::vector<int>& unknowns, int n, int dd, const GaussTexts& texts) {
    Report r;
    r.reserve(2 * estimateBlockBytes(n, n + 1, kSep.size()) + 64 * static_cast<std::size_t>(n));
    r.matrixBlock(B, n, n + 1, kSep, NumberStyle::plain());
    r.heading(texts.eliminatedHeading);
    r.matrixBlock(A, n, n + 1, kSep, NumberStyle::rounded(dd));
    r.heading(texts.solutionHeading);
    for (int i = 1; i <= n; ++i)
        r.indexedValue("x", unknowns[i - 1], x(i), NumberStyle::rounded(dd));
    r.title(texts.title);
    if (texts.lineBreakAfterTitle) r.newline();
    return r.take();
}

std::vector<int> inputOrder(int n) {
    std::vector<int> order(static_cast<std::size_t>(n));
    std::iota(order.begin(), order.end(), 1);
    return order;
}

Outcome solveAndReport(Host& host, int n, bool columnPivot, const GaussTexts& texts) {
    const Matrix B = readAugmentedMatrix(host, n);
    Matrix A = B;
    const int dd = host.decimalDigits();
    if (n < kernels::kFastKernelOrder) eliminate(A, n, dd + 1, columnPivot); else kernels::eliminateFast(A, n, n + 1, dd + 1, columnPivot ? kernels::Pivoting::Column : kernels::Pivoting::None, kernels::defaultKernelSettings());
    const Vector x = backSubstitute(A, n, dd + 1);
    return publish(host, gaussReport(B, A, x, inputOrder(n), n, dd, texts));
}

/// The n x 2n matrix (B's first n columns | identity).
Matrix extendedByIdentity(const Matrix& B, int n) {
    const int width = 2 * n;
    Matrix W(n, width);
    for (int i = 1; i <= n; ++i) {
        std::copy(B.row(i), B.row(i) + n, W.row(i));
        W(i, n + i) = 1.0;
    }
    return W;
}

/// Gauss-Jordan reduction of W with column pivoting: every other row loses
/// its entry of the pivot column (stored rounded to d decimals) while the
/// pivot row is still unscaled; then the pivot row is divided, unrounded.
void reduceGaussJordan(Matrix& W, int n, int d) {
    const int width = 2 * n;
    for (int k = 1; k <= n; ++k) {
        W.swapRowRange(k, columnPivotRow(W, k, n), k, width);
        for (int i = 1; i <= n; ++i)
            if (i != k) eliminateRow(W, i, k, W(i, k) / W(k, k), k, width, d);
        double* pivotRow = W.row(k);
        const double t = pivotRow[k - 1];
        for (int j = 0; j < width; ++j) pivotRow[j] = pivotRow[j] / t;
    }
}

} // namespace

Outcome Gauss_1_Click(Host& host) {
    // A cancelled prompt keeps the previous report: the area is emptied only
    // once the order is accepted.
    const auto n = askOrder(host, kMatrixOrderPrompt, kInputDataCaption, "3");
    if (!n) return Outcome::Stopped;
    host.setResultText({});
    return solveAndReport(
        host, *n, false,
        {"输出方程组增广矩阵消元后的结果", "输出求解结果", "Gauss消去法解线性方程组"});
}

Outcome GaussTier_Click(Host& host) {
    host.setResultText({});
    const auto n = askOrder(host, kOrderPrompt);
    if (!n) return Outcome::Stopped;
    return solveAndReport(host, *n, true,
                          {"输出方程组增广矩阵选主元、消元后的结果", "输出求解结果",
                           "Gauss列主元消去法解线性方程组"});
}

Outcome GaussFull_Click(Host& host) {
    const auto n = askOrder(host, kOrderPrompt);
    if (!n) return Outcome::Stopped;
    host.setResultText({});
    const Matrix B = readAugmentedMatrix(host, *n);
    Matrix A = B;
    const int dd = host.decimalDigits();
    std::vector<int> order = inputOrder(*n);
    if (*n < kernels::kFastKernelOrder) eliminateFullPivot(A, *n, dd + 1, order); else kernels::eliminateFullPivotFast(A, *n, dd + 1, order, kernels::defaultKernelSettings());
    const Vector x = backSubstitute(A, *n, dd + 1);
    return publish(host, gaussReport(B, A, x, order, *n, dd,
                                     {"输出方程组增广矩阵选主元、消元后的结果", "输出求解结果：",
                                      "Gauss全主元消去法解线性方程组", true}));
}

Outcome A_matrix_Click(Host& host) {
    const auto n = askOrder(host, kMatrixOrderPrompt);
    if (!n) return Outcome::Stopped;
    host.setResultText({});
    const Matrix B = readAugmentedMatrix(host, *n);
    const int dd = host.decimalDigits();
    Matrix W = extendedByIdentity(B, *n);
    if (*n < kernels::kFastKernelOrder) reduceGaussJordan(W, *n, dd + 1); else kernels::reduceGaussJordanFast(W, *n, dd + 1, kernels::defaultKernelSettings());

    Report r;
    r.reserve(estimateBlockBytes(*n, 4 * *n, kSep.size()));
    r.matrixBlock(B, *n, *n, kSep, NumberStyle::plain());
    r.heading("输出矩阵选主元、消元后的结果");
    r.matrixBlock(W, *n, 2 * *n, kSep, NumberStyle::rounded(dd + 1));
    r.heading("矩阵的逆为：");
    r.matrixBlock(W, *n, 2 * *n, kSep, NumberStyle::rounded(dd), *n + 1);
    r.newline().title("选主元消去法的应用——求矩阵的逆。");
    return publish(host, r.take());
}

Outcome A_range_Click(Host& host) {
    const auto n = askOrder(host, kMatrixOrderPrompt);
    if (!n) return Outcome::Stopped;
    host.setResultText({});
    const Matrix B = readAugmentedMatrix(host, *n);
    const int dd = host.decimalDigits();
    Matrix A(*n, *n);
    for (int i = 1; i <= *n; ++i) std::copy(B.row(i), B.row(i) + *n, A.row(i));
    int exchanges = 0;
    const double det = *n < kernels::kFastKernelOrder ? ColumnPivotDeterminant(A, exchanges) : kernels::columnPivotDeterminantFast(A, exchanges, kernels::defaultKernelSettings());

    Report r;
    r.reserve(2 * estimateBlockBytes(*n, *n, kSep.size()) + 256);
    r.matrixBlock(B, *n, *n, kSep, NumberStyle::plain());
    r.heading("输出行列式选主元、消元后的结果");
    r.matrixBlock(A, *n, *n, kSep, NumberStyle::rounded(dd + 1));
    r.newline().text("行、列共交换 ").integer(exchanges).text(" 次").newline();
    r.heading("行列式的值为：").text("   ").number(det, NumberStyle::rounded(dd));
    r.newline().title("选主元消去法的应用——求行列式的值。");
    return publish(host, r.take());
}

std::span<const CommandDef> eliminationCommands() {
    static constexpr CommandDef kCommands[] = {
        {"Gauss_1", &Gauss_1_Click},     {"GaussTier", &GaussTier_Click},
        {"GaussFull", &GaussFull_Click}, {"A_matrix", &A_matrix_Click},
        {"A_range", &A_range_Click},
    };
    return kCommands;
}

} // namespace quorvex
