#pragma once

#include "frame.h"

#include <functional>

class QPlainTextEdit;
class QWidget;

namespace quorvex::ui {

class DialogProvider;
class DisplaySettings;
class ResultArea;

/// Runs a command the way a menu click does: on a thread of its own, so the
/// window stays responsive and can stop it, with the real dialogs shown in
/// the window's thread, a wait cursor while it computes, and the result area
/// replaced in one step at the end.
class CommandController {
public:
    CommandController(DialogProvider& dialogs, QWidget& window, const QPlainTextEdit& editArea,
                      ResultArea& resultArea, const DisplaySettings& settings);

    /// Runs the command and returns once it has ended; the window's events
    /// are handled meanwhile.
    Outcome run(const Command& command);

    /// Asks the running command to stop; the result area then stays as it
    /// was before it.
    void stop();
    bool running() const { return m_stop != nullptr; }

    /// Called with true when a command starts and false when it has ended.
    std::function<void(bool)> onRunning;

private:
    Outcome runOnWorker(const Command& command, Host& host, StopRequest& stop);
    void showChart(const ErrorChart& chart);

    DialogProvider& m_dialogs;
    QWidget& m_window;
    const QPlainTextEdit& m_editArea;
    ResultArea& m_resultArea;
    const DisplaySettings& m_settings;
    StopRequest* m_stop = nullptr;
};

} // namespace quorvex::ui
