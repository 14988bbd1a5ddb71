#include "analysis/analysis.h"

#include "analysis/dense_algebra.h"
#include "analysis/reference_report.h"
#include "analysis/reference_solution.h"
#include "analysis/significant.h"
#include "numerics/elimination_loops.h"
#include "reading/number_text.h"
#include "report/report.h"
#include "texts/analysis_texts.h"
#include "texts/fill.h"
#include "texts/notice_texts.h"
#include "texts/sentence.h"

#include <string>

#include <cmath>

namespace quorvex {

namespace {

namespace T = texts::analysis;

void writeResidual(Report& r, const Vector& res, int n) {
    r.heading(T::kResidualHeading);
    for (int i = 1; i <= n; ++i) r.indexedValue("r", i, shortNumber(res(i)), NumberStyle::plain());
    writeSentence(r, T::kResidualInf, {{shortNumber(maxNorm(res)), NumberStyle::plain()}})
        .newline();
    writeSentence(r, T::kResidual1, {{shortNumber(sumNorm(res)), NumberStyle::plain()}}).newline();
}

void writeConditions(Report& r, const ReferenceSolution& ref) {
    r.heading(ref.exactInverse ? T::kConditionExactHeading : T::kConditionDoubleHeading);
    if (ref.exact && !ref.exactInverse)
        r.text(fillText(T::kExactInverseDroppedForOrder,
                        {std::to_string(ReferenceSolution::kExactInverseOrderLimit)}))
            .newline();
    writeSentence(r, T::kCond1, {{shortNumber(ref.cond1()), NumberStyle::plain()}}).newline();
    writeSentence(r, T::kCondInf, {{shortNumber(ref.condInf()), NumberStyle::plain()}}).newline();
}

/// The bound cond·||r||/||b|| beside the actual relative error, in both norms.
void writeBounds(Report& r, const ReferenceSolution& ref, const Vector& error, const Vector& res,
                 const Vector& b) {
    r.heading(T::kBoundHeading);
    if (maxNorm(b) == 0.0) {
        r.text(T::kZeroRightHandSide).newline();
        return;
    }
    const auto put = [&](std::string_view line, double v) {
        writeSentence(r, line, {{shortNumber(v), NumberStyle::plain()}}).newline();
    };
    put(T::kBoundInf, ref.condInf() * maxNorm(res) / maxNorm(b));
    put(T::kBound1, ref.cond1() * sumNorm(res) / sumNorm(b));
    put(T::kActualInf, maxNorm(error) / maxNorm(ref.x));
    put(T::kActual1, sumNorm(error) / sumNorm(ref.x));
}

/// What the numbers mean: the digits the condition costs, and whether the
/// chosen decimals carried the solution to its last printed place.
void writeVerdict(Report& r, const ReferenceSolution& ref, const Vector& errors, int dd) {
    const double lost = std::log10(ref.condInf());
    writeSentence(r.newline(), T::kDigitsLost, {{roundTo(lost, 1), NumberStyle::plain()}})
        .newline();
    const double error = maxNorm(errors);
    if (!std::isfinite(error)) {
        r.text(fillText(T::kDecimalsNotFinite, {std::to_string(dd)})).newline();
        return;
    }
    const double halfUnit = significant(0.5 * std::pow(10.0, -dd), 1);
    const bool enough = error <= halfUnit;
    writeSentence(
        r, enough ? T::kDecimalsEnough : T::kDecimalsShort,
        {dd, {shortNumber(error), NumberStyle::plain()}, {halfUnit, NumberStyle::plain()}})
        .newline();
}

/// The first thing the elimination meets that makes Infinity or NaN: a
/// value past the doubles' range, or a stage whose candidates are all 0.
class FirstFault final : public StageObserver {
public:
    void pivotSearched(const Matrix& A, int k, int row, int column) override {
        if (m_overflow || m_zeroStage > 0) return;
        if (!allFinite(A, A.rows(), A.cols())) m_overflow = true;
        else if (A(row, column) == 0.0) m_zeroStage = k;
    }
    void stageDone(const Matrix&, int) override {}
    int zeroStage() const { return m_zeroStage; }

private:
    bool m_overflow = false;
    int m_zeroStage = 0;
};

/// Why the solution shows Infinity or NaN. The matrix itself is regular
/// here (a singular one shows no solution): an entry read so (named
/// already where the reading differs from the typed value), the rounding
/// to the decimals kept making a stage's candidates 0, or an overflow.
std::string notFiniteCause(const Matrix& B, int n, int held, const ReferenceSolution& ref,
                           const FirstFault& fault) {
    namespace N = texts::notice;
    if (std::string entry = notFiniteEntryNotice(B, n, n + 1); !entry.empty())
        return ref.misread.empty() ? entry : std::string();
    if (fault.zeroStage() > 0)
        return fillText(N::kSingularByRounding,
                        {std::to_string(fault.zeroStage()), std::to_string(held)});
    return std::string(N::kOverflow);
}

Outcome errorAnalysis(CommandInput& in) {
    const int n = in.n;
    const Matrix& B = in.matrix;
    const int dd = in.settings.decimalDigits;
    Matrix A = B;
    FirstFault fault;
    eliminate(A, n, dd + 1, true, in.stop, &fault);
    const Vector x = backSubstitute(A, n, dd + 1);
    const ReferenceSolution ref = referenceSolution(B, n, referenceText(in.host, n), in.stop);
    noticeMisreadEntries(in.host, ref);
    const Vector res = shownResidual(ref, B, n, x, dd);

    Report r;
    r.matrixBlock(B, n, n + 1, kTwoBlanks, NumberStyle::plain());
    if (ref.singular) {
        // The elimination's solution and its residual, divisions by 0 or
        // by rounding, would mean nothing: only the reason is shown.
        r.newline().text(T::kSingular).newline();
        r.title(T::kErrorTitle);
        return publish(in.host, std::move(r));
    }
    r.heading(T::kErrorSolutionHeading);
    for (int i = 1; i <= n; ++i) r.indexedValue("x", i, x(i), NumberStyle::rounded(dd));
    writeReference(r, ref, dd);
    writeResidual(r, res, n);
    writeConditions(r, ref);
    const Vector error = shownError(ref, x, dd);
    writeBounds(r, ref, error, res, rightHandSide(B, n));
    writeVerdict(r, ref, error, dd);
    r.title(T::kErrorTitle);
    return publish(in.host, std::move(r), [&] { return notFiniteCause(B, n, dd + 1, ref, fault); });
}

} // namespace

namespace commands {

const Command ErrorAnalysis{"ErrorAnalysis",
                            T::kErrorCaption,
                            CommandGroup::Analysis,
                            {kOrderPrompt, kInputDataCaption},
                            &errorAnalysis};

} // namespace commands

} // namespace quorvex
