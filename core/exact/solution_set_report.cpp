#include "exact/solution_set.h"
#include "texts/exact_texts.h"
#include "texts/fill.h"

#include <string>

namespace quorvex {

namespace {

std::string components(const RationalVector& v) {
    std::string out;
    for (int i = v.lo(); i <= v.hi(); ++i) {
        if (i > v.lo()) out += texts::exact::kComponentSeparator;
        out += rationalText(v(i));
    }
    return out;
}

} // namespace

void writeSolutionSet(Report& r, const SolutionSet& s, int n, bool exactMode) {
    namespace T = texts::exact;
    const std::string rankA = std::to_string(s.rankA);
    const auto firstLine = [&](const std::string& line) {
        r.text(exactMode ? fillText(T::kExactModeLine, {line}) : line).newline();
    };
    if (!s.solvable()) {
        firstLine(fillText(T::kNoSolution, {rankA, std::to_string(s.rankAugmented)}));
        return;
    }
    firstLine(fillText(T::kInfinitelyMany, {rankA, rankA, std::to_string(n)}));
    std::string unknowns, terms, parameters;
    for (std::size_t k = 0; k < s.freeUnknowns.size(); ++k) {
        const std::string number = std::to_string(k + 1);
        if (k > 0) {
            unknowns += T::kListSeparator;
            terms += T::kTermSeparator;
            parameters += T::kListSeparator;
        }
        unknowns += fillText(T::kFreeUnknown, {std::to_string(s.freeUnknowns[k])});
        terms += fillText(T::kTerm, {number, number});
        parameters += fillText(T::kParameter, {number});
    }
    r.text(fillText(T::kFreeUnknowns, {unknowns})).newline();
    r.text(fillText(T::kParticular, {components(s.particular)})).newline();
    for (std::size_t k = 0; k < s.directions.size(); ++k) {
        const std::string number = std::to_string(k + 1);
        const std::string unknown = fillText(T::kFreeUnknown, {std::to_string(s.freeUnknowns[k])});
        r.text(fillText(T::kDirection, {number, unknown, number, components(s.directions[k])}))
            .newline();
    }
    r.text(fillText(T::kGeneralSolution, {terms, parameters})).newline();
}

} // namespace quorvex
