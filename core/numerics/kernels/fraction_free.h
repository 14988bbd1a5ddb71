#pragma once

// The integers of the exact kernels: rows cleared of their denominators and
// eliminated by Bareiss's method. Used by exact_elimination.cpp and
// exact_residues.cpp only.

#include "base/rational.h"
#include "numerics/arithmetic.h"
#include "numerics/kernels/parallel_rows.h"

#include <gmpxx.h>

#include <algorithm>
#include <cstddef>
#include <utility>
#include <vector>

namespace quorvex::kernels {

/// The least common multiple of the denominators of row i's first cols
/// entries.
inline mpz_class rowScale(const RationalMatrix& A, int i, int cols) {
    mpz_class l = 1;
    for (int j = 1; j <= cols; ++j) {
        const mpz_class& den = A(i, j).get_den();
        if (den != 1) mpz_lcm(l.get_mpz_t(), l.get_mpz_t(), den.get_mpz_t());
    }
    return l;
}

/// A(i, j) times its row's scale: an integer.
inline void scaledEntry(mpz_class& to, const Rational& q, const mpz_class& scale) {
    mpz_divexact(to.get_mpz_t(), scale.get_mpz_t(), q.get_den_mpz_t());
    to *= q.get_num();
}

/// Brings count fractions that share one denominator to lowest terms: each
/// entry(j), j = 0..count-1, holds its numerator on entry and leaves with
/// num/den reduced. Whatever factor one numerator has in common with den
/// also divides g = gcd(den, product of the numerators modulo den), so one
/// greatest common divisor of full size per row does, and each entry then
/// needs one with g only, which is mostly small: for numbers of hundreds of
/// digits that is several times faster than reducing each entry alone.
template <class Entry> void reduceOverDenominator(int count, const mpz_class& den, Entry&& entry) {
    mpz_class d = abs(den);
    const bool negative = sgn(den) < 0;
    mpz_class g = 1;
    if (d != 1) {
        mpz_class product = 1;
        mpz_class t;
        for (int j = 0; j < count; ++j) {
            mpz_srcptr num = entry(j).get_num_mpz_t();
            if (mpz_sgn(num) == 0) continue;
            mpz_mul(t.get_mpz_t(), product.get_mpz_t(), num);
            mpz_tdiv_r(product.get_mpz_t(), t.get_mpz_t(), d.get_mpz_t());
        }
        mpz_gcd(g.get_mpz_t(), product.get_mpz_t(), d.get_mpz_t());
    }
    mpz_class h;
    for (int j = 0; j < count; ++j) {
        Rational& q = entry(j);
        mpz_ptr num = q.get_num_mpz_t();
        if (mpz_sgn(num) == 0) {
            q.get_den() = 1;
            continue;
        }
        if (negative) mpz_neg(num, num);
        if (g == 1) {
            q.get_den() = d;
            continue;
        }
        mpz_gcd(h.get_mpz_t(), num, g.get_mpz_t());
        if (h == 1) {
            q.get_den() = d;
        } else {
            mpz_divexact(num, num, h.get_mpz_t());
            mpz_divexact(q.get_den_mpz_t(), d.get_mpz_t(), h.get_mpz_t());
        }
    }
}

/// The integer matrix of Bareiss's elimination: row i holds d(i) times the
/// row of A, then, once stages have passed over it, the minors of that
/// scaled matrix the elimination leaves there. Indices 1-based as in A.
class FractionFree {
public:
    FractionFree(const RationalMatrix& A, int rows, int cols)
        : m_rows(rows), m_cols(cols),
          m_b(static_cast<std::size_t>(rows) * static_cast<std::size_t>(cols)),
          m_d(static_cast<std::size_t>(rows) + 1), m_rowDen(static_cast<std::size_t>(rows) + 1),
          m_origin(static_cast<std::size_t>(rows) + 1) {
        for (int i = 1; i <= rows; ++i) {
            m_origin[static_cast<std::size_t>(i)] = i;
            d(i) = rowScale(A, i, cols);
            for (int j = 1; j <= cols; ++j) scaledEntry(at(i, j), A(i, j), d(i));
        }
    }

    mpz_class& at(int i, int j) { return m_b[index(i, j)]; }
    const mpz_class& at(int i, int j) const { return m_b[index(i, j)]; }
    mpz_class& d(int i) { return m_d[static_cast<std::size_t>(i)]; }
    const mpz_class& d(int i) const { return m_d[static_cast<std::size_t>(i)]; }
    /// The row of A that row i now holds.
    int origin(int i) const { return m_origin[static_cast<std::size_t>(i)]; }
    /// The last pivot (1 before the first stage).
    const mpz_class& previous() const { return m_previous; }
    void setPrevious(const mpz_class& p) { m_previous = p; }

    /// Whether |at(i, ci)| / d(i) > |at(r, cr)| / d(r), the magnitudes the
    /// rational loops compare (the common factor of both rows cancels).
    bool larger(int i, int ci, int r, int cr) {
        if (d(i) == d(r)) return mpz_cmpabs(at(i, ci).get_mpz_t(), at(r, cr).get_mpz_t()) > 0;
        mpz_mul(m_left.get_mpz_t(), at(i, ci).get_mpz_t(), d(r).get_mpz_t());
        mpz_mul(m_right.get_mpz_t(), at(r, cr).get_mpz_t(), d(i).get_mpz_t());
        return mpz_cmpabs(m_left.get_mpz_t(), m_right.get_mpz_t()) > 0;
    }

    /// Row of the first largest magnitude in column k among rows k..n.
    int columnPivotRow(int k, int n) {
        int p = k;
        for (int i = k + 1; i <= n; ++i)
            if (larger(i, k, p, k)) p = i;
        return p;
    }

    /// Exchanges rows r1 and r2 (columns first..m_cols and their scales).
    void swapRows(int r1, int r2, int first) {
        if (r1 == r2) return;
        for (int j = first; j <= m_cols; ++j)
            mpz_swap(at(r1, j).get_mpz_t(), at(r2, j).get_mpz_t());
        mpz_swap(d(r1).get_mpz_t(), d(r2).get_mpz_t());
        std::swap(m_origin[static_cast<std::size_t>(r1)], m_origin[static_cast<std::size_t>(r2)]);
    }

    void swapColumns(int c1, int c2) {
        if (c1 == c2) return;
        for (int i = 1; i <= m_rows; ++i) mpz_swap(at(i, c1).get_mpz_t(), at(i, c2).get_mpz_t());
    }

    /// Row k is final: its values are at(k, j) / rowDenominator(k).
    void settle(int k) { m_rowDen[static_cast<std::size_t>(k)] = d(k) * m_previous; }
    const mpz_class& rowDenominator(int k) const { return m_rowDen[static_cast<std::size_t>(k)]; }

    /// Stage k with its pivot at (k, k): every row below becomes
    /// (pivot * row - entry * pivot row) / previous pivot over columns
    /// k+1..m_cols, each division exact (Sylvester's identity).
    void eliminateBelow(int k, int n) {
        mpz_srcptr pivot = at(k, k).get_mpz_t();
        const bool divide = m_previous != 1;
        for (int i = k + 1; i <= n; ++i) {
            mpz_srcptr factor = at(i, k).get_mpz_t();
            const bool zero = mpz_sgn(factor) == 0;
            for (int j = k + 1; j <= m_cols; ++j) {
                mpz_ptr e = at(i, j).get_mpz_t();
                mpz_mul(m_left.get_mpz_t(), pivot, e);
                if (!zero) mpz_submul(m_left.get_mpz_t(), factor, at(k, j).get_mpz_t());
                if (divide) mpz_divexact(e, m_left.get_mpz_t(), m_previous.get_mpz_t());
                else mpz_swap(e, m_left.get_mpz_t());
            }
        }
        m_previous = at(k, k);
    }

    /// Writes the eliminated matrix into A: zeros below the diagonal, each
    /// settled row's values reduced once. The integers move into A, so the
    /// large numbers are never held twice.
    void moveTo(RationalMatrix& A) {
        // The reductions, a greatest common divisor of full size per row and
        // small ones per entry, are most of the work; rows are reduced
        // apart, so threads share them out.
        const double gcdWork = 2.0 * static_cast<double>(mpz_sizeinbase(m_previous.get_mpz_t(), 2));
        parallelRows(
            1, m_rows + 1, defaultKernelThreads(), gcdWork * m_cols, [&](int first, int last) {
                for (int i = first; i < last; ++i) {
                    for (int j = 1; j < std::min(i, m_cols + 1); ++j) A(i, j) = 0;
                    if (i > m_cols) continue;
                    for (int j = i; j <= m_cols; ++j)
                        mpz_swap(A(i, j).get_num_mpz_t(), at(i, j).get_mpz_t());
                    reduceOverDenominator(m_cols - i + 1, m_rowDen[static_cast<std::size_t>(i)],
                                          [&](int j) -> Rational& { return A(i, i + j); });
                }
            });
    }

    /// The unknowns of the settled upper triangular system in columns 1..n
    /// and n+1, fraction-free: with p the last pivot, y(k) = p x(k) is an
    /// integer (Cramer), and row k, scaled as it is, gives
    /// at(k,k) y(k) = p at(k,n+1) - sum of at(k,j) y(j) over j > k, exactly
    /// divisible. Each unknown is reduced once.
    RationalVector backSubstitute(int n) const {
        const mpz_class& p = at(n, n);
        if (sgn(p) == 0) throw ExactDivisionByZero();
        std::vector<mpz_class> y(static_cast<std::size_t>(n) + 1);
        mpz_class s;
        for (int k = n; k >= 1; --k) {
            mpz_mul(s.get_mpz_t(), p.get_mpz_t(), at(k, n + 1).get_mpz_t());
            for (int j = k + 1; j <= n; ++j)
                mpz_submul(s.get_mpz_t(), at(k, j).get_mpz_t(),
                           y[static_cast<std::size_t>(j)].get_mpz_t());
            mpz_divexact(y[static_cast<std::size_t>(k)].get_mpz_t(), s.get_mpz_t(),
                         at(k, k).get_mpz_t());
        }
        return unknownsOver(y, n);
    }

    /// The unknowns x(k) = y(k) / p, p the last pivot, of the integers y
    /// from index 1 (taken), each reduced once.
    RationalVector unknownsOver(std::vector<mpz_class>& y, int n) const {
        const mpz_class& p = at(n, n);
        if (sgn(p) == 0) throw ExactDivisionByZero();
        RationalVector x(n);
        for (int k = 1; k <= n; ++k)
            mpz_swap(x(k).get_num_mpz_t(), y[static_cast<std::size_t>(k)].get_mpz_t());
        reduceOverDenominator(n, p, [&](int k) -> Rational& { return x(k + 1); });
        return x;
    }

private:
    std::size_t index(int i, int j) const {
        return static_cast<std::size_t>(i - 1) * static_cast<std::size_t>(m_cols) +
               static_cast<std::size_t>(j - 1);
    }

    int m_rows;
    int m_cols;
    std::vector<mpz_class> m_b;
    std::vector<mpz_class> m_d;
    std::vector<mpz_class> m_rowDen;
    std::vector<int> m_origin;
    mpz_class m_previous = 1;
    mpz_class m_left;
    mpz_class m_right;
};

} // namespace quorvex::kernels
