#pragma once

#include "exact/rational.h"
#include "frame/settings.h"
#include "report/report.h"

namespace quorvex::steps {

/// The largest order whose reports show their steps; above it one line
/// says they are left out and the report goes on as usual.
inline constexpr int kMaxStepsOrder = 12;

/// The largest order whose eliminations show the matrix after every single
/// row operation when asked to; above it they show it after each stage.
inline constexpr int kMaxRowStepsOrder = 6;

/// Whether an order-n report records and shows its steps.
inline bool wanted(const ReportSettings& settings, int n) {
    return settings.stepsShown() && n <= kMaxStepsOrder;
}

/// Opens the steps section after the echoed input: its heading, or above
/// kMaxStepsOrder the one line saying the steps are left out. Nothing when
/// steps are off. True when steps follow.
bool open(Report& r, const ReportSettings& settings, int n);

/// Writes v as an operand of a step: a negative number in parentheses, so
/// that "− (-0.5)" cannot be misread.
Report& operand(Report& r, double v, NumberStyle style);
Report& operand(Report& r, const Rational& v, NumberStyle style);

/// Writes v as a divisor, or as a factor written after "×": a negative
/// number or a fraction in parentheses, so that "÷ (16/7)" is not read as
/// "÷ 16, then ÷ 7".
Report& divisor(Report& r, double v, NumberStyle style);
Report& divisor(Report& r, const Rational& v, NumberStyle style);

/// The fewest decimals, `least` or more, at which v can be written so that
/// a hand calculation multiplying it by up to `weight` lands within a tenth
/// of a unit of the `held`-th decimal of what the method, using v unrounded,
/// got; at most 15.
int decimalsAsUsed(double v, double weight, int least, int held);

/// Closes the steps of a solving command with the check by substitution:
/// each equation of the augmented n x (n+1) system B with x put in, and
/// its residual. Decimal solutions are put in as the report shows them, to
/// `decimals` decimals, and the check is left out when one is not finite.
template <class T>
void writeSubstitutionCheck(Report& r, const BasicMatrix<T>& B, const BasicVector<T>& x, int n,
                            int decimals);

/// "第 k 步", "第 i 行", "第 j 列".
Report& stage(Report& r, int k);
Report& row(Report& r, int i);
Report& column(Report& r, int j);

/// name(i,j), as in a(2,3).
Report& entry(Report& r, std::string_view name, int i, int j);

} // namespace quorvex::steps
