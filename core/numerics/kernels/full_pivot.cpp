#include "numerics/kernels/full_pivot.h"

#include "base/stop_request.h"

#include "numerics/kernels/parallel_rows.h"
#include "numerics/kernels/rounded_update.h"

#include <algorithm>
#include <cmath>
#include <utility>

namespace quorvex::kernels {

namespace {

struct FullPivotState {
    Matrix& A;
    int n;
    int decimals;
    int threads;
    std::vector<double> multipliers;
    std::vector<RowLargest> largest; ///< per row, over the current block's columns
};

/// The search of the reference: start from the block's corner, move only
/// to a strictly larger magnitude, rows in order and each row from the left.
/// A row's first largest place is where a left-to-right scan of it would end.
std::pair<int, int> findLargest(const FullPivotState& s, int k) {
    double best = std::fabs(s.A(k, k));
    int pr = k;
    int pc = k;
    for (int i = k; i <= s.n; ++i) {
        const RowLargest& r = s.largest[static_cast<std::size_t>(i)];
        if (r.value > best) {
            best = r.value;
            pr = i;
            pc = k + r.column;
        }
    }
    return {pr, pc};
}

/// Rows first..last-1 lose their multiple of row k over columns k..n+1, and
/// their largest magnitudes over columns k+1..n are noted for the next step.
void eliminateRows(FullPivotState& s, int k, int first, int last) {
    const double pivot = s.A(k, k);
    for (int i = first; i < last; ++i)
        s.multipliers[static_cast<std::size_t>(i)] = s.A(i, k) / pivot;
    const int cols = s.n + 2 - k;
    // Row by row, so that the search reads each row while it is in the cache.
    for (int i = first; i < last; ++i) {
        roundedUpdate({s.A.row(i) + (k - 1), s.A.cols()}, {s.multipliers.data() + i, 1},
                      {s.A.row(k) + (k - 1), s.A.cols()}, 1, cols, 1, s.decimals);
        s.largest[static_cast<std::size_t>(i)] = largestInRow(s.A.row(i) + k, s.n - k);
    }
}

} // namespace

void eliminateFullPivotFast(Matrix& A, int n, int decimals, std::vector<int>& order,
                            const KernelSettings& settings) {
    FullPivotState s{A,
                     n,
                     decimals,
                     settings.threads,
                     std::vector<double>(static_cast<std::size_t>(n) + 1),
                     std::vector<RowLargest>(static_cast<std::size_t>(n) + 1)};
    for (int i = 1; i <= n; ++i) s.largest[static_cast<std::size_t>(i)] = largestInRow(A.row(i), n);
    for (int k = 1; k <= n - 1; ++k) {
        if (settings.stop != nullptr) settings.stop->check();
        const auto [pr, pc] = findLargest(s, k);
        if (pc != k) {
            for (int i = 1; i <= n; ++i) std::swap(A(i, k), A(i, pc));
            std::swap(order[static_cast<std::size_t>(k - 1)],
                      order[static_cast<std::size_t>(pc - 1)]);
        }
        A.swapRowRange(k, pr, k, n + 1);
        const double work = 2.0 * (n + 2 - k);
        parallelRows(k + 1, n + 1, s.threads, work,
                     [&](int first, int last) { eliminateRows(s, k, first, last); });
    }
}

} // namespace quorvex::kernels
