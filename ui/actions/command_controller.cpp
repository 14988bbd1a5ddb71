#include "command_controller.h"

#include "background_work.h"
#include "dialog_provider.h"
#include "display_settings.h"
#include "error_chart_dialog.h"
#include "gui_thread_host.h"
#include "messages.h"
#include "qt_host.h"
#include "status_panels.h"
#include "text_areas.h"

#include <QCursor>
#include <QGuiApplication>
#include <QMessageBox>
#include <QStringList>
#include <QWidget>

#include <exception>
#include <memory>

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
                                     const DisplaySettings& settings, BackgroundWork& work,
                                     StatusPanels& status)
    : m_dialogs(dialogs), m_window(window), m_editArea(editArea), m_resultArea(resultArea),
      m_settings(settings), m_work(work), m_status(status) {}

Outcome CommandController::run(const Command& command) {
    if (m_work.running()) return Outcome::Stopped;
    QtHost host(m_dialogs, &m_window, m_editArea, m_resultArea);
    // What a command let go of unfinished must not leave behind.
    std::string earlier = m_resultArea.text();
    std::shared_ptr<const Document> earlierReport = m_resultArea.document();
    // Shared with the command's thread, which may outlive this call.
    auto outcome = std::make_shared<Outcome>(Outcome::Stopped);
    BackgroundWork::Ended ended = BackgroundWork::Ended::Finished;
    std::exception_ptr failure;
    {
        WaitCursor busy;
        try {
            ended = m_work.run([&command, &host, outcome, settings = m_settings.reportSettings()](
                                   const WorkSignals& control) {
                GuiThreadHost worker(host, control);
                // The runner answers an order too large for the memory itself.
                *outcome = runCommand(command, worker, settings, &control.stop);
            });
        } catch (...) {
            failure = std::current_exception();
        }
    }
    if (ended == BackgroundWork::Ended::Abandoned) {
        if (m_resultArea.text() != earlier)
            m_resultArea.setReport(std::move(earlier), std::move(earlierReport));
        return Outcome::Stopped;
    }
    if (!failure) {
        try {
            host.finish();
            showNotices(host.takeNotices());
            if (auto chart = host.takeChart()) showChart(*chart);
            return *outcome;
        } catch (const std::bad_alloc&) {
            // The report is too large to show: the window goes on without it.
            m_resultArea.clear();
            m_dialogs.messageBox(&m_window, outOfMemoryText(), kCaption);
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

void CommandController::showNotices(const std::vector<std::string>& notices) {
    if (notices.empty()) return;
    QStringList lines;
    for (const std::string& n : notices) lines << QString::fromStdString(n);
    m_status.setText(lines.front());
    // A note, not a question: it stays beside the report until closed and
    // never holds up the next command.
    auto* note = new QMessageBox(QMessageBox::Information, kCaption, lines.join(u'\n'),
                                 QMessageBox::Close, &m_window);
    note->setObjectName(QStringLiteral("noticeNote"));
    note->setAttribute(Qt::WA_DeleteOnClose);
    note->setWindowModality(Qt::NonModal);
    note->show();
}

} // namespace quorvex::ui
