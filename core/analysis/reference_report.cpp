#include "analysis/reference_report.h"

#include "analysis/analysis_texts.h"
#include "analysis/significant.h"

namespace quorvex {

double shortNumber(double v) { return significant(v, kShownSignificantDigits); }

void writeReference(Report& r, const ReferenceSolution& ref, int dd) {
    if (ref.singular) return;
    r.heading(ref.exact ? analysis_texts::kExactSolutionHeading
                        : analysis_texts::kDoubleSolutionHeading);
    for (int i = ref.x.lo(); i <= ref.x.hi(); ++i)
        r.indexedValue("x*", i, ref.x(i), NumberStyle::rounded(dd));
}

} // namespace quorvex
