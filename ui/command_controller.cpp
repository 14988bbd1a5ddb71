#include "command_controller.h"

#include "dialog_provider.h"
#include "display_settings.h"
#include "messages.h"
#include "qt_host.h"
#include "registry.h"
#include "text_areas.h"

#include <QCursor>
#include <QGuiApplication>

#include <exception>

namespace quorvex::ui {

namespace {

class WaitCursor {
public:
    WaitCursor() { QGuiApplication::setOverrideCursor(Qt::WaitCursor); }
    ~WaitCursor() { QGuiApplication::restoreOverrideCursor(); }
    WaitCursor(const WaitCursor&) = delete;
    WaitCursor& operator=(const WaitCursor&) = delete;
};

} // namespace

CommandController::CommandController(DialogProvider& dialogs, QWidget& window,
                                     const QPlainTextEdit& editArea, ResultArea& resultArea,
                                     const DisplaySettings& settings)
    : m_dialogs(dialogs), m_window(window), m_editArea(editArea), m_resultArea(resultArea),
      m_settings(settings) {}

Outcome CommandController::run(const Command& command) {
    QtHost host(m_dialogs, &m_window, m_editArea, m_resultArea);
    Outcome outcome = Outcome::Stopped;
    try {
        WaitCursor busy;
        // The runner answers an order too large for the memory itself.
        outcome = runCommand(command, host, m_settings.reportSettings());
    } catch (const std::exception&) {
        // Anything else unforeseen: the unfinished report is dropped.
        m_dialogs.messageBox(&m_window, kOperationError, kCaption);
        return Outcome::Failed;
    }
    host.finish();
    return outcome;
}

} // namespace quorvex::ui
