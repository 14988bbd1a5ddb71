#include "methods/tests_and_norms.h"

#include "exact/exact_matrix.h"
#include "methods/exact_mode.h"
#include "numerics/arithmetic.h"
#include "numerics/elimination_routines.h"
#include "numerics/kernels/exact_elimination.h"
#include "numerics/kernels/leading_minors.h"
#include "numerics/norm_routines.h"
#include "report/report.h"
#include "steps/steps.h"
#include "steps/tests_norms_steps.h"
#include "texts/dialog_texts.h"
#include "texts/exact_texts.h"
#include "texts/fill.h"
#include "texts/report_texts.h"
#include "texts/sentence.h"

#include <algorithm>
#include <cmath>
#include <limits>
#include <optional>
#include <string>
#include <type_traits>
#include <vector>

namespace quorvex {

namespace D = texts::dialog;
namespace R = texts::report;

namespace {

constexpr std::string_view kNormSep = "    ";
// The element count is a 16-bit integer: a longer vector overflows it, and
// the command then finds no elements.
constexpr int kMaxVectorLength = 32767;

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
    steps::Recorder<steps::MinorsLog<T>> log;
};

template <class T, class Minor>
MinorList<T> leadingMinorsUntilNonPositive(CommandInput& in, Minor&& minor) {
    MinorList<T> out{{}, steps::recorder<steps::MinorsLog<T>>(in.settings, in.n, in.n)};
    for (int k = 1; k <= in.n; ++k) {
        in.stop.check();
        out.values.push_back(minor(k, out.log.part(&steps::MinorsLog<T>::next, k)));
        if (!(out.values.back() > 0.0)) break;
    }
    return out;
}

/// A report of the positive-definite test and the verdict it reached.
struct DefiniteReport {
    Report report;
    int failing = 0; ///< the order of the minor not greater than 0; 0 when all are
};

/// minor(k, steps) gives the k-th leading minor of B.
template <class T, class Minor>
DefiniteReport positiveDefinite(CommandInput& in, const BasicMatrix<T>& B, Minor&& minor) {
    const int n = in.n;
    const NumberStyle style = NumberStyle::rounded(in.settings.decimalDigits);
    const MinorList<T> minors = leadingMinorsUntilNonPositive<T>(in, minor);
    DefiniteReport out;
    Report& r = out.report;
    r.matrixBlock(B, n, n, kTwoBlanks, NumberStyle::plain());
    r.heading(R::kDefiniteEcho);
    steps::write(r, in.settings, n, minors.log, [&](const steps::MinorsLog<T>& log) {
        steps::writeMinors(r, log, NumberStyle::rounded(in.settings.decimalDigits + 1));
        r.newline();
    });
    r.text(R::kMinorsHeading).newline();
    for (int k = 1; k <= static_cast<int>(minors.values.size()); ++k) {
        const T& d = minors.values[static_cast<std::size_t>(k - 1)];
        writeSentence(r, R::kMinorValue, {k, {d, style}}).newline();
        if (!(d > 0.0)) {
            writeSentence(r.newline(), R::kMinorNotPositive, {k});
            r.newline();
            out.failing = k;
            return out;
        }
    }
    // Positive leading minors decide definiteness only for a symmetric
    // matrix: rows 1 5 and 0 1 have both minors 1, yet xᵀAx < 0 for x = (1, -1).
    r.newline().text(isSymmetric(B, n) ? R::kPositiveDefinite : R::kNotSymmetric).newline();
    return out;
}

/// The largest order whose decimal verdict is checked in exact numbers.
/// The check runs with every decimal test: at order 100 its minors take
/// about 0.15 s from typed decimals of a few digits and 0.6 s from doubles
/// with no shorter fraction, and the work grows about as the fifth power of
/// the order, the numbers growing with it.
constexpr int kExactVerdictOrder = 100;

/// The most work the check may take, in the measure of exactMinorsWork:
/// about half a second on one core. Doubles of order 100 with no shorter
/// fraction come to 5.7e8 (0.55 s); entries of a hundred digits at that
/// order, to 7e9 (7 s).
constexpr double kExactVerdictWork = 6e8;

/// A measure of the work of X's exact leading minors: the elimination forms
/// about n³/3 products of numbers that grow to the size of the last minor,
/// which is at most the sum over the rows of their largest entry's bits,
/// each row cleared of its denominators (Hadamard's bound, less its small
/// term), and a product of w words costs about w^1.6 (Karatsuba).
double exactMinorsWork(const RationalMatrix& X, int n) {
    double bits = 0.0;
    mpz_class scale;
    for (int i = 1; i <= n; ++i) {
        scale = 1;
        for (int j = 1; j <= n; ++j)
            mpz_lcm(scale.get_mpz_t(), scale.get_mpz_t(), X(i, j).get_den_mpz_t());
        std::size_t largest = 0;
        for (int j = 1; j <= n; ++j)
            largest = std::max(largest, mpz_sizeinbase(X(i, j).get_num_mpz_t(), 2) +
                                            mpz_sizeinbase(scale.get_mpz_t(), 2) -
                                            mpz_sizeinbase(X(i, j).get_den_mpz_t(), 2));
        bits += static_cast<double>(largest);
    }
    const double order = static_cast<double>(n);
    return order * order * order / 3.0 * std::pow(bits / 64.0 + 1.0, 1.6);
}

/// Whether the typed value q is the number the double d shows, but for the
/// rounding of the reading: a relative 2^-40 allows for an expression's few
/// roundings and still tells 10^400, which the decimal reading makes 0, apart.
bool readAs(const Rational& q, double d) {
    const Rational difference = abs(q - Rational(d));
    return difference == 0 || difference <= abs(q) / Rational(mpz_class(1) << 40);
}

/// The leading n x n block of B without rounding: as typed where every
/// entry has an exact value that its double shows, symmetric where B is;
/// otherwise the doubles themselves, each an exact fraction. Nothing when
/// an entry is not a finite number.
std::optional<RationalMatrix> withoutRounding(CommandInput& in, const Matrix& B) {
    const int n = in.n;
    RationalMatrix doubles(n, n);
    for (int i = 1; i <= n; ++i)
        for (int j = 1; j <= n; ++j) {
            if (!std::isfinite(B(i, j))) return std::nullopt;
            doubles(i, j) = Rational(B(i, j));
        }
    ExactMatrixReading typed = GetExactMatrixFromText(n, n, in.host.editText());
    if (!typed.inexact.empty() || isSymmetric(typed.values, n) != isSymmetric(B, n)) return doubles;
    for (int i = 1; i <= n; ++i)
        for (int j = 1; j <= n; ++j)
            if (!readAs(typed.values(i, j), B(i, j))) return doubles;
    return std::move(typed.values);
}

/// The notice for a decimal report of the positive-definite test whose
/// verdict (the first minor not greater than 0, `failing`, or 0) the same
/// matrix without rounding does not support; empty where it does, or where
/// the check is out of reach.
std::string exactVerdictNotice(CommandInput& in, const Matrix& B, int failing) {
    const int n = in.n;
    // Minors say nothing of a matrix that is not symmetric: it is not
    // called positive definite either way.
    if (n > kExactVerdictOrder || !isSymmetric(B, n)) return {};
    const std::optional<RationalMatrix> X = withoutRounding(in, B);
    if (!X || !kernels::exactKernelFits(*X, n, n) || exactMinorsWork(*X, n) > kExactVerdictWork)
        return {};
    kernels::ExactLeadingMinors minors(*X, n, &in.stop);
    Rational atFailing;
    for (int k = 1; k <= n; ++k) {
        const Rational d = minors(k);
        if (sgn(d) <= 0)
            return failing == 0 ? fillText(R::kExactlyNotPositiveDefinite, {std::to_string(k)})
                                : std::string();
        if (k == failing) atFailing = d;
    }
    if (failing == 0) return {};
    // A minor below the smallest double is 0 to any double computation.
    const bool underflow = atFailing < Rational(std::numeric_limits<double>::denorm_min());
    return fillText(underflow ? R::kExactlyPositiveDefiniteUnderflow : R::kExactlyPositiveDefinite,
                    {std::to_string(failing)});
}

template <class T> Outcome diagonalDominance(CommandInput& in, const BasicMatrix<T>& B) {
    const int n = in.n;
    auto log = steps::recorder<steps::DominanceLog<T>>(in.settings, n);
    int failing = 0;
    for (int i = 1; i <= n && failing == 0; ++i)
        if (!dominantRow(B, i, n, log.part(&steps::DominanceLog<T>::next))) failing = i;
    Report r;
    r.matrixBlock(B, n, n, kTwoBlanks, NumberStyle::plain());
    r.heading(R::kDominanceEcho);
    steps::write(r, in.settings, n, log, [&](const steps::DominanceLog<T>& rows) {
        steps::writeDominance(r, rows, NumberStyle::plain());
        r.newline();
    });
    r.text(R::kRowsHeading).newline();
    if (failing > 0) {
        writeSentence(r, R::kRowNotDominant, {failing});
        r.newline().newline().text(R::kNotDominant).newline();
        return publish(in.host, std::move(r), [&] { return entryOrOverflowNotice(B, n, n); });
    }
    r.text(R::kEveryRowDominant).newline();
    r.newline().text(R::kDominant).newline();
    r.newline().text(R::kNonsingular);
    return publish(in.host, std::move(r), [&] { return entryOrOverflowNotice(B, n, n); });
}

/// True for a finite number, as an exact one always is.
bool finiteValue(double v) { return std::isfinite(v); }
bool finiteValue(const Rational&) { return true; }

template <class T> bool finiteElements(const BasicVector<T>& v, int n) {
    if constexpr (std::is_same_v<T, double>) {
        for (int i = 1; i <= n; ++i)
            if (!std::isfinite(v(i))) return false;
    }
    return (void)v, (void)n, true;
}

template <class T> bool finiteElements(const BasicMatrix<T>& A, int n) {
    if constexpr (std::is_same_v<T, double>) {
        for (int i = 1; i <= n; ++i)
            for (int j = 1; j <= n; ++j)
                if (!std::isfinite(A(i, j))) return false;
    }
    return (void)A, (void)n, true;
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
    using Log = steps::VectorNormSteps<T>;
    auto log = steps::recorder<Log>(in.settings, n);
    const T one = vectorOneNorm(v, n, log.part(&Log::one));
    const double two = vectorTwoNorm(in.vector, n, log.part(&Log::squares), log.part(&Log::scaled));
    const T infinity = vectorInfinityNorm(v, n, log.part(&Log::infinity));
    Report r;
    noteDecimalNorms<T>(r, texts::exact::kVectorNorms);
    r.vectorLine(v, 1, n, kNormSep, NumberStyle::plain());
    r.newline().text(R::kVectorEcho).newline();
    steps::write(r, in.settings, n, log, [&](const Log& sums) {
        steps::writeVectorNorms(r, sums, two, NumberStyle::plain(), rounded);
    });
    writeSentence(r.newline(), R::kVectorOneNorm, {{one, NumberStyle::plain()}});
    writeSentence(r.newline(), R::kVectorTwoNorm, {{two, rounded}});
    writeSentence(r.newline(), R::kVectorInfinityNorm, {{infinity, NumberStyle::plain()}});
    r.newline();
    // The steps may show a sum of squares past the doubles, which they say
    // how the 2-norm avoids: only a norm or an element shown so needs a
    // notice. The 2-norm is always that of the vector as read in decimals,
    // whose elements may be Infinity or NaN where an exact one is only large.
    return publish(in.host, std::move(r), [&] {
        return finiteValue(one) && finiteValue(two) && finiteValue(infinity) && finiteElements(v, n)
                   ? std::string()
                   : elementOrOverflowNotice(in.vector);
    });
}

/// A is the matrix as the command computes with it; the 2- and F-norms are
/// always the decimal ones of in.matrix.
template <class T> Outcome matrixNorms(CommandInput& in, const BasicMatrix<T>& A) {
    const Matrix& D = in.matrix;
    const int n = in.n;
    const NumberStyle rounded = NumberStyle::rounded(in.settings.decimalDigits);
    using Log = steps::MatrixNormSteps<T>;
    auto log = steps::recorder<Log>(in.settings, n);
    const T one = columnSumNorm(A, n, log.part(&Log::columns));
    const double two = spectralNormEstimate(D, n, log.part(&Log::spectral), &in.stop);
    const double frobenius = frobeniusNorm(D, n, log.part(&Log::squares), log.part(&Log::scaled));
    const T infinity = rowSumNorm(A, n, log.part(&Log::rows));
    Report r;
    noteDecimalNorms<T>(r, texts::exact::kMatrixNorms);
    r.matrixBlock(A, n, n, kNormSep, NumberStyle::plain());
    r.newline().text(R::kMatrixEcho).newline();
    steps::write(r, in.settings, n, log, [&](const Log& sums) {
        steps::writeMatrixNorms(r, sums, frobenius, NumberStyle::plain(), rounded);
    });
    writeSentence(r.newline(), R::kMatrixOneNorm, {{one, NumberStyle::plain()}});
    writeSentence(r.newline().newline(), R::kMatrixTwoNorm, {{two, rounded}});
    writeSentence(r.newline().newline(), R::kMatrixFrobeniusNorm, {{frobenius, rounded}});
    writeSentence(r.newline().newline(), R::kMatrixInfinityNorm,
                  {{infinity, NumberStyle::plain()}});
    r.newline().newline();
    // As with the vector: the steps' sums of squares aside, and the 2- and
    // F-norms those of the decimal matrix.
    return publish(in.host, std::move(r), [&] {
        return finiteValue(one) && finiteValue(two) && finiteValue(frobenius) &&
                       finiteValue(infinity) && finiteElements(A, n)
                   ? std::string()
                   : entryOrOverflowNotice(D, n, n);
    });
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
        return runExact(in, texts::exact::kZeroPivot, [&] {
            return publish(in.host,
                           positiveDefinite(in, B, [&](int k, steps::MinorSteps<Rational>* s) {
                               return fast ? minors(k) : leadingMinor(B, k, s, &in.stop);
                           }).report);
        });
    }
    // Large decimal matrices take the fast kernel.
    const Matrix& B = in.matrix;
    const int n = in.n;
    kernels::LeadingMinors minors(B, n < kernels::kFastKernelOrder ? 0 : n,
                                  kernels::defaultKernelSettings(&in.stop));
    DefiniteReport report = positiveDefinite(in, B, [&](int k, steps::MinorSteps<double>* s) {
        return n < kernels::kFastKernelOrder ? leadingMinor(B, k, s, &in.stop) : minors(k);
    });
    // The minors are rounded as the elimination goes: where that alone
    // decided the verdict, the report keeps its lines and a notice says so.
    const std::string notice = exactVerdictNotice(in, B, report.failing);
    // A minor's pivot of 0 leaves its column as it is: only an entry read as
    // Infinity or NaN, or an overflow, can make a minor one of them.
    const Outcome outcome =
        publish(in.host, std::move(report.report), [&] { return entryOrOverflowNotice(B, n, n); });
    if (!notice.empty()) in.host.notice(notice);
    return outcome;
}

Outcome diagonalDominanceEither(CommandInput& in) {
    return exactOrDecimal(in, in.n, texts::exact::kZeroPivot,
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
                           D::kPositiveDefiniteCaption,
                           CommandGroup::TestsAndNorms,
                           {kMatrixOrderPrompt, {}, {}, Clear::AfterOrder, Reads::SquareMatrix},
                           &positiveDefiniteEither};
const Command VectorModel{"VectorModel",
                          D::kVectorNormsCaption,
                          CommandGroup::TestsAndNorms,
                          {{}, {}, {}, Clear::BeforeAsking, Reads::Vector},
                          &vectorNormsEither};
const Command MatrixModel{
    "MatrixModel",
    D::kMatrixNormsCaption,
    CommandGroup::TestsAndNorms,
    {kArrayOrderPrompt, kInputDataCaption, {}, Clear::AfterOrder, Reads::SquareMatrix},
    &matrixNormsEither};
const Command StrictMatrixJudge{
    "StrictMatrixJudge",
    D::kDiagonalDominanceCaption,
    CommandGroup::TestsAndNorms,
    {kMatrixOrderPrompt, {}, {}, Clear::AfterOrder, Reads::SquareMatrix},
    &diagonalDominanceEither};

} // namespace commands

} // namespace quorvex
