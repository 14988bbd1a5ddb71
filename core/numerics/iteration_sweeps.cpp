#include "numerics/iteration_sweeps.h"

#include <cmath>

namespace quorvex {

// In the sweeps a is row i+1 of Ab, 0-based: a[i] is the diagonal element
// and a[n] the right-hand side.

void jacobiSweep(const Matrix& Ab, int n, const Iterate& x0, Iterate& x, double) {
    for (int i = 0; i < n; ++i) {
        const double* a = Ab.row(i + 1);
        double s = 0.0;
        for (int j = 0; j < n; ++j) s = a[j] * x0[j] + s;
        x[i] = x0[i] + (a[n] - s) / a[i];
    }
}

void gaussSeidelSweep(const Matrix& Ab, int n, const Iterate&, Iterate& x, double) {
    for (int i = 0; i < n; ++i) {
        const double* a = Ab.row(i + 1);
        double s = 0.0;
        for (int j = 0; j < n; ++j) s = a[j] * x[j] + s;
        x[i] = x[i] + (a[n] - s) / a[i];
    }
}

void relaxationSweep(const Matrix& Ab, int n, const Iterate& x0, Iterate& x, double w) {
    for (int i = 0; i < n; ++i) {
        const double* a = Ab.row(i + 1);
        double s = 0.0;
        for (int j = 0; j < i; ++j) s = a[j] * x[j] + s;
        for (int j = i; j < n; ++j) s = a[j] * x0[j] + s;
        x[i] = x0[i] + (a[n] - s) * w / a[i];
    }
}

// The diagonal never changes, so a zero on it is found before the first
// sweep just as the first sweep would meet it.
double residualMaxNorm(const Matrix& Ab, int n, const Iterate& x) {
    double largest = 0.0;
    for (int i = 1; i <= n; ++i) {
        double r = Ab(i, n + 1);
        for (int j = 1; j <= n; ++j) r -= Ab(i, j) * x[static_cast<std::size_t>(j - 1)];
        // A NaN must count as large, not be passed over.
        if (!(std::fabs(r) <= largest)) largest = std::fabs(r);
    }
    return largest;
}

bool hasZeroDiagonal(const Matrix& Ab, int n) {
    for (int i = 1; i <= n; ++i)
        if (Ab(i, i) == 0.0) return true;
    return false;
}

bool converged(const Iterate& x, const Iterate& x0, double e) {
    for (std::size_t i = 0; i < x.size(); ++i) {
        const double d = x[i] - x0[i];
        if (!std::isfinite(d) || std::fabs(d) > e) return false;
    }
    return true;
}

std::optional<int> iterate(Sweep sweep, const Matrix& Ab, int n, Iterate& x0, Iterate& x, double e,
                           double w, const StopRequest& stop, SweepObserver* observer) {
    if (observer) observer->started(x0);
    for (int k = 1;; ++k) {
        stop.check();
        sweep(Ab, n, x0, x, w);
        if (observer && k <= kSweepLimit) observer->sweepDone(k, x);
        const bool done = converged(x, x0, e);
        if (k > kSweepLimit) return std::nullopt;
        if (done) return k;
        x0 = x;
    }
}

} // namespace quorvex
