#include "numerics/kernels/exact_elimination.h"

#include "frame/frame.h"
#include "numerics/arithmetic.h"

#include <flint/fmpq_mat.h>
#include <flint/fmpz.h>
#include <flint/fmpz_mat.h>
#include <flint/nmod_mat.h>
#include <flint/ulong_extras.h>

#include <algorithm>
#include <cmath>
#include <cstddef>
#include <numeric>
#include <optional>
#include <utility>

namespace quorvex::kernels {

namespace {

/// Bits of 10^kMaxExactDigits, rounded down: a number below 2^this is
/// within the limit.
const double kLimitBits = std::floor(static_cast<double>(kMaxExactDigits) * std::log2(10.0));

/// The least common multiple of the denominators of row i's first cols
/// entries.
mpz_class rowScale(const RationalMatrix& A, int i, int cols) {
    mpz_class l = 1;
    for (int j = 1; j <= cols; ++j) {
        const mpz_class& den = A(i, j).get_den();
        if (den != 1) mpz_lcm(l.get_mpz_t(), l.get_mpz_t(), den.get_mpz_t());
    }
    return l;
}

/// A(i, j) times its row's scale: an integer.
void scaledEntry(mpz_class& to, const Rational& q, const mpz_class& scale) {
    mpz_divexact(to.get_mpz_t(), scale.get_mpz_t(), q.get_den_mpz_t());
    to *= q.get_num();
}

/// The integer matrix of Bareiss's elimination: row i holds d(i) times the
/// row of A, then, once stages have passed over it, the minors of that
/// scaled matrix the elimination leaves there. Indices 1-based as in A.
class FractionFree {
public:
    FractionFree(const RationalMatrix& A, int rows, int cols)
        : m_rows(rows), m_cols(cols),
          m_b(static_cast<std::size_t>(rows) * static_cast<std::size_t>(cols)),
          m_d(static_cast<std::size_t>(rows) + 1), m_rowDen(static_cast<std::size_t>(rows) + 1) {
        for (int i = 1; i <= rows; ++i) {
            d(i) = rowScale(A, i, cols);
            for (int j = 1; j <= cols; ++j) scaledEntry(at(i, j), A(i, j), d(i));
        }
    }

    mpz_class& at(int i, int j) { return m_b[index(i, j)]; }
    const mpz_class& at(int i, int j) const { return m_b[index(i, j)]; }
    mpz_class& d(int i) { return m_d[static_cast<std::size_t>(i)]; }
    const mpz_class& d(int i) const { return m_d[static_cast<std::size_t>(i)]; }
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
    }

    void swapColumns(int c1, int c2) {
        if (c1 == c2) return;
        for (int i = 1; i <= m_rows; ++i) mpz_swap(at(i, c1).get_mpz_t(), at(i, c2).get_mpz_t());
    }

    /// Row k is final: its values are at(k, j) / rowDenominator(k).
    void settle(int k) { m_rowDen[static_cast<std::size_t>(k)] = d(k) * m_previous; }

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
        for (int i = 1; i <= m_rows; ++i) {
            const mpz_class& den = m_rowDen[static_cast<std::size_t>(i)];
            for (int j = 1; j <= m_cols; ++j) {
                Rational& q = A(i, j);
                if (j < i) {
                    q = 0;
                    continue;
                }
                mpz_swap(q.get_num_mpz_t(), at(i, j).get_mpz_t());
                q.get_den() = den;
                q.canonicalize();
            }
        }
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
        RationalVector x(n);
        for (int k = 1; k <= n; ++k) {
            x(k).get_num() = y[static_cast<std::size_t>(k)];
            x(k).get_den() = p;
            x(k).canonicalize();
        }
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
    mpz_class m_previous = 1;
    mpz_class m_left;
    mpz_class m_right;
};

/// The exchanges of an elimination of A's first `cols` columns found in
/// doubles: exchange[k] is the row brought to k at stage k (k itself
/// without pivoting). A guess for the modular route below, which proves it
/// on the exact candidates; empty when a pivot comes out 0 or not finite.
std::vector<int> guessedExchanges(const RationalMatrix& A, int n, int cols, bool columnPivot) {
    std::vector<double> a(static_cast<std::size_t>(n) * static_cast<std::size_t>(cols));
    const auto at = [&](int i, int j) -> double& {
        return a[static_cast<std::size_t>(i - 1) * static_cast<std::size_t>(cols) +
                 static_cast<std::size_t>(j - 1)];
    };
    for (int i = 1; i <= n; ++i)
        for (int j = 1; j <= cols; ++j) at(i, j) = A(i, j).get_d();
    std::vector<int> exchange(static_cast<std::size_t>(n) + 1);
    for (int k = 1; k <= n; ++k) {
        int p = k;
        if (columnPivot)
            for (int i = k + 1; i <= n; ++i)
                if (std::fabs(at(p, k)) < std::fabs(at(i, k))) p = i;
        exchange[static_cast<std::size_t>(k)] = p;
        for (int j = k; j <= cols; ++j) std::swap(at(k, j), at(p, j));
        const double pivot = at(k, k);
        if (pivot == 0.0 || !std::isfinite(pivot)) return {};
        for (int i = k + 1; i <= n; ++i) {
            const double m = at(i, k) / pivot;
            for (int j = k + 1; j <= cols; ++j) at(i, j) -= m * at(k, j);
        }
    }
    return exchange;
}

/// Bits of the largest magnitude among the entries of a row.
std::size_t largestBits(const std::vector<mpz_class>& row) {
    std::size_t bits = 0;
    for (const mpz_class& e : row)
        if (sgn(e) != 0) bits = std::max(bits, mpz_sizeinbase(e.get_mpz_t(), 2));
    return bits;
}

/// The first place of the largest magnitude in the block k..n x k..n, rows
/// in order and each from the left, moving only on a strictly larger one.
std::pair<int, int> largestInBlock(FractionFree& f, int k, int n) {
    int pr = k;
    int pc = k;
    for (int i = k; i <= n; ++i) {
        int best = k;
        for (int j = k + 1; j <= n; ++j)
            if (mpz_cmpabs(f.at(i, j).get_mpz_t(), f.at(i, best).get_mpz_t()) > 0) best = j;
        if (f.larger(i, best, pr, pc)) {
            pr = i;
            pc = best;
        }
    }
    return {pr, pc};
}

/// An fmpz_mat that frees itself.
class FlintIntegers {
public:
    FlintIntegers(int rows, int cols) { fmpz_mat_init(m_mat, rows, cols); }
    ~FlintIntegers() { fmpz_mat_clear(m_mat); }
    FlintIntegers(const FlintIntegers&) = delete;
    FlintIntegers& operator=(const FlintIntegers&) = delete;
    fmpz_mat_struct* get() { return m_mat; }
    fmpz* at(int i, int j) { return fmpz_mat_entry(m_mat, i - 1, j - 1); }

private:
    fmpz_mat_t m_mat;
};

/// An fmpq_mat that frees itself.
class FlintRationals {
public:
    FlintRationals(int rows, int cols) { fmpq_mat_init(m_mat, rows, cols); }
    ~FlintRationals() { fmpq_mat_clear(m_mat); }
    FlintRationals(const FlintRationals&) = delete;
    FlintRationals& operator=(const FlintRationals&) = delete;
    fmpq_mat_struct* get() { return m_mat; }
    fmpq* at(int i, int j) { return fmpq_mat_entry(m_mat, i - 1, j - 1); }

private:
    fmpq_mat_t m_mat;
};

/// Residues modulo word-sized primes: entry e's residue modulo prime q at
/// e * primes + q, so that each entry's residues lie together for the
/// Chinese remainder theorem.
struct Residues {
    std::vector<mp_limb_t> primes;
    std::vector<mp_limb_t> values;
    mp_limb_t& at(std::size_t entry, std::size_t prime) {
        return values[entry * primes.size() + prime];
    }
};

/// Primes of 63 bits whose product exceeds twice 2^bits, so that every
/// integer of fewer bits is told apart from its negatives.
std::vector<mp_limb_t> primesBeyond(double bits) {
    const auto count = static_cast<std::size_t>(std::ceil((bits + 2.0) / 62.0));
    std::vector<mp_limb_t> primes;
    mp_limb_t p = UWORD(1) << 62;
    for (std::size_t i = 0; i < count; ++i) primes.push_back(p = n_nextprime(p, 1));
    return primes;
}

/// An upper bound of the bits of every minor of f's rows (Hadamard).
double minorBits(const FractionFree& f, int rows, int cols) {
    const double lengthBits = 0.5 * std::log2(static_cast<double>(cols));
    double bits = 0.0;
    for (int i = 1; i <= rows; ++i) {
        std::size_t largest = 0;
        for (int j = 1; j <= cols; ++j)
            if (sgn(f.at(i, j)) != 0)
                largest = std::max(largest, mpz_sizeinbase(f.at(i, j).get_mpz_t(), 2));
        if (largest > 0) bits += static_cast<double>(largest) + lengthBits;
    }
    return bits;
}

/// The residues of the integers Bareiss's elimination of f's rows, taken in
/// the order `row` lists them and without exchanges, leaves at (i, j): for
/// j >= i the pivot row's entries, below the diagonal the candidates of
/// column j when its stage begins. Modulo each prime the elimination is
/// an LU factorization: U's row i times the product of the pivots above
/// it, L's column j times the product of the pivots down to its own. False
/// when a prime divides a pivot.
bool residuesOf(const FractionFree& f, const std::vector<int>& row, int n, int cols, Residues& r,
                const StopRequest* stop) {
    FlintIntegers M(n, cols);
    for (int i = 1; i <= n; ++i)
        for (int j = 1; j <= cols; ++j)
            fmpz_set_mpz(M.at(i, j), f.at(row[static_cast<std::size_t>(i)], j).get_mpz_t());
    r.values.assign(static_cast<std::size_t>(n) * static_cast<std::size_t>(cols) * r.primes.size(),
                    0);
    std::vector<slong> perm(static_cast<std::size_t>(n));
    std::vector<mp_limb_t> upto(static_cast<std::size_t>(n) + 1, 1);
    for (std::size_t q = 0; q < r.primes.size(); ++q) {
        if (stop) stop->check();
        nmod_mat_t a;
        nmod_mat_init(a, n, cols, r.primes[q]);
        fmpz_mat_get_nmod_mat(a, M.get());
        std::iota(perm.begin(), perm.end(), 0);
        nmod_mat_lu(perm.data(), a, 0);
        // upto[i]: the product of the pivots of rows 0..i-1.
        bool lucky = true;
        for (slong i = 0; i < n; ++i) {
            const mp_limb_t pivot = nmod_mat_entry(a, i, i);
            lucky = lucky && perm[static_cast<std::size_t>(i)] == i && pivot != 0;
            upto[static_cast<std::size_t>(i + 1)] =
                nmod_mul(upto[static_cast<std::size_t>(i)], pivot, a->mod);
        }
        for (slong i = 0; i < n && lucky; ++i)
            for (slong j = 0; j < cols; ++j) {
                const mp_limb_t factor = upto[static_cast<std::size_t>(j >= i ? i : j + 1)];
                r.at(static_cast<std::size_t>(i * cols + j), q) =
                    nmod_mul(nmod_mat_entry(a, i, j), factor, a->mod);
            }
        nmod_mat_clear(a);
        if (!lucky) return false;
    }
    return true;
}

/// Bareiss's elimination of f's first n rows over `cols` columns with
/// column pivoting (or none), by way of residues: the exchanges are guessed
/// in doubles, the integers the elimination would leave are found modulo
/// enough primes and put together by the Chinese remainder theorem, and the
/// guess is then proved on the exact candidates of every stage, the first
/// of the largest magnitudes winning. f is left as the elimination leaves it
/// and the exchange count returned; nothing, f untouched, when the guess or
/// a prime fails (or a pivot is 0): the elimination itself then runs.
std::optional<int> eliminateByResidues(FractionFree& f, const RationalMatrix& A, int n, int cols,
                                       bool columnPivot, const StopRequest* stop) {
    const std::vector<int> exchange = guessedExchanges(A, n, cols, columnPivot);
    if (exchange.empty()) return std::nullopt;
    std::vector<int> row(static_cast<std::size_t>(n) + 1);
    std::iota(row.begin(), row.end(), 0);
    for (int k = 1; k <= n; ++k)
        std::swap(row[static_cast<std::size_t>(k)],
                  row[static_cast<std::size_t>(exchange[static_cast<std::size_t>(k)])]);
    Residues r{primesBeyond(minorBits(f, n, cols)), {}};
    if (!residuesOf(f, row, n, cols, r, stop)) return std::nullopt;

    // The integers themselves; the candidates below the diagonal only where
    // a search is to be proved.
    std::vector<mpz_class> value(static_cast<std::size_t>(n) * static_cast<std::size_t>(cols));
    const auto integer = [&](int i, int j) -> mpz_class& {
        return value[static_cast<std::size_t>((i - 1) * cols + (j - 1))];
    };
    fmpz_comb_t comb;
    fmpz_comb_init(comb, r.primes.data(), static_cast<slong>(r.primes.size()));
    fmpz_comb_temp_t temp;
    fmpz_comb_temp_init(temp, comb);
    fmpz_t out;
    fmpz_init(out);
    for (int i = 1; i <= n; ++i) {
        if (stop) stop->check();
        for (int j = columnPivot ? 1 : i; j <= cols; ++j) {
            const auto e = static_cast<std::size_t>((i - 1) * cols + (j - 1));
            fmpz_multi_CRT_ui(out, &r.at(e, 0), comb, temp, 1);
            fmpz_get_mpz(integer(i, j).get_mpz_t(), out);
        }
    }
    fmpz_clear(out);
    fmpz_comb_temp_clear(temp);
    fmpz_comb_clear(comb);

    int exchanges = 0;
    if (columnPivot) {
        // Stage k holds the rows not yet pivots in the order the exchanges
        // so far left them; the row finally at position fin has candidate
        // integer(fin, k) over its scale.
        std::vector<int> finalPlace(static_cast<std::size_t>(n) + 1);
        for (int i = 1; i <= n; ++i)
            finalPlace[static_cast<std::size_t>(row[static_cast<std::size_t>(i)])] = i;
        std::vector<int> current(static_cast<std::size_t>(n) + 1);
        std::iota(current.begin(), current.end(), 0);
        mpz_class left;
        mpz_class right;
        for (int k = 1; k <= n; ++k) {
            const int p = exchange[static_cast<std::size_t>(k)];
            const int pivotRow = current[static_cast<std::size_t>(p)];
            const mpz_class& pivot = integer(k, k);
            for (int i = k; i <= n; ++i) {
                if (i == p) continue;
                const int other = current[static_cast<std::size_t>(i)];
                const mpz_class& candidate =
                    integer(finalPlace[static_cast<std::size_t>(other)], k);
                mpz_mul(left.get_mpz_t(), candidate.get_mpz_t(), f.d(pivotRow).get_mpz_t());
                mpz_mul(right.get_mpz_t(), pivot.get_mpz_t(), f.d(other).get_mpz_t());
                const int c = mpz_cmpabs(left.get_mpz_t(), right.get_mpz_t());
                if (i < p ? c >= 0 : c > 0) return std::nullopt;
            }
            std::swap(current[static_cast<std::size_t>(k)], current[static_cast<std::size_t>(p)]);
            if (p != k) ++exchanges;
        }
    }

    for (int k = 1; k <= n; ++k) f.swapRows(k, exchange[static_cast<std::size_t>(k)], 1);
    f.setPrevious(1);
    for (int k = 1; k <= n; ++k) {
        f.settle(k);
        for (int j = k; j <= cols; ++j) mpz_swap(f.at(k, j).get_mpz_t(), integer(k, j).get_mpz_t());
        f.setPrevious(f.at(k, k));
    }
    return exchanges;
}

/// Columns of the inverse solved for at a time: few enough that a stop is
/// seen soon, many enough that the solver's setup is shared.
constexpr int kInverseBlock = 32;

} // namespace

bool exactKernelFits(const RationalMatrix& A, int rows, int cols) {
    // A minor of the row-scaled matrix is at most the product of its rows'
    // Euclidean lengths (Hadamard), each at most sqrt(cols) times the row's
    // largest entry; a quotient's denominator may also carry a row scale.
    double bits = 0.0;
    double scaleBits = 0.0;
    const double lengthBits = 0.5 * std::log2(static_cast<double>(cols));
    std::vector<mpz_class> row(static_cast<std::size_t>(cols));
    for (int i = 1; i <= rows; ++i) {
        const mpz_class d = rowScale(A, i, cols);
        for (int j = 1; j <= cols; ++j)
            scaledEntry(row[static_cast<std::size_t>(j - 1)], A(i, j), d);
        const std::size_t largest = largestBits(row);
        if (largest > 0) bits += static_cast<double>(largest) + lengthBits;
        scaleBits = std::max(scaleBits, static_cast<double>(mpz_sizeinbase(d.get_mpz_t(), 2)));
        if (bits + scaleBits >= kLimitBits) return false;
    }
    return bits + scaleBits + 1.0 < kLimitBits;
}

RationalVector solveExact(RationalMatrix& A, int n, bool columnPivot, const StopRequest& stop,
                          int& zeroPivotStage) {
    FractionFree f(A, n, n + 1);
    zeroPivotStage = 0;
    const bool done = eliminateByResidues(f, A, n, n + 1, columnPivot, &stop).has_value();
    for (int k = 1; k <= n && !done; ++k) {
        stop.check();
        const int p = columnPivot ? f.columnPivotRow(k, n) : k;
        f.swapRows(k, p, k);
        f.settle(k);
        if (sgn(f.at(k, k)) == 0) {
            zeroPivotStage = k;
            // The rational loops divide by the pivot for each row below;
            // the last stage leaves the division to the back substitution.
            if (k < n) throw ExactDivisionByZero();
            break;
        }
        f.eliminateBelow(k, n);
    }
    RationalVector x = f.backSubstitute(n);
    f.moveTo(A);
    return x;
}

RationalVector solveFullPivotExact(RationalMatrix& A, int n, std::vector<int>& order,
                                   const StopRequest& stop) {
    FractionFree f(A, n, n + 1);
    for (int k = 1; k <= n - 1; ++k) {
        stop.check();
        const auto [pr, pc] = largestInBlock(f, k, n);
        f.swapRows(k, pr, k);
        f.swapColumns(k, pc);
        if (pc != k)
            std::swap(order[static_cast<std::size_t>(k - 1)],
                      order[static_cast<std::size_t>(pc - 1)]);
        f.settle(k);
        if (sgn(f.at(k, k)) == 0) throw ExactDivisionByZero();
        f.eliminateBelow(k, n);
    }
    if (n >= 1) f.settle(n);
    RationalVector x = f.backSubstitute(n);
    f.moveTo(A);
    return x;
}

Rational columnPivotDeterminantExact(RationalMatrix& A, int& exchangeCount,
                                     const StopRequest* stop) {
    const int n = A.rows();
    FractionFree f(A, n, n);
    const std::optional<int> byResidues = eliminateByResidues(f, A, n, n, true, stop);
    exchangeCount = byResidues.value_or(0);
    bool singular = false;
    for (int k = 1; k <= n && !byResidues; ++k) {
        if (stop) stop->check();
        const int p = f.columnPivotRow(k, n);
        if (p != k) {
            f.swapRows(k, p, k);
            ++exchangeCount;
        }
        f.settle(k);
        // A zero pivot leaves the rest of its column zero: nothing to
        // eliminate, and the previous pivot stays the divisor.
        if (sgn(f.at(k, k)) == 0) singular = true;
        else f.eliminateBelow(k, n);
    }
    f.moveTo(A);
    if (singular) return 0;
    // The pivots' product telescopes to the last pivot over the scales.
    mpz_class scales = 1;
    for (int k = 1; k <= n; ++k) scales *= f.d(k);
    Rational det(f.previous(), scales);
    det.canonicalize();
    return exchangeCount % 2 == 0 ? det : Rational(-det);
}

void reduceGaussJordanExact(RationalMatrix& W, int n, const StopRequest& stop) {
    FractionFree f(W, n, n);
    FlintIntegers M(n, n);
    for (int i = 1; i <= n; ++i)
        for (int j = 1; j <= n; ++j) fmpz_set_mpz(M.at(i, j), f.at(i, j).get_mpz_t());
    // A row scaled by d(i) turns the identity's column i into d(i) e(i).
    for (int first = 1; first <= n; first += kInverseBlock) {
        stop.check();
        const int width = std::min(kInverseBlock, n - first + 1);
        FlintIntegers rhs(n, width);
        for (int c = 0; c < width; ++c)
            fmpz_set_mpz(rhs.at(first + c, c + 1), f.d(first + c).get_mpz_t());
        FlintRationals X(n, width);
        if (!fmpq_mat_solve_fmpz_mat_multi_mod(X.get(), M.get(), rhs.get()))
            throw ExactDivisionByZero();
        for (int i = 1; i <= n; ++i) {
            stop.check();
            for (int c = 0; c < width; ++c)
                fmpq_get_mpq(W(i, n + first + c).get_mpq_t(), X.at(i, c + 1));
        }
    }
    for (int i = 1; i <= n; ++i)
        for (int j = 1; j <= n; ++j) W(i, j) = i == j ? 1 : 0;
}

} // namespace quorvex::kernels

namespace quorvex::kernels {

struct ExactLeadingMinors::Elimination {
    Elimination(const RationalMatrix& B, int n) : rows(B, n, n) {}
    FractionFree rows;
    /// Stages eliminated; the pivot of the next sits at (done+1, done+1).
    int done = 0;
    /// Whether a zero pivot ended the elimination after `done` stages.
    bool blocked = false;
};

ExactLeadingMinors::ExactLeadingMinors(const RationalMatrix& B, int n, const StopRequest* stop)
    : m_B(B), m_n(n), m_stop(stop) {}

ExactLeadingMinors::~ExactLeadingMinors() = default;

Rational ExactLeadingMinors::operator()(int k) {
    if (!m_elimination) m_elimination = std::make_unique<Elimination>(m_B, m_n);
    Elimination& e = *m_elimination;
    while (e.done < k - 1 && !e.blocked) {
        if (m_stop) m_stop->check();
        const int stage = e.done + 1;
        if (sgn(e.rows.at(stage, stage)) == 0) {
            e.blocked = true;
            break;
        }
        e.rows.eliminateBelow(stage, m_n);
        ++e.done;
    }
    if (e.done < k - 1) {
        RationalMatrix V(k, k);
        for (int i = 1; i <= k; ++i)
            for (int j = 1; j <= k; ++j) V(i, j) = m_B(i, j);
        int exchanges = 0;
        return columnPivotDeterminantExact(V, exchanges, m_stop);
    }
    mpz_class scales = 1;
    for (int i = 1; i <= k; ++i) scales *= e.rows.d(i);
    Rational minor(e.rows.at(k, k), scales);
    minor.canonicalize();
    return minor;
}

} // namespace quorvex::kernels
