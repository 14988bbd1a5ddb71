// A random augmented system as a student would type it, with the exact
// value of every entry known from how it was made, not from any reader.
#pragma once

#include "base/rational.h"

#include <fuzzer/FuzzedDataProvider.h>

#include <cmath>
#include <cstdint>
#include <string>
#include <vector>

namespace quorvex::fuzz {

/// One entry: the text typed (no blank, no comma) and its exact value.
struct Entry {
    std::string text;
    Rational value;
    /// The largest magnitude among the terms the text adds up: the scale of
    /// the rounding the decimal reading of the text may make.
    Rational scale;
};

inline Rational powerOfTen(int e) {
    mpz_class p;
    mpz_ui_pow_ui(p.get_mpz_t(), 10, static_cast<unsigned long>(e < 0 ? -e : e));
    return e < 0 ? Rational(mpz_class(1), p) : Rational(p);
}

inline Rational magnitudeOf(const Rational& q) { return q < 0 ? Rational(-q) : q; }

inline Entry plainEntry(std::string text, Rational value) {
    value.canonicalize();
    Rational scale = magnitudeOf(value);
    return {std::move(text), std::move(value), std::move(scale)};
}

inline Entry integerEntry(long k) { return plainEntry(std::to_string(k), Rational(k)); }

/// k / 10^places written with its decimals ("-12.345", "0.05").
inline Entry decimalEntry(long k, int places) {
    std::string digits = std::to_string(k < 0 ? -k : k);
    if (places > 0) {
        if (digits.size() <= static_cast<std::size_t>(places))
            digits.insert(0, static_cast<std::size_t>(places) + 1 - digits.size(), '0');
        digits.insert(digits.size() - static_cast<std::size_t>(places), ".");
    }
    return plainEntry((k < 0 ? "-" : "") + digits, Rational(k) / powerOfTen(places));
}

inline Entry fractionEntry(long a, long b) {
    return plainEntry(std::to_string(a) + "/" + std::to_string(b), Rational(a, b));
}

/// m·10^e in exponent form ("7e300", "-3e-295").
inline Entry powerEntry(int m, int e) {
    return plainEntry(std::to_string(m) + "e" + std::to_string(e), Rational(m) * powerOfTen(e));
}

/// The smallest m·10^k above `floor`, k six decimal places below its
/// leading digit, plus `margin` units of 10^k, in exponent form: a diagonal
/// that outweighs `floor` exactly and that the decimal reading holds,
/// where the fraction itself might have a numerator beyond the doubles.
inline Entry above(const Rational& floor, int margin) {
    if (sgn(floor) == 0) return integerEntry(margin);
    const long digits = static_cast<long>(mpz_sizeinbase(floor.get_num_mpz_t(), 10)) -
                        static_cast<long>(mpz_sizeinbase(floor.get_den_mpz_t(), 10));
    const int k = static_cast<int>(digits) - 6;
    const Rational scaled = floor / powerOfTen(k);
    mpz_class m;
    mpz_cdiv_q(m.get_mpz_t(), scaled.get_num_mpz_t(), scaled.get_den_mpz_t());
    m += margin;
    return plainEntry(m.get_str() + "e" + std::to_string(k), Rational(m) * powerOfTen(k));
}

/// -x, written as an expression.
inline Entry negatedEntry(const Entry& x) {
    return {"-(" + x.text + ")", Rational(-x.value), x.scale};
}

/// x times 10^e, written as an expression.
inline Entry scaledEntry(const Entry& x, int e) {
    const Rational p = powerOfTen(e);
    return {"(" + x.text + ")*1e" + std::to_string(e), x.value * p, x.scale * p};
}

/// c·x + d·y, written as an expression; the decimal reading rounds the two
/// products, so its error is on the scale of the larger of them.
inline Entry combinationEntry(int c, const Entry& x, int d, const Entry& y) {
    std::string text = std::to_string(c) + "*(" + x.text + ")";
    text += (d < 0 ? "-" : "+") + std::to_string(d < 0 ? -d : d) + "*(" + y.text + ")";
    Rational value = c * x.value + d * y.value;
    const Rational cx = magnitudeOf(Rational(c * x.scale)), dy = magnitudeOf(Rational(d * y.scale));
    return {std::move(text), std::move(value), cx > dy ? cx : dy};
}

/// x + 10^-e: a row made nearly dependent.
inline Entry perturbedEntry(const Entry& x, int e) {
    Rational scale = x.scale > 1 ? x.scale : Rational(1);
    return {"(" + x.text + ")+1e-" + std::to_string(e), x.value + powerOfTen(-e), scale};
}

/// An augmented system of order n, entries (i, j) for i = 1..n, j = 1..n+1.
class TypedSystem {
public:
    explicit TypedSystem(int n)
        : m_n(n), m_entries(static_cast<std::size_t>(n) * static_cast<std::size_t>(n + 1),
                            integerEntry(0)) {}

    int n() const { return m_n; }
    Entry& operator()(int i, int j) { return m_entries[index(i, j)]; }
    const Entry& operator()(int i, int j) const { return m_entries[index(i, j)]; }

    /// The edit area's text: one row a line, entries between single blanks.
    std::string text() const {
        std::string t;
        for (int i = 1; i <= m_n; ++i) {
            for (int j = 1; j <= m_n + 1; ++j) {
                if (j > 1) t += ' ';
                t += (*this)(i, j).text;
            }
            t += '\n';
        }
        return t;
    }

    /// The coefficients (columns 1..n) and the right-hand side exactly.
    RationalMatrix exactMatrix() const {
        RationalMatrix A(m_n, m_n + 1);
        for (int i = 1; i <= m_n; ++i)
            for (int j = 1; j <= m_n + 1; ++j) A(i, j) = (*this)(i, j).value;
        return A;
    }

private:
    std::size_t index(int i, int j) const {
        return static_cast<std::size_t>(i - 1) * static_cast<std::size_t>(m_n + 1) +
               static_cast<std::size_t>(j - 1);
    }
    int m_n;
    std::vector<Entry> m_entries;
};

/// One entry of an ordinary exercise, now and then one of magnitude near
/// 10^±limit.
inline Entry randomEntry(FuzzedDataProvider& fdp, int limit) {
    switch (fdp.ConsumeIntegralInRange<int>(0, 15)) {
    case 0:
    case 1:
    case 2: return integerEntry(fdp.ConsumeIntegralInRange<int>(-9, 9));
    case 3:
    case 4: return integerEntry(fdp.ConsumeIntegralInRange<int>(-99, 99));
    case 5:
    case 6:
    case 7:
        return decimalEntry(fdp.ConsumeIntegralInRange<int>(-99999, 99999),
                            fdp.ConsumeIntegralInRange<int>(1, 3));
    case 8:
    case 9:
        return fractionEntry(fdp.ConsumeIntegralInRange<int>(-50, 50),
                             fdp.ConsumeIntegralInRange<int>(2, 12));
    case 10: {
        const int m = fdp.ConsumeIntegralInRange<int>(-9, 9);
        const int e = fdp.ConsumeIntegralInRange<int>(limit - 10, limit);
        return powerEntry(m == 0 ? 1 : m, fdp.ConsumeBool() ? e : -e);
    }
    case 11: return integerEntry(0);
    default: return integerEntry(fdp.ConsumeIntegralInRange<int>(-5, 5));
    }
}

/// The shapes of system the checks need besides plain random ones.
enum class Shape {
    Random,
    Dominant,       ///< strictly diagonally dominant rows
    Symmetric,      ///< symmetric, and positive definite when also dominant
    NearlySingular, ///< the last row a combination of two others, nudged
    Singular,       ///< the last row a combination of two others
    BadlyScaled,    ///< one row scaled by a power of ten up to 10^±300
    Hilbert,        ///< 1/(i+j-1)
    UpperHeavy,     ///< unit diagonal, large entries above, one small below
    Tridiagonal,
    kCount
};

/// Makes the diagonal of every row exceed the sum of the others'
/// magnitudes, with either sign or positive only.
inline void makeDominant(TypedSystem& s, FuzzedDataProvider& fdp, bool positive) {
    const int n = s.n();
    for (int i = 1; i <= n; ++i) {
        Rational others = 0;
        for (int j = 1; j <= n; ++j)
            if (j != i) others += magnitudeOf(s(i, j).value);
        const Entry d = above(others, fdp.ConsumeIntegralInRange<int>(1, 4));
        s(i, i) = positive || fdp.ConsumeBool() ? d : negatedEntry(d);
    }
}

/// A system of order n and the given shape whose entries stay within
/// about 10^±limit (at most 300: twelve entries of a row still sum within
/// the doubles).
inline TypedSystem randomSystem(FuzzedDataProvider& fdp, int n, Shape shape, int limit) {
    TypedSystem s(n);
    // One system in four of integers only, which the doubles hold exactly:
    // the decimal reports then work on the very system the exact ones do.
    const bool integers = fdp.ConsumeIntegralInRange<int>(0, 3) == 0;
    for (int i = 1; i <= n; ++i)
        for (int j = 1; j <= n + 1; ++j)
            s(i, j) = integers ? integerEntry(fdp.ConsumeIntegralInRange<int>(-20, 20))
                               : randomEntry(fdp, limit);
    switch (shape) {
    case Shape::Random:
    case Shape::kCount: break;
    case Shape::Dominant: makeDominant(s, fdp, false); break;
    case Shape::Symmetric:
        for (int i = 1; i <= n; ++i)
            for (int j = 1; j < i; ++j) s(i, j) = s(j, i);
        // Dominant and symmetric with a positive diagonal: definite.
        if (fdp.ConsumeBool()) makeDominant(s, fdp, true);
        break;
    case Shape::NearlySingular:
    case Shape::Singular: {
        if (n < 3) break;
        const int c = fdp.ConsumeIntegralInRange<int>(-4, 4);
        const int d = fdp.ConsumeIntegralInRange<int>(-4, 4);
        for (int j = 1; j <= n + 1; ++j) s(n, j) = combinationEntry(c, s(1, j), d, s(2, j));
        if (shape == Shape::NearlySingular) {
            const int j = fdp.ConsumeIntegralInRange<int>(1, n);
            s(n, j) = perturbedEntry(s(n, j), fdp.ConsumeIntegralInRange<int>(4, 12));
        } else if (fdp.ConsumeBool()) {
            // The same left-hand side with another right-hand side: no solution.
            s(n, n + 1) = perturbedEntry(s(n, n + 1), 1);
        }
        break;
    }
    case Shape::BadlyScaled: {
        const int i = fdp.ConsumeIntegralInRange<int>(1, n);
        const int e = fdp.ConsumeIntegralInRange<int>(-limit, limit);
        for (int j = 1; j <= n + 1; ++j)
            if (s(i, j).scale < 100000) s(i, j) = scaledEntry(s(i, j), e);
        break;
    }
    case Shape::Hilbert:
        for (int i = 1; i <= n; ++i)
            for (int j = 1; j <= n; ++j) s(i, j) = fractionEntry(1, i + j - 1);
        break;
    case Shape::UpperHeavy:
        for (int i = 1; i <= n; ++i)
            for (int j = 1; j <= n; ++j) {
                if (j == i) s(i, j) = integerEntry(1);
                else if (j < i) s(i, j) = integerEntry(0);
                else
                    s(i, j) = powerEntry(fdp.ConsumeIntegralInRange<int>(-9, 9),
                                         fdp.ConsumeIntegralInRange<int>(0, 8));
            }
        if (n >= 2)
            s(fdp.ConsumeIntegralInRange<int>(2, n), 1) =
                powerEntry(1, -fdp.ConsumeIntegralInRange<int>(1, 8));
        break;
    case Shape::Tridiagonal:
        for (int i = 1; i <= n; ++i)
            for (int j = 1; j <= n; ++j)
                if (j < i - 1 || j > i + 1) s(i, j) = integerEntry(0);
        if (fdp.ConsumeBool()) makeDominant(s, fdp, false);
        break;
    }
    return s;
}

} // namespace quorvex::fuzz
