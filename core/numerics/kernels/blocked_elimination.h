#pragma once

// Fast equals of the rounded eliminations in elimination_routines.cpp and the
// elimination commands. They store every value the reference loops store,
// rounded where and as those round it, computed by the same operations in
// the same order; only the order in which different elements are visited
// changes. The reference loops stay the definition (and serve small
// orders); these are chosen from kFastKernelOrder on.

#include "base/matrix.h"

namespace quorvex {
class StopRequest;
} // namespace quorvex

namespace quorvex::kernels {

/// From this order on the commands use the fast kernels.
inline constexpr int kFastKernelOrder = 48;

/// How a kernel may run: the number of threads (the results never depend
/// on it), and the request to stop it looks at between its stages (it then
/// throws CommandStopped, as the reference loops do).
struct KernelSettings {
    int threads = 1;
    const StopRequest* stop = nullptr;
};

/// The settings the commands use: every core of the processor.
KernelSettings defaultKernelSettings(const StopRequest* stop = nullptr);

enum class Pivoting { None, Column };

/// Forward elimination of rows 1..n of A over columns 1..lastColumn, every
/// stored value rounded to `decimals` decimals: the elimination of the Gauss
/// commands (lastColumn n+1, multipliers A(i,k)/A(k,k) as they come). With
/// column pivoting, rows are exchanged in columns k..lastColumn. Returns the
/// number of exchanges.
int eliminateFast(Matrix& A, int n, int lastColumn, int decimals, Pivoting pivoting,
                  const KernelSettings& settings);

/// ColumnPivotDeterminant, fast: the same reduced matrix, exchange count and
/// determinant.
double columnPivotDeterminantFast(Matrix& A, int& exchangeCount, const KernelSettings& settings);

/// The same on the leading n x n block of a row-major array (element (i, j)
/// at a[(i-1) * stride + j-1]); the inverse's and the minors' workers use it
/// on buffers of their own.
double columnPivotDeterminantFast(double* a, std::ptrdiff_t stride, int n, int& exchangeCount,
                                  const KernelSettings& settings);

/// The Gauss-Jordan reduction of the inverse command on W = (A | I), n x 2n:
/// column pivoting, every other row reduced with values stored rounded to
/// `decimals` decimals while the pivot row is unscaled, then the pivot row
/// divided by its pivot, unrounded.
void reduceGaussJordanFast(Matrix& W, int n, int decimals, const KernelSettings& settings);

} // namespace quorvex::kernels
