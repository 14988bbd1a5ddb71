#pragma once

#include "frame/frame.h"

#include <atomic>
#include <functional>
#include <memory>

namespace quorvex::ui {

/// What a piece of background work is told while it runs: whether to stop
/// at its next check, and whether the window has stopped waiting for it.
struct WorkSignals {
    StopRequest stop;
    /// Set on the window's thread before the window goes on without the
    /// work: nothing the work started may reach the window any more.
    std::atomic<bool> abandoned{false};
};

/// Long work of the window (a command, an export, printing): on a thread of
/// its own while the window's events are handled, so that 停止 and Esc can
/// stop it and closing the window need not wait for it. One at a time.
class BackgroundWork {
public:
    enum class Ended { Finished, Abandoned };

    /// Runs work and returns once it has ended, or at once when abandon()
    /// is called meanwhile; the work then goes on, unseen, until its next
    /// stop check. An exception thrown by finished work is thrown again here.
    Ended run(std::function<void(const WorkSignals&)> work);

    bool running() const { return static_cast<bool>(m_current); }
    /// Asks the running work to stop at its next check.
    void stop();
    /// Stops the work and stops waiting for it.
    void abandon();

    /// Called with true when work starts and false when it has ended.
    std::function<void(bool)> onRunning;

    /// Whether any work left behind by abandon() is still running: the
    /// program then ends without tearing down what that work may touch.
    static bool leftRunning();

private:
    struct State;
    std::shared_ptr<State> m_current;
};

} // namespace quorvex::ui
