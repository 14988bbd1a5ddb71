#include "methods/exact_mode.h"

#include "exact/exact_matrix.h"
#include "report/report.h"
#include "texts/exact_texts.h"
#include "texts/sentence.h"

#include <functional>
#include <string>

namespace quorvex {

namespace {

/// The line naming the entries with no exact value.
Report inexactLine(const std::vector<EntryPlace>& places) {
    namespace T = texts::exact;
    const std::function<void(Report&)> entries = [&](Report& r) {
        for (std::size_t i = 0; i < places.size(); ++i) {
            if (i > 0) r.text(T::kEntrySeparator);
            writeSentence(r, T::kInexactEntry, {places[i].row, places[i].col});
        }
    };
    Report r;
    writeSentence(r, T::kInexactEntries, {entries}).newline();
    return r;
}

} // namespace

std::optional<RationalMatrix> exactMatrixFor(CommandInput& in, int cols) {
    if (!in.settings.exact) return std::nullopt;
    ExactMatrixReading reading = GetExactMatrixFromText(in.n, cols, in.host.editText());
    if (!reading.tooLong.empty()) throw ExactLimitExceeded();
    if (reading.inexact.empty()) return std::move(reading.values);
    publish(in.host, inexactLine(reading.inexact));
    return std::nullopt;
}

std::optional<RationalVector> exactVectorFor(CommandInput& in) {
    if (!in.settings.exact) return std::nullopt;
    ExactVectorReading reading = GetExactVectorFromText(in.host.editText());
    if (!reading.tooLong.empty()) throw ExactLimitExceeded();
    if (reading.inexact.empty()) return std::move(reading.values);
    publish(in.host, inexactLine(reading.inexact));
    return std::nullopt;
}

void noteDecimalsOnly(Report& r, const ReportSettings& settings, std::string_view line) {
    if (settings.exact) r.text(line).newline();
}

Outcome exactLimitFailure(CommandInput& in) { return fail(in.host, texts::exact::kTooLong); }

void guardGrowth(const RationalMatrix& M) {
    for (int i = 1; i <= M.rows(); ++i)
        for (int j = 1; j <= M.cols(); ++j)
            if (!withinExactLimit(M(i, j))) throw ExactLimitExceeded();
}

void guardGrowth(const RationalVector& v) {
    for (int i = v.lo(); i <= v.hi(); ++i)
        if (!withinExactLimit(v(i))) throw ExactLimitExceeded();
}

} // namespace quorvex
