// The main window as a whole: its menu tree, running a method from the
// menu, the status texts, the toolbar, the display settings, the window in
// English and the splitter.
#include "background_work.h"
#include "common_module.h"
#include "frm_about.h"
#include "frm_exit.h"
#include "help_viewer.h"
#include "status_panels.h"
#include "support.h"
#include "twips.h"
#include "window_harness.h"
#include "window_layout.h"

#include <QAbstractButton>
#include <QLabel>
#include <QMenuBar>
#include <QSignalSpy>
#include <QTextCursor>
#include <QToolBar>

#include <algorithm>
#include <atomic>
#include <thread>

using namespace quorvex::ui;
using namespace quorvex::ui::testing;

namespace {

/// A menu as "name|title", then each item as "name|caption|shortcut", joined by blanks.
QString describe(const QMenu& menu) {
    QStringList items{menu.objectName() + u'|' + menu.title()};
    for (const QAction* a : menu.actions())
        items << QStringList{a->objectName(), a->text(), a->shortcut().toString()}.join(u'|');
    return items.join(u' ');
}

bool hasChinese(const QString& text) {
    return std::any_of(text.begin(), text.end(), [](QChar c) { return c.unicode() >= 0x3000; });
}

/// The faults of one menu in English: a text with a Chinese character, an
/// accelerator two of its items share.
QStringList englishFaults(const QString& title, const QList<QAction*>& items) {
    QStringList faults;
    QSet<QChar> keys;
    if (hasChinese(title)) faults << title;
    for (const QAction* a : items) {
        if (hasChinese(a->text()) || hasChinese(a->toolTip())) faults << a->text();
        const QString text = QString(a->text()).remove(QStringLiteral("&&"));
        if (const qsizetype at = text.indexOf(u'&'); at >= 0 && at + 1 < text.size()) {
            const QChar key = text[at + 1].toLower();
            if (keys.contains(key)) faults << title + u'|' + a->text();
            keys.insert(key);
        }
    }
    return faults;
}

/// The texts of a window and its controls that hold a Chinese character.
QStringList chineseTexts(const QWidget& window) {
    QStringList found{window.windowTitle()};
    for (const QLabel* label : window.findChildren<QLabel*>())
        found << label->text() << label->toolTip();
    for (const QAbstractButton* b : window.findChildren<QAbstractButton*>()) found << b->text();
    found.removeIf([](const QString& text) { return !hasChinese(text); });
    return found;
}

const QString kGaussInput = QStringLiteral("2 1 3\n1 3 5");
const QString kEarlier = QStringLiteral("earlier report");
const QString kTitle = QStringLiteral("Gauss消去法解线性方程组");

/// Runs a row of the stopped commands' table: the command stopped while its
/// order prompt is up.
void stopped(const std::vector<std::string>& row) {
    const QString command = QString::fromStdString(row[0]);
    const QString order = row[1] == "cancel" ? QString() : QString::fromStdString(row[1]);
    const QString message = QString::fromStdString(row[4]), stopBy = QString::fromStdString(row[5]);
    WindowHarness h;
    h.window.resultArea().setText(kEarlier.toStdString());
    h.edit().setPlainText(command == "CheckWork" ? kGaussInput + "\n\n2 1 3\n0 2.5 3.5"
                                                 : kGaussInput);
    QString shown;
    auto* stop = h.window.findChild<QToolBar*>(QStringLiteral("Toolbar1"))->actions().last();
    QSignalSpy unloaded(&h.window, &LinearFrm::unloaded);
    const auto whileShown = [&] {
        shown = h.result();
        // While it runs, only stopping is left to the user.
        QVERIFY(!h.window.menuBar()->isEnabled() && h.edit().isReadOnly());
        QVERIFY(stop->isVisible());
        if (stopBy == "Esc") QTest::keyClick(&h.window, Qt::Key_Escape);
        if (stopBy == "button") h.clickToolbar(QStringLiteral("停止 (Esc)"));
        if (stopBy == "close") h.window.close();
    };
    h.dialogs.expect({.kind = Expected::Input,
                      .answer = order,
                      .cancel = order.isNull(),
                      .whileShown = whileShown});
    if (!message.isEmpty()) h.dialogs.acceptMessage();
    h.trigger(qPrintable(command));
    QCOMPARE(shown, QString::fromStdString(row[2]));
    QCOMPARE(h.result(), QString::fromStdString(row[3]));
    QCOMPARE(h.dialogs.messages(), message.isEmpty() ? QStringList() : QStringList{message});
    QCOMPARE(h.window.isVisible(), stopBy != "close");
    QCOMPARE(unloaded.count(), stopBy == "close" ? 1 : 0);
    QVERIFY(h.window.menuBar()->isEnabled() && !h.edit().isReadOnly() && !stop->isVisible());
}

} // namespace

class MainWindowTest : public QObject {
    Q_OBJECT
private slots:
    void initTestCase() { QApplication::setQuitOnLastWindowClosed(false); }

    void menuTree() {
        WindowHarness h;
        // The methods menu itself is the registry's layout, checked there.
        for (const auto& row : quorvex::testing::table("menus")) {
            const QString expected = QString::fromStdString(row[0]);
            const auto* menu = h.window.findChild<QMenu*>(expected.section(u'|', 0, 0));
            QVERIFY2(menu, row[0].c_str());
            QCOMPARE(describe(*menu), expected);
        }
    }

    void englishWindow() {
        WindowHarness h;
        h.edit().setPlainText(QStringLiteral("3 0 1\n0 3 2"));
        h.dialogs.answerInput(QStringLiteral("2"));
        h.trigger("Gauss_1");
        const QString chinese = h.result(), status = h.window.status().text();
        h.trigger("FormatLanguageEnglish");
        QCOMPARE(h.result(), chinese);
        QVERIFY(h.action("FormatLanguageEnglish")->isChecked());
        // Every menu, the bar's own among them, and the toolbar's tips.
        QStringList faults = englishFaults(QString(), h.window.menuBar()->actions());
        for (const QMenu* menu : h.window.findChildren<QMenu*>())
            faults << englishFaults(menu->title(), menu->actions());
        for (const QAction* a :
             h.window.findChild<QToolBar*>(QStringLiteral("Toolbar1"))->actions())
            if (hasChinese(a->toolTip())) faults << a->toolTip();
        if (hasChinese(h.window.status().text())) faults << h.window.status().text();
        // The About window, the help viewer and the credits.
        CommonModule common;
        const FrmAbout about(common, &h.window);
        faults << chineseTexts(about) << chineseTexts(HelpViewer(&h.window));
        // Every text of the About window fits its label, and the links say
        // where they lead.
        for (const QLabel* label : about.findChildren<QLabel*>()) {
            const bool fits = label->wordWrap()
                                  ? label->heightForWidth(label->width()) <= label->height()
                                  : label->sizeHint().width() <= label->width();
            if (!fits) faults << QStringLiteral("clipped: ") + label->text();
            if (label->text().startsWith(QStringLiteral("Blog"))) faults << label->text();
        }
        if (hasChinese(creditsText())) faults << creditsText();
        QVERIFY2(faults.isEmpty(), qPrintable(faults.join(u'\n')));
        // The next command asks and writes in English.
        h.dialogs.answerInput(QStringLiteral("2"));
        h.trigger("FormatDecimalDigits");
        QCOMPARE(h.dialogs.shown.back().text,
                 QStringLiteral("Enter the number of decimal places n:"));
        h.dialogs.answerInput(QStringLiteral("2"));
        h.trigger("Gauss_1");
        QVERIFY(!hasChinese(h.result()) && h.result().contains(QStringLiteral("x(1)=0.33")));
        QVERIFY(hasChinese(h.dialogs.shown.at(0).text) && !hasChinese(h.dialogs.shown.back().text));
        // Back in Chinese, every menu reads as it always has.
        h.trigger("FormatLanguageChinese");
        for (const auto& row : quorvex::testing::table("menus")) {
            const QString expected = QString::fromStdString(row[0]);
            QCOMPARE(describe(*h.window.findChild<QMenu*>(expected.section(u'|', 0, 0))), expected);
        }
        QCOMPARE(h.window.status().text(), status);
    }

    void methodsGreyedWhileEditAreaBlank() {
        // Empty or blanks only grey them; a number, or a line break, does not.
        for (const auto& [text, enabled] : {std::pair{"", false}, std::pair{"   ", false},
                                            std::pair{" 3 ", true}, std::pair{"\n", true}}) {
            WindowHarness h;
            h.edit().setPlainText(QString::fromLatin1(text));
            h.open(h.window.menus().methods);
            for (const auto& [action, command] : h.window.menus().commandItems)
                QCOMPARE(action->isEnabled(), enabled);
            QCOMPARE(h.window.menus().convergence->menuAction()->isEnabled(), enabled);
            // 撤消 and 列主元消去法应用 have no command behind them.
            QVERIFY(!h.action("GaussApply")->isEnabled() && !h.action("Edit")->isEnabled());
        }
    }

    void menuRunsTheMethodWithTheDigitsSet() {
        // 3x = 1, 3y = 2: x = 1/3, y = 2/3, kept to one decimal more than shown;
        // 2.5 decimals round to the even 2, a cancelled setting gives one.
        WindowHarness h;
        h.edit().setPlainText(QStringLiteral("3 0 1\n0 3 2"));
        const auto solve = [&] {
            h.dialogs.answerInput(QStringLiteral("2"));
            h.trigger("Gauss_1");
            return h.result().section(QStringLiteral("输出求解结果\r\n"), 1);
        };
        QCOMPARE(solve(), crlf({"x(1)=0.333333", "x(2)=0.666667", "", kTitle}));
        QVERIFY(!QGuiApplication::overrideCursor());
        h.dialogs.answerInput(QStringLiteral("2.5"));
        h.trigger("FormatDecimalDigits");
        const Shown& digitsBox = h.dialogs.shown.at(1);
        QCOMPARE(digitsBox.text, QStringLiteral("输入要设置小数数位 n："));
        QCOMPARE(digitsBox.caption, QStringLiteral("设置小数数位"));
        QCOMPARE(digitsBox.defaultAnswer, QStringLiteral("6"));
        QCOMPARE(solve(), crlf({"x(1)=0.33", "x(2)=0.67", "", kTitle}));
        h.dialogs.expect({.kind = Expected::Input, .cancel = true});
        h.trigger("FormatDecimalDigits");
        QCOMPARE(solve(), crlf({"x(1)=0.3", "x(2)=0.7", "", kTitle}));
        h.trigger("FormatDefault");
        QCOMPARE(solve(), crlf({"x(1)=0.333333", "x(2)=0.666667", "", kTitle}));
        // 精确分数 writes fractions until it is unchecked, or 默认 turns it off.
        QAction* exact = h.window.findChild<QAction*>(QStringLiteral("FormatExact"));
        QVERIFY(exact && exact->isCheckable() && !exact->isChecked());
        h.trigger("FormatExact");
        QVERIFY(exact->isChecked());
        QCOMPARE(solve(), crlf({"x(1)=1/3", "x(2)=2/3", "", kTitle}));
        h.trigger("FormatDefault");
        QVERIFY(!exact->isChecked());
        QCOMPARE(solve(), crlf({"x(1)=0.333333", "x(2)=0.666667", "", kTitle}));
        // 详细步骤 puts the steps into the report until 默认 turns it off.
        QAction* steps = h.window.findChild<QAction*>(QStringLiteral("FormatSteps"));
        QVERIFY(steps && steps->isCheckable() && !steps->isChecked());
        h.trigger("FormatSteps");
        QVERIFY(steps->isChecked());
        QCOMPARE(solve(), crlf({"x(1)=0.333333", "x(2)=0.666667", "", kTitle}));
        QVERIFY(h.result().contains(QStringLiteral("回代求解：")));
        h.trigger("FormatDefault");
        QVERIFY(!steps->isChecked());
        solve();
        QVERIFY(!h.result().contains(QStringLiteral("回代求解：")));
        // 逐行变换 brings the steps with it, and 默认 turns it off too.
        QAction* rows = h.window.findChild<QAction*>(QStringLiteral("FormatRowSteps"));
        QVERIFY(rows && rows->isCheckable() && !rows->isChecked());
        h.trigger("FormatRowSteps");
        solve();
        QVERIFY(h.result().contains(QStringLiteral("回代求解：")));
        h.trigger("FormatDefault");
        QVERIFY(!rows->isChecked());
    }

    void stoppedCommand() {
        for (const auto& row : quorvex::testing::table("stopped_commands")) stopped(row);
    }
    void closingDoesNotWaitForWorkThatIgnoresStop() {
        WindowHarness h;
        QSignalSpy unloaded(&h.window, &LinearFrm::unloaded);
        std::atomic<bool> release{false}, ended{false};
        QTimer::singleShot(0, &h.window, [&h] { h.window.close(); });
        const auto how = h.window.work().run([&](const WorkSignals&) {
            while (!release) std::this_thread::yield();
            ended = true;
        });
        QCOMPARE(how, BackgroundWork::Ended::Abandoned);
        QVERIFY(!ended);
        QVERIFY(!h.window.isVisible());
        QCOMPARE(unloaded.count(), 1);
        release = true;
        QTRY_VERIFY(!BackgroundWork::leftRunning());
    }

    void startsThenStatusFollowsFocusAndTyping() {
        WindowHarness h;
        StatusPanels& status = h.window.status();
        QCOMPARE(h.window.windowTitle(), QStringLiteral("Quorvex"));
        QVERIFY(h.resultView().isReadOnly() && !h.edit().isReadOnly());
        QCOMPARE(status.text(), QStringLiteral("编辑区域")); // Text1 has the focus at start
        h.resultView().setFocus();
        QCOMPARE(status.text(), QStringLiteral("结果区域"));
        h.edit().setFocus();
        QCOMPARE(status.text(), QStringLiteral("编辑区域"));
        QTest::keyClick(&h.edit(), Qt::Key_7);
        QCOMPARE(status.text(), QStringLiteral("编辑状态"));
        h.trigger("FileNew");
        QCOMPARE(status.text(), QStringLiteral("状态"));
        // Focus coming back from a closed menu or dialog is no move between
        // areas, unless it comes back to the other area.
        for (Qt::FocusReason reason : {Qt::PopupFocusReason, Qt::ActiveWindowFocusReason}) {
            QFocusEvent back(QEvent::FocusIn, reason);
            QApplication::sendEvent(&h.edit(), &back);
            QCOMPARE(status.text(), QStringLiteral("状态"));
        }
        QFocusEvent other(QEvent::FocusIn, Qt::ActiveWindowFocusReason);
        QApplication::sendEvent(&h.resultView(), &other);
        QCOMPARE(status.text(), QStringLiteral("结果区域"));
    }

    void toolbarButtons() {
        WindowHarness h;
        auto* bar = h.window.findChild<QToolBar*>(QStringLiteral("Toolbar1"));
        QStringList layout;
        for (QAction* a : bar->actions()) {
            if (a->isSeparator()) layout << QStringLiteral("|");
            else if (auto* gap = bar->widgetForAction(a); gap && a->text().isEmpty())
                layout << gap->objectName();
            else if (a->isVisible()) layout << a->toolTip() + (a->isEnabled() ? "" : "(disabled)");
        }
        QCOMPARE(layout, (QStringList{"新建", "打开", "保存", "|", "剪切", "复制", "粘贴", "|",
                                      "placeholder", "撤消(disabled)", "恢复(disabled)"}));
        QSignalSpy undo(h.action("Edit"), &QAction::triggered);
        QTest::keyClick(&h.edit(), Qt::Key_Z, Qt::ControlModifier); // nor does its key work
        QCOMPARE(undo.count(), 0);
        ClipboardGuard guard;
        h.edit().setPlainText(QStringLiteral("1 2 3"));
        QTextCursor c = h.edit().textCursor();
        c.setPosition(2);
        c.setPosition(3, QTextCursor::KeepAnchor);
        h.edit().setTextCursor(c);
        h.clickToolbar(QStringLiteral("剪切"));
        QCOMPARE(QApplication::clipboard()->text(), QStringLiteral("2"));
        h.clickToolbar(QStringLiteral("粘贴"));
        h.clickToolbar(QStringLiteral("粘贴"));
        h.clickToolbar(QStringLiteral("撤消")); // no command behind it
        QCOMPARE(h.edit().toPlainText(), QStringLiteral("1 22 3"));
        h.window.resultArea().setText("r");
        bar->actions().first()->trigger(); // 新建
        QVERIFY(h.edit().toPlainText().isEmpty() && h.result().isEmpty());
    }

    void fontAndColours() {
        WindowHarness h;
        QFont chosen(QStringLiteral("WenQuanYi Zen Hei"), 14);
        chosen.setBold(true);
        chosen.setUnderline(true);
        chosen.setStrikeOut(true);
        h.dialogs.expect({.kind = Expected::Font, .font = FontChoice{chosen, Qt::darkRed}});
        h.trigger("FormatStyle");
        h.dialogs.expect({.kind = Expected::Color, .color = Qt::yellow});
        h.trigger("FormatBackColor");
        h.dialogs.expect({.kind = Expected::Color, .cancel = true});
        h.trigger("FormatBackColor"); // cancelled: nothing changes
        for (QPlainTextEdit* area : {&h.edit(), &h.resultView()}) {
            QCOMPARE(area->font(), chosen);
            QCOMPARE(area->palette().color(QPalette::Text), QColor(Qt::darkRed));
            QCOMPARE(area->palette().color(QPalette::Base), QColor(Qt::yellow));
        }
        h.trigger("FormatDefault");
        for (QPlainTextEdit* area : {&h.edit(), &h.resultView()}) {
            QCOMPARE(area->font(), QFont(QStringLiteral("宋体"), 9));
            QCOMPARE(area->palette().color(QPalette::Base),
                     QApplication::palette().color(QPalette::Base));
        }
    }

    void splitterDragKeepsLimits() {
        WindowHarness h;
        auto* grip = h.window.findChild<QWidget*>(QStringLiteral("imgSplitter"));
        auto* bar = h.window.findChild<QWidget*>(QStringLiteral("picSplitter"));
        const Twips t = Twips::of(h.window);
        QVERIFY(!bar->isVisible()); // until a drag starts
        const auto send = [&](QEvent::Type type, int x) {
            QMouseEvent e(type, QPointF(x, 5), grip->mapToGlobal(QPointF(x, 5)), Qt::LeftButton,
                          type == QEvent::MouseButtonRelease ? Qt::NoButton : Qt::LeftButton,
                          Qt::NoModifier);
            QApplication::sendEvent(grip, &e);
        };
        send(QEvent::MouseButtonPress, 2);
        QVERIFY(bar->isVisible() && h.window.windowLayout().splitterMoving());
        send(QEvent::MouseMove, -grip->x()); // to the window's left edge
        QCOMPARE(bar->x(), t.toPixels(500));
        send(QEvent::MouseButtonRelease, -grip->x());
        QVERIFY(!bar->isVisible() && !h.window.windowLayout().splitterMoving());
        QCOMPARE(h.window.windowLayout().areas().edit.width, 1500.0);
        QCOMPARE(h.edit().width(), t.toPixels(1500));
        QCOMPARE(h.resultView().x(), t.toPixels(1600));
    }

    void closingAndHelpSignals() {
        WindowHarness h;
        QSignalSpy about(&h.window, &LinearFrm::aboutRequested);
        QSignalSpy help(&h.window, &LinearFrm::helpRequested);
        QSignalSpy unloaded(&h.window, &LinearFrm::unloaded);
        h.trigger("mnuAbout");
        h.trigger("mnuHelpFile");
        h.trigger("FileExit");
        QCOMPARE((QList<qsizetype>{about.count(), help.count(), unloaded.count()}),
                 (QList<qsizetype>{1, 1, 1}));
        QVERIFY(!h.window.isVisible());
    }
};

QTEST_MAIN(MainWindowTest)
#include "main_window_test.moc"
