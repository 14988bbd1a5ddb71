// The vector kernels in AVX-512; this file alone is compiled for it.
#include <immintrin.h>

#define QUORVEX_LANES 8
#define QUORVEX_FUSED_DIVISION
#define QUORVEX_NEAREST_INTEGER

namespace quorvex::kernels {
namespace {

using FusedV = double __attribute__((vector_size(64)));

struct FusedDivision {
    static FusedV quotient(FusedV t, FusedV p, FusedV inverse) {
        const FusedV q0 = t * inverse;
        const FusedV e = (FusedV)_mm512_fmsub_pd((__m512d)q0, (__m512d)p, (__m512d)t);
        return (FusedV)_mm512_fnmadd_pd((__m512d)e, (__m512d)inverse, (__m512d)q0);
    }
};

struct NearestInteger {
    static FusedV of(FusedV y) {
        // The masked form: the plain one trips a warning in the compiler's header.
        return (FusedV)_mm512_maskz_roundscale_pd(__mmask8(0xff), (__m512d)y,
                                                  _MM_FROUND_TO_NEAREST_INT | _MM_FROUND_NO_EXC);
    }
};

} // namespace
} // namespace quorvex::kernels

#include "numerics/kernels/rounded_update_impl.h"

#include "numerics/kernels/rounded_update_builds.h"

namespace quorvex::kernels {

void roundedUpdateAvx512(RowBlock x, ConstRowBlock m, ConstRowBlock u, int rows, int cols,
                         int steps, int decimals) {
    update<3, 3>(x, m, u, rows, cols, steps, decimals);
}

RowLargest largestInRowAvx512(const double* row, int count) { return largest(row, count); }

} // namespace quorvex::kernels
