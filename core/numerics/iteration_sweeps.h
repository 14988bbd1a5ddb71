#pragma once

#include "base/matrix.h"
#include "base/stop_request.h"

#include <optional>
#include <vector>

namespace quorvex {

/// The most sweeps an iteration may take before it counts as not converging.
inline constexpr int kSweepLimit = 1000;

/// Iterates are held 0-based: x[i] is component i+1.
using Iterate = std::vector<double>;

/// One sweep over the augmented matrix Ab (b is column n+1): x0 holds the
/// previous iterate, x the one being computed. On entry x equals x0.
using Sweep = void (*)(const Matrix& Ab, int n, const Iterate& x0, Iterate& x, double w);

/// A Jacobi sweep: every component from the previous iterate only.
void jacobiSweep(const Matrix& Ab, int n, const Iterate& x0, Iterate& x, double w);

/// A Gauss-Seidel sweep: each component uses the ones this sweep has made.
void gaussSeidelSweep(const Matrix& Ab, int n, const Iterate& x0, Iterate& x, double w);

/// A relaxation sweep with the factor w.
void relaxationSweep(const Matrix& Ab, int n, const Iterate& x0, Iterate& x, double w);

/// True when some diagonal element of the leading n x n block is exactly 0.
bool hasZeroDiagonal(const Matrix& Ab, int n);

/// A sweep has converged when no component moved by more than e either way;
/// a move that is not a finite number means the iteration is running away.
bool converged(const Iterate& x, const Iterate& x0, double e);

/// The largest magnitude of b - A·x over the augmented matrix Ab, each
/// component summed left to right.
double residualMaxNorm(const Matrix& Ab, int n, const Iterate& x);

/// Told the initial iterate and every sweep's iterate, so that a caller can
/// follow the error or write the sweeps down.
class SweepObserver {
public:
    virtual ~SweepObserver() = default;
    virtual void started(const Iterate&) {}
    virtual void sweepDone(int k, const Iterate& x) = 0;
};

/// Runs sweeps from x0 until one converges; gives the number of sweeps, or
/// nothing when kSweepLimit is passed. The count is checked before the
/// test's result is used, so a sweep beyond the limit never counts even when
/// it converged. x holds the last iterate.
std::optional<int> iterate(Sweep sweep, const Matrix& Ab, int n, Iterate& x0, Iterate& x, double e,
                           double w, const StopRequest& stop, SweepObserver* observer = nullptr);

} // namespace quorvex
