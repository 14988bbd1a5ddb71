#include "analysis/analysis.h"

#include "analysis/convergence_verdict.h"
#include "analysis/dense_algebra.h"
#include "analysis/error_chart.h"
#include "analysis/iteration_radii.h"
#include "analysis/reference_report.h"
#include "analysis/reference_solution.h"
#include "frame/precision.h"
#include "numerics/iteration_sweeps.h"
#include "reading/number_text.h"
#include "report/report.h"
#include "texts/analysis_texts.h"
#include "texts/dialog_texts.h"
#include "texts/fill.h"
#include "texts/sentence.h"

#include <array>
#include <cmath>
#include <functional>
#include <limits>
#include <optional>
#include <string>

namespace quorvex {

namespace {

namespace T = texts::analysis;

struct MethodRun {
    std::string name;
    IterationKind kind;
    Sweep sweep;
    double radius = 0.0;
    bool nilpotent = false; ///< exactly: every eigenvalue is 0
    RadiusVerdict verdict = RadiusVerdict::Diverges;
    std::optional<int> sweeps; ///< observed; nothing when it did not converge
    ErrorCurve curve;
};

/// Three significant digits at most: a predicted count is an estimate.
double threeSignificant(double k) {
    const double place = std::floor(std::log10(k)) - 2.0;
    if (!(place > 0.0)) return k;
    const double unit = std::pow(10.0, place);
    return std::round(k / unit) * unit;
}

/// Follows max|x(k) - x*| sweep by sweep while it is a finite number.
class ErrorFollower final : public SweepObserver {
public:
    ErrorFollower(const Vector& solution, ErrorCurve& curve)
        : m_solution(solution), m_curve(curve), m_errors(curve.errors) {}
    void sweepDone(int k, const Iterate& x) override {
        if (m_ended || m_solution.size() == 0) return;
        double e = 0.0;
        for (int i = 1; i <= m_solution.hi(); ++i) {
            // A NaN must end the curve, not be passed over as fmax would.
            const double d = std::fabs(x[static_cast<std::size_t>(i - 1)] - m_solution(i));
            if (!(d <= e)) e = d;
        }
        if (!std::isfinite(e) || static_cast<std::size_t>(k) != m_errors.size() + 1) {
            m_curve.overflows = !std::isfinite(e);
            m_ended = true;
            return;
        }
        m_errors.push_back(e);
    }

private:
    const Vector& m_solution;
    ErrorCurve& m_curve;
    std::vector<double>& m_errors;
    bool m_ended = false;
};

void runFromZero(MethodRun& m, const Matrix& Ab, int n, double e, double w, const Vector& solution,
                 const StopRequest& stop) {
    Iterate x0(static_cast<std::size_t>(n), 0.0);
    Iterate x = x0;
    ErrorFollower follower(solution, m.curve);
    m.sweeps = iterate(m.sweep, Ab, n, x0, x, e, w, stop, &follower);
}

void writeRadii(Report& r, const std::array<MethodRun, 3>& runs, int dd) {
    r.heading(T::kRadiusHeading);
    for (const MethodRun& m : runs) {
        if (!std::isfinite(m.radius)) {
            r.text(fillText(T::kRadiusNotFinite, {m.name})).newline();
            continue;
        }
        const std::string_view line = m.verdict == RadiusVerdict::Converges ? T::kConverges
                                      : m.verdict == RadiusVerdict::JustBelowOne
                                          ? T::kRadiusJustBelowOne
                                      : m.verdict == RadiusVerdict::AtEdge ? T::kRadiusAtEdge
                                                                           : T::kDiverges;
        writeSentence(r, line, {m.name, {m.radius, NumberStyle::rounded(dd)}}).newline();
    }
}

void writeConditions(Report& r, const ConvergenceConditions& conditions) {
    const bool dominant = conditions.dominant;
    const bool definite = conditions.definite;
    r.heading(T::kConditionsHeading);
    writeSentence(r, T::kDominant, {dominant ? T::kYes : T::kNo}).newline();
    writeSentence(r, T::kPositiveDefinite, {definite ? T::kYes : T::kNo}).newline();
    if (dominant) r.text(T::kDominantMeans).newline();
    if (definite) r.text(T::kDefiniteMeans).newline();
    if (!dominant && !definite) r.text(T::kNeitherCondition).newline();
}

/// The sweeps ρ^k ≤ e predicts, at least one; nothing where the radius
/// predicts none.
std::optional<double> predictedSweeps(const MethodRun& m, double e) {
    if (!std::isfinite(m.radius) || m.nilpotent || m.verdict != RadiusVerdict::Converges ||
        !(e > 0.0))
        return std::nullopt;
    return std::fmax(1.0, std::ceil(std::log(e) / std::log(m.radius)));
}

/// The sweeps ρ^k ≤ e predicts from a zero start, counting at least the one
/// sweep every run makes; the prediction says why when none can be.
void writePrediction(Report& r, const MethodRun& m, double e, int n) {
    if (!std::isfinite(m.radius)) {
        writeSentence(r, T::kNotPredictedNotFinite, {m.name});
    } else if (m.nilpotent) {
        writeSentence(r, T::kPredictedNilpotent,
                      {m.name, std::to_string(n), std::to_string(n + 1)});
    } else if (m.verdict == RadiusVerdict::AtEdge || m.verdict == RadiusVerdict::JustBelowOne) {
        // How far below 1 is rounding: ln ρ, and so any count, would be too.
        writeSentence(r, T::kNotPredictedAtEdge, {m.name});
    } else if (m.verdict == RadiusVerdict::Diverges) {
        writeSentence(r, T::kNotPredicted, {m.name});
    } else if (!(e > 0.0)) {
        writeSentence(r, T::kNotPredictedPrecision, {m.name});
    } else {
        writeSentence(r, T::kPredicted,
                      {m.name, {threeSignificant(*predictedSweeps(m, e)), NumberStyle::plain()}});
    }
}

/// True when the radius promised convergence within the sweep limit and the
/// run from zero did not deliver it: the two must not stand side by side
/// unexplained.
bool runBelies(const MethodRun& m, double e) {
    const auto k = predictedSweeps(m, e);
    return !m.sweeps && !m.nilpotent && k && *k <= kSweepLimit;
}

/// True when e is below the rounding of the solution's largest component:
/// the changes between sweeps then stall at a few units of its last place.
bool belowRounding(double e, const Vector& solution) {
    double largest = 0.0;
    for (int i = solution.lo(); i <= solution.hi(); ++i)
        largest = std::fmax(largest, std::fabs(solution(i)));
    return e < 8.0 * std::numeric_limits<double>::epsilon() * largest;
}

void writeSweeps(Report& r, const std::array<MethodRun, 3>& runs, double e, int n,
                 const Vector& solution) {
    const bool stalls = belowRounding(e, solution);
    r.heading(T::kSweepsHeading);
    for (const MethodRun& m : runs) {
        const std::function<void(Report&)> prediction = [&](Report& into) {
            writePrediction(into, m, e, n);
        };
        if (m.sweeps) writeSentence(r, T::kObserved, {prediction, *m.sweeps});
        else writeSentence(r, T::kObservedNone, {prediction});
        r.newline();
        if (runBelies(m, e))
            r.text(fillText(stalls ? T::kRunStallsAtRounding : T::kRunBeliesRadius, {m.name}))
                .newline();
        if (m.sweeps && m.verdict == RadiusVerdict::Diverges)
            r.text(fillText(T::kRunConvergesFromZero, {m.name})).newline();
    }
}

std::string_view bestFactorSource(FactorSource source) {
    switch (source) {
    case FactorSource::TridiagonalFormula: return T::kBestByFormula;
    case FactorSource::OrderedFormula: return T::kBestByOrderedFormula;
    case FactorSource::Search: return T::kBestBySearch;
    case FactorSource::ArnoldiSearch: return T::kBestByArnoldiSearch;
    }
    return T::kBestBySearch;
}

void writeBestFactor(Report& r, const BestFactor& best, int dd, bool definite) {
    r.heading(T::kBestHeading);
    if (!radiusBelowOne(best.radius)) {
        // A definite matrix makes every 0 < w < 2 converge: the radii are
        // then all within rounding of 1, not at or past it.
        r.text(definite ? T::kBestAtEdge : T::kNoBest).newline();
        return;
    }
    writeSentence(r, T::kBest,
                  {{best.w, NumberStyle::rounded(dd)},
                   {best.radius, NumberStyle::rounded(dd)},
                   bestFactorSource(best.source)})
        .newline();
}

std::array<MethodRun, 3> methodRuns(double w) {
    std::string sor = fillText(T::kSor, {numberText(w)});
    const auto run = [](std::string name, IterationKind kind, Sweep sweep) {
        return MethodRun{std::move(name),         kind,         sweep, 0.0, false,
                         RadiusVerdict::Diverges, std::nullopt, {}};
    };
    return {run(std::string(T::kJacobi), IterationKind::Jacobi, &jacobiSweep),
            run(std::string(T::kGaussSeidel), IterationKind::GaussSeidel, &gaussSeidelSweep),
            run(sor, IterationKind::Relaxation, &relaxationSweep)};
}

ErrorChart chartOf(const std::array<MethodRun, 3>& runs) {
    ErrorChart chart{
        std::string(T::kChartTitle), std::string(T::kChartSweeps), std::string(T::kChartError), {}};
    for (const MethodRun& m : runs)
        chart.curves.push_back({m.name, m.curve.errors, m.curve.overflows});
    return chart;
}

double askRelaxationFactor(Host& host) {
    const double w = readLeadingNumber(
        ask(host, T::kFactorPrompt, kInputDataCaption, texts::dialog::kRelaxationDefault));
    return w > 0.0 ? w : 1.0;
}

Outcome convergenceAnalysis(CommandInput& in) {
    const int n = in.n;
    const Matrix& Ab = in.matrix;
    const int dd = in.settings.decimalDigits;
    const double e = askConfirmedPrecision(in.host);
    const double w = askRelaxationFactor(in.host);

    Report r;
    r.matrixBlock(Ab, n, n + 1, kTwoBlanks, NumberStyle::plain());
    writeSentence(r.newline(), T::kSettings, {{e, NumberStyle::plain()}, {w, NumberStyle::plain()}})
        .newline();
    if (hasZeroDiagonal(Ab, n)) {
        r.text(T::kZeroDiagonal).newline().title(T::kConvergenceTitle);
        return publish(in.host, std::move(r));
    }
    const ReferenceSolution ref = referenceSolution(Ab, n, referenceText(in.host, n), in.stop);
    noticeMisreadEntries(in.host, ref);
    const std::optional<RationalMatrix> exact =
        exactCoefficients(Ab, n, ref.exact ? std::optional(ref.system) : std::nullopt);
    const ConvergenceConditions conditions = convergenceConditions(Ab, n, exact);
    std::array<MethodRun, 3> runs = methodRuns(w);
    for (MethodRun& m : runs) {
        in.stop.check();
        std::optional<ExactSpectrum> spectrum;
        // An infinite factor has no fraction; its radius stays the computed one.
        if (exact && (m.kind != IterationKind::Relaxation || std::isfinite(w)))
            spectrum = exactSpectrum(*exact, n, m.kind, w);
        // A nilpotent matrix's computed eigenvalues scatter around 0 by
        // rounding; only the exact test may call the radius 0.
        m.nilpotent = spectrum && spectrum->nilpotent;
        m.radius = m.nilpotent ? 0.0
                   : spectrum  ? spectrum->roundedRadius
                               : iterationRadius(Ab, n, m.kind, w);
        if (spectrum) m.radius = certifiedRadius(*spectrum, m.radius);
        m.verdict = judgeRadius(m.radius, spectrum, theoremConverges(conditions, m.kind, w));
        runFromZero(m, Ab, n, e, w, ref.x, in.stop);
    }
    writeRadii(r, runs, dd);
    writeConditions(r, conditions);
    writeSweeps(r, runs, e, n, ref.x);
    writeBestFactor(r, bestRelaxationFactor(Ab, n, in.stop), dd, conditions.definite);
    r.title(T::kConvergenceTitle);
    const Outcome outcome = publish(in.host, std::move(r));
    if (!ref.singular) in.host.showChart(chartOf(runs));
    return outcome;
}

} // namespace

namespace commands {

const Command ConvergenceAnalysis{"ConvergenceAnalysis",
                                  T::kConvergenceCaption,
                                  CommandGroup::Analysis,
                                  {kOrderPrompt, kInputDataCaption},
                                  &convergenceAnalysis};

} // namespace commands

} // namespace quorvex
