#include "check/fit.h"

#include <vector>

namespace quorvex::check {

namespace {

void raiseLow(Interval& r, const mpq_class& x) {
    if (!r.lo || *r.lo < x) r.lo = x;
}

void lowerHigh(Interval& r, const mpq_class& x) {
    if (!r.hi || x < *r.hi) r.hi = x;
}

/// Narrows r to {x : w·x <= c}.
void applyHalfLine(Interval& r, const mpq_class& w, const mpq_class& c) {
    if (sgn(w) == 0) {
        if (sgn(c) < 0) r.empty = true;
        return;
    }
    const mpq_class bound = c / w;
    if (sgn(w) > 0) lowerHigh(r, bound);
    else raiseLow(r, bound);
}

void settle(Interval& r) {
    if (r.lo && r.hi && *r.hi < *r.lo) r.empty = true;
}

mpq_class floorOf(const mpq_class& x) {
    mpz_class f;
    mpz_fdiv_q(f.get_mpz_t(), x.get_num_mpz_t(), x.get_den_mpz_t());
    return mpq_class(f);
}

mpq_class ceilOf(const mpq_class& x) {
    mpz_class c;
    mpz_cdiv_q(c.get_mpz_t(), x.get_num_mpz_t(), x.get_den_mpz_t());
    return mpq_class(c);
}

/// Simplest rational in [lo, hi] with 0 < lo <= hi, by continued fractions:
/// finite, since a rational's expansion is.
mpq_class simplestPositive(mpq_class lo, mpq_class hi) {
    const mpq_class c = ceilOf(lo);
    if (c <= hi) return c;
    const mpq_class k = floorOf(lo);
    // lo and hi lie strictly between k and k+1 here.
    return k + 1 / simplestPositive(1 / (hi - k), 1 / (lo - k));
}

} // namespace

Interval feasible(std::span<const Condition1> conditions) {
    Interval r;
    for (const Condition1& c : conditions) {
        applyHalfLine(r, c.w, c.hi - c.k);
        applyHalfLine(r, -c.w, c.k - c.lo);
        if (r.empty) return r;
    }
    settle(r);
    return r;
}

mpq_class simplestIn(const Interval& r) {
    if (r.contains(0)) return 0;
    if (r.lo && sgn(*r.lo) > 0) return r.hi ? simplestPositive(*r.lo, *r.hi) : ceilOf(*r.lo);
    // Wholly negative: the mirror image of the positive case.
    const mpq_class hi = -*r.hi;
    return r.lo ? -simplestPositive(hi, -*r.lo) : -ceilOf(hi);
}

std::optional<mpq_class> simplestNonZeroIn(const Interval& r) {
    if (r.empty) return std::nullopt;
    if (!r.contains(0)) return simplestIn(r);
    // Around 0 the simplest numbers on a side reaching out to m are 1 when
    // m >= 1, else 1/k for the smallest k with 1/k <= m.
    const auto nearest = [](const std::optional<mpq_class>& end) -> std::optional<mpq_class> {
        if (!end) return mpq_class(1);
        if (sgn(*end) == 0) return std::nullopt;
        const mpq_class m = abs(*end);
        return m >= 1 ? mpq_class(1) : mpq_class(1) / ceilOf(1 / m);
    };
    const auto up = nearest(r.hi);
    const auto down = nearest(r.lo);
    // A tie between 1/k and -1/k goes to 1/k: the entries leave the sign
    // open, and a student picks a positive multiplier unless an entry calls
    // for a negative one.
    if (up && (!down || up->get_den() <= down->get_den())) return *up;
    if (down) return mpq_class(-*down);
    return std::nullopt;
}

} // namespace quorvex::check
