#include "steps/tests_norms_steps.h"

#include "exact/rational.h"
#include "steps/step_texts.h"
#include "steps/steps.h"

namespace quorvex::steps {

namespace texts = step_texts;

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
    for (std::size_t j = 0; j < s.sums.size(); ++j) {
        const int index = static_cast<int>(j) + 1;
        (columns ? column(r, index) : row(r, index)).text(texts::kSumOf);
        writeSum(r, s.sums[j], style);
        r.newline();
    }
    r.text(columns ? texts::kOneNormIs : texts::kInfinityNormIs).text(texts::kEquals);
    writeMaximum(r, s.largest, style);
    r.newline();
}

void writeSpectral(Report& r, const SpectralSteps& s, NumberStyle plain, NumberStyle rounded) {
    if (!s.powerIteration) {
        r.text(texts::kLargestSingularValue).number(s.value, rounded).newline();
        return;
    }
    r.text(texts::kPowerOpening).integer(kPowerSweeps).text(texts::kPowerDivisor);
    r.number(s.divisor, plain).text(texts::kTwoNormRoot).number(s.divisor, plain);
    r.text(texts::kEquals).number(s.value, rounded).newline();
}

} // namespace

template <class T>
void writeMinors(Report& r, const std::vector<MinorSteps<T>>& minors, NumberStyle style) {
    for (const MinorSteps<T>& m : minors) {
        r.text(texts::kOrdinal).integer(m.order).text(texts::kMinorHeading).newline();
        writeStages(r, m.elimination, {m.order, 0, style});
        writeDeterminantProduct(r, m.reduced, m.order, m.exchanges, m.value, style);
    }
}

template <class T>
void writeDominance(Report& r, const std::vector<DominanceSteps<T>>& rows, NumberStyle style) {
    for (const DominanceSteps<T>& s : rows) {
        row(r, s.row).text(texts::kMagnitudeOpening);
        entry(r, "a", s.row, s.row).text(texts::kMagnitudeClosing).text(texts::kEquals);
        r.number(s.diagonal, style).text(texts::kOthersSum).text(texts::kEquals);
        writeSum(r, s.others, style);
        r.text(texts::kComparison).number(s.diagonal, style);
        r.text(s.dominant ? texts::kGreater : texts::kNotGreater);
        r.number(s.others.total, style).newline();
    }
}

template <class T>
void writeVectorNorms(Report& r, const VectorNormSteps<T>& s, NumberStyle plain,
                      NumberStyle rounded) {
    r.text(texts::kVectorOneNorm).text(texts::kEquals);
    writeSum(r, s.one, plain);
    r.newline().text(texts::kVectorTwoNorm).text(texts::kEquals);
    writeSum(r, s.squares, plain);
    r.text(texts::kTwoNormRoot).number(s.squares.total, plain);
    r.text(texts::kEquals).number(s.two, rounded).newline();
    r.text(texts::kVectorInfinityNorm).text(texts::kEquals);
    writeMaximum(r, s.infinity, plain);
    r.newline();
}

template <class T>
void writeMatrixNorms(Report& r, const MatrixNormSteps<T>& s, NumberStyle plain,
                      NumberStyle rounded) {
    writeSumNorm(r, s.columns, true, plain);
    writeSpectral(r, s.spectral, plain, rounded);
    r.text(texts::kFrobeniusSquares).text(texts::kEquals);
    writeSum(r, s.squares, plain);
    r.text(texts::kFrobeniusRoot).number(s.squares.total, plain);
    r.text(texts::kEquals).number(s.frobenius, rounded).newline();
    writeSumNorm(r, s.rows, false, plain);
}

#define QUORVEX_TESTS_NORMS_STEPS(T)                                                               \
    template void writeMinors(Report&, const std::vector<MinorSteps<T>>&, NumberStyle);            \
    template void writeDominance(Report&, const std::vector<DominanceSteps<T>>&, NumberStyle);     \
    template void writeVectorNorms(Report&, const VectorNormSteps<T>&, NumberStyle, NumberStyle);  \
    template void writeMatrixNorms(Report&, const MatrixNormSteps<T>&, NumberStyle, NumberStyle);

QUORVEX_TESTS_NORMS_STEPS(double)
QUORVEX_TESTS_NORMS_STEPS(Rational)

} // namespace quorvex::steps
