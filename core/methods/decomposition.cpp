#include "methods/decomposition.h"
#include "methods/decomposition_parts.h"

#include "exact/exact_mode.h"
#include "exact/exact_texts.h"
#include "linear_routines.h"

#include <cmath>

namespace quorvex {

namespace {

/// Doolittle factors of the first n columns of A: L unit lower triangular,
/// U upper triangular, row r of U before column r of L. Gives false when a
/// pivot U(r,r) with r < n is exactly 0, since column r of L divides by it.
template <class T>
bool doolittle(const BasicMatrix<T>& A, int n, BasicMatrix<T>& L, BasicMatrix<T>& U,
               const StopRequest& stop) {
    BasicMatrix<T> S(n, n); // S(i,j): the sum of L(i,k)·U(k,j) over the k done so far
    for (int i = 1; i <= n; ++i) L(i, i) = 1.0;
    for (int r = 1; r <= n; ++r) {
        stop.check();
        guardGrowth(S);
        T* ur = U.row(r);
        const T* ar = A.row(r);
        const T* sr = S.row(r);
        for (int j = r - 1; j < n; ++j) ur[j] = ar[j] - sr[j];
        if (r == n) break;
        if (ur[r - 1] == 0.0) return false;
        for (int i = r + 1; i <= n; ++i) {
            L(i, r) = quotient(A(i, r) - S(i, r), ur[r - 1]);
            addScaled(S.row(i) + r, ur + r, L(i, r), n - r);
        }
    }
    return true;
}

/// Solves UX = Y backwards. Gives false when a diagonal element of U is 0
/// (or, where the method says so, not a number).
template <class T>
bool backUpper(const BasicMatrix<T>& U, const BasicVector<T>& Y, int n, bool nanFails,
               BasicVector<T>& X) {
    for (int i = n; i >= 1; --i) {
        const T* ui = U.row(i);
        T s = 0.0;
        for (int k = i + 1; k <= n; ++k) s = s + ui[k - 1] * X(k);
        if (ui[i - 1] == 0.0 || (nanFails && isNotANumber(ui[i - 1]))) return false;
        X(i) = quotient(Y(i) - s, ui[i - 1]);
    }
    return true;
}

/// Rows with five blanks before each number, each row followed by an empty
/// line: the way U is printed.
template <class T> void spacedRows(Report& r, const BasicMatrix<T>& U, int n, NumberStyle style) {
    r.matrixBlock(U, n, n, kFiveBlanks, style, 1, "\r\n\r\n");
}

/// After a row exchange at step r, L must again be unit lower triangular.
/// Only the two exchanged rows can have brought values above the diagonal
/// (the old diagonal 1 of row p lands in row r), and a pivot row's own
/// quotient s(r)/s(r) may have left something other than 1 on the diagonal,
/// so resetting those suffices to restore the whole triangle.
template <class T> void restoreUnitLower(BasicMatrix<T>& L, int n, int r, int p) {
    for (int i = 1; i <= n; ++i) L(i, i) = 1.0;
    for (int row : {r, p}) {
        T* li = L.row(row);
        for (int k = row; k < n; ++k) li[k] = 0.0;
    }
}

/// Step r of the column-pivot decomposition; S holds, for the rows and
/// columns from r on, the sums of L(i,t)·U(t,j) over t < r.
template <class T>
void pivotStep(BasicMatrix<T>& B, int n, int r, BasicMatrix<T>& L, BasicMatrix<T>& U,
               BasicMatrix<T>& S) {
    BasicVector<T> s(r, n);
    for (int i = r; i <= n; ++i) s(i) = B(i, r) - S(i, r);
    const int p = MaxIndex(s);
    SwapRows(B, r, p, n);
    SwapSquareRows(L, r, p, n);
    SwapSquareRows(U, r, p, n);
    S.swapRowRange(r, p, r, n);
    restoreUnitLower(L, n, r, p);
    U(r, r) = s(p);
    B(r, r) = s(p);
    L(p, r) = quotient(s(r), s(p));
    for (int k = r + 1; k <= n; ++k)
        if (k != p) L(k, r) = quotient(s(k), s(p));
    T* ur = U.row(r);
    T* br = B.row(r);
    const T* sr = S.row(r);
    for (int k = r; k < n; ++k) ur[k] = br[k] - sr[k];
    for (int i = r; i < n; ++i) br[i] = ur[i];
    for (int i = r + 1; i <= n; ++i) B(i, r) = L(i, r);
    for (int i = r + 1; i <= n; ++i) addScaled(S.row(i) + r, ur + r, L(i, r), n - r);
}

/// PA = LU with the pivot of largest magnitude at each step. B's rows are
/// exchanged and its coefficients overwritten with the factors: the
/// multipliers of L below the diagonal, U on and above it.
template <class T>
void columnPivotDoolittle(BasicMatrix<T>& B, int n, BasicMatrix<T>& L, BasicMatrix<T>& U,
                          const StopRequest& stop) {
    BasicMatrix<T> S(n, n);
    L(1, 1) = 1.0; // a system of order 1 takes no step
    for (int r = 1; r <= n - 1; ++r) {
        stop.check();
        guardGrowth(S);
        pivotStep(B, n, r, L, U, S);
    }
    T last = 0.0; // U(n,n) is still 0 inside this sum
    for (int i = 1; i <= n; ++i) last = last + L(n, i) * U(i, n);
    U(n, n) = B(n, n) - last;
    B(n, n) = U(n, n);
}

template <class T> Outcome matrixBreak(CommandInput& in, const BasicMatrix<T>& A) {
    const int n = in.n;
    BasicMatrix<T> L(n, n);
    BasicMatrix<T> U(n, n);
    if (!doolittle(A, n, L, U, in.stop)) return fail(in.host, kNotSuitableHash);

    const NumberStyle rounded = NumberStyle::rounded(in.settings.decimalDigits);
    Report r;
    r.reserve(3 * estimateBlockBytes(n, n + 1, kFiveBlanks.size()));
    r.matrixBlock(A, n, n, kFourBlanks, NumberStyle::plain());
    r.heading("以上是所要分解的矩阵，接下来输出三角分解后的下三角矩阵L(n)");
    r.matrixBlock(L, n, n, kFourBlanks, rounded);
    r.heading("输出矩阵三角分解后的上三角矩阵U(n)");
    spacedRows(r, U, n, rounded);
    return publish(in.host, std::move(r));
}

template <class T> Outcome luBreak(CommandInput& in, const BasicMatrix<T>& B) {
    const int n = in.n;
    const BasicVector<T> b = rightHandSide(B, n);
    BasicMatrix<T> L(n, n);
    BasicMatrix<T> U(n, n);
    if (!doolittle(B, n, L, U, in.stop)) return fail(in.host, kNotSuitable);
    const BasicVector<T> Y = forwardUnit(L, b, n);
    BasicVector<T> X(n);
    if (!backUpper(U, Y, n, false, X)) return fail(in.host, kNotSuitable);

    const int dd = in.settings.decimalDigits;
    const NumberStyle finer = NumberStyle::rounded(dd + 1);
    Report r;
    systemOpening(r, B,
                  "以上是方程组的增广矩阵，接下来输出方程组的系数矩阵A、方程组的常数项向量b：", B,
                  NumberStyle::plain(), b, NumberStyle::plain(), kFourBlanks, n);
    r.heading(kLowerFactorHeading);
    r.matrixBlock(L, n, n, kFourBlanks, finer);
    r.heading("输出方程组的系数矩阵LU分解后的上三角矩阵U(n)");
    spacedRows(r, U, n, finer);
    r.heading(kForwardHeading);
    valueLines(r, "y", Y, n, finer);
    r.heading(kNumberedSolutionHeading);
    valueLines(r, "x", X, n, NumberStyle::rounded(dd));
    r.title("LU分解法解线性方程组");
    return publish(in.host, std::move(r));
}

template <class T> Outcome tierLU(CommandInput& in, BasicMatrix<T>& B) {
    const int n = in.n;
    const BasicMatrix<T> E = B;
    BasicMatrix<T> L(n, n);
    BasicMatrix<T> U(n, n);
    columnPivotDoolittle(B, n, L, U, in.stop);
    const BasicVector<T> bb = rightHandSide(B, n);
    const BasicVector<T> y = forwardUnit(L, bb, n);
    BasicVector<T> x(n);
    if (!backUpper(U, y, n, true, x)) return fail(in.host, kNotSuitableHash);

    const NumberStyle rounded = NumberStyle::rounded(in.settings.decimalDigits);
    Report r;
    systemOpening(r, E,
                  "以上是方程组的增广矩阵\r\n"
                  "接下来输出方程组的计算后的系数矩阵A、方程组的常数项向量b：",
                  B, rounded, bb, NumberStyle::plain(), kFourBlanks, n);
    r.heading("输出方程组的系数矩阵列主元三角分解后的下三角矩阵L(n)");
    r.matrixBlock(L, n, n, kFourBlanks, rounded);
    r.heading("输出方程组的系数矩阵列主元三角分解后的上三角矩阵U(n)");
    spacedRows(r, U, n, rounded);
    r.heading(kForwardHeading);
    valueLines(r, "y", y, n, rounded);
    r.heading(kNumberedSolutionHeading);
    valueLines(r, "x", x, n, rounded);
    r.title("列主元三角分解法解线性方程组");
    return publish(in.host, std::move(r));
}

Outcome matrixBreakEither(CommandInput& in) {
    return exactOrDecimal(in, in.n, kNotSuitableHash,
                          [&](const auto& A) { return matrixBreak(in, A); });
}

Outcome luBreakEither(CommandInput& in) {
    return exactOrDecimal(in, in.n + 1, kNotSuitable,
                          [&](const auto& B) { return luBreak(in, B); });
}

Outcome tierLUEither(CommandInput& in) {
    return exactOrDecimal(in, in.n + 1, kNotSuitableHash, [&](auto& B) { return tierLU(in, B); });
}

} // namespace

namespace commands {

const Command MatrixBreak{
    "MatrixBreak",
    "矩阵的三角分解",
    CommandGroup::Decomposition,
    {kMatrixOrderPrompt, kInputDataCaption, "3", Clear::BeforeAsking, Reads::SquareMatrix},
    &matrixBreakEither};
const Command LU_break{"LU_break",
                       "LU分解法",
                       CommandGroup::Decomposition,
                       {kOrderPrompt, {}, {}, Clear::BeforeAsking},
                       &luBreakEither};
const Command TierLU{
    "TierLU", "列主元三角分解法", CommandGroup::Decomposition, {kOrderPrompt}, &tierLUEither};

} // namespace commands

} // namespace quorvex
