#pragma once

#include <string>
#include <vector>

namespace quorvex {

/// One curve of an error chart: errors[k-1] is the error after sweep k.
struct ErrorCurve {
    std::string name;
    std::vector<double> errors;
    /// The curve ends because the next error was beyond the doubles.
    bool overflows = false;
};

/// The chart that comes with a convergence analysis: the errors of the
/// iterations against the sweep number, drawn on a logarithmic scale.
struct ErrorChart {
    std::string title;
    std::string xLabel;
    std::string yLabel;
    std::vector<ErrorCurve> curves;

    /// The largest sweep number any curve reaches.
    std::size_t sweeps() const;
};

/// The chart as a table: a header line "k" and the curves' names, then one
/// line per sweep with k and each curve's error (empty once a curve has
/// ended), separated by tabs; lines end in LF.
std::string chartTable(const ErrorChart& chart);

} // namespace quorvex
