#include "methods/elimination.h"
#include "methods/method_groups.h"

#include "number_text.h"
#include "report.h"

#include <cmath>
#include <string>

namespace quorvex {

namespace {

constexpr std::string_view kSep = "  ";

/// Subtracts m times row k from row i over columns first..last, each new
/// value stored rounded to d decimals.
void eliminateRow(Matrix& A, int i, int k, double m, int first, int last, int d) {
    double* ri = A.row(i) - 1; // 1-based views of the two rows
    const double* rk = A.row(k) - 1;
    for (int j = first; j <= last; ++j) ri[j] = roundTo(ri[j] - m * rk[j], d);
}

/// Forward elimination of the augmented n x (n+1) matrix A, optionally
/// bringing the largest-magnitude entry of each column to the pivot row.
void eliminate(Matrix& A, int n, int d, bool columnPivot) {
    for (int k = 1; k <= n; ++k) {
        if (columnPivot) {
            int p = k;
            for (int i = k + 1; i <= n; ++i)
                if (std::fabs(A(i, k)) > std::fabs(A(p, k))) p = i;
            A.swapRowRange(k, p, k, n + 1);
        }
        for (int i = k + 1; i <= n; ++i) {
            const double m = A(i, k) / A(k, k);
            eliminateRow(A, i, k, m, k, n + 1, d);
        }
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
};

std::string gaussReport(const Matrix& B, const Matrix& A, const Vector& x, int n, int dd,
                        const GaussTexts& texts) {
    Report r;
    r.reserve(2 * estimateBlockBytes(n, n + 1, kSep.size()) + 64 * static_cast<std::size_t>(n));
    r.matrixBlock(B, n, n + 1, kSep, NumberStyle::plain());
    r.heading(texts.eliminatedHeading);
    r.matrixBlock(A, n, n + 1, kSep, NumberStyle::rounded(dd));
    r.heading(texts.solutionHeading);
    for (int i = 1; i <= n; ++i) r.indexedValue("x", i, x(i), NumberStyle::rounded(dd));
    r.title(texts.title);
    return r.take();
}

Outcome solveAndReport(Host& host, int n, bool columnPivot, const GaussTexts& texts) {
    const Matrix B = readAugmentedMatrix(host, n);
    Matrix A = B;
    const int dd = host.decimalDigits();
    eliminate(A, n, dd + 1, columnPivot);
    const Vector x = backSubstitute(A, n, dd + 1);
    return publish(host, gaussReport(B, A, x, n, dd, texts));
}

} // namespace

Outcome Gauss_1_Click(Host& host) {
    // A cancelled prompt keeps the previous report: the area is emptied only
    // once the order is accepted.
    const auto n = askOrder(host, kMatrixOrderPrompt, kInputDataCaption, "3");
    if (!n) return Outcome::Stopped;
    host.setResultText({});
    return solveAndReport(host, *n, false,
                          {"输出方程组增广矩阵消元后的结果", "输出求解结果",
                           "Gauss消去法解线性方程组"});
}

Outcome GaussTier_Click(Host& host) {
    host.setResultText({});
    const auto n = askOrder(host, kOrderPrompt);
    if (!n) return Outcome::Stopped;
    return solveAndReport(host, *n, true,
                          {"输出方程组增广矩阵选主元、消元后的结果", "输出求解结果",
                           "Gauss列主元消去法解线性方程组"});
}

std::span<const CommandDef> eliminationCommands() {
    static constexpr CommandDef kCommands[] = {
        {"Gauss_1", &Gauss_1_Click},
        {"GaussTier", &GaussTier_Click},
    };
    return kCommands;
}

} // namespace quorvex
