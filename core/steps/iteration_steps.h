#pragma once

#include "numerics/iteration_sweeps.h"
#include "report/report.h"
#include "steps/steps.h"

#include <optional>
#include <vector>

namespace quorvex::steps {

/// The components (1-based) an order-n table of sweeps shows: all of them up
/// to kMaxStepsOrder, above it the first and the last.
std::vector<int> shownComponents(int n);

/// The largest |x[i] - previous[i]|; a change that is not a number ends the
/// search and is the answer, so that a runaway sweep shows as one.
double largestChange(const Iterate& x, const Iterate& previous);

/// Writes an iteration down as it runs: the initial iterate and, for every
/// sweep, the shown components and the largest change over all components.
class SweepRecorder final : public SweepObserver {
public:
    static constexpr Reach kReach = Reach::AnyOrder;

    explicit SweepRecorder(int n);

    void started(const Iterate& x0) override;
    void sweepDone(int k, const Iterate& x) override;

    /// The components kept, 1-based.
    const std::vector<int>& components() const { return m_components; }
    /// The kept components of the initial iterate.
    const std::vector<double>& start() const { return m_start; }
    /// One row per sweep: k, the kept components of x(k), the largest change.
    const std::vector<std::vector<double>>& rows() const { return m_rows; }

private:
    std::vector<double> kept(const Iterate& x) const;

    std::vector<int> m_components;
    std::vector<double> m_start;
    std::vector<std::vector<double>> m_rows;
    Iterate m_previous;
};

/// How the sweeps ended: the sweep that met the precision e, or nothing
/// when the limit of sweeps was passed.
struct SweepsEnd {
    std::optional<int> sweeps;
    double precision = 0.0;
};

/// Writes the initial iterate, the table of sweeps as a block (one row a
/// sweep: k, the components, the largest change) and how it ended. A run
/// that did not converge ends its table at the first change that is not a
/// finite number, if there is one.
void writeSweeps(Report& r, const SweepRecorder& log, const SweepsEnd& end, NumberStyle style);

} // namespace quorvex::steps
