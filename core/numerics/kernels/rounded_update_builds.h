#pragma once

// The builds of roundedUpdate for particular instruction sets, each in a
// file compiled for its own (see core/CMakeLists.txt). Only x86-64 has them.

#include "numerics/kernels/rounded_update.h"

namespace quorvex::kernels {

#ifdef QUORVEX_X86_KERNELS
/// roundedUpdate in AVX2 with fused multiply-add.
void roundedUpdateAvx2(RowBlock x, ConstRowBlock m, ConstRowBlock u, int rows, int cols, int steps,
                       int decimals);

/// largestInRow in AVX2.
RowLargest largestInRowAvx2(const double* row, int count);

/// largestInRow in AVX-512.
RowLargest largestInRowAvx512(const double* row, int count);

/// roundedUpdate in AVX-512.
void roundedUpdateAvx512(RowBlock x, ConstRowBlock m, ConstRowBlock u, int rows, int cols,
                         int steps, int decimals);
#endif

} // namespace quorvex::kernels
