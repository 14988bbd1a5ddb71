// The edit commands act on the edit area whichever area has the focus;
// their keys come before the text areas' own.
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
    void deleteRule_data() {
        QTest::addColumn<QString>("text");
        QTest::addColumn<int>("start");
        QTest::addColumn<int>("length");
        QTest::addColumn<bool>("resultFocused");
        QTest::addColumn<QString>("result"); // the result area's text
        QTest::addColumn<QString>("expected");
        QTest::newRow("one character after the caret") << "1 2" << 1 << 0 << false << ""
                                                       << "12";
        QTest::newRow("a line break goes whole, CR and LF") << "1 2\n3 4" << 3 << 0 << false << ""
                                                            << "1 23 4";
        QTest::newRow("the selection exactly") << "12345" << 1 << 3 << false << ""
                                               << "15";
        QTest::newRow("nothing at the very end") << "1 2\n3" << 5 << 0 << false << ""
                                                 << "1 2\n3";
        // The caret (3) is compared with the focused area's length: "abc" is 3 long.
        QTest::newRow("result area as long as the caret position: nothing")
            << "1 2 3" << 3 << 0 << true << "abc"
            << "1 2 3";
        QTest::newRow("result area of another length: deletes")
            << "1 2 3" << 3 << 0 << true << "abcd"
            << "1 23";
        // After one line break the caret counts one more: position 4 is 5 as
        // the program counts, the length of "abcde".
        QTest::newRow("line breaks count two in the comparison")
            << "1\n2 3" << 4 << 0 << true << "abcde"
            << "1\n2 3";
    }
    void deleteRule() {
        QFETCH(QString, text);
        QFETCH(int, start);
        QFETCH(int, length);
        QFETCH(bool, resultFocused);
        QFETCH(QString, result);
        QFETCH(QString, expected);
        WindowHarness h;
        h.edit().setPlainText(text);
        h.window.resultArea().setText(result.toStdString());
        select(h.edit(), start, length);
        if (resultFocused) h.resultView().setFocus();
        else h.edit().setFocus();
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Delete);
        QCOMPARE(h.edit().toPlainText(), expected);
    }

    void clipboardKeysFromResultArea_data() {
        QTest::addColumn<int>("key");
        QTest::addColumn<QString>("before"); // on the clipboard
        QTest::addColumn<QString>("edit");
        QTest::addColumn<QString>("clipboard");
        QTest::newRow("copy") << int(Qt::Key_C) << "xyz"
                              << "abc def"
                              << "def";
        QTest::newRow("cut") << int(Qt::Key_X) << "xyz"
                             << "abc "
                             << "def";
        QTest::newRow("paste") << int(Qt::Key_V) << "xyz"
                               << "abc xyz"
                               << "xyz";
        QTest::newRow("paste of nothing removes the selection") << int(Qt::Key_V) << ""
                                                                << "abc "
                                                                << "";
    }
    void clipboardKeysFromResultArea() {
        QFETCH(int, key);
        QFETCH(QString, before);
        QFETCH(QString, edit);
        QFETCH(QString, clipboard);
        ClipboardGuard guard;
        if (before.isEmpty()) QApplication::clipboard()->clear();
        else QApplication::clipboard()->setText(before);
        WindowHarness h;
        h.edit().setPlainText(QStringLiteral("abc def"));
        select(h.edit(), 4, 3);
        h.window.resultArea().setText("report text");
        h.resultView().setFocus();
        h.resultView().selectAll(); // the result area's own selection is not used
        QTest::keyClick(&h.resultView(), Qt::Key(key), Qt::ControlModifier);
        QCOMPARE(h.edit().toPlainText(), edit);
        QCOMPARE(QApplication::clipboard()->text(), clipboard);
        QCOMPARE(h.result(), QStringLiteral("report text"));
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
