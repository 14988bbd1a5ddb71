#include "numerics/kernels/exact_residues.h"

#include "base/stop_request.h"
#include "exact/flint_matrices.h"
#include "numerics/kernels/parallel_rows.h"

#include <flint/flint.h>
#include <flint/fmpz.h>
#include <flint/nmod_mat.h>
#include <flint/ulong_extras.h>

#include <algorithm>
#include <atomic>
#include <climits>
#include <cmath>
#include <cstddef>
#include <memory>
#include <mutex>
#include <numeric>
#include <thread>
#include <utility>
#include <vector>

namespace quorvex::kernels {

namespace {

/// The most memory the table of residues may take; a larger system, whose
/// integers run to thousands of digits, goes by Bareiss's method, which
/// holds each integer once.
constexpr double kMaxResidueBytes = 64.0 * 1024 * 1024;

/// parallelRows for work that uses FLINT, the items handed out a few at a
/// time to whichever thread is free: a helper thread starts with its caches
/// and memory cold and would end its fixed half well after the caller. A
/// helper thread frees FLINT's caches of its own before it ends, where they
/// would be lost. Each item is the work of one thread, so the results do
/// not depend on who took it.
template <class Work> void inHelperThreads(int first, int last, double workPerItem, Work&& work) {
    const std::thread::id callerThread = std::this_thread::get_id();
    const int threads = defaultKernelThreads();
    const int chunk = std::max(1, (last - first) / (8 * threads));
    std::atomic<int> next{first};
    const auto takeChunks = [&] {
        for (int a = next.fetch_add(chunk); a < last; a = next.fetch_add(chunk))
            work(a, std::min(last, a + chunk));
    };
    const double perThread = workPerItem * (last - first) / threads;
    parallelRows(0, threads, threads, perThread, [&](int, int) {
        if (std::this_thread::get_id() == callerThread) return takeChunks();
        struct ReleaseCaches {
            ~ReleaseCaches() { flint_cleanup(); }
        } release;
        takeChunks();
    });
}

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

/// The primes lie just above 2^kPrimeBits. Below 2^60, FLINT's modular
/// eliminations of the orders exact work meets sum their products in two
/// words rather than three, a fifth faster per bit of modulus than primes
/// near 2^62, for 5 % more primes.
constexpr int kPrimeBits = 59;

/// How many primes above 2^kPrimeBits it takes for their product to exceed
/// twice 2^bits, so that every integer of fewer bits is told apart from its
/// negatives.
std::size_t primesFor(double bits) {
    return static_cast<std::size_t>(std::ceil((bits + 2.0) / kPrimeBits));
}

/// The first primesFor(bits) primes above 2^kPrimeBits.
std::vector<mp_limb_t> primesBeyond(double bits) {
    const std::size_t count = primesFor(bits);
    std::vector<mp_limb_t> primes;
    mp_limb_t p = UWORD(1) << kPrimeBits;
    for (std::size_t i = 0; i < count; ++i) primes.push_back(p = n_nextprime(p, 1));
    return primes;
}

/// Each row's share of the bound on a minor's bits (Hadamard's: the
/// product of the rows' lengths), from 1; 0 for a zero row. Each length is
/// bounded from above: every entry's leading bits are rounded up before
/// squaring, and the sum, of a few hundred terms, gains a margin far wider
/// than its rounding.
std::vector<double> rowBits(const FractionFree& f, int rows, int cols) {
    std::vector<double> bits(static_cast<std::size_t>(rows) + 1, 0.0);
    std::vector<std::pair<double, long>> parts(static_cast<std::size_t>(cols));
    for (int i = 1; i <= rows; ++i) {
        long largest = LONG_MIN;
        for (int j = 1; j <= cols; ++j) {
            auto& [leading, exponent] = parts[static_cast<std::size_t>(j - 1)];
            leading = std::fabs(mpz_get_d_2exp(&exponent, f.at(i, j).get_mpz_t()));
            if (leading != 0.0) largest = std::max(largest, exponent);
        }
        if (largest == LONG_MIN) continue;
        double squares = 0.0;
        for (const auto& [leading, exponent] : parts) {
            if (leading == 0.0) continue;
            const double above =
                std::ldexp(leading + 0x1p-52, static_cast<int>(exponent - largest));
            squares += above * above;
        }
        bits[static_cast<std::size_t>(i)] =
            static_cast<double>(largest) + 0.5 * std::log2(squares * (1.0 + 1e-12)) + 1e-9;
    }
    return bits;
}

/// An upper bound of the bits of every minor of f's rows.
double minorBits(const FractionFree& f, int rows, int cols) {
    const std::vector<double> bits = rowBits(f, rows, cols);
    return std::accumulate(bits.begin(), bits.end(), 0.0);
}

/// The residues of the integers Bareiss's elimination of f's rows, taken in
/// the order `row` lists them and without exchanges, leaves at (i, j): for
/// j >= i the pivot row's entries, below the diagonal the candidates of
/// column j when its stage begins. Modulo each prime the elimination is
/// an LU factorization: U's row i times the product of the pivots above
/// it, L's column j times the product of the pivots down to its own. False
/// when a prime divides a pivot. With `unknowns` (cols is n + 1), entries
/// n*cols + k, k from 0, hold p x(k+1), x the solution of the system in
/// columns 1..n and n+1 and p the last pivot: back substitution on U, times
/// the product of the pivots.
bool residuesOf(const FractionFree& f, const std::vector<int>& row, int n, int cols, Residues& r,
                const StopRequest* stop, bool unknowns) {
    FlintIntegers M(n, cols);
    for (int i = 1; i <= n; ++i)
        for (int j = 1; j <= cols; ++j)
            fmpz_set_mpz(M.at(i, j), f.at(row[static_cast<std::size_t>(i)], j).get_mpz_t());
    const std::size_t entries = static_cast<std::size_t>(n) * static_cast<std::size_t>(cols);
    r.values.assign((entries + (unknowns ? static_cast<std::size_t>(n) : 0)) * r.primes.size(), 0);
    const int primes = static_cast<int>(r.primes.size());
    std::vector<char> lucky(r.primes.size(), 0);
    // Each prime's elimination is its own; threads share them out.
    const double work = static_cast<double>(n) * n * cols / 3.0;
    inHelperThreads(0, primes, work, [&](int first, int last) {
        std::vector<slong> perm(static_cast<std::size_t>(n));
        std::vector<mp_limb_t> upto(static_cast<std::size_t>(n) + 1, 1);
        std::vector<mp_limb_t> x(static_cast<std::size_t>(n));
        for (int q = first; q < last; ++q) {
            if (stop) stop->check();
            const auto prime = static_cast<std::size_t>(q);
            nmod_mat_t a;
            nmod_mat_init(a, n, cols, r.primes[prime]);
            fmpz_mat_get_nmod_mat(a, M.get());
            std::iota(perm.begin(), perm.end(), 0);
            nmod_mat_lu(perm.data(), a, 0);
            // upto[i]: the product of the pivots of rows 0..i-1.
            bool ok = true;
            for (slong i = 0; i < n; ++i) {
                const mp_limb_t pivot = nmod_mat_entry(a, i, i);
                ok = ok && perm[static_cast<std::size_t>(i)] == i && pivot != 0;
                upto[static_cast<std::size_t>(i + 1)] =
                    nmod_mul(upto[static_cast<std::size_t>(i)], pivot, a->mod);
            }
            for (slong i = 0; i < n && ok; ++i)
                for (slong j = 0; j < cols; ++j) {
                    const mp_limb_t factor = upto[static_cast<std::size_t>(j >= i ? i : j + 1)];
                    r.at(static_cast<std::size_t>(i * cols + j), prime) =
                        nmod_mul(nmod_mat_entry(a, i, j), factor, a->mod);
                }
            // One inverse for all the pivots: upto[i] over the product of
            // the pivots down to row i is the inverse of pivot i.
            mp_limb_t inverseAbove =
                ok && unknowns ? nmod_inv(upto[static_cast<std::size_t>(n)], a->mod) : 0;
            for (slong i = n - 1; i >= 0 && ok && unknowns; --i) {
                mp_limb_t s = nmod_mat_entry(a, i, n);
                for (slong j = i + 1; j < n; ++j)
                    s = nmod_sub(
                        s,
                        nmod_mul(nmod_mat_entry(a, i, j), x[static_cast<std::size_t>(j)], a->mod),
                        a->mod);
                const mp_limb_t inversePivot =
                    nmod_mul(upto[static_cast<std::size_t>(i)], inverseAbove, a->mod);
                inverseAbove = nmod_mul(inverseAbove, nmod_mat_entry(a, i, i), a->mod);
                x[static_cast<std::size_t>(i)] = nmod_mul(s, inversePivot, a->mod);
                r.at(entries + static_cast<std::size_t>(i), prime) = nmod_mul(
                    x[static_cast<std::size_t>(i)], upto[static_cast<std::size_t>(n)], a->mod);
            }
            nmod_mat_clear(a);
            lucky[prime] = ok;
        }
    });
    return std::all_of(lucky.begin(), lucky.end(), [](char ok) { return ok != 0; });
}

/// The Chinese remainder theorem's tables over the first `count` primes,
/// for whichever counts are asked for: each built once, by the first thread
/// that needs it, and only read after that.
class CombTables {
public:
    explicit CombTables(const std::vector<mp_limb_t>& primes)
        : m_primes(primes), m_tables(primes.size() + 1),
          m_built(std::make_unique<std::once_flag[]>(primes.size() + 1)) {}
    ~CombTables() {
        for (const auto& table : m_tables)
            if (table) fmpz_comb_clear(table.get());
    }
    CombTables(const CombTables&) = delete;
    CombTables& operator=(const CombTables&) = delete;

    const fmpz_comb_struct* over(std::size_t count) {
        std::call_once(m_built[count], [&] {
            auto table = std::make_unique<fmpz_comb_struct>();
            fmpz_comb_init(table.get(), m_primes.data(), static_cast<slong>(count));
            m_tables[count] = std::move(table);
        });
        return m_tables[count].get();
    }

private:
    const std::vector<mp_limb_t>& m_primes;
    std::vector<std::unique_ptr<fmpz_comb_struct>> m_tables;
    std::unique_ptr<std::once_flag[]> m_built;
};

/// One thread's reconstructions from shared tables, with scratch space of
/// its own; everything is freed however the work ends, since a stop
/// request throws out of the loops that use it.
class Reconstruction {
public:
    explicit Reconstruction(CombTables& tables) : m_tables(tables) { fmpz_init(m_out); }
    ~Reconstruction() {
        for (const auto& temp : m_temps)
            if (temp) fmpz_comb_temp_clear(temp.get());
        fmpz_clear(m_out);
    }
    Reconstruction(const Reconstruction&) = delete;
    Reconstruction& operator=(const Reconstruction&) = delete;

    /// The integer whose residues modulo the first `count` primes start at
    /// `residues`.
    void integer(std::size_t count, const mp_limb_t* residues, mpz_class& to) {
        const fmpz_comb_struct* table = m_tables.over(count);
        if (m_temps.size() <= count) m_temps.resize(count + 1);
        auto& temp = m_temps[count];
        if (!temp) {
            temp = std::make_unique<fmpz_comb_temp_struct>();
            fmpz_comb_temp_init(temp.get(), table);
        }
        fmpz_multi_CRT_ui(m_out, residues, table, temp.get(), 1);
        fmpz_get_mpz(to.get_mpz_t(), m_out);
    }

private:
    CombTables& m_tables;
    std::vector<std::unique_ptr<fmpz_comb_temp_struct>> m_temps;
    fmpz_t m_out;
};

} // namespace

std::optional<int> eliminateByResidues(FractionFree& f, const RationalMatrix& A, int n, int cols,
                                       bool columnPivot, const StopRequest* stop, bool keepLower,
                                       std::vector<mpz_class>* unknowns) {
    if (cols != n + 1) unknowns = nullptr;
    const std::vector<int> exchange = guessedExchanges(A, n, cols, columnPivot);
    if (exchange.empty()) return std::nullopt;
    std::vector<int> row(static_cast<std::size_t>(n) + 1);
    std::iota(row.begin(), row.end(), 0);
    for (int k = 1; k <= n; ++k)
        std::swap(row[static_cast<std::size_t>(k)],
                  row[static_cast<std::size_t>(exchange[static_cast<std::size_t>(k)])]);
    const std::vector<double> bits = rowBits(f, n, cols);
    Residues r{primesBeyond(std::accumulate(bits.begin(), bits.end(), 0.0)), {}};
    const double tableBytes =
        static_cast<double>(n) * cols * static_cast<double>(r.primes.size()) * sizeof(mp_limb_t);
    if (tableBytes > kMaxResidueBytes) return std::nullopt;
    if (!residuesOf(f, row, n, cols, r, stop, unknowns != nullptr)) return std::nullopt;

    // The integers themselves; the candidates below the diagonal only where
    // a search is to be proved.
    std::vector<mpz_class> value(static_cast<std::size_t>(n) * static_cast<std::size_t>(cols));
    const auto integer = [&](int i, int j) -> mpz_class& {
        return value[static_cast<std::size_t>((i - 1) * cols + (j - 1))];
    };
    // An integer of row i is a minor of the rows above it and its own, so
    // it needs only the primes their bound asks for: on average half.
    std::vector<double> above(static_cast<std::size_t>(n) + 1, 0.0);
    for (int i = 1; i <= n; ++i)
        above[static_cast<std::size_t>(i)] =
            above[static_cast<std::size_t>(i - 1)] +
            bits[static_cast<std::size_t>(row[static_cast<std::size_t>(i)])];
    const double rowWork = static_cast<double>(cols) * static_cast<double>(r.primes.size()) *
                           static_cast<double>(r.primes.size());
    CombTables tables(r.primes);
    inHelperThreads(1, n + 1, rowWork, [&](int first, int last) {
        Reconstruction crt(tables);
        for (int i = first; i < last; ++i) {
            if (stop) stop->check();
            const double own = bits[static_cast<std::size_t>(row[static_cast<std::size_t>(i)])];
            for (int j = columnPivot || keepLower ? 1 : i; j <= cols; ++j) {
                // Below the diagonal: the candidate of column j, a minor of
                // the rows above j and row i.
                const double bound = j >= i ? above[static_cast<std::size_t>(i)]
                                            : above[static_cast<std::size_t>(j - 1)] + own;
                const auto e = static_cast<std::size_t>((i - 1) * cols + (j - 1));
                crt.integer(std::min(r.primes.size(), primesFor(bound)), &r.at(e, 0),
                            integer(i, j));
            }
        }
    });

    // p x(k), by Cramer's rule a determinant of the rows with column k
    // replaced: the bound of every minor holds it.
    std::vector<mpz_class> solution;
    if (unknowns) {
        solution.resize(static_cast<std::size_t>(n) + 1);
        Reconstruction crt(tables);
        for (int k = 1; k <= n; ++k)
            crt.integer(r.primes.size(),
                        &r.at(static_cast<std::size_t>(n) * static_cast<std::size_t>(cols) +
                                  static_cast<std::size_t>(k - 1),
                              0),
                        solution[static_cast<std::size_t>(k)]);
    }

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
        for (int j = keepLower ? 1 : k; j <= cols; ++j)
            mpz_swap(f.at(k, j).get_mpz_t(), integer(k, j).get_mpz_t());
        f.setPrevious(f.at(k, k));
    }
    if (unknowns) *unknowns = std::move(solution);
    return exchanges;
}

bool invertByResidues(const FractionFree& f, int n, RationalMatrix& W, const StopRequest& stop) {
    // The adjugate's entries are minors of order n-1, the determinant one of
    // order n: the bound of every minor serves both.
    Residues r{primesBeyond(minorBits(f, n, n)), {}};
    const std::size_t m = r.primes.size();
    const auto entries = static_cast<std::size_t>(n) * static_cast<std::size_t>(n);
    if (static_cast<double>(entries + 1) * static_cast<double>(m) * sizeof(mp_limb_t) >
        kMaxResidueBytes)
        return false;
    FlintIntegers M(n, n);
    for (int i = 1; i <= n; ++i)
        for (int j = 1; j <= n; ++j) fmpz_set_mpz(M.at(i, j), f.at(i, j).get_mpz_t());
    // The determinant's residues follow the adjugate's, as entry n*n.
    r.values.assign((entries + 1) * m, 0);
    std::vector<char> lucky(m, 0);
    const double work = static_cast<double>(n) * n * n;
    inHelperThreads(0, static_cast<int>(m), work, [&](int first, int last) {
        for (int prime = first; prime < last; ++prime) {
            stop.check();
            const auto q = static_cast<std::size_t>(prime);
            nmod_mat_t a;
            nmod_mat_t inverse;
            nmod_mat_init(a, n, n, r.primes[q]);
            nmod_mat_init(inverse, n, n, r.primes[q]);
            fmpz_mat_get_nmod_mat(a, M.get());
            const mp_limb_t det = nmod_mat_det(a);
            const bool ok = det != 0 && nmod_mat_inv(inverse, a) != 0;
            if (ok) {
                r.at(entries, q) = det;
                for (slong i = 0; i < n; ++i)
                    for (slong j = 0; j < n; ++j)
                        r.at(static_cast<std::size_t>(i * n + j), q) =
                            nmod_mul(nmod_mat_entry(inverse, i, j), det, a->mod);
            }
            nmod_mat_clear(inverse);
            nmod_mat_clear(a);
            lucky[q] = ok;
        }
    });
    if (!std::all_of(lucky.begin(), lucky.end(), [](char ok) { return ok != 0; })) return false;
    mpz_class det;
    CombTables tables(r.primes);
    Reconstruction(tables).integer(m, &r.at(entries, 0), det);
    // A^-1 = (D A)^-1 D: column j of the scaled matrix's inverse times d(j).
    const double rowWork = static_cast<double>(n) * static_cast<double>(m) * static_cast<double>(m);
    inHelperThreads(1, n + 1, rowWork, [&](int first, int last) {
        Reconstruction crt(tables);
        for (int i = first; i < last; ++i) {
            stop.check();
            for (int j = 1; j <= n; ++j) {
                Rational& q = W(i, n + j);
                crt.integer(m, &r.at(static_cast<std::size_t>((i - 1) * n + (j - 1)), 0),
                            q.get_num());
                q.get_num() *= f.d(j);
            }
            reduceOverDenominator(n, det, [&](int j) -> Rational& { return W(i, n + 1 + j); });
        }
    });
    return true;
}

} // namespace quorvex::kernels
