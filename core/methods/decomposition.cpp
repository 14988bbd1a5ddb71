#include "methods/decomposition.h"
#include "methods/decomposition_parts.h"

#include "methods/exact_mode.h"
#include "numerics/decomposition_routines.h"
#include "numerics/kernels/exact_decomposition.h"
#include "texts/dialog_texts.h"
#include "texts/exact_texts.h"
#include "texts/report_texts.h"
#include "texts/steps_texts.h"

#include <type_traits>

namespace quorvex {

namespace D = texts::dialog;
namespace R = texts::report;

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
    bool fast = false;
    if constexpr (std::is_same_v<T, Rational>)
        fast = !log && kernels::doolittleExact(A, n, L, U, in.stop);
    if (!fast && !doolittle(A, n, L, U, in.stop, log.get()))
        return failWithSteps(in, A, n, log, {texts::steps::kFactorLU, {}, {}}, D::kNotSuitableHash);

    const NumberStyle rounded = NumberStyle::rounded(in.settings.decimalDigits);
    Report r;
    r.matrixBlock(A, n, n, kFourBlanks, NumberStyle::plain());
    writeSteps(r, in, log, {texts::steps::kFactorLU, {}, {}});
    r.heading(R::kFactorLowerHeading);
    r.matrixBlock(L, n, n, kFourBlanks, rounded);
    r.heading(R::kFactorUpperHeading);
    spacedRows(r, U, n, rounded);
    // A pivot of 0 stops the method: only an entry read as Infinity or NaN,
    // or an overflow, can bring them.
    return publish(in.host, std::move(r), [&] { return entryOrOverflowNotice(A, n, n); });
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
    BasicVector<T> Y(n);
    BasicVector<T> X(n);
    bool fast = false;
    if constexpr (std::is_same_v<T, Rational>)
        fast = !log && kernels::doolittleSolveExact(B, n, L, U, Y, X, in.stop);
    if (!fast) {
        if (!doolittle(B, n, L, U, in.stop, observer))
            return failWithSteps(in, B, n + 1, log, headings, D::kNotSuitable);
        Y = forwardUnit(L, b, n, observer);
        if (!backUpper(U, Y, n, false, X, observer))
            return failWithSteps(in, B, n + 1, log, headings, D::kNotSuitable);
    }

    const int dd = in.settings.decimalDigits;
    const NumberStyle finer = NumberStyle::rounded(dd + 1);
    Report r;
    systemOpening(r, B, R::kLuOpening, B, NumberStyle::plain(), b, NumberStyle::plain(),
                  kFourBlanks, n);
    writeSolvingSteps(r, in, log, headings, B, X);
    r.heading(R::kLowerFactorHeading);
    r.matrixBlock(L, n, n, kFourBlanks, finer);
    r.heading(R::kLuUpperHeading);
    spacedRows(r, U, n, finer);
    r.heading(R::kForwardHeading);
    valueLines(r, "y", Y, n, finer);
    r.heading(R::kNumberedSolutionHeading);
    valueLines(r, "x", X, n, NumberStyle::rounded(dd));
    r.title(R::kLuTitle);
    return publish(in.host, std::move(r), [&] { return entryOrOverflowNotice(B, n, n + 1); });
}

template <class T> Outcome tierLU(CommandInput& in, BasicMatrix<T>& B) {
    const int n = in.n;
    const BasicMatrix<T> E = B;
    BasicMatrix<T> L(n, n);
    BasicMatrix<T> U(n, n);
    auto log = decompositionRecorder<T>(in);
    BasicFactorObserver<T>* observer = log.get();
    const steps::DecompositionTexts headings{texts::steps::kFactorPivotLU, texts::steps::kForwardPb,
                                             texts::steps::kBackUX, texts::steps::kPivotCandidates};
    BasicVector<T> y(n);
    BasicVector<T> x(n);
    bool fast = false;
    if constexpr (std::is_same_v<T, Rational>)
        fast = !log && kernels::columnPivotSolveExact(B, n, L, U, y, x, in.stop);
    if (!fast) {
        try {
            columnPivotDoolittle(B, n, L, U, in.stop, observer);
        } catch (const ExactDivisionByZero&) {
            // Every exact candidate was 0: the method's own message, after
            // the steps up to there.
            return failWithSteps(in, E, n + 1, log, headings, D::kNotSuitableHash,
                                 texts::steps::kCandidatesAllZero);
        }
        y = forwardUnit(L, rightHandSide(B, n), n, observer);
        if (!backUpper(U, y, n, true, x, observer))
            return failWithSteps(in, E, n + 1, log, headings, D::kNotSuitableHash);
    }
    const BasicVector<T> bb = rightHandSide(B, n);

    const NumberStyle rounded = NumberStyle::rounded(in.settings.decimalDigits);
    Report r;
    systemOpening(r, E, R::kPivotLuOpening, B, rounded, bb, NumberStyle::plain(), kFourBlanks, n);
    writeSolvingSteps(r, in, log, headings, E, x);
    r.heading(R::kPivotLuLowerHeading);
    r.matrixBlock(L, n, n, kFourBlanks, rounded);
    r.heading(R::kPivotLuUpperHeading);
    spacedRows(r, U, n, rounded);
    r.heading(R::kForwardHeading);
    valueLines(r, "y", y, n, rounded);
    r.heading(R::kNumberedSolutionHeading);
    valueLines(r, "x", x, n, rounded);
    r.title(R::kPivotLuTitle);
    return publish(in.host, std::move(r), [&] { return entryOrOverflowNotice(E, n, n + 1); });
}

Outcome matrixBreakEither(CommandInput& in) {
    return exactOrDecimal(in, in.n, D::kNotSuitableHash,
                          [&](const auto& A) { return matrixBreak(in, A); });
}

Outcome luBreakEither(CommandInput& in) {
    return exactOrDecimal(in, in.n + 1, D::kNotSuitable,
                          [&](const auto& B) { return luBreak(in, B); });
}

Outcome tierLUEither(CommandInput& in) {
    return exactOrDecimal(in, in.n + 1, D::kNotSuitableHash,
                          [&](auto& B) { return tierLU(in, B); });
}

} // namespace

namespace commands {

const Command MatrixBreak{"MatrixBreak",
                          D::kFactorCaption,
                          CommandGroup::Decomposition,
                          {kMatrixOrderPrompt, kInputDataCaption, D::kSuggestedOrder,
                           Clear::BeforeAsking, Reads::SquareMatrix},
                          &matrixBreakEither};
const Command LU_break{"LU_break",
                       D::kLuCaption,
                       CommandGroup::Decomposition,
                       {kOrderPrompt, {}, {}, Clear::BeforeAsking},
                       &luBreakEither};
const Command TierLU{
    "TierLU", D::kPivotLuCaption, CommandGroup::Decomposition, {kOrderPrompt}, &tierLUEither};

} // namespace commands

} // namespace quorvex
