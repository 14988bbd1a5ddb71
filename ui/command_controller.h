#pragma once

#include "registry.h"

class QPlainTextEdit;
class QWidget;

namespace quorvex::ui {

class DialogProvider;
class DisplaySettings;
class ResultArea;

/// Runs a method command of the registry the way a menu click does: on the
/// window's thread, with the real dialogs, a wait cursor while it computes,
/// and the result area replaced in one step at the end.
class CommandController {
public:
    CommandController(DialogProvider& dialogs, QWidget& window, const QPlainTextEdit& editArea,
                      ResultArea& resultArea, const DisplaySettings& settings);

    Outcome run(const Command& command);

private:
    DialogProvider& m_dialogs;
    QWidget& m_window;
    const QPlainTextEdit& m_editArea;
    ResultArea& m_resultArea;
    const DisplaySettings& m_settings;
};

} // namespace quorvex::ui
