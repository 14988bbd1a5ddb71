#include "kernels/leading_minors.h"

#include <algorithm>
#include <system_error>

namespace quorvex::kernels {

LeadingMinors::LeadingMinors(const Matrix& B, int n, const KernelSettings& settings)
    : m_B(B), m_n(n), m_commandStop(settings.stop), m_values(static_cast<std::size_t>(n) + 1, 0.0),
      m_state(static_cast<std::size_t>(n) + 1, kPending) {
    const int workers = settings.threads > 1 ? std::min(settings.threads, n) : 0;
    m_workers.reserve(static_cast<std::size_t>(workers));
    try {
        for (int t = 0; t < workers; ++t) m_workers.emplace_back([this] { work(); });
    } catch (const std::system_error&) {
        // Fewer threads than asked for (none at worst) still give every minor.
    }
}

LeadingMinors::~LeadingMinors() {
    m_stop = true;
    // The jthreads join as they go.
}

double LeadingMinors::compute(int k, std::vector<double>& buffer) const {
    buffer.resize(static_cast<std::size_t>(k) * static_cast<std::size_t>(k));
    for (int i = 1; i <= k; ++i)
        std::copy(m_B.row(i), m_B.row(i) + k,
                  buffer.data() + static_cast<std::ptrdiff_t>(i - 1) * k);
    int exchanges = 0;
    return columnPivotDeterminantFast(buffer.data(), k, k, exchanges,
                                      KernelSettings{1, m_commandStop});
}

void LeadingMinors::work() {
    std::vector<double> buffer;
    for (int k = m_next++; k <= m_n && !m_stop; k = m_next++) {
        State state = kDone;
        double value = 0.0;
        try {
            value = compute(k, buffer);
        } catch (...) {
            // Out of memory or stopped here: the caller computes this one
            // itself, where the failure or the stop reaches the command's
            // own handling.
            state = kFailed;
        }
        {
            const std::lock_guard lock(m_mutex);
            m_values[static_cast<std::size_t>(k)] = value;
            m_state[static_cast<std::size_t>(k)] = state;
        }
        m_ready.notify_all();
    }
}

double LeadingMinors::operator()(int k) {
    const auto at = static_cast<std::size_t>(k);
    if (!m_workers.empty()) {
        // The workers take every minor in turn until destroyed, so each one
        // is reached.
        std::unique_lock lock(m_mutex);
        m_ready.wait(lock, [&] { return m_state[at] != kPending; });
        if (m_state[at] == kDone) return m_values[at];
    }
    std::vector<double> buffer;
    return compute(k, buffer);
}

} // namespace quorvex::kernels
