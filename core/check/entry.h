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
    /// False for a number neither a double nor exact arithmetic can hold:
    /// its exact value is past kMaxExactDigits or needs a function, and its
    /// decimal reading overflowed on the way (2^40000 reads as 0, 1 - 2^40000
    /// as 1), or underflowed to 0 or no finite number (2^-40000 reads as
    /// 0). Its value is then no value to judge by.
    bool held = true;
    double decimalReading = 0.0; ///< what the decimal reading gave, when not held
};

using EntryRow = std::vector<Entry>;
using EntryMatrix = std::vector<EntryRow>;

/// Reads one element text (as the matrix reader splits it). Gives nothing
/// when its value is not a finite number (1/0); an entry not held when no
/// double and no exact value within the limit hold it.
std::optional<Entry> readEntry(std::string_view text);

/// Whether written is within the entry's tolerance of value (strictly, for
/// a decimal).
bool agrees(const Entry& written, const mpq_class& value);

} // namespace quorvex::check
