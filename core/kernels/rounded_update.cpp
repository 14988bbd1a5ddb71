// The generic build of the rounded update, and the choice among the builds.
#define QUORVEX_LANES 2
#include "kernels/rounded_update_impl.h"

#include "kernels/rounded_update_builds.h"

namespace quorvex::kernels {

namespace {

using UpdateFunction = void (*)(RowBlock, ConstRowBlock, ConstRowBlock, int, int, int, int);

/// The widest build the processor runs.
UpdateFunction pickBuild() {
#ifdef QUORVEX_X86_KERNELS
    __builtin_cpu_init();
    if (__builtin_cpu_supports("avx512f")) return &roundedUpdateAvx512;
    if (__builtin_cpu_supports("avx2") && __builtin_cpu_supports("fma")) return &roundedUpdateAvx2;
#endif
    return &roundedUpdateGeneric;
}

} // namespace

void roundedUpdateGeneric(RowBlock x, ConstRowBlock m, ConstRowBlock u, int rows, int cols,
                          int steps, int decimals) {
    update<2, 3>(x, m, u, rows, cols, steps, decimals);
}

void roundedUpdate(RowBlock x, ConstRowBlock m, ConstRowBlock u, int rows, int cols, int steps,
                   int decimals) {
    static const UpdateFunction build = pickBuild();
    build(x, m, u, rows, cols, steps, decimals);
}

} // namespace quorvex::kernels
