#include "steps/tests_norms_steps.h"

#include "base/rational.h"
#include "steps/steps.h"
#include "texts/report_texts.h"
#include "texts/steps_texts.h"

#include <cmath>
#include <string_view>

namespace quorvex::steps {

namespace texts = quorvex::texts::steps;

namespace {

/// "t1 + t2 + t3 = total"; a single term or none is the total alone.
template <class T> void writeSum(Report& r, const SumSteps<T>& sum, NumberStyle style) {
    if (sum.terms.size() < 2) {
        r.number(sum.total, style);
        return;
    }
    for (std::size_t i = 0; i < sum.terms.size(); ++i) {
        if (i > 0) r.text(texts::kPlus);
        operand(r, sum.terms[i], style);
    }
    r.text(texts::kEquals).number(sum.total, style);
}

/// "max{a, b, c} = b".
template <class T> void writeMaximum(Report& r, const MaximumSteps<T>& m, NumberStyle style) {
    r.text(texts::kMaxOpening);
    for (std::size_t i = 0; i < m.candidates.size(); ++i) {
        if (i > 0) r.text(texts::kMaxSeparator);
        r.number(m.candidates[i], style);
    }
    r.text(texts::kMaxClosing).text(texts::kEquals);
    r.number(m.candidates[static_cast<std::size_t>(m.at - 1)], style);
}

/// The heading, one line per column (or row) with its sum, and the largest.
template <class T>
void writeSumNorm(Report& r, const SumNormSteps<T>& s, bool columns, NumberStyle style) {
    r.text(columns ? texts::kColumnSums : texts::kRowSums).newline();
    for (std::size_t j = 0; j < s.sums.size(); ++j)
        say(r, columns ? texts::kColumnSum : texts::kRowSum, static_cast<int>(j) + 1,
            [&](Report& to) { writeSum(to, s.sums[j], style); })
            .newline();
    say(r, columns ? texts::kOneNormIs : texts::kInfinityNormIs, [&](Report& to) {
        writeMaximum(to, s.largest, style);
    }).newline();
}

void writeSpectral(Report& r, const SpectralSteps& s, NumberStyle plain, NumberStyle rounded) {
    if (s.outsideBounds) {
        const double root = std::sqrt(s.divisor);
        say(r, quorvex::texts::report::kPowerIterationMissed, kPowerSweeps,
            number(s.divisor, plain), number(s.divisor, plain), number(root, rounded),
            number(s.lower, rounded), number(s.upper, rounded), number(s.value, rounded))
            .newline();
        return;
    }
    if (!s.powerIteration) {
        say(r, texts::kLargestSingularValue, number(s.value, rounded)).newline();
        return;
    }
    say(r, texts::kPowerIteration, kPowerSweeps, number(s.divisor, plain), number(s.divisor, plain),
        number(s.value, rounded))
        .newline();
}

/// The sum of squares and the root of a 2- or F-norm: `plain` the
/// sentence of the plain sum, `rescued` that of the scaled one where it
/// stood in.
void writeSquares(Report& r, const SumSteps<double>& squares, const ScaledSquares& scaled,
                  double root, std::string_view plainText, std::string_view rescuedText,
                  NumberStyle plain, NumberStyle rounded) {
    const auto sum = [&](const SumSteps<double>& s) {
        return [&s, plain](Report& to) { writeSum(to, s, plain); };
    };
    if (scaled.scale == 0.0) {
        say(r, plainText, sum(squares), number(squares.total, plain), number(root, rounded))
            .newline();
        return;
    }
    say(r, rescuedText, sum(squares), number(scaled.scale, plain), sum(scaled.sum),
        number(scaled.scale, plain), number(scaled.sum.total, plain), number(root, rounded))
        .newline();
}

} // namespace

template <class T> void writeMinors(Report& r, const MinorsLog<T>& log, NumberStyle style) {
    for (const MinorSteps<T>& m : log.minors) {
        say(r, texts::kMinorHeading, m.order).newline();
        writeStages(r, m.elimination, {m.order, 0, style});
        writeDeterminantProduct(r, m.reduced, m.order, m.exchanges, m.value, style, style);
    }
}

template <class T> void writeDominance(Report& r, const DominanceLog<T>& log, NumberStyle style) {
    for (const DominanceSteps<T>& s : log.rows) {
        say(
            r, s.dominant ? texts::kDominantRow : texts::kNotDominantRow, s.row, s.row, s.row,
            number(s.diagonal, style), [&](Report& to) { writeSum(to, s.others, style); },
            number(s.diagonal, style), number(s.others.total, style))
            .newline();
    }
}

template <class T>
void writeVectorNorms(Report& r, const VectorNormSteps<T>& s, double two, NumberStyle plain,
                      NumberStyle rounded) {
    say(r, texts::kVectorOneNorm, [&](Report& to) { writeSum(to, s.one, plain); }).newline();
    writeSquares(r, s.squares, s.scaled, two, texts::kVectorTwoNorm,
                 quorvex::texts::report::kScaledVectorTwoNorm, plain, rounded);
    say(r, texts::kVectorInfinityNorm, [&](Report& to) {
        writeMaximum(to, s.infinity, plain);
    }).newline();
}

template <class T>
void writeMatrixNorms(Report& r, const MatrixNormSteps<T>& s, double frobenius, NumberStyle plain,
                      NumberStyle rounded) {
    writeSumNorm(r, s.columns, true, plain);
    writeSpectral(r, s.spectral, plain, rounded);
    writeSquares(r, s.squares, s.scaled, frobenius, texts::kFrobenius,
                 quorvex::texts::report::kScaledFrobenius, plain, rounded);
    writeSumNorm(r, s.rows, false, plain);
}

#define QUORVEX_TESTS_NORMS_STEPS(T)                                                               \
    template void writeMinors(Report&, const MinorsLog<T>&, NumberStyle);                          \
    template void writeDominance(Report&, const DominanceLog<T>&, NumberStyle);                    \
    template void writeVectorNorms(Report&, const VectorNormSteps<T>&, double, NumberStyle,        \
                                   NumberStyle);                                                   \
    template void writeMatrixNorms(Report&, const MatrixNormSteps<T>&, double, NumberStyle,        \
                                   NumberStyle);

QUORVEX_TESTS_NORMS_STEPS(double)
QUORVEX_TESTS_NORMS_STEPS(Rational)

} // namespace quorvex::steps
