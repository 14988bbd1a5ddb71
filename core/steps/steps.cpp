#include "steps/steps.h"

#include "steps/step_texts.h"

#include "number_text.h"

#include <algorithm>
#include <cmath>
#include <type_traits>

namespace quorvex::steps {

bool open(Report& r, const ReportSettings& settings, int n) {
    if (!settings.steps) return false;
    // The section stands apart by a blank line, also after a line of
    // numbers the report has not ended yet.
    if (!r.atLineStart()) r.newline();
    if (n > kMaxStepsOrder) {
        r.newline().text(step_texts::kTooLargeOpening).integer(kMaxStepsOrder);
        r.text(step_texts::kTooLargeClosing).newline();
        return false;
    }
    r.heading(step_texts::kHeading);
    return true;
}

namespace {

template <class T> Report& writeOperand(Report& r, const T& v, NumberStyle style) {
    if (!(v < 0.0)) return r.number(v, style);
    return r.text("(").number(v, style).text(")");
}

template <class T> bool isFraction(const T& v) {
    if constexpr (std::is_same_v<T, Rational>) return v.get_den() != 1;
    else return false;
}

template <class T> Report& writeDivisor(Report& r, const T& v, NumberStyle style) {
    if (!(v < 0.0) && !isFraction(v)) return r.number(v, style);
    return r.text("(").number(v, style).text(")");
}

Report& ordinal(Report& r, int i, std::string_view what) {
    return r.text(step_texts::kOrdinal).integer(i).text(what);
}

} // namespace

Report& operand(Report& r, double v, NumberStyle style) { return writeOperand(r, v, style); }
Report& operand(Report& r, const Rational& v, NumberStyle style) {
    return writeOperand(r, v, style);
}

Report& divisor(Report& r, double v, NumberStyle style) { return writeDivisor(r, v, style); }
Report& divisor(Report& r, const Rational& v, NumberStyle style) {
    return writeDivisor(r, v, style);
}

int decimalsAsUsed(double v, double weight, int least, int held) {
    constexpr int kMost = 15;
    if (!std::isfinite(v) || !std::isfinite(weight)) return least;
    const double budget = 0.1 * std::pow(10.0, -held);
    for (int p = least; p < kMost; ++p)
        if (std::fabs(v - roundTo(v, p)) * weight <= budget) return p;
    return std::max(least, kMost);
}

Report& stage(Report& r, int k) { return ordinal(r, k, step_texts::kStage); }
Report& row(Report& r, int i) { return ordinal(r, i, step_texts::kRow); }
Report& column(Report& r, int j) { return ordinal(r, j, step_texts::kColumn); }

Report& entry(Report& r, std::string_view name, int i, int j) {
    return r.text(name).text("(").integer(i).text(",").integer(j).text(")");
}

} // namespace quorvex::steps
