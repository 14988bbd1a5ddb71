#include "methods/tests_and_norms.h"

#include "exact/exact_mode.h"
#include "exact/exact_texts.h"
#include "numerics/arithmetic.h"
#include "numerics/elimination_routines.h"
#include "numerics/kernels/exact_elimination.h"
#include "numerics/kernels/leading_minors.h"
#include "numerics/norm_routines.h"
#include "report/report.h"
#include "steps/steps.h"
#include "steps/tests_norms_steps.h"

#include <cmath>
#include <optional>
#include <string>
#include <type_traits>
#include <vector>

namespace quorvex {

namespace {

constexpr std::string_view kNormSep = "    ";
// The element count is a 16-bit integer: a longer vector overflows it, and
// the command then finds no elements.
constexpr int kMaxVectorLength = 32767;

constexpr std::string_view kPositiveDefinite = "该矩阵各阶顺序主子式的值全大于 0 ，是正定矩阵。";
// Positive leading minors decide definiteness only for a symmetric matrix:
// rows 1 5 and 0 1 have both minors 1, yet xᵀAx < 0 for x = (1, -1).
constexpr std::string_view kNotSymmetric =
    "该矩阵各阶顺序主子式的值全大于 0 ，但该矩阵不对称，本判断不认为它是正定矩阵。";

template <class T> bool isSymmetric(const BasicMatrix<T>& B, int n) {
    for (int i = 1; i <= n; ++i)
        for (int j = i + 1; j <= n; ++j)
            if (B(i, j) != B(j, i)) return false;
    return true;
}

// Steps are recorded by the reference routines only.
static_assert(steps::kMaxStepsOrder < kernels::kFastKernelOrder);

/// The leading minors up to the first that is not positive, each computed
/// by minor(k, steps), with their steps when the report shows them.
template <class T> struct MinorList {
    std::vector<T> values;
    std::vector<steps::MinorSteps<T>> steps;
};

template <class T, class Minor>
MinorList<T> leadingMinorsUntilNonPositive(CommandInput& in, Minor&& minor) {
    MinorList<T> out;
    const bool record = steps::wanted(in.settings, in.n);
    if (record) out.steps.reserve(static_cast<std::size_t>(in.n));
    for (int k = 1; k <= in.n; ++k) {
        in.stop.check();
        steps::MinorSteps<T>* s = record ? &out.steps.emplace_back(k) : nullptr;
        out.values.push_back(minor(k, s));
        if (!(out.values.back() > 0.0)) break;
    }
    return out;
}

/// minor(k, steps) gives the k-th leading minor of B.
template <class T, class Minor>
Outcome positiveDefinite(CommandInput& in, const BasicMatrix<T>& B, Minor&& minor) {
    const int n = in.n;
    const NumberStyle style = NumberStyle::rounded(in.settings.decimalDigits);
    const MinorList<T> minors = leadingMinorsUntilNonPositive<T>(in, minor);
    Report r;
    r.matrixBlock(B, n, n, kTwoBlanks, NumberStyle::plain());
    r.heading("以上是该矩阵的各元素");
    if (steps::open(r, in.settings, n)) {
        steps::writeMinors(r, minors.steps, NumberStyle::rounded(in.settings.decimalDigits + 1));
        r.newline();
    }
    r.text("下面输出各阶顺序主子式的值：").newline();
    for (int k = 1; k <= static_cast<int>(minors.values.size()); ++k) {
        const T& d = minors.values[static_cast<std::size_t>(k - 1)];
        r.text(kTwoBlanks).integer(k).text(" 阶顺序主子式的值为： ").number(d, style).newline();
        if (!(d > 0.0)) {
            r.newline().text("第 ").integer(k).text(" 阶顺序主子式的值不大于 0 ，该矩阵非正定。");
            r.newline();
            return publish(in.host, std::move(r));
        }
    }
    r.newline().text(isSymmetric(B, n) ? kPositiveDefinite : kNotSymmetric).newline();
    return publish(in.host, std::move(r));
}

template <class T> Outcome diagonalDominance(CommandInput& in, const BasicMatrix<T>& B) {
    const int n = in.n;
    std::vector<steps::DominanceSteps<T>> log;
    const bool record = steps::wanted(in.settings, n);
    int failing = 0;
    for (int i = 1; i <= n && failing == 0; ++i)
        if (!dominantRow(B, i, n, record ? &log.emplace_back() : nullptr)) failing = i;
    Report r;
    r.matrixBlock(B, n, n, kTwoBlanks, NumberStyle::plain());
    r.heading("以上是该矩阵的元素");
    if (steps::open(r, in.settings, n)) {
        steps::writeDominance(r, log, NumberStyle::plain());
        r.newline();
    }
    r.text("下面输出各行的判断结果：").newline();
    if (failing > 0) {
        r.text("第 ").integer(failing);
        r.text(" 行对角元素的绝对值不严格大于同行的其他元素的绝对值之和");
        r.newline().newline().text("因此该矩阵不是严格对角占优矩阵。").newline();
        return publish(in.host, std::move(r));
    }
    r.text("该矩阵每一行对角元素的绝对值都严格大于同行的其他元素的绝对值之和").newline();
    r.newline().text("因此该矩阵是严格对角占优矩阵。").newline();
    r.newline().text("同时该矩阵也为非奇异矩阵。");
    return publish(in.host, std::move(r));
}

/// In exact mode the norms that need no root are exact; the line above the
/// report says which are not.
template <class T> void noteDecimalNorms(Report& r, std::string_view line) {
    if constexpr (std::is_same_v<T, Rational>) r.text(line).newline();
}

/// v is the vector as the command computes with it; the 2-norm is always
/// the decimal one of in.vector.
template <class T> Outcome vectorNorms(CommandInput& in, const BasicVector<T>& v, int n) {
    const NumberStyle rounded = NumberStyle::rounded(in.settings.decimalDigits);
    std::optional<steps::VectorNormSteps<T>> log;
    if (steps::wanted(in.settings, n)) log.emplace();
    const T one = vectorOneNorm(v, n, log ? &log->one : nullptr);
    const double two = vectorTwoNorm(in.vector, n, log ? &log->squares : nullptr);
    const T infinity = vectorInfinityNorm(v, n, log ? &log->infinity : nullptr);
    Report r;
    noteDecimalNorms<T>(r, exact_texts::kVectorNorms);
    r.vectorLine(v, 1, n, kNormSep, NumberStyle::plain());
    r.newline().text("以上是所要求解的向量，接下来输出向量的范数").newline();
    if (steps::open(r, in.settings, n) && log) {
        log->two = two;
        steps::writeVectorNorms(r, *log, NumberStyle::plain(), rounded);
    }
    r.newline().text("向量的1范数为： ").number(one, NumberStyle::plain());
    r.newline().text("向量的2范数为： ").number(two, rounded);
    r.newline().text("向量的无穷范数为： ").number(infinity, NumberStyle::plain()).newline();
    return publish(in.host, std::move(r));
}

/// A is the matrix as the command computes with it; the 2- and F-norms are
/// always the decimal ones of in.matrix.
template <class T> Outcome matrixNorms(CommandInput& in, const BasicMatrix<T>& A) {
    const Matrix& D = in.matrix;
    const int n = in.n;
    const NumberStyle rounded = NumberStyle::rounded(in.settings.decimalDigits);
    std::optional<steps::MatrixNormSteps<T>> log;
    if (steps::wanted(in.settings, n)) log.emplace();
    const T one = columnSumNorm(A, n, log ? &log->columns : nullptr);
    const double two = spectralNormEstimate(D, n, log ? &log->spectral : nullptr, &in.stop);
    const double frobenius = frobeniusNorm(D, n, log ? &log->squares : nullptr);
    const T infinity = rowSumNorm(A, n, log ? &log->rows : nullptr);
    Report r;
    noteDecimalNorms<T>(r, exact_texts::kMatrixNorms);
    r.matrixBlock(A, n, n, kNormSep, NumberStyle::plain());
    r.newline().text("以上是所要求解的矩阵，接下来输出矩阵的范数").newline();
    if (steps::open(r, in.settings, n) && log) {
        log->frobenius = frobenius;
        steps::writeMatrixNorms(r, *log, NumberStyle::plain(), rounded);
    }
    r.newline().text("矩阵的1范数为： ").number(one, NumberStyle::plain());
    r.newline().newline().text("矩阵的2范数(参考值)为： ").number(two, rounded);
    r.newline().newline().text("矩阵的F范数为： ").number(frobenius, rounded);
    r.newline().newline().text("矩阵的无穷范数为： ").number(infinity, NumberStyle::plain());
    r.newline().newline();
    return publish(in.host, std::move(r));
}

Outcome vectorNormsEither(CommandInput& in) {
    const int n = in.n <= kMaxVectorLength ? in.n : 0;
    if (n < 1) return Outcome::Stopped;
    if (auto exact = exactVectorFor(in)) return vectorNorms(in, *exact, n);
    return vectorNorms(in, in.vector, n);
}

Outcome matrixNormsEither(CommandInput& in) {
    if (auto exact = exactMatrixFor(in, in.n)) return matrixNorms(in, *exact);
    return matrixNorms(in, in.matrix);
}

Outcome positiveDefiniteEither(CommandInput& in) {
    if (auto exact = exactMatrixFor(in, in.n)) {
        const RationalMatrix& B = *exact;
        // Without steps, and where no number can outgrow the exact limit,
        // the minors come from one fraction-free elimination.
        const bool fast =
            !steps::wanted(in.settings, in.n) && kernels::exactKernelFits(B, in.n, in.n);
        kernels::ExactLeadingMinors minors(B, in.n, &in.stop);
        return runExact(in, exact_texts::kZeroPivot, [&] {
            return positiveDefinite(in, B, [&](int k, steps::MinorSteps<Rational>* s) {
                return fast ? minors(k) : leadingMinor(B, k, s, &in.stop);
            });
        });
    }
    // Large decimal matrices take the fast kernel.
    const Matrix& B = in.matrix;
    const int n = in.n;
    kernels::LeadingMinors minors(B, n < kernels::kFastKernelOrder ? 0 : n,
                                  kernels::defaultKernelSettings(&in.stop));
    return positiveDefinite(in, B, [&](int k, steps::MinorSteps<double>* s) {
        return n < kernels::kFastKernelOrder ? leadingMinor(B, k, s, &in.stop) : minors(k);
    });
}

Outcome diagonalDominanceEither(CommandInput& in) {
    return exactOrDecimal(in, in.n, exact_texts::kZeroPivot,
                          [&](const auto& B) { return diagonalDominance(in, B); });
}

} // namespace

template <class T>
T leadingMinor(const BasicMatrix<T>& B, int k, steps::MinorSteps<T>* steps,
               const StopRequest* stop) {
    BasicMatrix<T> V(k, k);
    for (int i = 1; i <= k; ++i)
        for (int j = 1; j <= k; ++j) V(i, j) = B(i, j);
    int exchanges = 0;
    const T d = ColumnPivotDeterminant(V, exchanges, steps ? &steps->elimination : nullptr, stop);
    if (steps) {
        steps->exchanges = exchanges;
        steps->reduced = V;
        steps->value = d;
    }
    return d;
}

template <class T>
bool dominantRow(const BasicMatrix<T>& B, int i, int n, steps::DominanceSteps<T>* steps) {
    const T* a = B.row(i);
    T sum = 0.0;
    for (int j = 1; j <= n; ++j) {
        if (j == i) continue;
        const T term = magnitude(a[j - 1]);
        sum = term + sum;
        if (steps) steps->others.terms.push_back(term);
    }
    const T diagonal = magnitude(B(i, i));
    const bool dominant = diagonal > sum;
    if (steps) {
        steps->row = i;
        steps->diagonal = diagonal;
        steps->others.total = sum;
        steps->dominant = dominant;
    }
    return dominant;
}

template double leadingMinor(const Matrix&, int, steps::MinorSteps<double>*, const StopRequest*);
template Rational leadingMinor(const RationalMatrix&, int, steps::MinorSteps<Rational>*,
                               const StopRequest*);
template bool dominantRow(const Matrix&, int, int, steps::DominanceSteps<double>*);
template bool dominantRow(const RationalMatrix&, int, int, steps::DominanceSteps<Rational>*);

namespace commands {

const Command CMatrixJudge{"CMatrixJudge",
                           "正定矩阵判断",
                           CommandGroup::TestsAndNorms,
                           {kMatrixOrderPrompt, {}, {}, Clear::AfterOrder, Reads::SquareMatrix},
                           &positiveDefiniteEither};
const Command VectorModel{"VectorModel",
                          "向量范数",
                          CommandGroup::TestsAndNorms,
                          {{}, {}, {}, Clear::BeforeAsking, Reads::Vector},
                          &vectorNormsEither};
const Command MatrixModel{
    "MatrixModel",
    "矩阵范数",
    CommandGroup::TestsAndNorms,
    {kArrayOrderPrompt, kInputDataCaption, {}, Clear::AfterOrder, Reads::SquareMatrix},
    &matrixNormsEither};
const Command StrictMatrixJudge{
    "StrictMatrixJudge",
    "严格对角占优矩阵判断",
    CommandGroup::TestsAndNorms,
    {kMatrixOrderPrompt, {}, {}, Clear::AfterOrder, Reads::SquareMatrix},
    &diagonalDominanceEither};

} // namespace commands

} // namespace quorvex
