#include "numerics/kernels/exact_elimination.h"

#include "exact/exact_algebra.h"
#if QUORVEX_HAVE_FLINT
#include "exact/flint_matrices.h"
#endif

#include "base/stop_request.h"
#include "numerics/arithmetic.h"
#include "numerics/kernels/exact_residues.h"
#include "numerics/kernels/fraction_free.h"

#if QUORVEX_HAVE_FLINT
#include <flint/fmpq_mat.h>
#include <flint/fmpz_mat.h>
#endif

#include <algorithm>
#include <cmath>
#include <cstddef>
#include <optional>
#include <utility>

namespace quorvex::kernels {

namespace {

/// Bits of 10^kMaxExactDigits, rounded down: a number below 2^this is
/// within the limit.
const double kLimitBits = std::floor(static_cast<double>(kMaxExactDigits) * std::log2(10.0));

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

#if QUORVEX_HAVE_FLINT
/// Columns of the inverse solved for at a time: few enough that a stop is
/// seen soon, many enough that the solver's setup is shared.
constexpr int kInverseBlock = 32;
#endif

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
    std::vector<mpz_class> y;
    const bool done =
        eliminateByResidues(f, A, n, n + 1, columnPivot, &stop, false, &y).has_value();
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
    RationalVector x = done ? f.unknownsOver(y, n) : f.backSubstitute(n);
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
    const bool done = invertByResidues(f, n, W, stop);
#if QUORVEX_HAVE_FLINT
    // Else FLINT's solver, which also tells a singular matrix. A row scaled
    // by d(i) turns the identity's column i into d(i) e(i).
    FlintIntegers M(done ? 0 : n, done ? 0 : n);
    for (int i = 1; i <= n && !done; ++i)
        for (int j = 1; j <= n; ++j) fmpz_set_mpz(M.at(i, j), f.at(i, j).get_mpz_t());
    for (int first = 1; first <= n && !done; first += kInverseBlock) {
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
#else
    if (!done) {
        const auto inverse = invertExactly(W, n);
        if (!inverse) throw ExactDivisionByZero();
        for (int i = 1; i <= n; ++i)
            for (int j = 1; j <= n; ++j) W(i, n + j) = (*inverse)(i, j);
    }
#endif
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
