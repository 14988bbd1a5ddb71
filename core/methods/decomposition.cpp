#include "methods/decomposition.h"
#include "methods/decomposition_parts.h"

#include "exact/exact_mode.h"
#include "exact/exact_texts.h"
#include "numerics/decomposition_routines.h"
#include "texts/steps_texts.h"

namespace quorvex {

namespace {

/// Rows with five blanks before each number, each row followed by an empty
/// line: the way U is printed.
template <class T> void spacedRows(Report& r, const BasicMatrix<T>& U, int n, NumberStyle style) {
    r.matrixBlock(U, n, n, kFiveBlanks, style, 1, "\r\n\r\n");
}

template <class T> Outcome matrixBreak(CommandInput& in, const BasicMatrix<T>& A) {
    const int n = in.n;
    BasicMatrix<T> L(n, n);
    BasicMatrix<T> U(n, n);
    auto log = decompositionRecorder<T>(in);
    if (!doolittle(A, n, L, U, in.stop, log.get()))
        return failWithSteps(in, A, n, log, {texts::steps::kFactorLU, {}, {}}, kNotSuitableHash);

    const NumberStyle rounded = NumberStyle::rounded(in.settings.decimalDigits);
    Report r;
    r.matrixBlock(A, n, n, kFourBlanks, NumberStyle::plain());
    writeSteps(r, in, log, {texts::steps::kFactorLU, {}, {}});
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
    auto log = decompositionRecorder<T>(in);
    BasicFactorObserver<T>* observer = log.get();
    const steps::DecompositionTexts headings{texts::steps::kFactorLU, texts::steps::kForwardLb,
                                             texts::steps::kBackUX};
    if (!doolittle(B, n, L, U, in.stop, observer))
        return failWithSteps(in, B, n + 1, log, headings, kNotSuitable);
    const BasicVector<T> Y = forwardUnit(L, b, n, observer);
    BasicVector<T> X(n);
    if (!backUpper(U, Y, n, false, X, observer))
        return failWithSteps(in, B, n + 1, log, headings, kNotSuitable);

    const int dd = in.settings.decimalDigits;
    const NumberStyle finer = NumberStyle::rounded(dd + 1);
    Report r;
    systemOpening(r, B,
                  "以上是方程组的增广矩阵，接下来输出方程组的系数矩阵A、方程组的常数项向量b：", B,
                  NumberStyle::plain(), b, NumberStyle::plain(), kFourBlanks, n);
    writeSolvingSteps(r, in, log, headings, B, X);
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
    auto log = decompositionRecorder<T>(in);
    BasicFactorObserver<T>* observer = log.get();
    const steps::DecompositionTexts headings{texts::steps::kFactorPivotLU, texts::steps::kForwardLb,
                                             texts::steps::kBackUX};
    try {
        columnPivotDoolittle(B, n, L, U, in.stop, observer);
    } catch (const ExactDivisionByZero&) {
        // Every exact candidate was 0: the method's own message, after the
        // steps up to there.
        return failWithSteps(in, E, n + 1, log, headings, kNotSuitableHash,
                             texts::steps::kCandidatesAllZero);
    }
    const BasicVector<T> bb = rightHandSide(B, n);
    const BasicVector<T> y = forwardUnit(L, bb, n, observer);
    BasicVector<T> x(n);
    if (!backUpper(U, y, n, true, x, observer))
        return failWithSteps(in, E, n + 1, log, headings, kNotSuitableHash);

    const NumberStyle rounded = NumberStyle::rounded(in.settings.decimalDigits);
    Report r;
    systemOpening(r, E,
                  "以上是方程组的增广矩阵\r\n"
                  "接下来输出方程组的计算后的系数矩阵A、方程组的常数项向量b：",
                  B, rounded, bb, NumberStyle::plain(), kFourBlanks, n);
    writeSolvingSteps(r, in, log, headings, E, x);
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
