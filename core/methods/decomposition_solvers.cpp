// The square-root methods and the chasing method: solvers for systems of a
// special shape (symmetric, tridiagonal) that read only part of A.
#include "methods/decomposition.h"
#include "methods/decomposition_parts.h"

#include "exact/exact_matrix.h"
#include "methods/exact_mode.h"
#include "numerics/decomposition_routines.h"
#include "numerics/kernels/exact_decomposition.h"
#include "numerics/kernels/exact_elimination.h"
#include "texts/dialog_texts.h"
#include "texts/exact_texts.h"
#include "texts/fill.h"
#include "texts/notice_texts.h"
#include "texts/report_texts.h"
#include "texts/steps_texts.h"

#include <cmath>
#include <string>
#include <type_traits>
#include <variant>

namespace quorvex {

namespace D = texts::dialog;
namespace N = texts::notice;
namespace R = texts::report;

namespace {

/// CR LF before each line name(i)=value, none after the last.
template <class T>
void valuesAfterBreaks(Report& r, std::string_view name, const BasicVector<T>& v, int n,
                       NumberStyle style) {
    for (int i = 1; i <= n; ++i) r.indexedValueAfterBreak(name, i, v(i), style);
}

/// The headings in which the two square-root reports name their own
/// factorization (one text in Chinese, A = LLᵀ or A = LDLᵀ in English).
struct SymmetricHeadings {
    Text lower;
    Text solution;
};
constexpr SymmetricHeadings kCholeskyHeadings{R::kCholeskyLowerHeading,
                                              R::kCholeskySolutionHeading};
constexpr SymmetricHeadings kLdltHeadings{R::kLdltLowerHeading, R::kLdltSolutionHeading};

/// What both square-root reports open with: the system as typed, A and b,
/// the steps when shown, and L with one decimal more than the setting.
template <class T>
void symmetricOpening(Report& r, const CommandInput& in, const BasicMatrix<T>& B,
                      const BasicVector<T>& b, const BasicMatrix<T>& L,
                      const DecompositionLog<T>& log, const steps::DecompositionTexts& headings,
                      const BasicVector<T>& X, const SymmetricHeadings& own) {
    const int n = in.n;
    const int dd = in.settings.decimalDigits;
    systemOpening(r, B, R::kSymmetricOpening, B, NumberStyle::plain(), b, NumberStyle::plain(),
                  kFiveBlanks, n);
    writeSolvingSteps(r, in, log, headings, B, X);
    r.heading(own.lower);
    r.matrixBlock(L, n, n, kFiveBlanks, NumberStyle::rounded(dd + 1));
}

/// Y, each value after a line break, then the solution X.
template <class T>
void symmetricClosing(Report& r, const BasicVector<T>& Y, NumberStyle yStyle,
                      const BasicVector<T>& X, int n, int dd, const SymmetricHeadings& own) {
    r.heading(R::kForwardHeading);
    valuesAfterBreaks(r, "y", Y, n, yStyle);
    r.heading(own.solution);
    valueLines(r, "x", X, n, NumberStyle::rounded(dd));
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

bool finite(const Vector& v) {
    for (int i = v.lo(); i <= v.hi(); ++i)
        if (!std::isfinite(v(i))) return false;
    return true;
}

/// The largest order whose matrix is checked for positive definiteness in
/// exact fractions; the check runs only for a report with Infinity or NaN.
constexpr int kExactCauseOrder = 40;

/// The notice for a square-root method whose number under the root at
/// `stage` was not positive: whether the symmetric matrix it reads (the
/// lower triangle as typed) is positive definite, where exact fractions can
/// tell.
std::string notPositiveDefiniteNotice(CommandInput& in, int stage) {
    const int n = in.n;
    const std::string k = std::to_string(stage);
    if (n <= kExactCauseOrder) {
        const ExactMatrixReading typed = GetExactMatrixFromText(n, n + 1, in.host.editText());
        RationalMatrix S(n, n);
        for (int i = 1; i <= n; ++i)
            for (int j = 1; j <= i; ++j) S(i, j) = S(j, i) = typed.values(i, j);
        if (typed.inexact.empty() && kernels::exactKernelFits(S, n, n)) {
            kernels::ExactLeadingMinors minors(S, n, &in.stop);
            bool definite = true;
            for (int m = 1; m <= n && definite; ++m) definite = sgn(minors(m)) > 0;
            return fillText(definite ? N::kPositiveDefiniteByRounding : N::kNotPositiveDefinite,
                            {k});
        }
    }
    return fillText(N::kNotPositiveDefiniteOrNearly, {k});
}

/// Why the square-root method's report shows Infinity or NaN: an entry read
/// so, or the first step whose number under the root, a(j,j) − Σ l(j,t)²
/// summed as the factorization sums it, is not positive (l(j,j) is then left
/// 0 and divided by), or else an overflow.
std::string choleskyCause(CommandInput& in, const Matrix& B, const Matrix& L) {
    const int n = in.n;
    if (std::string entry = notFiniteEntryNotice(B, n, n + 1); !entry.empty()) return entry;
    for (int j = 1; j <= n; ++j) {
        double sum = 0.0;
        for (int t = 1; t < j; ++t) sum = sum + L(j, t) * L(j, t);
        const double radicand = B(j, j) - sum;
        if (!std::isfinite(radicand)) break;
        if (!(radicand > 0.0)) return notPositiveDefiniteNotice(in, j);
        bool columnFinite = true;
        for (int i = j + 1; i <= n; ++i) columnFinite = columnFinite && std::isfinite(L(i, j));
        if (!columnFinite) break;
    }
    return std::string(N::kOverflow);
}

/// Why the Thomas algorithm's report shows Infinity or NaN, as it met it:
/// an entry of the band read so, a pivot u(i) of 0 that l(i+1) or x(i)
/// divides by, or else an overflow.
template <class T> std::string chaseCause(const BasicMatrix<T>& M, const Chase<T>& c, int n) {
    if constexpr (std::is_same_v<T, double>) {
        if (std::string entry = notFiniteEntryNotice(M, n, n + 1); !entry.empty()) return entry;
        const auto zeroPivot = [](int i) {
            return fillText(N::kChaseZeroPivot, {std::to_string(i)});
        };
        for (int i = 2; i <= n; ++i) {
            if (c.u(i - 1) == 0.0) return zeroPivot(i - 1);
            if (!std::isfinite(c.l(i)) || !std::isfinite(c.u(i))) return std::string(N::kOverflow);
        }
        if (finite(c.y) && c.u(n) == 0.0) return zeroPivot(n);
        return std::string(N::kOverflow);
    } else {
        return (void)M, (void)c, (void)n, std::string();
    }
}

Outcome sqrtRoot(CommandInput& in) {
    const int n = in.n;
    const Matrix& B = in.matrix;
    const Vector b = rightHandSide(B, n);
    auto log = decompositionRecorder<double>(in);
    const Matrix L = cholesky(B, n, in.stop, log.get());
    Vector Y(n);
    Vector X(n);
    solveWithCholesky(L, b, n, Y, X, log.get());

    const int dd = in.settings.decimalDigits;
    Report r;
    noteDecimalsOnly(r, in.settings, texts::exact::kNeedsRoots);
    symmetricOpening(
        r, in, B, b, L, log,
        {texts::steps::kFactorCholesky, texts::steps::kForwardLb, texts::steps::kBackCholesky}, X,
        kCholeskyHeadings);
    symmetricClosing(r, Y, NumberStyle::rounded(dd + 1), X, n, dd, kCholeskyHeadings);
    r.title(R::kCholeskyTitle).newline();
    r.text(R::kCholeskyNote);
    return publish(in.host, std::move(r), [&] { return choleskyCause(in, B, L); });
}

template <class T> Outcome mendSqrt(CommandInput& in, const BasicMatrix<T>& B) {
    const int n = in.n;
    const BasicVector<T> b = rightHandSide(B, n);
    BasicMatrix<T> L(n, n);
    BasicVector<T> d(n);
    auto log = decompositionRecorder<T>(in);
    BasicFactorObserver<T>* observer = log.get();
    const steps::DecompositionTexts headings{texts::steps::kFactorLdlt, texts::steps::kForwardLb,
                                             texts::steps::kBackLdlt};
    BasicVector<T> Y(n);
    BasicVector<T> X(n);
    bool fast = false;
    if constexpr (std::is_same_v<T, Rational>)
        fast = !log && kernels::ldltSolveExact(B, n, L, d, Y, X, in.stop);
    if (!fast) {
        if (!ldlt(B, n, L, d, in.stop, observer))
            return failWithSteps(in, B, n + 1, log, headings, D::kNotSuitableHash);
        Y = forwardUnit(L, b, n, observer);
        if (!backWithLdlt(L, d, Y, n, X, observer))
            return failWithSteps(in, B, n + 1, log, headings, D::kNotSuitableHash);
    }

    const int dd = in.settings.decimalDigits;
    Report r;
    symmetricOpening(r, in, B, b, L, log, headings, X, kLdltHeadings);
    r.text(R::kLdltDiagonalLine).newline();
    r.vectorLine(d, 1, n, kFiveBlanks, NumberStyle::rounded(dd + 1));
    symmetricClosing(r, Y, NumberStyle::rounded(dd), X, n, dd, kLdltHeadings);
    r.title(R::kLdltTitle).newline();
    r.text(R::kLdltNote);
    // A d(k) of 0 stops the method: only an entry read as Infinity or NaN,
    // or an overflow, can bring them.
    return publish(in.host, std::move(r), [&] { return entryOrOverflowNotice(B, n, n + 1); });
}

template <class T> Outcome purase(CommandInput& in, BasicMatrix<T>& M) {
    const int n = in.n;
    auto log = decompositionRecorder<T>(in);
    const steps::DecompositionTexts headings{texts::steps::kFactorChase, texts::steps::kForwardLD,
                                             texts::steps::kBackUX, texts::steps::kChaseLetters};
    // Exact work may meet a zero pivot; with no steps shown, a recorder of
    // its own then names it.
    steps::DecompositionRecorder<T> watch;
    BasicFactorObserver<T>* observer = log.get();
    if (std::is_same_v<T, Rational> && !observer) observer = &watch;
    std::optional<Chase<T>> chased;
    try {
        chased = chase(M, n, observer);
    } catch (const ExactDivisionByZero&) {
        const auto& events = log ? log->events() : watch.events();
        const auto& stopEntry = std::get<FactorEntry<T>>(events.back());
        const std::string message =
            fillText(texts::exact::kChaseZeroPivot, {std::to_string(stopEntry.divisor.i)});
        return failWithSteps(in, M, n + 1, log, headings, message);
    }
    const Chase<T>& solved = *chased;
    keepBand(M, n);

    const int dd = in.settings.decimalDigits;
    Report r;
    systemOpening(r, M, R::kChaseOpening, M, NumberStyle::plain(), solved.d,
                  NumberStyle::rounded(dd + 1), kFiveBlanks, n);
    writeSolvingSteps(r, in, log, headings, M, solved.x);
    r.newline().text(R::kChaseForwardHeading);
    valuesAfterBreaks(r, "y", solved.y, n, NumberStyle::rounded(dd + 1));
    r.newline().heading(R::kSolutionXHeading);
    valueLines(r, "x", solved.x, n, NumberStyle::rounded(dd));
    r.title(R::kChaseTitle).newline();
    r.text(R::kChaseNote);
    return publish(in.host, std::move(r), [&] { return chaseCause(M, solved, n); });
}

Outcome mendSqrtEither(CommandInput& in) {
    return exactOrDecimal(in, in.n + 1, D::kNotSuitableHash,
                          [&](const auto& B) { return mendSqrt(in, B); });
}

Outcome puraseEither(CommandInput& in) {
    return exactOrDecimal(in, in.n + 1, texts::exact::kZeroPivot,
                          [&](auto& M) { return purase(in, M); });
}

} // namespace

namespace commands {

const Command SqrtRoot{"SqrtRoot",
                       D::kCholeskyCaption,
                       CommandGroup::Decomposition,
                       {D::kSymmetricOrderPrompt, {}, {}, Clear::BeforeAsking},
                       &sqrtRoot};
const Command MendSqrt{
    "MendSqrt", D::kLdltCaption, CommandGroup::Decomposition, {kArrayOrderPrompt}, &mendSqrtEither};
const Command Purase{
    "Purase", D::kChaseCaption, CommandGroup::Decomposition, {kArrayOrderPrompt}, &puraseEither};

} // namespace commands

} // namespace quorvex
