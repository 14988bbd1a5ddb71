#include "methods/elimination.h"

#include "exact/exact_matrix.h"
#include "exact/solution_set.h"
#include "methods/exact_mode.h"
#include "numerics/arithmetic.h"
#include "numerics/elimination_loops.h"
#include "numerics/elimination_routines.h"
#include "numerics/kernels/blocked_elimination.h"
#include "numerics/kernels/exact_elimination.h"
#include "numerics/kernels/full_pivot.h"
#include "reading/number_text.h"
#include "report/report.h"
#include "steps/elimination_steps.h"
#include "steps/steps.h"
#include "texts/dialog_texts.h"
#include "texts/exact_texts.h"
#include "texts/fill.h"
#include "texts/notice_texts.h"
#include "texts/report_texts.h"
#include "texts/sentence.h"
#include "texts/steps_texts.h"

#include <algorithm>
#include <cmath>
#include <numeric>
#include <optional>
#include <string>
#include <type_traits>
#include <vector>

namespace quorvex {

namespace D = texts::dialog;
namespace N = texts::notice;
namespace R = texts::report;

namespace {

/// Where the fast kernels take over from the reference routines here: for
/// doubles from their order on (they are tested equal to the routines);
/// exact numbers see exactKernelFor.
template <class T> constexpr bool fastKernelFor(int n) {
    return std::is_same_v<T, double> && n >= kernels::kFastKernelOrder;
}

// Steps are written down by the reference routines only.
static_assert(steps::kMaxStepsOrder < kernels::kFastKernelOrder);

template <class T> using EliminationLog = steps::Recorder<steps::EliminationRecorder<T>>;

/// Whether the exact kernels stand in for the rational loops: only where no
/// steps are written down and no number can outgrow the exact limit (the
/// loops watch the growth stage by stage).
template <class T, class Log>
bool exactKernelFor(const Log& log, const BasicMatrix<T>& M, int rows, int cols) {
    if constexpr (std::is_same_v<T, Rational>)
        return !log && kernels::exactKernelFits(M, rows, cols);
    else return false;
}

/// The steps of an elimination searching its pivots as `search` does.
template <class T>
EliminationLog<T> recorderFor(const CommandInput& in, steps::PivotSearch search) {
    return steps::recorder<steps::EliminationRecorder<T>>(in.settings, in.n, search, in.n);
}

struct GaussTexts {
    std::string_view eliminatedHeading;
    std::string_view solutionHeading;
    std::string_view title;
    bool lineBreakAfterTitle = false;
};

/// Whether a value of the eliminated matrix or of the solution reads
/// differently at the report's decimals than at the one more the steps
/// hold.
bool roundsDifferently(const Matrix& A, const Vector& x, int n, int dd) {
    const auto differs = [dd](double v) {
        return std::isfinite(v) && roundTo(v, dd) != roundTo(v, dd + 1);
    };
    for (int i = 1; i <= n; ++i) {
        if (differs(x(i))) return true;
        for (int j = 1; j <= n + 1; ++j)
            if (differs(A(i, j))) return true;
    }
    return false;
}

/// True when the determinant's reduced matrix (shown at dd + 1 decimals) or
/// its value (at dd) reads otherwise than at the `held` decimals of the steps.
bool heldDiffersFromShown(const Matrix& A, int n, double det, int held, int dd) {
    const auto differs = [held](double v, int shown) {
        return std::isfinite(v) && roundTo(v, shown) != roundTo(v, held);
    };
    if (differs(det, dd)) return true;
    for (int i = 1; i <= n; ++i)
        for (int j = 1; j <= n; ++j)
            if (differs(A(i, j), dd + 1)) return true;
    return false;
}

/// Where a pivoting elimination found a zero pivot, the matrix is singular;
/// when every entry typed has an exact value, the steps say what that means
/// for the system, as exact mode would.
void writeSingularSystem(Report& r, const CommandInput& in, const Matrix& A,
                         steps::PivotSearch search) {
    if (search == steps::PivotSearch::None) return;
    bool singular = false;
    for (int k = 1; k <= in.n; ++k) singular = singular || A(k, k) == 0.0;
    if (!singular) return;
    const ExactMatrixReading exact = GetExactMatrixFromText(in.n, in.n + 1, in.host.editText());
    if (exact.inexact.empty()) writeSolutionSet(r, solutionSet(exact.values, in.n), in.n, false);
}

/// The elimination report; unknowns[i-1] labels x(i), the unknown's number
/// in the input. The steps, when recorded, follow the echoed input.
template <class T>
Report gaussReport(const CommandInput& in, const BasicMatrix<T>& B, const BasicMatrix<T>& A,
                   const BasicVector<T>& x, const std::vector<int>& unknowns,
                   const EliminationLog<T>& log, const GaussTexts& texts) {
    const int n = in.n;
    const int dd = in.settings.decimalDigits;
    Report r;
    r.matrixBlock(B, n, n + 1, kTwoBlanks, NumberStyle::plain()).augmented();
    steps::write(r, in.settings, n, log, [&](const steps::EliminationRecorder<T>& stages) {
        const NumberStyle working = NumberStyle::rounded(dd + 1);
        const NumberStyle entries = steps::entriesStyle(B, working);
        steps::writeStages(r, stages, {n + 1, n, working, dd + 1, in.settings.rowSteps, entries},
                           &B);
        steps::writeBackSubstitution(r, A, x, unknowns, n, working, entries);
        if constexpr (std::is_same_v<T, double>) writeSingularSystem(r, in, A, stages.search());
        if constexpr (std::is_same_v<T, double>)
            if (roundsDifferently(A, x, n, dd))
                r.text(fillText(texts::steps::kHeldDecimals,
                                {std::to_string(dd + 1), std::to_string(dd)}))
                    .newline();
        BasicVector<T> inInputOrder(n);
        for (int i = 1; i <= n; ++i) inInputOrder(unknowns[i - 1]) = x(i);
        steps::writeSubstitutionCheck(r, B, inInputOrder, n, dd);
    });
    r.heading(texts.eliminatedHeading);
    r.matrixBlock(A, n, n + 1, kTwoBlanks, NumberStyle::rounded(dd)).augmented();
    r.heading(texts.solutionHeading);
    for (int i = 1; i <= n; ++i)
        r.indexedValue("x", unknowns[i - 1], x(i), NumberStyle::rounded(dd));
    r.title(texts.title);
    if (texts.lineBreakAfterTitle) r.newline();
    return r;
}

/// True when A's columns from `first` on hold finite numbers only.
bool allFinite(const Matrix& A, int first = 1) {
    for (int i = 1; i <= A.rows(); ++i) {
        const double* row = A.row(i);
        for (int j = first - 1; j < A.cols(); ++j)
            if (!std::isfinite(row[j])) return false;
    }
    return true;
}

/// The first fault an elimination of finite numbers meets, stage by stage:
/// a value that is finite no longer (an overflow of the stage before), or
/// a pivot of 0. Stage k changes the columns from k on only, and only those
/// are looked at again.
class FirstFault final : public StageObserver {
public:
    void pivotSearched(const Matrix& A, int k, int row, int column) override {
        if (m_overflow || m_zeroPivot > 0) return;
        if (!allFinite(A, k == 1 ? 1 : k - 1)) m_overflow = true;
        else if (A(row, column) == 0.0) m_zeroPivot = k;
    }
    void stageDone(const Matrix&, int) override {}
    /// The last pivot of an elimination that searches no pivot at its last
    /// stage: the back substitution divides by it.
    void lastPivot(const Matrix& A, int n) { pivotSearched(A, n, n, n); }
    /// The stage whose pivot was 0, or 0 when an overflow came first or
    /// nothing went wrong up to the back substitution.
    int zeroPivot() const { return m_zeroPivot; }

private:
    bool m_overflow = false;
    int m_zeroPivot = 0;
};

/// The largest order whose matrix is checked for singularity in exact
/// fractions: at 40 the exact determinant of typed decimals takes a few
/// milliseconds, and the check runs only for a report with Infinity or NaN.
constexpr int kExactCauseOrder = 40;

/// The system as typed in exact fractions; nothing where they cannot hold
/// it (an order past kExactCauseOrder, an entry such as sqr(2)).
std::optional<RationalMatrix> typedSystem(CommandInput& in) {
    const int n = in.n;
    if (n > kExactCauseOrder) return std::nullopt;
    ExactMatrixReading typed = GetExactMatrixFromText(n, n + 1, in.host.editText());
    if (!typed.inexact.empty() || !kernels::exactKernelFits(typed.values, n, n + 1))
        return std::nullopt;
    return std::move(typed.values);
}

/// Whether the coefficient matrix as typed is singular, where exact
/// fractions can tell.
std::optional<bool> typedSingular(CommandInput& in) {
    const int n = in.n;
    const auto typed = typedSystem(in);
    if (!typed) return std::nullopt;
    RationalMatrix A(n, n);
    for (int i = 1; i <= n; ++i)
        for (int j = 1; j <= n; ++j) A(i, j) = (*typed)(i, j);
    int exchanges = 0;
    return sgn(kernels::columnPivotDeterminantExact(A, exchanges, &in.stop)) == 0;
}

/// The notice for a pivoting elimination whose candidates at `stage` were
/// all 0: whether the matrix as typed is singular, or only the rounding to
/// the decimals each step keeps made it so, where exact fractions can tell.
std::string singularNotice(CommandInput& in, int stage) {
    const std::string k = std::to_string(stage);
    const std::string held = std::to_string(in.settings.decimalDigits + 1);
    if (const auto singular = typedSingular(in))
        return fillText(*singular ? N::kSingular : N::kSingularByRounding, {k, held});
    return fillText(N::kSingularOrNearly, {k, held});
}

/// A pivot no larger than this many units of the last decimal kept, or
/// than this part of the largest coefficient, may be what rounding left of
/// a 0; only then is the exact test worth its time.
constexpr double kRoundingPivotUnits = 100.0;
constexpr double kRoundingPivotShare = 1e-6;

/// The notice for a finite solution of a singular system: the rounding
/// left a small number where every candidate for a pivot was 0, and the
/// elimination divided by it. Empty when the solution is not finite (the
/// notice for Infinity and NaN speaks then) or exact fractions find the
/// matrix regular or cannot tell.
std::string hiddenSingularity(CommandInput& in, const Matrix& B, const Matrix& A, const Vector& x) {
    const int n = in.n;
    double largest = 0.0;
    for (int i = 1; i <= n; ++i) {
        if (!std::isfinite(x(i))) return {};
        for (int j = 1; j <= n; ++j) largest = std::max(largest, std::fabs(B(i, j)));
    }
    if (!std::isfinite(largest)) return {};
    const double unit = std::pow(10.0, -(in.settings.decimalDigits + 1));
    const double small = std::max(kRoundingPivotUnits * n * unit, kRoundingPivotShare * largest);
    bool tiny = false;
    for (int k = 1; k <= n && !tiny; ++k) tiny = std::fabs(A(k, k)) <= small;
    if (!tiny) return {};
    const auto typed = typedSystem(in);
    if (!typed) return {};
    const SolutionSet set = solutionSet(*typed, n);
    if (set.rankA == n) return {};
    return std::string(set.solvable() ? N::kSingularSolutionOneOfMany : N::kSingularSolutionOfNone);
}
template <class T>
std::string hiddenSingularity(CommandInput&, const BasicMatrix<T>&, const BasicMatrix<T>&,
                              const BasicVector<T>&) {
    return {}; // exact fractions meet the 0 itself
}

/// Publishes a solving elimination's report with the notices it needs.
template <class T, class Why>
Outcome publishSolution(CommandInput& in, Report&& report, const BasicMatrix<T>& B,
                        const BasicMatrix<T>& A, const BasicVector<T>& x, Why&& why) {
    const std::string hidden = hiddenSingularity(in, B, A, x);
    const Outcome outcome = publish(in.host, std::move(report), why);
    if (!hidden.empty()) in.host.notice(hidden);
    return outcome;
}

/// Why an elimination's report shows Infinity or NaN: an entry read so, or
/// what `run`, the elimination run again on B with a FirstFault watching,
/// meets first. The fast kernels give the reference routines' numbers bit
/// for bit, so the run again meets what the report's run met.
template <class Run>
std::string eliminationCause(CommandInput& in, const Matrix& B, int cols, bool exchanges,
                             Run&& run) {
    if (std::string entry = notFiniteEntryNotice(B, in.n, cols); !entry.empty()) return entry;
    FirstFault fault;
    run(fault);
    if (fault.zeroPivot() == 0) return std::string(N::kOverflow);
    if (exchanges) return singularNotice(in, fault.zeroPivot());
    return fillText(N::kZeroPivotNoExchange, {std::to_string(fault.zeroPivot())});
}

/// Exact numbers are never Infinity or NaN: their reports need no cause.
template <class Run>
std::string eliminationCause(CommandInput&, const RationalMatrix&, int, bool, Run&&) {
    return {};
}

/// Why a solving elimination's report shows Infinity or NaN.
template <class T>
std::string solvingCause(CommandInput& in, const BasicMatrix<T>& B, bool columnPivot) {
    return eliminationCause(in, B, in.n + 1, columnPivot, [&](FirstFault& fault) {
        Matrix A(in.n, in.n + 1);
        if constexpr (std::is_same_v<T, double>) A = B;
        eliminate(A, in.n, in.settings.decimalDigits + 1, columnPivot, in.stop, &fault);
    });
}

std::vector<int> inputOrder(int n) {
    std::vector<int> order(static_cast<std::size_t>(n));
    std::iota(order.begin(), order.end(), 1);
    return order;
}

/// Notes the first stage whose pivot is exactly 0, so that a method that
/// stops there can say where, when no steps are recorded.
template <class T> class ZeroPivotWatch final : public BasicStageObserver<T> {
public:
    void pivotSearched(const BasicMatrix<T>& A, int k, int row, int column) override {
        if (m_stage == 0 && A(row, column) == 0.0) m_stage = k;
    }
    void stageDone(const BasicMatrix<T>&, int) override {}
    /// The exact kernel met a zero pivot at stage k.
    void zeroPivotAt(int k) {
        if (m_stage == 0) m_stage = k;
    }
    int stage() const { return m_stage; }

private:
    int m_stage = 0;
};

/// The stage an exact elimination stopped at: the first whose pivot was 0,
/// else the last, whose pivot only the back substitution divides by.
template <class T>
int stoppedStage(const EliminationLog<T>& log, const ZeroPivotWatch<T>& watch, int n) {
    if (log)
        for (const auto& s : log->stages())
            if (s.pivot == 0.0) return s.k;
    return watch.stage() > 0 ? watch.stage() : n;
}

/// The system as typed and, with steps on, the steps of an exact
/// elimination up to the stage whose pivot was 0, with the line saying why
/// it stopped. True when steps were written.
template <class T>
bool writeStepsToStop(Report& r, const CommandInput& in, const BasicMatrix<T>& B,
                      const EliminationLog<T>& log, int stage) {
    const int n = in.n;
    r.matrixBlock(B, n, n + 1, kTwoBlanks, NumberStyle::plain()).augmented();
    bool shown = false;
    steps::write(r, in.settings, n, log, [&](const steps::EliminationRecorder<T>& stages) {
        const int held = in.settings.decimalDigits + 1;
        const NumberStyle working = NumberStyle::rounded(held);
        steps::writeStages(
            r, stages,
            {n + 1, n, working, held, in.settings.rowSteps, steps::entriesStyle(B, working)}, &B);
        steps::writeStopAt(r, stage, stages.search());
        shown = true;
    });
    return shown;
}

/// The exact kernel's elimination and back substitution; the stage of a
/// zero pivot goes to the watch, as the rational loops would have told it.
template <class Watch>
RationalVector solveWatched(RationalMatrix& A, int n, bool columnPivot, const StopRequest& stop,
                            Watch& watch) {
    int zeroStage = 0;
    try {
        return kernels::solveExact(A, n, columnPivot, stop, zeroStage);
    } catch (const ExactDivisionByZero&) {
        watch.zeroPivotAt(zeroStage);
        throw;
    }
}

/// Runs an elimination and its back substitution, `run`, watched by the
/// steps recorder or, without one, by a watch on the pivots. An exact zero
/// pivot shows the steps up to it. A pivoting elimination stops only on a
/// singular matrix, and its report says what that means for the system; a
/// method without row exchanges names the pivot, since its matrix need not
/// be singular.
template <class T, class Run>
std::optional<Outcome> eliminateOrStop(CommandInput& in, const BasicMatrix<T>& B,
                                       EliminationLog<T>& log, steps::PivotSearch search,
                                       const GaussTexts& texts, Run&& run) {
    ZeroPivotWatch<T> watch;
    BasicStageObserver<T>* observer = log.get();
    if (!observer && std::is_same_v<T, Rational>) observer = &watch;
    try {
        run(observer, watch);
        return std::nullopt;
    } catch (const ExactDivisionByZero&) {
        const int stage = stoppedStage(log, watch, in.n);
        Report r;
        const bool shown = writeStepsToStop(r, in, B, log, stage);
        if constexpr (std::is_same_v<T, Rational>) {
            if (search != steps::PivotSearch::None) {
                r.newline();
                writeSolutionSet(r, solutionSet(B, in.n), in.n, true);
                r.title(texts.title);
                if (texts.lineBreakAfterTitle) r.newline();
                return publish(in.host, std::move(r));
            }
        }
        if (shown) publish(in.host, std::move(r));
        const std::string k = std::to_string(stage);
        return fail(in.host, fillText(texts::exact::kZeroPivotNoExchange, {k, k, k}));
    }
}

template <class T>
Outcome solveAndReport(CommandInput& in, const BasicMatrix<T>& B, bool columnPivot,
                       const GaussTexts& texts) {
    BasicMatrix<T> A = B;
    const int dd = in.settings.decimalDigits;
    const auto search = columnPivot ? steps::PivotSearch::Column : steps::PivotSearch::None;
    auto log = recorderFor<T>(in, search);
    BasicVector<T> x;
    const bool exactKernel = exactKernelFor(log, B, in.n, in.n + 1);
    const auto stopped =
        eliminateOrStop(in, B, log, search, texts, [&](auto* observer, auto& watch) {
            if constexpr (std::is_same_v<T, Rational>) {
                if (exactKernel) {
                    x = solveWatched(A, in.n, columnPivot, in.stop, watch);
                    return;
                }
            }
            if (!fastKernelFor<T>(in.n)) eliminate(A, in.n, dd + 1, columnPivot, in.stop, observer);
            else if constexpr (std::is_same_v<T, double>)
                kernels::eliminateFast(A, in.n, in.n + 1, dd + 1,
                                       columnPivot ? kernels::Pivoting::Column
                                                   : kernels::Pivoting::None,
                                       kernels::defaultKernelSettings(&in.stop));
            x = backSubstitute(A, in.n, dd + 1);
        });
    if (stopped) return *stopped;
    return publishSolution(in, gaussReport(in, B, A, x, inputOrder(in.n), log, texts), B, A, x,
                           [&] { return solvingCause(in, B, columnPivot); });
}

/// The n x 2n matrix (B's first n columns | identity).
template <class T> BasicMatrix<T> extendedByIdentity(const BasicMatrix<T>& B, int n) {
    const int width = 2 * n;
    BasicMatrix<T> W(n, width);
    for (int i = 1; i <= n; ++i) {
        std::copy(B.row(i), B.row(i) + n, W.row(i));
        W(i, n + i) = 1.0;
    }
    return W;
}

/// The elimination solvers' entry: both kinds of numbers, one text.
Outcome solveEither(CommandInput& in, bool columnPivot, const GaussTexts& texts) {
    return exactOrDecimal(in, in.n + 1, texts::exact::kZeroPivot,
                          [&](const auto& B) { return solveAndReport(in, B, columnPivot, texts); });
}

Outcome gauss1(CommandInput& in) {
    return solveEither(in, false, {R::kEliminatedHeading, R::kSolutionHeading, R::kGaussTitle});
}

Outcome gaussTier(CommandInput& in) {
    return solveEither(
        in, true, {R::kPivotEliminatedHeading, R::kSolutionHeading, R::kGaussColumnPivotTitle});
}

template <class T> Outcome gaussFull(CommandInput& in, const BasicMatrix<T>& B) {
    const int n = in.n;
    BasicMatrix<T> A = B;
    const int dd = in.settings.decimalDigits;
    std::vector<int> order = inputOrder(n);
    auto log = recorderFor<T>(in, steps::PivotSearch::Complete);
    BasicVector<T> x;
    const GaussTexts texts{R::kPivotEliminatedHeading, R::kFullPivotSolutionHeading,
                           R::kGaussFullPivotTitle, true};
    const bool exactKernel = exactKernelFor(log, B, n, n + 1);
    const auto stopped = eliminateOrStop(
        in, B, log, steps::PivotSearch::Complete, texts, [&](auto* observer, auto&) {
            if constexpr (std::is_same_v<T, Rational>) {
                if (exactKernel) {
                    x = kernels::solveFullPivotExact(A, n, order, in.stop);
                    return;
                }
            }
            if (!fastKernelFor<T>(n)) eliminateFullPivot(A, n, dd + 1, order, in.stop, observer);
            else if constexpr (std::is_same_v<T, double>)
                kernels::eliminateFullPivotFast(A, n, dd + 1, order,
                                                kernels::defaultKernelSettings(&in.stop));
            x = backSubstitute(A, n, dd + 1);
        });
    if (stopped) return *stopped;
    return publishSolution(in, gaussReport(in, B, A, x, order, log, texts), B, A, x, [&] {
        return eliminationCause(in, B, n + 1, true, [&](FirstFault& fault) {
            Matrix E(n, n + 1);
            if constexpr (std::is_same_v<T, double>) E = B;
            std::vector<int> columns = inputOrder(n);
            eliminateFullPivot(E, n, dd + 1, columns, in.stop, &fault);
            fault.lastPivot(E, n);
        });
    });
}

template <class T> Outcome inverse(CommandInput& in, const BasicMatrix<T>& B) {
    const int n = in.n;
    const int dd = in.settings.decimalDigits;
    BasicMatrix<T> W = extendedByIdentity(B, n);
    auto log = recorderFor<T>(in, steps::PivotSearch::Column);
    if (exactKernelFor(log, W, n, 2 * n)) {
        if constexpr (std::is_same_v<T, Rational>) kernels::reduceGaussJordanExact(W, n, in.stop);
    } else if (!fastKernelFor<T>(n)) reduceGaussJordan(W, n, dd + 1, in.stop, log.get());
    else if constexpr (std::is_same_v<T, double>)
        kernels::reduceGaussJordanFast(W, n, dd + 1, kernels::defaultKernelSettings(&in.stop));

    Report r;
    r.matrixBlock(B, n, n, kTwoBlanks, NumberStyle::plain());
    steps::write(r, in.settings, n, log, [&](const steps::EliminationRecorder<T>& stages) {
        const BasicMatrix<T> start = extendedByIdentity(B, n);
        const NumberStyle working = NumberStyle::rounded(dd + 1);
        steps::writeStages(
            r, stages,
            {2 * n, n, working, dd + 1, in.settings.rowSteps, steps::entriesStyle(B, working)},
            &start);
    });
    r.heading(R::kInverseEliminatedHeading);
    r.matrixBlock(W, n, 2 * n, kTwoBlanks, NumberStyle::rounded(dd + 1)).barAfter(n);
    r.heading(R::kInverseHeading);
    r.matrixBlock(W, n, 2 * n, kTwoBlanks, NumberStyle::rounded(dd), n + 1);
    r.newline().title(R::kInverseTitle);
    return publish(in.host, std::move(r), [&] {
        return eliminationCause(in, B, n, true, [&](FirstFault& fault) {
            Matrix start(n, 2 * n);
            if constexpr (std::is_same_v<T, double>) start = extendedByIdentity(B, n);
            reduceGaussJordan(start, n, dd + 1, in.stop, &fault);
        });
    });
}

template <class T> Outcome determinant(CommandInput& in, const BasicMatrix<T>& B) {
    const int n = in.n;
    const int dd = in.settings.decimalDigits;
    BasicMatrix<T> A = B;
    int exchanges = 0;
    T det;
    auto log = recorderFor<T>(in, steps::PivotSearch::Column);
    if (exactKernelFor(log, B, n, n)) {
        if constexpr (std::is_same_v<T, Rational>)
            det = kernels::columnPivotDeterminantExact(A, exchanges, &in.stop);
    } else if (!fastKernelFor<T>(n))
        det = ColumnPivotDeterminant(A, exchanges, log.get(), &in.stop);
    else if constexpr (std::is_same_v<T, double>)
        det = kernels::columnPivotDeterminantFast(A, exchanges,
                                                  kernels::defaultKernelSettings(&in.stop));

    Report r;
    r.matrixBlock(B, n, n, kTwoBlanks, NumberStyle::plain());
    steps::write(r, in.settings, n, log, [&](const steps::EliminationRecorder<T>& stages) {
        // The stages hold their values at the determinant's own decimals,
        // and show them so, also where the report's setting shows fewer.
        const int held = std::max(dd + 1, kDeterminantDecimals);
        const NumberStyle working = NumberStyle::rounded(held);
        const NumberStyle entries = steps::entriesStyle(B, working);
        steps::writeStages(
            r, stages, {n, 0, working, kDeterminantDecimals, in.settings.rowSteps, entries}, &B);
        steps::writeDeterminantProduct(r, A, n, exchanges, det, working, entries);
        if constexpr (std::is_same_v<T, double>)
            if (heldDiffersFromShown(A, n, det, held, dd))
                r.text(fillText(texts::steps::kHeldDecimalsDeterminant,
                                {std::to_string(held), std::to_string(dd + 1), std::to_string(dd)}))
                    .newline();
    });
    r.heading(R::kDeterminantEliminatedHeading);
    r.matrixBlock(A, n, n, kTwoBlanks, NumberStyle::rounded(dd + 1));
    writeSentence(r.newline(), R::kExchangeCount, {exchanges}).newline();
    writeSentence(r.heading(R::kDeterminantHeading), R::kDeterminantValue,
                  {{det, NumberStyle::rounded(dd)}});
    r.newline().title(R::kDeterminantTitle);
    // A pivot of 0 leaves its column as it is: only an entry read as
    // Infinity or NaN, or an overflow, can bring them.
    return publish(in.host, std::move(r), [&] { return entryOrOverflowNotice(B, n, n); });
}

Outcome gaussFullEither(CommandInput& in) {
    return exactOrDecimal(in, in.n + 1, texts::exact::kZeroPivot,
                          [&](const auto& B) { return gaussFull(in, B); });
}

Outcome inverseEither(CommandInput& in) {
    // The inverse reads only the coefficients: the column beyond them need
    // not have an exact value.
    return exactOrDecimal(in, in.n, texts::exact::kZeroPivot,
                          [&](const auto& B) { return inverse(in, B); });
}

Outcome determinantEither(CommandInput& in) {
    return exactOrDecimal(in, in.n, texts::exact::kZeroPivot,
                          [&](const auto& B) { return determinant(in, B); });
}

} // namespace

namespace commands {

// Gauss消去法 empties the result area only once the order is accepted, so a
// cancelled prompt keeps the previous report; Gauss列主元消去法 empties it first.
const Command Gauss_1{"Gauss_1",
                      D::kGaussCaption,
                      CommandGroup::Elimination,
                      {kMatrixOrderPrompt, kInputDataCaption, D::kSuggestedOrder},
                      &gauss1};
const Command GaussTier{"GaussTier",
                        D::kGaussColumnPivotCaption,
                        CommandGroup::Elimination,
                        {kOrderPrompt, {}, {}, Clear::BeforeAsking},
                        &gaussTier};
const Command GaussFull{"GaussFull",
                        D::kGaussFullPivotCaption,
                        CommandGroup::Elimination,
                        {kOrderPrompt},
                        &gaussFullEither};
const Command A_matrix{"A_matrix",
                       D::kInverseCaption,
                       CommandGroup::Elimination,
                       {kMatrixOrderPrompt},
                       &inverseEither};
const Command A_range{"A_range",
                      D::kDeterminantCaption,
                      CommandGroup::Elimination,
                      {kMatrixOrderPrompt, {}, {}, Clear::AfterOrder, Reads::SquareMatrix},
                      &determinantEither};

} // namespace commands

} // namespace quorvex
