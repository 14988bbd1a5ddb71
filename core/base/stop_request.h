#pragma once

// How a running command is asked to stop, from another thread or a signal
// handler: the routines at every floor look at it, so it stands below them.

#include <atomic>

namespace quorvex {

/// Thrown where a running command notices that it was asked to stop;
/// runCommand turns it into a clean stop.
struct CommandStopped {};

/// A request to stop a running command, made from another thread (the
/// window's 停止) or a signal handler (the CLI's Ctrl+C). Commands look at it
/// once per stage of their work, so a stop takes effect within one stage.
class StopRequest {
public:
    void request() noexcept { m_requested.store(true, std::memory_order_relaxed); }
    /// Makes the request at the command's `looks`-th look from now, wherever
    /// in its work that falls: how the tests stop a command part way through
    /// without depending on how fast it runs.
    void requestAtLook(long long looks) noexcept {
        m_looksLeft.store(looks, std::memory_order_relaxed);
    }
    bool requested() const noexcept {
        if (m_looksLeft.load(std::memory_order_relaxed) > 0 &&
            m_looksLeft.fetch_sub(1, std::memory_order_relaxed) == 1)
            m_requested.store(true, std::memory_order_relaxed);
        return m_requested.load(std::memory_order_relaxed);
    }
    /// Throws CommandStopped when a stop was requested.
    void check() const {
        if (requested()) throw CommandStopped();
    }

private:
    mutable std::atomic<bool> m_requested{false};
    mutable std::atomic<long long> m_looksLeft{0};
};

} // namespace quorvex
