// The edit commands act on the edit area whichever area has the focus;
// their keys come before the text areas' own.
#include "support.h"
#include "window_harness.h"

#include <QTextCursor>

using namespace quorvex::ui;
using namespace quorvex::ui::testing;

namespace {

void select(QPlainTextEdit& area, int start, int length) {
    QTextCursor c = area.textCursor();
    c.setPosition(start);
    c.setPosition(start + length, QTextCursor::KeepAnchor);
    area.setTextCursor(c);
}

} // namespace

class EditCommandsTest : public QObject {
    Q_OBJECT
private slots:
    void deleteRule() {
        for (const auto& r : quorvex::testing::table("delete_key")) {
            WindowHarness h;
            h.edit().setPlainText(QString::fromStdString(r[0]));
            h.window.resultArea().setText(r[4]);
            select(h.edit(), std::stoi(r[1]), std::stoi(r[2]));
            if (r[3] == "result") h.resultView().setFocus();
            else h.edit().setFocus();
            QTest::keyClick(QApplication::focusWidget(), Qt::Key_Delete);
            QCOMPARE(h.edit().toPlainText(), QString::fromStdString(r[5]));
        }
    }

    void clipboardKeysFromResultArea() {
        for (const auto& r : quorvex::testing::table("clipboard_keys")) {
            ClipboardGuard guard;
            if (r[1].empty()) QApplication::clipboard()->clear();
            else QApplication::clipboard()->setText(QString::fromStdString(r[1]));
            WindowHarness h;
            h.edit().setPlainText(QStringLiteral("abc def"));
            select(h.edit(), 4, 3);
            h.window.resultArea().setText("report text");
            h.resultView().setFocus();
            h.resultView().selectAll(); // the result area's own selection is not used
            QTest::keyClick(&h.resultView(), Qt::Key(Qt::Key_A + r[0][0] - 'A'),
                            Qt::ControlModifier);
            QCOMPARE(h.edit().toPlainText(), QString::fromStdString(r[2]));
            QCOMPARE(QApplication::clipboard()->text(), QString::fromStdString(r[3]));
            QCOMPARE(h.result(), QStringLiteral("report text"));
        }
    }

    void selectAllThenCopyGivesCrLfLines() {
        ClipboardGuard guard;
        WindowHarness h;
        h.edit().setPlainText(QStringLiteral("1 2\n3 4\n"));
        h.window.resultArea().setText("r");
        h.resultView().setFocus();
        QTest::keyClick(&h.resultView(), Qt::Key_A, Qt::ControlModifier); // selects the edit area
        QVERIFY(!h.resultView().textCursor().hasSelection());
        // The menu's keys, not the edit area's own, even while it has the focus.
        h.edit().setFocus();
        QTest::keyClick(&h.edit(), Qt::Key_C, Qt::ControlModifier);
        QCOMPARE(QApplication::clipboard()->text(), QStringLiteral("1 2\r\n3 4\r\n"));
    }
};

QTEST_MAIN(EditCommandsTest)
#include "edit_commands_test.moc"
