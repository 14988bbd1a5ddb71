#pragma once

#include "base/rational.h"
#include "frame/frame.h"
#include "numerics/arithmetic.h"
#include "report/report.h"

#include <optional>
#include <string_view>

namespace quorvex {

/// The edit area read exactly, cols entries to a row of in.n rows, when the
/// settings ask for exact numbers and every entry has an exact value.
/// Otherwise nothing; when exact numbers were asked for, the result area
/// then already holds the line naming the entries with no exact value, and
/// the command goes on in decimals. An entry past kMaxExactDigits throws
/// ExactLimitExceeded: such a number has an exact value, it is only too long.
std::optional<RationalMatrix> exactMatrixFor(CommandInput& in, int cols);

/// The vector of the edit area read exactly, when the settings ask for
/// exact numbers and every element has an exact value; otherwise as
/// exactMatrixFor, nothing.
std::optional<RationalVector> exactVectorFor(CommandInput& in);

/// In exact mode, opens the report with the line saying why this command
/// runs in decimals; otherwise nothing.
void noteDecimalsOnly(Report& r, const ReportSettings& settings, std::string_view line);

/// Shows the message of growth past kMaxExactDigits; Outcome::Failed.
Outcome exactLimitFailure(CommandInput& in);

/// Runs an exact body; a division by an exact zero shows zeroPivotMessage,
/// growth past kMaxExactDigits its own message, and both end the command.
template <class Body>
Outcome runExact(CommandInput& in, std::string_view zeroPivotMessage, Body&& body) {
    try {
        return body();
    } catch (const ExactDivisionByZero&) {
        return fail(in.host, zeroPivotMessage);
    } catch (const ExactLimitExceeded&) {
        return exactLimitFailure(in);
    }
}

/// Runs body on the edit area read exactly (cols entries to a row) when the
/// settings ask for exact numbers and every entry has an exact value, with
/// zeroPivotMessage for an exact zero divisor; otherwise on the decimal
/// matrix the frame read.
template <class Body>
Outcome exactOrDecimal(CommandInput& in, int cols, std::string_view zeroPivotMessage, Body&& body) {
    if (auto exact = exactMatrixFor(in, cols))
        return runExact(in, zeroPivotMessage, [&] { return body(*exact); });
    return body(in.matrix);
}

} // namespace quorvex
