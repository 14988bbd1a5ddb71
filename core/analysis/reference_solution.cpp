#include "analysis/reference_solution.h"

#include "analysis/dense_algebra.h"
#include "norm_routines.h"

namespace quorvex {

ReferenceSolution referenceSolution(const Matrix& Ab, int n, std::string_view,
                                    const StopRequest& stop) {
    stop.check();
    ReferenceSolution ref;
    ref.norm1 = columnSumNorm(Ab, n);
    ref.normInf = rowSumNorm(Ab, n);
    const DoubleSolution s = solveInDouble(Ab, n);
    ref.singular = s.singular;
    if (s.singular) return ref;
    ref.x = s.x;
    ref.inverseNorm1 = columnSumNorm(s.inverse, n);
    ref.inverseNormInf = rowSumNorm(s.inverse, n);
    return ref;
}

} // namespace quorvex
