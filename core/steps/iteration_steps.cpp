#include "steps/iteration_steps.h"

#include "steps/steps.h"
#include "texts/steps_texts.h"

#include <algorithm>
#include <cmath>
#include <numeric>

namespace quorvex::steps {

namespace texts = quorvex::texts::steps;

std::vector<int> shownComponents(int n) {
    if (n > kMaxStepsOrder) return {1, n};
    std::vector<int> all(static_cast<std::size_t>(n));
    std::iota(all.begin(), all.end(), 1);
    return all;
}

double largestChange(const Iterate& x, const Iterate& previous) {
    double largest = 0.0;
    for (std::size_t i = 0; i < x.size(); ++i) {
        const double d = std::fabs(x[i] - previous[i]);
        if (!(d <= largest)) largest = d;
        if (std::isnan(largest)) break;
    }
    return largest;
}

SweepRecorder::SweepRecorder(int n) : m_components(shownComponents(n)) {}

std::vector<double> SweepRecorder::kept(const Iterate& x) const {
    std::vector<double> v;
    v.reserve(m_components.size());
    for (int i : m_components) v.push_back(x[static_cast<std::size_t>(i - 1)]);
    return v;
}

void SweepRecorder::started(const Iterate& x0) {
    m_start = kept(x0);
    m_previous = x0;
}

void SweepRecorder::sweepDone(int k, const Iterate& x) {
    std::vector<double>& row = m_rows.emplace_back();
    row.reserve(m_components.size() + 2);
    row.push_back(k);
    for (int i : m_components) row.push_back(x[static_cast<std::size_t>(i - 1)]);
    row.push_back(largestChange(x, m_previous));
    m_previous = x;
}

namespace {

void writeStart(Report& r, const SweepRecorder& log, NumberStyle style) {
    const std::vector<double>& start = log.start();
    Vector x0(static_cast<int>(start.size()));
    for (std::size_t i = 0; i < start.size(); ++i) x0(static_cast<int>(i) + 1) = start[i];
    say(r, texts::kInitialIterate, [&](Report& to) {
        to.vectorLine(x0, 1, x0.hi(), kTwoBlanks, style);
    }).newline();
}

void writeTableHeading(Report& r, const SweepRecorder& log) {
    const auto columns = [&](Report& to) {
        for (int i : log.components()) say(to, texts::kSweepsColumn, i);
    };
    say(r, texts::kSweepsHeading, columns).newline();
}

/// The rows a table shows: all of them, or up to the first whose change is
/// not a finite number when the run did not converge (0: none such).
std::size_t runawayRow(const SweepRecorder& log) {
    const auto& rows = log.rows();
    for (std::size_t k = 0; k < rows.size(); ++k)
        if (!std::isfinite(rows[k].back())) return k + 1;
    return 0;
}

/// Rows of the table per block: the text runs on unbroken, while a typeset
/// export, which cannot break one block across pages, gets blocks that fit
/// a page.
constexpr std::size_t kRowsPerBlock = 25;

void writeTable(Report& r, const SweepRecorder& log, std::size_t count, NumberStyle style) {
    const int cols = static_cast<int>(log.components().size()) + 2;
    for (std::size_t first = 0; first < count; first += kRowsPerBlock) {
        const std::size_t rows = std::min(kRowsPerBlock, count - first);
        Matrix table(static_cast<int>(rows), cols);
        for (std::size_t k = 0; k < rows; ++k)
            for (int j = 1; j <= cols; ++j)
                table(static_cast<int>(k) + 1, j) =
                    log.rows()[first + k][static_cast<std::size_t>(j - 1)];
        r.matrixBlock(table, table.rows(), cols, kTwoBlanks, style);
    }
}

} // namespace

void writeSweeps(Report& r, const SweepRecorder& log, const SweepsEnd& end, NumberStyle style) {
    writeStart(r, log, style);
    writeTableHeading(r, log);
    const std::size_t runaway = end.sweeps ? 0 : runawayRow(log);
    writeTable(r, log, runaway ? runaway : log.rows().size(), style);
    if (end.sweeps && !log.rows().empty()) {
        say(r, texts::kMet, *end.sweeps, number(log.rows().back().back(), NumberStyle::plain()),
            number(end.precision, NumberStyle::plain()))
            .newline();
        return;
    }
    // A run that left the doubles' range has diverged: that is its one
    // closing line, not the sweep limit it never reached in any real sense.
    if (runaway) say(r, texts::kRunaway, static_cast<long long>(runaway)).newline();
    else say(r, texts::kLimit, kSweepLimit).newline();
}

} // namespace quorvex::steps
