#pragma once

#include "texts/text.h"

namespace quorvex {

/// The options that shape a report. They last for one run of the program
/// and are never stored; the window's 显示 menu and the CLI's options fill
/// them, and every command reads them from here only.
struct ReportSettings {
    static constexpr int kDefaultDecimalDigits = 6;

    /// Decimals of printed numbers, 1 to 16.
    int decimalDigits = kDefaultDecimalDigits;

    /// Exact fractions: the direct methods compute in rational arithmetic and
    /// write every number as an integer or a reduced fraction.
    bool exact = false;

    /// Worked steps: a steps section after the echoed input, for orders up
    /// to kMaxStepsOrder.
    bool steps = false;

    /// One row operation at a time: the eliminations' steps also show the
    /// matrix after every single row operation, for orders up to
    /// steps::kMaxRowStepsOrder. It brings the steps section with it.
    bool rowSteps = false;

    /// Whether the report has a steps section at all.
    bool stepsShown() const { return steps || rowSteps; }

    /// The language of the report and of the command's dialogs.
    Language language = Language::Chinese;
};

} // namespace quorvex
