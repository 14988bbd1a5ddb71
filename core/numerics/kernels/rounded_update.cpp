// The generic build of the rounded update, and the choice among the builds.
#define QUORVEX_LANES 2

#ifdef __wasm_simd128__
#include <wasm_simd128.h>
#define QUORVEX_NEAREST_INTEGER

namespace quorvex::kernels {
namespace {

// WebAssembly's own rounding to nearest, ties to even, sign kept.
struct NearestInteger {
    using V = double __attribute__((vector_size(16)));
    static V of(V y) { return (V)wasm_f64x2_nearest((v128_t)y); }
};

} // namespace
} // namespace quorvex::kernels
#endif

#include "numerics/kernels/rounded_update_impl.h"

#include "numerics/kernels/rounded_update_builds.h"

namespace quorvex::kernels {

namespace {

struct Build {
    void (*update)(RowBlock, ConstRowBlock, ConstRowBlock, int, int, int, int);
    RowLargest (*largest)(const double*, int);
};

/// The widest build the processor runs.
Build pickBuild() {
#ifdef QUORVEX_X86_KERNELS
    __builtin_cpu_init();
    if (__builtin_cpu_supports("avx512f")) return {&roundedUpdateAvx512, &largestInRowAvx512};
    if (__builtin_cpu_supports("avx2") && __builtin_cpu_supports("fma"))
        return {&roundedUpdateAvx2, &largestInRowAvx2};
#endif
    return {&roundedUpdateGeneric, &largestInRowGeneric};
}

const Build& build() {
    static const Build chosen = pickBuild();
    return chosen;
}

} // namespace

void roundedUpdateGeneric(RowBlock x, ConstRowBlock m, ConstRowBlock u, int rows, int cols,
                          int steps, int decimals) {
    // Sixteen vectors in flight: with two lanes the divisions' throughput
    // bounds the work, and fewer leave the divider idle between them.
    update<4, 4>(x, m, u, rows, cols, steps, decimals);
}

void roundedUpdate(RowBlock x, ConstRowBlock m, ConstRowBlock u, int rows, int cols, int steps,
                   int decimals) {
    build().update(x, m, u, rows, cols, steps, decimals);
}

RowLargest largestInRowGeneric(const double* row, int count) { return largest(row, count); }

RowLargest largestInRow(const double* row, int count) { return build().largest(row, count); }

} // namespace quorvex::kernels
