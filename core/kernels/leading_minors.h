#pragma once

#include "kernels/blocked_elimination.h"
#include "matrix.h"

#include <atomic>
#include <condition_variable>
#include <mutex>
#include <thread>
#include <vector>

namespace quorvex::kernels {

/// The leading principal minors of a square matrix, det of its leading k x k
/// block for k = 1..n, each computed as ColumnPivotDeterminant computes it.
/// They are independent, so worker threads compute them ahead, in
/// increasing order, while the caller takes them one by one; a caller that
/// stops early (a minor not greater than 0) simply destroys the object, and
/// the workers stop after the minor they are on. A stop request of the
/// settings ends a minor at its next stage, in the workers as in the
/// caller. With one thread each minor is computed when asked for.
class LeadingMinors {
public:
    /// Minors of the leading n x n block of B (B may have more columns).
    LeadingMinors(const Matrix& B, int n, const KernelSettings& settings);
    ~LeadingMinors();
    LeadingMinors(const LeadingMinors&) = delete;
    LeadingMinors& operator=(const LeadingMinors&) = delete;

    /// The minor of order k (1..n); waits for it when a worker has it in hand.
    double operator()(int k);

private:
    enum State : unsigned char { kPending, kDone, kFailed };

    void work();
    double compute(int k, std::vector<double>& buffer) const;

    const Matrix& m_B;
    int m_n;
    const StopRequest* m_commandStop;
    std::vector<double> m_values;
    std::vector<State> m_state;
    std::atomic<int> m_next{1};
    std::atomic<bool> m_stop{false};
    std::mutex m_mutex;
    std::condition_variable m_ready;
    std::vector<std::jthread> m_workers;
};

} // namespace quorvex::kernels
