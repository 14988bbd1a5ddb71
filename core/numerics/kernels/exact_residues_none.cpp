// Builds without FLINT have no residue arithmetic: every caller then runs
// the fraction-free elimination itself, which reaches the same integers.
#include "numerics/kernels/exact_residues.h"

namespace quorvex::kernels {

std::optional<int> eliminateByResidues(FractionFree&, const RationalMatrix&, int, int, bool,
                                       const StopRequest*, bool, std::vector<mpz_class>*) {
    return std::nullopt;
}

bool invertByResidues(const FractionFree&, int, RationalMatrix&, const StopRequest&) {
    return false;
}

} // namespace quorvex::kernels
