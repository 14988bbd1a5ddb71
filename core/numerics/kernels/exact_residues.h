#pragma once

#include "base/rational.h"
#include "numerics/kernels/fraction_free.h"

#include <optional>
#include <vector>

namespace quorvex {
class StopRequest;
} // namespace quorvex

namespace quorvex::kernels {

/// Bareiss's elimination of f's first n rows over `cols` columns with
/// column pivoting (or none), by way of residues: the exchanges are guessed
/// in doubles, the integers the elimination would leave are found modulo
/// enough primes and put together by the Chinese remainder theorem, and the
/// guess is then proved on the exact candidates of every stage, the first
/// of the largest magnitudes winning. f is left as the elimination leaves it
/// and the exchange count returned; nothing, f untouched, when the guess or
/// a prime fails (or a pivot is 0): the elimination itself then runs. With
/// keepLower, each row also keeps below the diagonal its candidates of the
/// earlier stages, as the elimination leaves them there. With `unknowns`
/// and cols n + 1, it also receives, from index 1, the integers p x(k) of
/// the system's solution x, p the last pivot (as
/// FractionFree::unknownsOver takes them).
std::optional<int> eliminateByResidues(FractionFree& f, const RationalMatrix& A, int n, int cols,
                                       bool columnPivot, const StopRequest* stop,
                                       bool keepLower = false,
                                       std::vector<mpz_class>* unknowns = nullptr);

/// The inverse of the n x n matrix A whose rows f holds scaled, written
/// into columns n+1..2n of W: the adjugate of the scaled matrix and its
/// determinant found modulo enough primes and put together by the Chinese
/// remainder theorem, each entry (times its column's scale, over the
/// determinant) reduced once. False, W untouched, when a prime divides the
/// determinant (so also for a singular A) or the table of residues would
/// be too large.
bool invertByResidues(const FractionFree& f, int n, RationalMatrix& W, const StopRequest& stop);

} // namespace quorvex::kernels
