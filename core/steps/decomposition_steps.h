#pragma once

#include "numerics/factor_observer.h"
#include "report/report.h"
#include "steps/steps.h"

#include <string_view>
#include <variant>
#include <vector>

namespace quorvex::steps {

/// Step k of a decomposition begins.
struct StageMark {
    int k = 0;
};

/// Step k took its pivot from row `row`, and exchanged rows k and `row`
/// when they differ.
struct PivotMark {
    int k = 0;
    int row = 0;
};

/// One thing a decomposition told its recorder, in the order it happened.
template <class T> using FactorEvent = std::variant<StageMark, PivotMark, FactorEntry<T>>;

/// Writes a decomposition and its substitutions down as they run, entry by
/// entry; after an entry where the method stopped, nothing more.
template <class T> class DecompositionRecorder final : public BasicFactorObserver<T> {
public:
    static constexpr Reach kReach = Reach::UpToMaxOrder;

    void stageBegun(int k) override;
    void pivotChosen(int k, int row) override;
    void entryDone(FactorEntry<T> entry) override;

    const std::vector<FactorEvent<T>>& events() const { return m_events; }
    /// True when an entry stopped the method.
    bool stopped() const { return m_stopped; }

private:
    std::vector<FactorEvent<T>> m_events;
    bool m_stopped = false;
};

/// The headings of the three parts of the steps: the decomposition, the
/// forward substitution (entries y) and the back substitution (entries x).
struct DecompositionTexts {
    std::string_view factor;
    std::string_view forward;
    std::string_view back;
    std::string_view letters{}; ///< what the steps' letters stand for, if they need saying
};

/// Writes every recorded entry on a line of its own: its name, the formula
/// that gives it, the formula with the numbers used, the sum, and the value;
/// each step's heading and pivot choice; and, where the method stopped,
/// one line saying why.
template <class T>
void writeDecomposition(Report& r, const DecompositionRecorder<T>& log,
                        const DecompositionTexts& texts, NumberStyle style);

} // namespace quorvex::steps
