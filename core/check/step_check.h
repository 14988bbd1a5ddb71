#pragma once

#include "check/entry.h"
#include "frame/frame.h"

#include <gmpxx.h>

#include <optional>
#include <string>
#include <vector>

namespace quorvex::check {

using Row = std::vector<mpq_class>;

/// coefficient × the previous block's row `row` (0-based).
struct Term {
    int row;
    mpq_class coefficient;
    /// The entry's text when the coefficient is one over that entry: the
    /// row was divided by it.
    std::string divisor;
};

/// A row of the new block as a sum of the previous block's rows; empty for
/// a row of zeros.
using Combination = std::vector<Term>;

/// Why an entry differs from the operation that explains its row.
enum class Cause {
    Arithmetic,        ///< a slip in working the entry out
    BeyondRounding,    ///< a decimal a unit or so off: more than rounding allows
    RoundedMultiplier, ///< the multiplier was rounded before it was used
    Sign,              ///< the right value with the wrong sign
    NotCarried,        ///< the entry kept its old value: the operation missed it
    Miscopied,         ///< a row copied or kept, one entry written differently
};

/// An entry that differs from the operation, with what it should be.
struct WrongEntry {
    int column; ///< 0-based
    mpq_class expected;
    Cause cause = Cause::Arithmetic;
};

/// How one row of the new block came about.
struct RowFinding {
    enum class Kind {
        Explained,    ///< every entry agrees with the combination
        Combined,     ///< every entry agrees with a combination of several operations
        WrongEntries, ///< the entries listed differ from the combination
        Unexplained,  ///< no operation a student writes fits
    } kind = Kind::Unexplained;
    Combination combination;
    std::vector<WrongEntry> wrong;
    /// The rounded multiplier used in place of `exactMultiplier`, when that
    /// is what made the wrong entries.
    std::optional<mpq_class> roundedMultiplier;
    mpq_class exactMultiplier;
};

/// What a step did: each row's finding and the rank before and after. The
/// rank after is that of the rows as the combinations give them, known
/// only when every row was derived.
struct StepFinding {
    std::vector<RowFinding> rows;
    int rankBefore = 0;
    std::optional<int> rankAfter;
    std::vector<int> lostRows; ///< rows (0-based) that took a lost row's place

    bool right() const;
    /// Whether a row took several operations at once.
    bool combinesOperations() const;
};

/// Explains each row of `after` from the rows of `before`, as written:
/// unchanged, a copy of another row, a multiple of one row, a row plus a
/// multiple of another, a combination of two rows, each multiplier one a
/// student writes (see RowFitter), every entry agreeing within its
/// tolerance. A row that cannot be explained is tried with the multiplier
/// rounded as a student rounds it, then once more with each entry left out
/// in turn, to find a single wrong entry and its right value. A row no
/// such operation explains may still be a combination of several rows made
/// at once (see RowSpace), right, or right but for one entry. Looks at
/// `stop` between the fits, so that a large step stops promptly.
StepFinding checkStep(const EntryMatrix& before, const EntryMatrix& after, const StopRequest& stop);

/// The values of the rows of `m`.
std::vector<Row> valuesOf(const EntryMatrix& m);

/// The rank of the rows, in exact arithmetic.
int rankOf(std::vector<Row> rows);

/// The solution of the system with this augmented matrix (n rows of n+1),
/// in exact arithmetic, when it has exactly one.
std::optional<Row> uniqueSolution(std::vector<Row> augmented);

} // namespace quorvex::check
