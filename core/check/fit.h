#pragma once

#include <gmpxx.h>

#include <optional>
#include <span>

namespace quorvex::check {

/// A closed interval of rationals; a missing end is unbounded.
struct Interval {
    std::optional<mpq_class> lo;
    std::optional<mpq_class> hi;
    bool empty = false;

    bool contains(const mpq_class& x) const {
        return !empty && (!lo || *lo <= x) && (!hi || x <= *hi);
    }
};

/// lo <= k + w·x <= hi, one condition on the unknown x.
struct Condition1 {
    mpq_class k, w, lo, hi;
};

/// Every x that meets all the conditions.
Interval feasible(std::span<const Condition1> conditions);

/// The simplest rational in a non-empty interval: the one with the smallest
/// denominator, then the smallest magnitude. Multipliers a student used,
/// such as 1/2 or -3, come back as themselves even when rounding widened
/// the interval around them.
mpq_class simplestIn(const Interval& interval);

/// The simplest non-zero rational in the interval, or nothing when it holds
/// no number but 0. Of 1/k and -1/k, both in it, the positive one.
std::optional<mpq_class> simplestNonZeroIn(const Interval& interval);

} // namespace quorvex::check
