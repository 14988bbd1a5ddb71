#pragma once

#include "frame/frame.h"

#include <functional>
#include <memory>
#include <string>
#include <vector>

class QPlainTextEdit;
class QWidget;

namespace quorvex::ui {

class BackgroundWork;
class DialogProvider;
class DisplaySettings;
class ResultArea;
class StatusPanels;

/// Runs a command the way a menu click does: on a thread of its own, so the
/// window stays responsive and can stop it, with the real dialogs shown in
/// the window's thread, a wait cursor while it computes, and the result area
/// replaced in one step at the end.
class CommandController {
public:
    /// The commands run as the window's background work.
    CommandController(DialogProvider& dialogs, QWidget& window, const QPlainTextEdit& editArea,
                      ResultArea& resultArea, const DisplaySettings& settings, BackgroundWork& work,
                      StatusPanels& status);

    /// Runs the command and returns once it has ended, or once the window
    /// has stopped waiting for it (the result area is then left as it was);
    /// the window's events are handled meanwhile. A stop request leaves the
    /// result area as it was before the command.
    Outcome run(const Command& command);

private:
    void showChart(const ErrorChart& chart);
    void showNotices(const std::vector<std::string>& notices);

    DialogProvider& m_dialogs;
    QWidget& m_window;
    const QPlainTextEdit& m_editArea;
    ResultArea& m_resultArea;
    const DisplaySettings& m_settings;
    BackgroundWork& m_work;
    StatusPanels& m_status;
};

} // namespace quorvex::ui
