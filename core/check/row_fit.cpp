#include "check/row_fit.h"

#include <algorithm>
#include <utility>

namespace quorvex::check {

namespace {

/// Multipliers a student picks without taking them from the entries: a
/// whole number or one over it, up to 10 (2, -3, 1/4), not 20/9 or 4/3.
const mpz_class kLargestPlainDenominator = 10;
const mpz_class kLargestPlainNumerator = 10;

bool plainFraction(const mpq_class& x) {
    return (x.get_den() == 1 && abs(x.get_num()) <= kLargestPlainNumerator) ||
           (abs(x.get_num()) == 1 && x.get_den() <= kLargestPlainDenominator);
}

mpz_class tenTo(int d) {
    mpz_class p;
    mpz_ui_pow_ui(p.get_mpz_t(), 10, static_cast<unsigned long>(d));
    return p;
}

mpq_class ceilTo(const mpq_class& q, const mpz_class& scale) {
    const mpq_class s = q * scale;
    mpz_class c;
    mpz_cdiv_q(c.get_mpz_t(), s.get_num_mpz_t(), s.get_den_mpz_t());
    // In lowest terms: 10/10 is the 1 a multiplier must not be, and is
    // written 1.
    mpq_class x(c, scale);
    x.canonicalize();
    return x;
}

/// A decimal multiplier of a student has a digit or two and is not tiny
/// (0.5, 0.25, 1.5): one such as 1.0002 or 0.001 only makes a slip look
/// like an operation.
constexpr int kMostMultiplierDigits = 2;
const mpq_class kSmallestDecimalMultiplier(1, 10);

bool fewDigits(const mpq_class& x) {
    mpz_class n = abs(x.get_num());
    while (n != 0 && mpz_divisible_ui_p(n.get_mpz_t(), 10)) n /= 10;
    return n.get_str().size() <= static_cast<std::size_t>(kMostMultiplierDigits);
}

/// The decimals of at most `places` places and few digits in the bounded
/// interval, fewest places first, each the one nearest zero. Where that is
/// 0 at an end of the interval (-0.1 in [-0.2, 0], whose 0 a decimal's
/// strict agreement leaves out), one unit into it; a 0 inside it leaves the
/// multiplier free to be 0, and no number then explains the row.
std::vector<mpq_class> shortDecimalsIn(const Interval& r, int places, bool notZero) {
    std::vector<mpq_class> found;
    if (r.empty || !r.lo || !r.hi) return found;
    for (int d = 1; d <= places; ++d) {
        const mpz_class scale = tenTo(d);
        mpq_class x = sgn(*r.lo) >= 0 ? ceilTo(*r.lo, scale) : -ceilTo(-*r.hi, scale);
        if (sgn(*r.lo) < 0 && sgn(*r.hi) > 0) x = 0;
        if (notZero && sgn(x) == 0) {
            if (sgn(*r.lo) == 0) x = mpq_class(1, scale);
            else if (sgn(*r.hi) == 0) x = mpq_class(-1, scale);
            else continue;
        }
        if (r.contains(x) && fewDigits(x * scale) && abs(x) >= kSmallestDecimalMultiplier)
            found.push_back(x);
    }
    return found;
}

} // namespace

mpq_class roundedTo(const mpq_class& q, int d) {
    const mpz_class scale = tenTo(d);
    const mpq_class s = abs(q) * scale + mpq_class(1, 2);
    mpz_class r;
    mpz_fdiv_q(r.get_mpz_t(), s.get_num_mpz_t(), s.get_den_mpz_t());
    mpq_class out(r, scale);
    out.canonicalize(); // compared with exact values, which are in lowest terms
    return sgn(q) < 0 ? mpq_class(-out) : out;
}

bool isPlain(const mpq_class& q, int places) {
    if (q.get_den() <= kLargestPlainDenominator) return true;
    return places > 0 && roundedTo(q, places) == q;
}

RowFitter::RowFitter(const EntryMatrix& previous, const std::vector<Row>& values,
                     const EntryRow& written, int skip)
    : m_entries(previous), m_previous(values), m_written(written), m_skip(skip) {
    for (std::size_t j = 0; j < written.size(); ++j)
        if (active(j) && written[j].written == Written::Decimal)
            m_places = std::max(m_places, written[j].decimals);
}

bool RowFitter::fits(const Combination& c) const {
    // Column by column, so that most tries end at the first column: with
    // long exact numbers each product is dear.
    mpq_class v;
    for (std::size_t j = 0; j < m_written.size(); ++j) {
        if (!active(j)) continue;
        v = 0;
        for (const Term& t : c) v += t.coefficient * m_previous[static_cast<std::size_t>(t.row)][j];
        if (!agrees(m_written[j], v)) return false;
    }
    return true;
}

Interval RowFitter::range(const Row& base, const Row& direction) const {
    std::vector<Condition1> conditions;
    conditions.reserve(direction.size());
    for (std::size_t j = 0; j < direction.size(); ++j) {
        if (!active(j)) continue;
        const Entry& s = m_written[j];
        conditions.push_back({base[j], direction[j], s.value - s.tolerance, s.value + s.tolerance});
    }
    return feasible(conditions);
}

std::optional<mpq_class> RowFitter::studentNumber(const Interval& r,
                                                  const std::vector<mpq_class>& preferred,
                                                  bool notZero, bool notOne,
                                                  const Accept& accept) const {
    if (r.empty) return std::nullopt;
    const auto allowed = [&](const mpq_class& x) {
        return !(notZero && sgn(x) == 0) && !(notOne && x == 1) && r.contains(x) && accept(x);
    };
    for (const mpq_class& x : preferred)
        if (allowed(x)) return x;
    // The interval is closed, a decimal's agreement strict: a number at an
    // end that a decimal set may miss the row, and a shorter decimal within
    // it is what the student wrote (-0.1 in [-0.2, 0], where -1/5 misses).
    const auto simple = notZero ? simplestNonZeroIn(r) : std::optional(simplestIn(r));
    if (simple && plainFraction(*simple) && allowed(*simple)) return simple;
    for (const mpq_class& x : shortDecimalsIn(r, m_places, notZero))
        if (allowed(x)) return x;
    return std::nullopt;
}

std::vector<mpq_class> RowFitter::clearingRatios(const Row& p, const Row& q) const {
    std::vector<mpq_class> ratios;
    for (std::size_t c = 0; c < q.size(); ++c)
        if (sgn(q[c]) != 0 && sgn(p[c]) != 0) ratios.push_back(-p[c] / q[c]);
    return ratios;
}

std::vector<mpq_class> RowFitter::reciprocals(const Row& r) {
    std::vector<mpq_class> list;
    for (const mpq_class& x : r)
        if (sgn(x) != 0) list.push_back(1 / x);
    return list;
}

std::optional<Combination> RowFitter::scaled(int p, bool fromEntries) const {
    const Row& row = m_previous[static_cast<std::size_t>(p)];
    // One over an entry; or the common denominator, which clears fractions.
    std::vector<mpq_class> preferred = reciprocals(row);
    mpz_class common = 1;
    for (const mpq_class& x : row)
        mpz_lcm(common.get_mpz_t(), common.get_mpz_t(), x.get_den_mpz_t());
    if (common != 1) preferred.insert(preferred.end(), {mpq_class(common), mpq_class(-common)});
    const EntryRow& typed = m_entries[static_cast<std::size_t>(p)];
    const auto make = [&](const mpq_class& a) {
        Combination c{{p, a, {}}};
        // One over an entry reads as a division by that entry, as it was typed.
        for (std::size_t j = 0; j < row.size(); ++j)
            if (sgn(row[j]) != 0 && a * row[j] == 1) {
                c[0].divisor = typed[j].text;
                break;
            }
        return c;
    };
    const auto accept = [&](const mpq_class& a) { return fits(make(a)); };
    const Interval r = range(Row(row.size()), row);
    std::optional<mpq_class> a;
    if (!fromEntries) a = studentNumber(r, preferred, true, true, accept);
    for (std::size_t k = 0; fromEntries && !a && k < preferred.size(); ++k)
        if (preferred[k] != 1 && r.contains(preferred[k]) && accept(preferred[k])) a = preferred[k];
    if (!a) return std::nullopt;
    return make(*a);
}

std::optional<Combination> RowFitter::plusMultiple(int p, int q, bool clearing) const {
    const Row& rp = m_previous[static_cast<std::size_t>(p)];
    const Row& rq = m_previous[static_cast<std::size_t>(q)];
    const std::vector<mpq_class> ratios = clearingRatios(rp, rq);
    const auto make = [&](const mpq_class& b) { return Combination{{p, 1, {}}, {q, b, {}}}; };
    const auto accept = [&](const mpq_class& b) { return fits(make(b)); };
    const Interval r = range(rp, rq);
    std::optional<mpq_class> b;
    if (!clearing) b = studentNumber(r, ratios, true, false, accept);
    for (std::size_t k = 0; clearing && !b && k < ratios.size(); ++k)
        if (r.contains(ratios[k]) && accept(ratios[k])) b = ratios[k];
    if (!b) return std::nullopt;
    return make(*b);
}

std::optional<Combination> RowFitter::crosswise(int p, int q) const {
    const Row& rp = m_previous[static_cast<std::size_t>(p)];
    const Row& rq = m_previous[static_cast<std::size_t>(q)];
    for (std::size_t c = 0; c < rq.size(); ++c) {
        if (sgn(rq[c]) == 0 || sgn(rp[c]) == 0) continue;
        const mpq_class a = rq[c], b = -rp[c];
        mpz_class g = 1;
        if (a.get_den() == 1 && b.get_den() == 1)
            mpz_gcd(g.get_mpz_t(), a.get_num_mpz_t(), b.get_num_mpz_t());
        const mpq_class reduced(1, g);
        for (const mpq_class& s : {mpq_class(1), mpq_class(-1), reduced, mpq_class(-reduced)}) {
            if (a * s == 1) continue;
            Combination c2{{p, a * s, {}}, {q, b * s, {}}};
            if (fits(c2)) return c2;
        }
    }
    return std::nullopt;
}

std::optional<Combination> RowFitter::twoRows(int p, int q) const {
    const Row& rp = m_previous[static_cast<std::size_t>(p)];
    const Row& rq = m_previous[static_cast<std::size_t>(q)];
    const Row zero(rp.size());
    // A column cleared, then the row scaled: crosswise (the other row's
    // entry), by one over a new entry, or by one over an old one.
    for (const mpq_class& ratio : clearingRatios(rp, rq)) {
        Row t = rp;
        for (std::size_t j = 0; j < t.size(); ++j) t[j] += ratio * rq[j];
        std::vector<mpq_class> preferred;
        for (const mpq_class& x : rq)
            if (sgn(x) != 0) preferred.insert(preferred.end(), {x, -x});
        for (const auto& list : {reciprocals(t), reciprocals(rp)})
            preferred.insert(preferred.end(), list.begin(), list.end());
        const Interval r = range(zero, t);
        std::optional<mpq_class> a;
        for (std::size_t k = 0; !a && k < preferred.size(); ++k)
            if (preferred[k] != 1 && r.contains(preferred[k])) a = preferred[k];
        if (!a) continue;
        Combination c{{p, *a, {}}, {q, *a * ratio, {}}};
        if (fits(c)) return c;
    }
    return std::nullopt;
}

Row valuesOf(const std::vector<Row>& previous, const Combination& c) {
    Row v(previous.empty() ? 0 : previous[0].size());
    for (const Term& t : c) {
        const Row& p = previous[static_cast<std::size_t>(t.row)];
        for (std::size_t j = 0; j < v.size(); ++j) v[j] += t.coefficient * p[j];
    }
    return v;
}

} // namespace quorvex::check
