#include "numerics/kernels/blocked_elimination.h"

#include "base/stop_request.h"

#include "numerics/kernels/parallel_rows.h"
#include "numerics/kernels/rounded_update.h"

#include <algorithm>
#include <cmath>
#include <vector>

// The eliminations run in panels of kPanel steps. A panel's own columns are
// eliminated step by step, as in the reference, which gives the pivots and
// the multipliers of its steps. The columns to the right then receive the
// panel's steps all at once: each element takes them in order, kept in a
// register, which stores exactly the values the reference stores. Row
// exchanges of the panel are made on those columns before its steps: an
// exchange at step k involves rows k and below only, which step k' < k
// treats alike (each row with its own multiplier), so exchanging first and
// carrying the multipliers with their rows changes no value.

namespace quorvex::kernels {

namespace {

constexpr int kPanel = 32;
/// Determinants keep a fixed 7 decimals, whatever the display setting.
constexpr int kDeterminantDecimals = 7;

/// A row-major array seen from 0: element (i, j) at a[i * lda + j].
struct Grid {
    double* a;
    std::ptrdiff_t lda;
    double* row(int i) const { return a + i * lda; }
    double& at(int i, int j) const { return a[i * lda + j]; }
};

struct Plan {
    int n;
    int width;               ///< columns 0..width-1 take part
    int decimals;            ///< of every stored value
    bool pivot;              ///< column pivoting
    bool zeroPivotGivesZero; ///< the determinant's guard: multiplier 0 for a zero pivot
    int threads;
    const StopRequest* stop;
    void checkStop() const {
        if (stop != nullptr) stop->check();
    }
};

/// The panel's multipliers, kPanel per row (row i of the matrix at
/// m[i * kPanel]), its pivot rows, and for Gauss-Jordan its pivots.
struct PanelState {
    std::vector<double> m;
    int pivotRows[kPanel];
    double pivots[kPanel];
    double* mrow(int i) { return m.data() + static_cast<std::ptrdiff_t>(i) * kPanel; }
};

/// The reference pivot search: the first entry of largest magnitude in
/// column k among rows k..n-1 (NaN never moves the choice).
int pivotRow(const Grid& g, int k, int n) {
    int p = k;
    for (int i = k + 1; i < n; ++i)
        if (std::fabs(g.at(p, k)) < std::fabs(g.at(i, k))) p = i;
    return p;
}

void swapRows(const Grid& g, int r1, int r2, int first, int last) {
    std::swap_ranges(g.row(r1) + first, g.row(r1) + last, g.row(r2) + first);
}

/// Exchanges rows k and p in columns first..last-1 and their multipliers.
void exchange(const Grid& g, PanelState& s, int k, int p, int first, int last) {
    swapRows(g, k, p, first, last);
    std::swap_ranges(s.mrow(k), s.mrow(k) + kPanel, s.mrow(p));
}

/// One step (column k, panel slot t) on rows first..last-1 over columns
/// k..end-1: the multipliers must be in slot t already.
void stepRows(const Grid& g, PanelState& s, int k, int t, int first, int last, int end,
              int decimals) {
    roundedUpdate({g.row(first) + k, g.lda}, {s.mrow(first) + t, kPanel}, {g.row(k) + k, g.lda},
                  last - first, end - k, 1, decimals);
}

/// Steps k0..end-1 (panel slots from k0 - base) on columns first..last-1:
/// their exchanges, then each pivot row the steps before its own, in order,
/// then every row below them all the steps, on as many threads as pay.
void applySteps(const Grid& g, const Plan& plan, PanelState& s, int base, int k0, int end,
                int first, int last) {
    const int cols = last - first;
    if (cols <= 0) return;
    for (int k = k0; k < end; ++k)
        if (s.pivotRows[k - base] != k) swapRows(g, k, s.pivotRows[k - base], first, last);
    const ConstRowBlock pivotRows{g.row(k0) + first, g.lda};
    const int t0 = k0 - base;
    for (int r = k0 + 1; r < end; ++r)
        roundedUpdate({g.row(r) + first, g.lda}, {s.mrow(r) + t0, kPanel}, pivotRows, 1, cols,
                      r - k0, plan.decimals);
    const int steps = end - k0;
    parallelRows(end, plan.n, plan.threads, static_cast<double>(cols) * steps, [&](int a, int b) {
        roundedUpdate({g.row(a) + first, g.lda}, {s.mrow(a) + t0, kPanel}, pivotRows, b - a, cols,
                      steps, plan.decimals);
    });
}

/// Steps k0..end-1 on their own columns k0..end-1, rows k0+1..n-1 (panel
/// slots from k0 - base). A few steps go one by one; more are split in two
/// halves, the second half's columns taking the first half's steps at once,
/// the way the columns right of a whole panel take the panel's.
int factorPanel(const Grid& g, const Plan& plan, PanelState& s, int base, int k0, int end) {
    constexpr int kStepByStep = 8;
    if (end - k0 > kStepByStep) {
        const int mid = k0 + (end - k0) / 2;
        int exchanges = factorPanel(g, plan, s, base, k0, mid);
        applySteps(g, plan, s, base, k0, mid, mid, end);
        exchanges += factorPanel(g, plan, s, base, mid, end);
        return exchanges;
    }
    int exchanges = 0;
    for (int k = k0; k < end; ++k) {
        const int t = k - base;
        const int p = plan.pivot ? pivotRow(g, k, plan.n) : k;
        s.pivotRows[t] = p;
        if (p != k) {
            exchange(g, s, k, p, k, end);
            ++exchanges;
        }
        const double pivot = g.at(k, k);
        for (int i = k + 1; i < plan.n; ++i)
            s.mrow(i)[t] = plan.zeroPivotGivesZero && pivot == 0.0 ? 0.0 : g.at(i, k) / pivot;
        stepRows(g, s, k, t, k + 1, plan.n, end, plan.decimals);
    }
    return exchanges;
}

int eliminate(const Grid& g, const Plan& plan) {
    PanelState s;
    s.m.resize(static_cast<std::size_t>(plan.n) * kPanel);
    int exchanges = 0;
    for (int k0 = 0; k0 < plan.n; k0 += kPanel) {
        plan.checkStop();
        const int end = std::min(k0 + kPanel, plan.n);
        exchanges += factorPanel(g, plan, s, k0, k0, end);
        applySteps(g, plan, s, k0, k0, end, end, plan.width);
    }
    return exchanges;
}

/// Gauss-Jordan: the panel's steps on its own columns k0..end-1, every row
/// but the pivot row reduced, then the pivot row scaled in columns 0..end-1
/// (its columns right of the panel wait for updateRightJordan).
void factorPanelJordan(const Grid& g, const Plan& plan, PanelState& s, int k0, int end) {
    for (int k = k0; k < end; ++k) {
        const int t = k - k0;
        const int p = pivotRow(g, k, plan.n);
        s.pivotRows[t] = p;
        if (p != k) exchange(g, s, k, p, k, end);
        const double pivot = g.at(k, k);
        s.pivots[t] = pivot;
        for (int i = 0; i < plan.n; ++i)
            if (i != k) s.mrow(i)[t] = g.at(i, k) / pivot;
        stepRows(g, s, k, t, 0, k, end, plan.decimals);
        stepRows(g, s, k, t, k + 1, plan.n, end, plan.decimals);
        double* pivotRowData = g.row(k);
        for (int j = 0; j < end; ++j) pivotRowData[j] = pivotRowData[j] / pivot;
    }
}

/// Gauss-Jordan: the panel's steps on the columns right of it. The panel's
/// own rows depend on each other in both directions (a pivot row is reduced
/// by the later steps), so they take the steps one by one, each pivot row
/// kept as it stood at its step for the other rows.
void updateRightJordan(const Grid& g, const Plan& plan, PanelState& s, std::vector<double>& u,
                       int k0, int end) {
    const int cols = plan.width - end;
    if (cols <= 0) return;
    for (int k = k0; k < end; ++k)
        if (s.pivotRows[k - k0] != k) swapRows(g, k, s.pivotRows[k - k0], end, plan.width);
    const ConstRowBlock pivotRows{u.data(), cols};
    for (int k = k0; k < end; ++k) {
        const int t = k - k0;
        double* rowK = g.row(k) + end;
        std::copy(rowK, rowK + cols, u.data() + static_cast<std::ptrdiff_t>(t) * cols);
        const ConstRowBlock uk{u.data() + static_cast<std::ptrdiff_t>(t) * cols, cols};
        roundedUpdate({g.row(k0) + end, g.lda}, {s.mrow(k0) + t, kPanel}, uk, k - k0, cols, 1,
                      plan.decimals);
        roundedUpdate({g.row(k + 1) + end, g.lda}, {s.mrow(k + 1) + t, kPanel}, uk, end - k - 1,
                      cols, 1, plan.decimals);
        for (int j = 0; j < cols; ++j) rowK[j] = rowK[j] / s.pivots[t];
    }
    // Every other row takes the panel's steps in order.
    const int steps = end - k0;
    const int outside = plan.n - steps;
    parallelRows(0, outside, plan.threads, static_cast<double>(cols) * steps, [&](int a, int b) {
        const auto run = [&](int first, int last) {
            if (last > first)
                roundedUpdate({g.row(first) + end, g.lda}, {s.mrow(first), kPanel}, pivotRows,
                              last - first, cols, steps, plan.decimals);
        };
        // Indices below k0 are the rows above the panel, the rest lie below it.
        run(std::min(a, k0), std::min(b, k0));
        run(std::max(a, k0) + steps, std::max(b, k0) + steps);
    });
}

} // namespace

KernelSettings defaultKernelSettings(const StopRequest* stop) {
    return {defaultKernelThreads(), stop};
}

int eliminateFast(Matrix& A, int n, int lastColumn, int decimals, Pivoting pivoting,
                  const KernelSettings& settings) {
    if (n < 1) return 0;
    const Plan plan{n,     lastColumn,       decimals,     pivoting == Pivoting::Column,
                    false, settings.threads, settings.stop};
    return eliminate({A.row(1), A.cols()}, plan);
}

double columnPivotDeterminantFast(double* a, std::ptrdiff_t stride, int n, int& exchangeCount,
                                  const KernelSettings& settings) {
    const Grid g{a, stride};
    const Plan plan{n, n, kDeterminantDecimals, true, true, settings.threads, settings.stop};
    exchangeCount = n < 1 ? 0 : eliminate(g, plan);
    double D = 1.0;
    for (int k = 0; k < n; ++k) D = D * g.at(k, k);
    return (exchangeCount % 2 == 0 ? 1.0 : -1.0) * D;
}

double columnPivotDeterminantFast(Matrix& A, int& exchangeCount, const KernelSettings& settings) {
    const int n = A.rows();
    if (n < 1) {
        exchangeCount = 0;
        return 1.0;
    }
    return columnPivotDeterminantFast(A.row(1), A.cols(), n, exchangeCount, settings);
}

void reduceGaussJordanFast(Matrix& W, int n, int decimals, const KernelSettings& settings) {
    if (n < 1) return;
    const Grid g{W.row(1), W.cols()};
    const Plan plan{n, 2 * n, decimals, true, false, settings.threads, settings.stop};
    PanelState s;
    s.m.resize(static_cast<std::size_t>(n) * kPanel);
    std::vector<double> u(static_cast<std::size_t>(kPanel) * static_cast<std::size_t>(2 * n));
    for (int k0 = 0; k0 < n; k0 += kPanel) {
        plan.checkStop();
        const int end = std::min(k0 + kPanel, n);
        factorPanelJordan(g, plan, s, k0, end);
        updateRightJordan(g, plan, s, u, k0, end);
    }
}

} // namespace quorvex::kernels
