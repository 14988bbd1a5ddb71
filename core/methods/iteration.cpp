#include "methods/iteration.h"

#include "exact/exact_mode.h"
#include "exact/exact_texts.h"
#include "numerics/iteration_sweeps.h"
#include "reading/number_text.h"
#include "report/report.h"
#include "steps/iteration_steps.h"
#include "steps/steps.h"

#include <optional>
#include <string>
#include <vector>

namespace quorvex {

namespace {

constexpr std::string_view kInitialValueCaption = "输入初始值";
constexpr std::string_view kFactorPrompt = "当0<w<1 时，称为低松弛迭代法(SUR法)\r\n"
                                           "当w>1 时，称为高松弛迭代法(SOR法)\r\n"
                                           "当w=1 时，即为高斯—塞德耳迭代法";
constexpr std::string_view kFactorCaption = "输入松弛因子 w ,默认w=1。";
constexpr std::string_view kZeroDiagonal = "此方法不合适,请选择其他方法#";
constexpr std::string_view kNoConvergence = "本方法不适合解此线形方程组，请用其他方法再试一下#";

struct IterationMethod {
    Sweep sweep;
    bool asksFactor;
    std::string_view title;
};

Iterate askInitialValues(Host& host, int n) {
    Iterate x0(static_cast<std::size_t>(n));
    std::string prompt;
    for (int i = 1; i <= n; ++i) {
        prompt.assign("请给出解x0(");
        appendInteger(prompt, i);
        prompt.append(")的初始值:");
        x0[static_cast<std::size_t>(i - 1)] =
            readLeadingNumber(ask(host, prompt, kInitialValueCaption, "0"));
    }
    return x0;
}

double askFactor(Host& host) {
    const double w = readLeadingNumber(ask(host, kFactorPrompt, kFactorCaption, "1"));
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
    noteDecimalsOnly(r, in.settings, exact_texts::kIterates);
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
    if (method.asksFactor) r.text("松弛因子 w=").number(w, NumberStyle::plain()).newline();
    if (k) {
        r.text("迭代").integer(*k).text("次 ， 求得方程组的解为：").newline();
        for (int i = 1; i <= n; ++i)
            r.indexedValue("x", i, x[static_cast<std::size_t>(i - 1)], NumberStyle::rounded(dd));
    }
    r.title(method.title);
    return r;
}

/// With steps shown, a run that does not converge still publishes its
/// sweeps, so that the student sees how it went, before the same message.
Outcome runIteration(CommandInput& in, const IterationMethod& method) {
    const int n = in.n;
    const Matrix& Ab = in.matrix;
    Iterate x0 = askInitialValues(in.host, n);
    Iterate x = x0;
    const double w = method.asksFactor ? askFactor(in.host) : 1.0;
    if (hasZeroDiagonal(Ab, n)) return fail(in.host, kZeroDiagonal);
    auto log = steps::recorder<steps::SweepRecorder>(in.settings, n, n);
    const auto k = iterate(method.sweep, Ab, n, x0, x, in.precision, w, in.stop, log.get());
    if (!k) {
        if (log) publish(in.host, iterationReport(in, k, x, method, w, log));
        return fail(in.host, kNoConvergence);
    }
    return publish(in.host, iterationReport(in, k, x, method, w, log));
}

Outcome jacobi(CommandInput& in) {
    return runIteration(in, {&jacobiSweep, false, "Jacobi迭代法解线性方程组"});
}

Outcome gaussSeidel(CommandInput& in) {
    return runIteration(in, {&gaussSeidelSweep, false, "Gauss-Seidel迭代法解线性方程组"});
}

Outcome relaxation(CommandInput& in) {
    return runIteration(in, {&relaxationSweep, true, "逐次超松弛(SOR)迭代法解线性方程组"});
}

// The iterations empty the result area first and ask their precision
// before the order.
constexpr Opening kIterationOpening{kArrayOrderPrompt,   kInputDataCaption,      "0",
                                    Clear::BeforeAsking, Reads::AugmentedMatrix, true};

} // namespace

namespace commands {

const Command JacobiDie{"JacobiDie", "雅可比迭代法", CommandGroup::Iteration, kIterationOpening,
                        &jacobi};
const Command Gauss_SeidelDie{"Gauss_SeidelDie", "高斯-塞德尔迭代法", CommandGroup::Iteration,
                              kIterationOpening, &gaussSeidel};
const Command SorDie{"SorDie", "逐次超松驰迭代法", CommandGroup::Iteration, kIterationOpening,
                     &relaxation};

} // namespace commands

} // namespace quorvex
