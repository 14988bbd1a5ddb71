// The vector kernels in AVX2 with fused multiply-add; this file alone is compiled for it.
#include <immintrin.h>

#define QUORVEX_LANES 4
#define QUORVEX_FUSED_DIVISION
#define QUORVEX_NEAREST_INTEGER

namespace quorvex::kernels {
namespace {

using FusedV = double __attribute__((vector_size(32)));

struct FusedDivision {
    static FusedV quotient(FusedV t, FusedV p, FusedV inverse) {
        const FusedV q0 = t * inverse;
        const FusedV e = (FusedV)_mm256_fmsub_pd((__m256d)q0, (__m256d)p, (__m256d)t);
        return (FusedV)_mm256_fnmadd_pd((__m256d)e, (__m256d)inverse, (__m256d)q0);
    }
};

struct NearestInteger {
    static FusedV of(FusedV y) {
        return (FusedV)_mm256_round_pd((__m256d)y, _MM_FROUND_TO_NEAREST_INT | _MM_FROUND_NO_EXC);
    }
};

} // namespace
} // namespace quorvex::kernels

#include "numerics/kernels/rounded_update_impl.h"

#include "numerics/kernels/rounded_update_builds.h"

namespace quorvex::kernels {

void roundedUpdateAvx2(RowBlock x, ConstRowBlock m, ConstRowBlock u, int rows, int cols, int steps,
                       int decimals) {
    update<2, 3>(x, m, u, rows, cols, steps, decimals);
}

RowLargest largestInRowAvx2(const double* row, int count) { return largest(row, count); }

} // namespace quorvex::kernels
