// The square-root methods and the chasing method: solvers for systems of a
// special shape (symmetric, tridiagonal) that read only part of A.
#include "methods/decomposition.h"
#include "methods/decomposition_parts.h"

#include "exact/exact_mode.h"
#include "exact/exact_texts.h"

#include <cmath>
#include <vector>

namespace quorvex {

namespace {

constexpr std::string_view kSymmetricOpening =
    "以上是方程组的增广矩阵，接下来输出方程组的系数矩阵A、方程组的常数项向量b";

/// CR LF before each line name(i)=value, none after the last.
template <class T>
void valuesAfterBreaks(Report& r, std::string_view name, const BasicVector<T>& v, int n,
                       NumberStyle style) {
    for (int i = 1; i <= n; ++i) r.indexedValueAfterBreak(name, i, v(i), style);
}

/// Column j of L below the diagonal, copied to a contiguous buffer: at[t-1]
/// = L(t, j) for t = j+1..n.
template <class T> void gatherColumn(const BasicMatrix<T>& L, int j, int n, std::vector<T>& at) {
    for (int t = j + 1; t <= n; ++t) at[static_cast<std::size_t>(t - 1)] = L(t, j);
}

/// The Cholesky factor of the symmetric matrix whose lower triangle is that
/// of A's first n columns. A negative radicand has no root: that diagonal
/// element stays 0, and the divisions by it give infinities or NaN.
Matrix cholesky(const Matrix& A, int n, const StopRequest& stop) {
    Matrix L(n, n);
    Matrix S(n, n); // S(i,j), i >= j: the sum of L(i,k)·L(j,k) over the k done so far
    std::vector<double> column(static_cast<std::size_t>(n));
    for (int j = 1; j <= n; ++j) {
        stop.check();
        const double radicand = A(j, j) - S(j, j);
        if (!(radicand < 0.0)) L(j, j) = std::sqrt(radicand);
        for (int i = j + 1; i <= n; ++i) L(i, j) = (A(i, j) - S(i, j)) / L(j, j);
        gatherColumn(L, j, n, column);
        for (int i = j + 1; i <= n; ++i) addScaled(S.row(i) + j, column.data() + j, L(i, j), i - j);
    }
    return L;
}

/// Solves L·Lᵀ·X = b: LY = b forwards, then LᵀX = Y backwards.
void solveWithCholesky(const Matrix& L, const Vector& b, int n, Vector& Y, Vector& X) {
    for (int i = 1; i <= n; ++i) {
        const double* li = L.row(i);
        double s = 0.0;
        for (int k = 1; k < i; ++k) s = s + li[k - 1] * Y(k);
        Y(i) = (b(i) - s) / li[i - 1];
    }
    for (int i = n; i >= 1; --i) {
        double s = 0.0;
        for (int k = i + 1; k <= n; ++k) s = s + L(k, i) * X(k);
        X(i) = (Y(i) - s) / L(i, i);
    }
}

/// L·D·Lᵀ factors from the lower triangle of A's first n columns. Gives
/// false when some d(j) with j < n, about to be divided by, is exactly 0.
template <class T>
bool ldlt(const BasicMatrix<T>& A, int n, BasicMatrix<T>& L, BasicVector<T>& d,
          const StopRequest& stop) {
    BasicMatrix<T> S(n, n); // S(i,j), j < i: the sum of L(i,k)·d(k)·L(j,k) over the k done so far
    BasicVector<T> diagonalSums(n); // the sum of L(i,k)·L(i,k)·d(k) over the k done so far
    std::vector<T> column(static_cast<std::size_t>(n));
    for (int i = 1; i <= n; ++i) L(i, i) = 1.0;
    for (int k = 1; k <= n; ++k) {
        stop.check();
        guardGrowth(S);
        d(k) = A(k, k) - diagonalSums(k);
        if (k == n) break;
        if (d(k) == 0.0) return false;
        for (int i = k + 1; i <= n; ++i) L(i, k) = quotient(A(i, k) - S(i, k), d(k));
        gatherColumn(L, k, n, column);
        for (int i = k + 1; i <= n; ++i) {
            const T lik = L(i, k);
            addScaled(S.row(i) + k, column.data() + k, lik * d(k), i - 1 - k);
            diagonalSums(i) = diagonalSums(i) + lik * lik * d(k);
        }
    }
    return true;
}

/// The right-hand side, the forward pass and the solution of the chasing
/// method.
template <class T> struct Chase { BasicVector<T> d, y, x; };

/// Solves D·Lᵀ·X = Y backwards. Gives false when d(i) is exactly 0.
template <class T>
bool backWithLdlt(const BasicMatrix<T>& L, const BasicVector<T>& d, const BasicVector<T>& Y, int n,
                  BasicVector<T>& X) {
    for (int i = n; i >= 1; --i) {
        T s = 0.0;
        for (int k = i + 1; k <= n; ++k) s = s + L(k, i) * X(k);
        if (d(i) == 0.0) return false;
        X(i) = quotient(Y(i), d(i)) - s;
    }
    return true;
}

/// What both square-root reports open with: the system as typed, A and b,
/// and L with one decimal more than the setting.
template <class T>
void symmetricOpening(Report& r, const BasicMatrix<T>& B, const BasicVector<T>& b,
                      const BasicMatrix<T>& L, int n, int dd) {
    systemOpening(r, B, kSymmetricOpening, B, NumberStyle::plain(), b, NumberStyle::plain(),
                  kFiveBlanks, n);
    r.heading(kLowerFactorHeading);
    r.matrixBlock(L, n, n, kFiveBlanks, NumberStyle::rounded(dd + 1));
}

/// Y, each value after a line break, then the solution X.
template <class T>
void symmetricClosing(Report& r, const BasicVector<T>& Y, NumberStyle yStyle,
                      const BasicVector<T>& X, int n, int dd) {
    r.heading(kForwardHeading);
    valuesAfterBreaks(r, "y", Y, n, yStyle);
    r.heading(kSolutionHeading);
    valueLines(r, "x", X, n, NumberStyle::rounded(dd));
}

/// Splits the tridiagonal system held in the augmented matrix M into its
/// three diagonals and right-hand side, and solves it by the chasing method.
template <class T> Chase<T> chase(const BasicMatrix<T>& M, int n) {
    BasicVector<T> a(2, n), b(n), c(1, n - 1), l(2, n), u(n);
    Chase<T> out{BasicVector<T>(n), BasicVector<T>(n), BasicVector<T>(n)};
    for (int i = 1; i <= n; ++i) {
        b(i) = M(i, i);
        out.d(i) = M(i, n + 1);
    }
    for (int i = 2; i <= n; ++i) a(i) = M(i, i - 1);
    for (int i = 1; i <= n - 1; ++i) c(i) = M(i, i + 1);
    u(1) = b(1);
    for (int i = 2; i <= n; ++i) {
        l(i) = quotient(a(i), u(i - 1));
        u(i) = b(i) - l(i) * c(i - 1);
    }
    out.y(1) = out.d(1);
    for (int i = 2; i <= n; ++i) out.y(i) = out.d(i) - l(i) * out.y(i - 1);
    out.x(n) = quotient(out.y(n), u(n));
    for (int i = n - 1; i >= 1; --i) out.x(i) = quotient(out.y(i) - c(i) * out.x(i + 1), u(i));
    return out;
}

/// Sets every coefficient outside the three diagonals to 0, so the report
/// shows the system the chasing method solves.
template <class T> void keepBand(BasicMatrix<T>& M, int n) {
    for (int i = 1; i <= n; ++i) {
        T* row = M.row(i);
        for (int j = 1; j < i - 1; ++j) row[j - 1] = 0.0;
        for (int j = i + 2; j <= n; ++j) row[j - 1] = 0.0;
    }
}

Outcome sqrtRoot(CommandInput& in) {
    const int n = in.n;
    const Matrix& B = in.matrix;
    const Vector b = rightHandSide(B, n);
    const Matrix L = cholesky(B, n, in.stop);
    Vector Y(n);
    Vector X(n);
    solveWithCholesky(L, b, n, Y, X);

    const int dd = in.settings.decimalDigits;
    Report r;
    noteDecimalsOnly(r, in.settings, exact_texts::kNeedsRoots);
    symmetricOpening(r, B, b, L, n, dd);
    symmetricClosing(r, Y, NumberStyle::rounded(dd + 1), X, n, dd);
    r.title("平方根法解线性方程组。").newline();
    r.text("注意：本方法仅对未知数x的系数矩阵是对称正定矩阵时有效。");
    return publish(in.host, std::move(r));
}

template <class T> Outcome mendSqrt(CommandInput& in, const BasicMatrix<T>& B) {
    const int n = in.n;
    const BasicVector<T> b = rightHandSide(B, n);
    BasicMatrix<T> L(n, n);
    BasicVector<T> d(n);
    if (!ldlt(B, n, L, d, in.stop)) return fail(in.host, kNotSuitableHash);
    const BasicVector<T> Y = forwardUnit(L, b, n);
    BasicVector<T> X(n);
    if (!backWithLdlt(L, d, Y, n, X)) return fail(in.host, kNotSuitableHash);

    const int dd = in.settings.decimalDigits;
    Report r;
    symmetricOpening(r, B, b, L, n, dd);
    r.text("接下来输出分解式A=L*D*L' 中D的主对角线元素：").newline();
    r.vectorLine(d, 1, n, kFiveBlanks, NumberStyle::rounded(dd + 1));
    symmetricClosing(r, Y, NumberStyle::rounded(dd), X, n, dd);
    r.title("改进的平方根法解线性方程组").newline();
    r.text("注意：本方法仅对未知数x的系数矩阵是对称矩阵时有效。");
    return publish(in.host, std::move(r));
}

template <class T> Outcome purase(CommandInput& in, BasicMatrix<T>& M) {
    const int n = in.n;
    const Chase<T> solved = chase(M, n);
    keepBand(M, n);

    const int dd = in.settings.decimalDigits;
    Report r;
    systemOpening(r, M,
                  "以上是三对角线形方程组的增广矩阵\r\n"
                  "接下来输出方程组的系数矩阵A、方程组的常数项向量D(n)",
                  M, NumberStyle::plain(), solved.d, NumberStyle::rounded(dd + 1), kFiveBlanks, n);
    r.newline().text("输出求解LY=D后的 Y(n)");
    valuesAfterBreaks(r, "y", solved.y, n, NumberStyle::rounded(dd + 1));
    r.newline().heading(kSolutionHeading);
    valueLines(r, "x", solved.x, n, NumberStyle::rounded(dd));
    r.title("追赶法解三对角线性方程组。").newline();
    r.text("注意：本方法仅适合于三对角线性方程组。");
    return publish(in.host, std::move(r));
}

Outcome mendSqrtEither(CommandInput& in) {
    return exactOrDecimal(in, in.n + 1, kNotSuitableHash,
                          [&](const auto& B) { return mendSqrt(in, B); });
}

Outcome puraseEither(CommandInput& in) {
    return exactOrDecimal(in, in.n + 1, exact_texts::kZeroPivot,
                          [&](auto& M) { return purase(in, M); });
}

} // namespace

namespace commands {

const Command SqrtRoot{"SqrtRoot",
                       "平方根法",
                       CommandGroup::Decomposition,
                       {"确定方程组的系数矩阵A是对称正定的后，输入方程组系数矩阵的阶数 n：",
                        {},
                        {},
                        Clear::BeforeAsking},
                       &sqrtRoot};
const Command MendSqrt{"MendSqrt",
                       "改进的平方根法",
                       CommandGroup::Decomposition,
                       {kArrayOrderPrompt},
                       &mendSqrtEither};
const Command Purase{
    "Purase", "追赶法(解三对角)", CommandGroup::Decomposition, {kArrayOrderPrompt}, &puraseEither};

} // namespace commands

} // namespace quorvex
