#pragma once

#include "linear_frm.h"
#include "scripted_dialogs.h"
#include "text_areas.h"

#include <QAction>
#include <QClipboard>
#include <QFile>
#include <QMenu>
#include <QPlainTextEdit>
#include <QTest>
#include <QToolBar>

namespace quorvex::ui::testing {

/// A shown main window whose dialogs are scripted. On leaving the test it
/// checks that every scripted dialog came and nothing else did.
class WindowHarness {
public:
    WindowHarness() : window(&dialogs) {
        window.show();
        window.activateWindow();
        if (!QTest::qWaitForWindowActive(&window))
            QTest::qFail("the window did not become active", __FILE__, __LINE__);
    }
    ~WindowHarness() {
        if (!dialogs.unexpected.isEmpty())
            QTest::qFail(qPrintable(dialogs.unexpected.join(u'\n')), __FILE__, __LINE__);
        else if (!dialogs.scriptUsedUp())
            QTest::qFail("a scripted dialog was never shown", __FILE__, __LINE__);
        else if (!watchdog.seen.isEmpty())
            QTest::qFail(qPrintable("a real dialog opened: " + watchdog.seen.join(u',')), __FILE__,
                         __LINE__);
    }

    QPlainTextEdit& edit() { return window.editArea(); }
    QPlainTextEdit& resultView() { return window.resultArea().view(); }
    QString result() { return QString::fromStdString(window.resultArea().text()); }
    QString editText() { return QString::fromStdString(crlfText(edit())); }

    QAction* action(const char* name) {
        return window.findChild<QAction*>(QString::fromLatin1(name));
    }
    void trigger(const char* name) {
        QAction* a = action(name);
        QVERIFY2(a, name);
        a->trigger();
    }
    /// Clicks the toolbar's button with this tooltip.
    void clickToolbar(const QString& tip) {
        for (QAction* a : window.findChild<QToolBar*>(QStringLiteral("Toolbar1"))->actions())
            if (!a->isSeparator() && a->toolTip() == tip) return a->trigger();
        QFAIL(qPrintable("no toolbar button " + tip));
    }
    /// Runs the command from its menu item on this text, answering its input
    /// boxes in turn.
    void runCommand(const char* name, const QString& text, const QStringList& answers) {
        edit().setPlainText(text);
        for (const QString& a : answers) dialogs.answerInput(a);
        trigger(name);
    }
    /// Opens a menu the way the user does, so that its opening handler runs.
    void open(QMenu* menu) { emit menu->aboutToShow(); }

    ScriptedDialogs dialogs;
    ModalWatchdog watchdog;
    LinearFrm window;
};

/// Puts the clipboard's text back when the test ends.
class ClipboardGuard {
public:
    ClipboardGuard() : m_text(QApplication::clipboard()->text()) {}
    ~ClipboardGuard() { QApplication::clipboard()->setText(m_text); }
    ClipboardGuard(const ClipboardGuard&) = delete;
    ClipboardGuard& operator=(const ClipboardGuard&) = delete;

private:
    QString m_text;
};

/// Joins lines with CR LF, the way the areas' text reads back.
inline QString crlf(const QStringList& lines) { return lines.join(QStringLiteral("\r\n")); }

inline void writeFile(const QString& path, const QByteArray& bytes) {
    QFile f(path);
    QVERIFY(f.open(QIODevice::WriteOnly));
    QCOMPARE(f.write(bytes), bytes.size());
}

inline QByteArray readFile(const QString& path) {
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray("(missing)");
}

} // namespace quorvex::ui::testing
