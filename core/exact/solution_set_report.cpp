#include "exact/solution_set.h"
#include "texts/exact_texts.h"
#include "texts/fill.h"

#include <string>

namespace quorvex {

namespace {

std::string components(const RationalVector& v) {
    std::string out;
    for (int i = v.lo(); i <= v.hi(); ++i) {
        if (i > v.lo()) out += exact_texts::kComponentSeparator;
        out += rationalText(v(i));
    }
    return out;
}

} // namespace

void writeSolutionSet(Report& r, const SolutionSet& s, int n, bool exactMode) {
    namespace texts = exact_texts;
    const std::string rankA = std::to_string(s.rankA);
    if (exactMode) r.text(texts::kInexactOpening);
    if (!s.solvable()) {
        r.text(fillText(texts::kNoSolution, {rankA, std::to_string(s.rankAugmented)})).newline();
        return;
    }
    r.text(fillText(texts::kInfinitelyMany, {rankA, rankA, std::to_string(n)})).newline();
    std::string unknowns, terms, parameters;
    for (std::size_t k = 0; k < s.freeUnknowns.size(); ++k) {
        const std::string number = std::to_string(k + 1);
        if (k > 0) {
            unknowns += texts::kListSeparator;
            terms += texts::kTermSeparator;
            parameters += texts::kListSeparator;
        }
        unknowns += fillText(texts::kFreeUnknown, {std::to_string(s.freeUnknowns[k])});
        terms += fillText(texts::kTerm, {number, number});
        parameters += fillText(texts::kParameter, {number});
    }
    r.text(fillText(texts::kFreeUnknowns, {unknowns})).newline();
    r.text(fillText(texts::kParticular, {components(s.particular)})).newline();
    for (std::size_t k = 0; k < s.directions.size(); ++k) {
        const std::string number = std::to_string(k + 1);
        const std::string unknown =
            fillText(texts::kFreeUnknown, {std::to_string(s.freeUnknowns[k])});
        r.text(fillText(texts::kDirection, {number, unknown, number, components(s.directions[k])}))
            .newline();
    }
    r.text(fillText(texts::kGeneralSolution, {terms, parameters})).newline();
}

} // namespace quorvex
