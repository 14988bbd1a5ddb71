#include "analysis/reference_report.h"

#include "analysis/significant.h"
#include "reading/number_text.h"
#include "texts/analysis_texts.h"
#include "texts/fill.h"

#include <string>

namespace quorvex {

double shortNumber(double v) { return significant(v, kShownSignificantDigits); }

void writeReference(Report& r, const ReferenceSolution& ref, int dd) {
    if (ref.singular) return;
    r.heading(ref.exact ? texts::analysis::kExactSolutionHeading
                        : texts::analysis::kDoubleSolutionHeading);
    if (ref.order > ReferenceSolution::kExactOrderLimit)
        r.text(fillText(texts::analysis::kExactDroppedForOrder,
                        {std::to_string(ReferenceSolution::kExactOrderLimit)}))
            .newline();
    for (int i = ref.x.lo(); i <= ref.x.hi(); ++i)
        r.indexedValue("x*", i, ref.x(i), NumberStyle::rounded(dd));
}

void noticeMisreadEntries(Host& host, const ReferenceSolution& ref) {
    for (const MisreadEntry& e : ref.misread)
        host.notice(
            fillText(texts::analysis::kEntryMisread,
                     {std::to_string(e.row), std::to_string(e.col), e.text, numberText(e.read)}));
}

} // namespace quorvex
