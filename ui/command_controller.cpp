#include "command_controller.h"

#include "dialog_provider.h"
#include "display_settings.h"
#include "error_chart_dialog.h"
#include "gui_thread_host.h"
#include "messages.h"
#include "qt_host.h"
#include "text_areas.h"

#include <QCursor>
#include <QEventLoop>
#include <QGuiApplication>
#include <QWidget>

#include <exception>
#include <thread>

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

void CommandController::stop() {
    if (m_stop) m_stop->request();
}

Outcome CommandController::run(const Command& command) {
    if (running()) return Outcome::Stopped;
    QtHost host(m_dialogs, &m_window, m_editArea, m_resultArea);
    StopRequest stop;
    m_stop = &stop;
    if (onRunning) onRunning(true);
    Outcome outcome = Outcome::Stopped;
    std::exception_ptr failure;
    {
        WaitCursor busy;
        try {
            outcome = runOnWorker(command, host, stop);
        } catch (...) {
            failure = std::current_exception();
        }
    }
    m_stop = nullptr;
    if (onRunning) onRunning(false);
    if (!failure) {
        try {
            host.finish();
            if (auto chart = host.takeChart()) showChart(*chart);
            return outcome;
        } catch (const std::bad_alloc&) {
            // The report is too large to show: the window goes on without it.
            m_resultArea.clear();
            m_dialogs.messageBox(&m_window, kOutOfMemory, kCaption);
            return Outcome::Failed;
        }
    }
    // Anything unforeseen: the unfinished report is dropped.
    m_dialogs.messageBox(&m_window, kOperationError, kCaption);
    return Outcome::Failed;
}

void CommandController::showChart(const ErrorChart& chart) {
    // Beside the report rather than in front of it: the window stays usable.
    auto* dialog = new ErrorChartDialog(chart, &m_window, &m_dialogs);
    dialog->setAttribute(Qt::WA_DeleteOnClose);
    dialog->show();
}

Outcome CommandController::runOnWorker(const Command& command, Host& host, StopRequest& stop) {
    GuiThreadHost worker(host, m_window);
    Outcome outcome = Outcome::Stopped;
    std::exception_ptr failure;
    QEventLoop loop;
    std::thread thread([&] {
        try {
            // The runner answers an order too large for the memory itself.
            outcome = runCommand(command, worker, m_settings.reportSettings(), &stop);
        } catch (...) {
            failure = std::current_exception();
        }
        QMetaObject::invokeMethod(&loop, &QEventLoop::quit, Qt::QueuedConnection);
    });
    loop.exec();
    thread.join();
    if (failure) std::rethrow_exception(failure);
    return outcome;
}

} // namespace quorvex::ui
