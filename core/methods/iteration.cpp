#include "methods/iteration.h"

#include "methods/exact_mode.h"
#include "numerics/iteration_sweeps.h"
#include "reading/number_text.h"
#include "report/report.h"
#include "steps/iteration_steps.h"
#include "steps/steps.h"
#include "texts/dialog_texts.h"
#include "texts/exact_texts.h"
#include "texts/fill.h"
#include "texts/report_texts.h"
#include "texts/sentence.h"

#include <cmath>
#include <optional>
#include <string>
#include <vector>

namespace quorvex {

namespace D = texts::dialog;
namespace R = texts::report;

namespace {

struct IterationMethod {
    Sweep sweep;
    bool asksFactor;
    std::string_view title;
};

Iterate askInitialValues(Host& host, int n) {
    Iterate x0(static_cast<std::size_t>(n));
    for (int i = 1; i <= n; ++i) {
        const std::string prompt = fillText(D::kInitialValuePrompt, {std::to_string(i)});
        x0[static_cast<std::size_t>(i - 1)] =
            readLeadingNumber(ask(host, prompt, D::kInitialValueCaption, D::kInitialValueDefault));
    }
    return x0;
}

double askFactor(Host& host) {
    const double w = readLeadingNumber(
        ask(host, D::kRelaxationPrompt, D::kRelaxationCaption, D::kRelaxationDefault));
    return w > 0.0 ? w : 1.0;
}

/// The echoed input and, when recorded, the sweeps; then, as before, the
/// factor and, once the iteration converged, the solution.
Report iterationReport(const CommandInput& in, std::optional<int> k, const Iterate& x,
                       const IterationMethod& method, double w,
                       const steps::Recorder<steps::SweepRecorder>& log) {
    const int n = in.n;
    const int dd = in.settings.decimalDigits;
    Report r;
    noteDecimalsOnly(r, in.settings, texts::exact::kIterates);
    r.matrixBlock(in.matrix, n, n + 1, kTwoBlanks, NumberStyle::plain()).augmented();
    steps::write(r, in.settings, n, log, [&](const steps::SweepRecorder& sweeps) {
        steps::writeSweeps(r, sweeps, {k, in.precision}, NumberStyle::rounded(dd));
        // A solution found is checked like the direct methods' solutions.
        if (k && n <= steps::kMaxStepsOrder) {
            Vector solution(n);
            for (int i = 1; i <= n; ++i) solution(i) = x[static_cast<std::size_t>(i - 1)];
            steps::writeSubstitutionCheck(r, in.matrix, solution, n, dd);
        }
    });
    if (k || method.asksFactor) r.newline(); // the title brings its own blank line
    if (method.asksFactor)
        writeSentence(r, R::kRelaxationFactor, {{w, NumberStyle::plain()}}).newline();
    if (k) {
        writeSentence(r, R::kConverged, {*k}).newline();
        for (int i = 1; i <= n; ++i)
            r.indexedValue("x", i, x[static_cast<std::size_t>(i - 1)], NumberStyle::rounded(dd));
    }
    r.title(method.title);
    return r;
}

/// Shares of ||b|| above which a residual counts as large: with a factor
/// that is the cause, and where the tolerance alone is.
constexpr double kLargeResidualShare = 0.01;
constexpr double kRoughResidualShare = 0.1;

/// A run stopped on a small change between sweeps, with a residual large
/// against b: a notice names the cause. Jacobi's and Gauss-Seidel's
/// residual at the stop is at most ||A||∞·e, so there the tolerance is too
/// large for the system. Relaxation's is ((1-w)/w·D - U)(x(k) - x(k-1)),
/// which a small w makes large however small the change; and since
/// ||x - x*||∞ ≥ ||b - Ax||∞ / ||A||∞, a residual above e·||A||∞ proves that
/// the error, not only the change, is larger than e.
void noticeSmallChangeOnly(CommandInput& in, const Iterate& x, double w, bool asksFactor) {
    const int n = in.n;
    double b = 0.0, a = 0.0;
    for (int i = 1; i <= n; ++i) {
        b = std::fmax(b, std::fabs(in.matrix(i, n + 1)));
        double row = 0.0;
        for (int j = 1; j <= n; ++j) row += std::fabs(in.matrix(i, j));
        a = std::fmax(a, row);
    }
    const double r = residualMaxNorm(in.matrix, n, x);
    if (!(b > 0.0)) return;
    // A residual past any sensible share still says all that matters.
    const std::string e = numberText(in.precision),
                      share = numberText(std::fmin(std::round(100.0 * r / b), 1e15));
    if (asksFactor && w != 1.0 && r > kLargeResidualShare * b && r > in.precision * a)
        in.host.notice(fillText(R::kSmallChangeFromFactor, {e, share, numberText(w)}));
    else if (r > kRoughResidualShare * b)
        in.host.notice(fillText(R::kRoughFromTolerance, {e, share}));
}

/// With steps shown, a run that does not converge still publishes its
/// sweeps, so that the student sees how it went, before the same message.
Outcome runIteration(CommandInput& in, const IterationMethod& method) {
    const int n = in.n;
    const Matrix& Ab = in.matrix;
    Iterate x0 = askInitialValues(in.host, n);
    Iterate x = x0;
    const double w = method.asksFactor ? askFactor(in.host) : 1.0;
    if (hasZeroDiagonal(Ab, n)) return fail(in.host, D::kIterationNotSuitable);
    auto log = steps::recorder<steps::SweepRecorder>(in.settings, n, n);
    const auto k = iterate(method.sweep, Ab, n, x0, x, in.precision, w, in.stop, log.get());
    if (!k) {
        if (log) publish(in.host, iterationReport(in, k, x, method, w, log));
        return fail(in.host, D::kNoConvergence);
    }
    noticeSmallChangeOnly(in, x, w, method.asksFactor);
    return publish(in.host, iterationReport(in, k, x, method, w, log));
}

Outcome jacobi(CommandInput& in) {
    return runIteration(in, {&jacobiSweep, false, R::kJacobiTitle});
}

Outcome gaussSeidel(CommandInput& in) {
    return runIteration(in, {&gaussSeidelSweep, false, R::kGaussSeidelTitle});
}

Outcome relaxation(CommandInput& in) {
    return runIteration(in, {&relaxationSweep, true, R::kSorTitle});
}

// The iterations empty the result area first and ask their precision
// before the order.
constexpr Opening kIterationOpening{kArrayOrderPrompt,         kInputDataCaption,
                                    D::kIterationOrderDefault, Clear::BeforeAsking,
                                    Reads::AugmentedMatrix,    true};

} // namespace

namespace commands {

const Command JacobiDie{"JacobiDie", D::kJacobiCaption, CommandGroup::Iteration, kIterationOpening,
                        &jacobi};
const Command Gauss_SeidelDie{"Gauss_SeidelDie", D::kGaussSeidelCaption, CommandGroup::Iteration,
                              kIterationOpening, &gaussSeidel};
const Command SorDie{"SorDie", D::kSorCaption, CommandGroup::Iteration, kIterationOpening,
                     &relaxation};

} // namespace commands

} // namespace quorvex
