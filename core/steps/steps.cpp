#include "steps/steps.h"

#include "steps/step_texts.h"

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

Report& ordinal(Report& r, int i, std::string_view what) {
    return r.text(step_texts::kOrdinal).integer(i).text(what);
}

} // namespace

Report& operand(Report& r, double v, NumberStyle style) { return writeOperand(r, v, style); }
Report& operand(Report& r, const Rational& v, NumberStyle style) {
    return writeOperand(r, v, style);
}

Report& stage(Report& r, int k) { return ordinal(r, k, step_texts::kStage); }
Report& row(Report& r, int i) { return ordinal(r, i, step_texts::kRow); }
Report& column(Report& r, int j) { return ordinal(r, j, step_texts::kColumn); }

Report& entry(Report& r, std::string_view name, int i, int j) {
    return r.text(name).text("(").integer(i).text(",").integer(j).text(")");
}

} // namespace quorvex::steps
