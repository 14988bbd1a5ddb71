#include "qt_host.h"

#include "dialog_provider.h"
#include "report/render.h"
#include "system_memory.h"
#include "text_areas.h"

#include <QCursor>
#include <QGuiApplication>

namespace quorvex::ui {

namespace {

QString qt(const std::string& s) { return QString::fromStdString(s); }

/// The wait cursor is lifted while a dialog waits for the user.
class CursorPause {
public:
    CursorPause() : m_active(QGuiApplication::overrideCursor() != nullptr) {
        if (m_active) QGuiApplication::restoreOverrideCursor();
    }
    ~CursorPause() {
        if (m_active) QGuiApplication::setOverrideCursor(Qt::WaitCursor);
    }
    CursorPause(const CursorPause&) = delete;
    CursorPause& operator=(const CursorPause&) = delete;

private:
    bool m_active;
};

} // namespace

QtHost::QtHost(DialogProvider& dialogs, QWidget* parent, const QPlainTextEdit& editArea,
               ResultArea& resultArea)
    : m_dialogs(dialogs), m_parent(parent), m_editArea(editArea), m_resultArea(resultArea) {}

std::string QtHost::inputBox(const std::string& prompt, const std::string& caption,
                             const std::string& defaultAnswer) {
    showResult();
    CursorPause pause;
    return m_dialogs.inputBox(m_parent, qt(prompt), qt(caption), qt(defaultAnswer)).toStdString();
}

void QtHost::messageBox(const std::string& text, const std::string& caption) {
    showResult();
    CursorPause pause;
    m_dialogs.messageBox(m_parent, qt(text), qt(caption));
}

bool QtHost::askYesNo(const std::string& text, const std::string& caption) {
    showResult();
    CursorPause pause;
    return m_dialogs.askYesNo(m_parent, qt(text), qt(caption));
}

std::string QtHost::editText() {
    // The edit area cannot change while a command runs: read it once.
    if (!m_editText) m_editText = crlfText(m_editArea);
    return *m_editText;
}

std::string QtHost::resultText() { return result(); }

void QtHost::setResultText(std::string text) {
    m_result = std::move(text);
    m_document.reset();
    m_resultChanged = true;
}

void QtHost::appendResult(std::shared_ptr<const Document> report) {
    std::string text = renderText(*report);
    appendRendered(std::move(text), std::move(report));
}

void QtHost::appendRendered(std::string text, std::shared_ptr<const Document> report) {
    std::string& area = changedResult();
    // Every command empties the area first: the report is taken over whole.
    if (area.empty()) {
        area = std::move(text);
        m_document = std::move(report);
    } else {
        area.append(text);
        m_document.reset();
    }
}

void QtHost::showResult() {
    if (!m_resultChanged) return;
    m_resultArea.setText(*m_result);
    m_resultChanged = false;
}

std::uint64_t QtHost::availableMemory() { return platform::availableMemoryBytes(); }

void QtHost::finish() {
    if (!m_resultChanged) return;
    // A text put back as it was (a command stopped for want of memory)
    // keeps the report it shows.
    if (m_document || *m_result != m_resultArea.text())
        m_resultArea.setReport(std::move(*m_result), std::move(m_document));
    m_result.reset();
    m_resultChanged = false;
}

std::string& QtHost::result() {
    if (!m_result) m_result = m_resultArea.text();
    return *m_result;
}

std::string& QtHost::changedResult() {
    m_resultChanged = true;
    return result();
}

} // namespace quorvex::ui
