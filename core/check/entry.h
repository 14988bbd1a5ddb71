#pragma once

#include <gmpxx.h>

#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace quorvex::check {

/// How a number was written, which decides how closely it must agree.
enum class Written {
    Exact,   ///< an integer, a fraction, an exact expression: must be exact
    Decimal, ///< a plain decimal: right less than one unit of its last digit off
    Inexact, ///< needs sqr, pi or a function: right to double precision
};

/// One number of the edit area, as typed and as read.
struct Entry {
    std::string text;
    mpq_class value;
    mpq_class tolerance; ///< 0 for Written::Exact
    Written written = Written::Exact;
    int decimals = 0; ///< the decimal places typed (Written::Decimal)
};

using EntryRow = std::vector<Entry>;
using EntryMatrix = std::vector<EntryRow>;

/// Reads one element text (as the matrix reader splits it). Gives nothing
/// when its value is not a finite number (1/0).
std::optional<Entry> readEntry(std::string_view text);

/// Whether written is within the entry's tolerance of value (strictly, for
/// a decimal).
bool agrees(const Entry& written, const mpq_class& value);

} // namespace quorvex::check
