// The main window as a whole: its menu tree, running a method from the
// menu, the status texts, the toolbar, the display settings and the splitter.
#include "display_settings.h"
#include "layout_rules.h"
#include "status_panels.h"
#include "twips.h"
#include "window_harness.h"
#include "window_layout.h"

#include <QLabel>
#include <QMenuBar>
#include <QSignalSpy>
#include <QToolBar>

using namespace quorvex::ui;
using namespace quorvex::ui::testing;

namespace {

/// An item as "name|caption|shortcut", a separator as "name|-".
QStringList describe(const QMenu& menu) {
    QStringList items;
    for (const QAction* a : menu.actions()) {
        if (a->isSeparator()) items << a->objectName() + QStringLiteral("|-");
        else
            items << QStringList{a->objectName(), a->text(), a->shortcut().toString()}.join(u'|');
    }
    return items;
}

const QString kGaussInput = QStringLiteral("2 1 3\n1 3 5");

} // namespace

class MainWindowTest : public QObject {
    Q_OBJECT
private slots:
    void initTestCase() { QApplication::setQuitOnLastWindowClosed(false); }
    void windowNamesAndCaption();
    void menuTree_data();
    void menuTree();
    void alwaysDisabledItems();
    void methodsGreyedWhileEditAreaBlank_data();
    void methodsGreyedWhileEditAreaBlank();
    void gaussFromItsMenuItem();
    void cancelledPrompt_data();
    void cancelledPrompt();
    void orderTooLargeForMemory();
    void statusFollowsFocusAndTyping();
    void toolbarButtons();
    void decimalsSetting_data();
    void decimalsSetting();
    void decimalsFeedTheNextReport();
    void fontAndColours();
    void splitterDragKeepsLimits();
    void closingAndHelpSignals();
};

void MainWindowTest::windowNamesAndCaption() {
    WindowHarness h;
    QCOMPARE(h.window.objectName(), QStringLiteral("LinearFrm"));
    QCOMPARE(h.window.windowTitle(), QStringLiteral("Quorvex"));
    for (const char* name : {"Text1", "Text2", "imgSplitter", "picSplitter", "ProgressBar1",
                             "Toolbar1", "StatusBar1"})
        QVERIFY2(h.window.findChild<QWidget*>(QString::fromLatin1(name)), name);
    QVERIFY(h.resultView().isReadOnly());
    QVERIFY(h.resultView().textInteractionFlags() & Qt::TextSelectableByMouse);
    QVERIFY(!h.edit().isReadOnly());
    QCOMPARE(h.edit().lineWrapMode(), QPlainTextEdit::NoWrap);
    QCOMPARE(h.resultView().lineWrapMode(), QPlainTextEdit::NoWrap);
    QCOMPARE(h.window.status().text(), QStringLiteral("编辑区域")); // Text1 has the focus
    QVERIFY(!h.window.findChild<QWidget*>(QStringLiteral("picSplitter"))->isVisible());
    QVERIFY(!h.window.findChild<QWidget*>(QStringLiteral("ProgressBar1"))->isVisible());
    // The client area opens 8850 x 6225 twips.
    const Twips t = Twips::of(h.window);
    QCOMPARE(h.window.centralWidget()->width(), t.toPixels(8850));
    QCOMPARE(h.window.centralWidget()->height(), t.toPixels(6225));
}

void MainWindowTest::menuTree_data() {
    QTest::addColumn<QString>("menu");
    QTest::addColumn<QString>("caption");
    QTest::addColumn<QStringList>("items");
    QTest::newRow("file") << "FileMenu" << "文件(&F)"
                          << QStringList{"FileNew|新建|Ctrl+N", "FileOpen|打开|Ctrl+O",
                                         "FileSave|保存|Ctrl+S", "FileSaveAS|另存为|",
                                         "FileExit|退出|"};
    QTest::newRow("edit") << "EditMenu" << "编辑(&E)"
                          << QStringList{"EditSelectAll|全选(&A)|Ctrl+A", "Edit|撤消|Ctrl+Z",
                                         "EditCut|剪切|Ctrl+X", "EditCopy|复制|Ctrl+C",
                                         "EditPaste|粘贴|Ctrl+V", "EditDelete|删除(&L)|Del"};
    QTest::newRow("display") << "Format" << "显示(&V)"
                             << QStringList{"FormatStyle|字体|", "FormatBackColor|背景色|",
                                            "FormatDecimalDigits|设置小数数位|",
                                            "FormatDefault|默认|"};
    QTest::newRow("methods")
        << "Uncoil" << "解线性方程组(&U)"
        << QStringList{"Gauss_1|Gauss消去法|", "GaussTier|Gauss列主元消去法|",
                       "GaussFull|Gauss全主元消去法|", "Gauss__|-",
                       "GaussApply|列主元消去法应用|", "A_matrix|列主元求逆矩阵|",
                       "A_range|列主元求行列式|", "MatrixBreak|矩阵的三角分解|", "ctx__|-",
                       "LU_break|LU分解法|", "SqrtRoot|平方根法|", "MendSqrt|改进的平方根法|",
                       "Purase|追赶法(解三对角)|", "TierLU|列主元三角分解法|", "ctx___|-",
                       "JacobiDie|雅可比迭代法|", "Gauss_SeidelDie|高斯-塞德尔迭代法|",
                       "SorDie|逐次超松驰迭代法|", "IterativeAstringency|迭代法的收敛性|"};
    QTest::newRow("convergence")
        << "IterativeAstringency" << "迭代法的收敛性"
        << QStringList{"CMatrixJudge|正定矩阵判断|", "VectorModel|向量范数|",
                       "MatrixModel|矩阵范数|", "StrictMatrixJudge|严格对角占优矩阵判断|"};
    QTest::newRow("help") << "mnuHelp" << "帮助(&H)"
                          << QStringList{"mnuHelpFile|帮助文件|", "mnuAbout|关于|"};
}

void MainWindowTest::menuTree() {
    QFETCH(QString, menu);
    QFETCH(QString, caption);
    QFETCH(QStringList, items);
    WindowHarness h;
    const auto* m = h.window.findChild<QMenu*>(menu);
    QVERIFY(m);
    QCOMPARE(m->title(), caption);
    QCOMPARE(describe(*m), items);
}

void MainWindowTest::alwaysDisabledItems() {
    WindowHarness h;
    h.edit().setPlainText(QStringLiteral("1 2"));
    h.open(h.window.menus().methods);
    QVERIFY(!h.action("Edit")->isEnabled());
    QVERIFY(!h.action("GaussApply")->isEnabled());
    QSignalSpy undo(h.action("Edit"), &QAction::triggered);
    QTest::keyClick(&h.edit(), Qt::Key_Z, Qt::ControlModifier);
    QCOMPARE(undo.count(), 0);
}

void MainWindowTest::methodsGreyedWhileEditAreaBlank_data() {
    QTest::addColumn<QString>("text");
    QTest::addColumn<bool>("enabled");
    QTest::newRow("empty") << "" << false;
    QTest::newRow("blanks only") << "   " << false;
    QTest::newRow("a number") << " 3 " << true;
    QTest::newRow("a line break is not a blank") << "\n" << true;
}

void MainWindowTest::methodsGreyedWhileEditAreaBlank() {
    QFETCH(QString, text);
    QFETCH(bool, enabled);
    WindowHarness h;
    h.edit().setPlainText(text);
    h.open(h.window.menus().methods);
    for (const auto& [action, entry] : h.window.menus().methodItems)
        QCOMPARE(action->isEnabled(), enabled && entry->handler != nullptr);
    QCOMPARE(h.window.menus().convergence->menuAction()->isEnabled(), enabled);
    QVERIFY(!h.action("GaussApply")->isEnabled());
}

void MainWindowTest::gaussFromItsMenuItem() {
    WindowHarness h;
    h.edit().setPlainText(kGaussInput);
    h.dialogs.answerInput(QStringLiteral("2"));
    h.trigger("Gauss_1");
    // 2x + y = 3, x + 3y = 5: m = 1/2, row 2 becomes 0 2.5 3.5, y = 1.4, x = 0.8
    QCOMPARE(h.result(), crlf({"  2  1  3", "  1  3  5", "", "输出方程组增广矩阵消元后的结果",
                               "  2  1  3", "  0  2.5  3.5", "", "输出求解结果", "x(1)=0.8",
                               "x(2)=1.4", "", "Gauss消去法解线性方程组"}));
    QCOMPARE(h.dialogs.shown.size(), std::size_t{1});
    QCOMPARE(h.dialogs.shown[0].text, QStringLiteral("输入矩阵的阶数 n："));
    QCOMPARE(h.dialogs.shown[0].caption, QStringLiteral("输入数据"));
    QCOMPARE(h.dialogs.shown[0].defaultAnswer, QStringLiteral("3"));
    QVERIFY(!QGuiApplication::overrideCursor());
}

void MainWindowTest::cancelledPrompt_data() {
    QTest::addColumn<QString>("command");
    QTest::addColumn<QString>("result");
    QTest::newRow("Gauss_1 keeps the report") << "Gauss_1" << "earlier report";
    QTest::newRow("GaussTier empties the area before asking") << "GaussTier" << "";
}

void MainWindowTest::cancelledPrompt() {
    QFETCH(QString, command);
    QFETCH(QString, result);
    WindowHarness h;
    h.window.resultArea().setText("earlier report");
    h.edit().setPlainText(kGaussInput);
    QString duringPrompt;
    h.dialogs.cancelInput([&] { duringPrompt = h.result(); });
    h.trigger(qPrintable(command));
    QCOMPARE(duringPrompt, result);
    QCOMPARE(h.result(), result);
}

void MainWindowTest::orderTooLargeForMemory() {
    // No machine holds the arrays of order 32766: one message, and the
    // result area shows what it showed before the command.
    WindowHarness h;
    h.window.resultArea().setText("earlier report");
    h.edit().setPlainText(kGaussInput);
    h.dialogs.answerInput(QStringLiteral("32766"));
    h.dialogs.acceptMessage();
    h.trigger("GaussTier");
    QCOMPARE(h.result(), QStringLiteral("earlier report"));
    QCOMPARE(h.dialogs.shown.size(), std::size_t{2});
    QCOMPARE(h.dialogs.shown[1].text, QStringLiteral("内存不足，不能处理 32766 阶的矩阵，请减小阶数#"));
    QCOMPARE(h.dialogs.shown[1].caption, QStringLiteral("Quorvex"));
}

void MainWindowTest::statusFollowsFocusAndTyping() {
    WindowHarness h;
    StatusPanels& status = h.window.status();
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
    QVERIFY(h.edit().toPlainText().isEmpty());
    for (const char* panel : {"Panel2", "Panel3"})
        QVERIFY(!h.window.findChild<QLabel*>(QString::fromLatin1(panel))->text().isEmpty());
}

void MainWindowTest::toolbarButtons() {
    WindowHarness h;
    auto* bar = h.window.findChild<QToolBar*>(QStringLiteral("Toolbar1"));
    QStringList layout;
    for (QAction* a : bar->actions()) {
        if (a->isSeparator()) layout << QStringLiteral("|");
        else if (auto* gap = bar->widgetForAction(a); gap && a->text().isEmpty())
            layout << gap->objectName();
        else
            layout << a->toolTip() + (a->isEnabled() ? QString() : QStringLiteral("(disabled)"));
    }
    QCOMPARE(layout, (QStringList{"新建", "打开", "保存", "|", "剪切", "复制", "粘贴", "|",
                                  "placeholder", "撤消(disabled)", "恢复(disabled)"}));
    h.edit().setPlainText(QStringLiteral("1 2"));
    h.window.resultArea().setText("r");
    bar->actions().first()->trigger(); // 新建
    QVERIFY(h.edit().toPlainText().isEmpty());
    QVERIFY(h.result().isEmpty());
}

void MainWindowTest::decimalsSetting_data() {
    QTest::addColumn<QString>("answer");
    QTest::addColumn<bool>("cancel");
    QTest::addColumn<int>("digits");
    QTest::newRow("2.5 rounds to even") << "2.5" << false << 2;
    QTest::newRow("3.5 rounds to even") << "3.5" << false << 4;
    QTest::newRow("leading number") << "12abc" << false << 12;
    QTest::newRow("above 16") << "17" << false << 16;
    QTest::newRow("below 1") << "-3" << false << 1;
    QTest::newRow("cancel gives 1") << "" << true << 1;
}

void MainWindowTest::decimalsSetting() {
    QFETCH(QString, answer);
    QFETCH(bool, cancel);
    QFETCH(int, digits);
    WindowHarness h;
    if (cancel) h.dialogs.cancelInput();
    else h.dialogs.answerInput(answer);
    h.trigger("FormatDecimalDigits");
    QCOMPARE(h.window.displaySettings().decimalDigits(), digits);
    const Shown& box = h.dialogs.shown.at(0);
    QCOMPARE(box.text, QStringLiteral("输入要设置小数数位 n："));
    QCOMPARE(box.caption, QStringLiteral("设置小数数位"));
    QCOMPARE(box.defaultAnswer, QStringLiteral("6"));
}

void MainWindowTest::decimalsFeedTheNextReport() {
    WindowHarness h;
    // 3x = 1, 3y = 2: nothing to eliminate; y = 2/3, x = 1/3 (stored to
    // one decimal more than printed)
    h.edit().setPlainText(QStringLiteral("3 0 1\n0 3 2"));
    h.dialogs.answerInput(QStringLiteral("2"));
    h.trigger("FormatDecimalDigits");
    h.dialogs.answerInput(QStringLiteral("2"));
    h.trigger("Gauss_1");
    QVERIFY2(h.result().contains(crlf({"x(1)=0.33", "x(2)=0.67"})), qPrintable(h.result()));
    h.trigger("FormatDefault");
    QCOMPARE(h.window.displaySettings().decimalDigits(), 6);
    h.dialogs.answerInput(QStringLiteral("2"));
    h.trigger("Gauss_1");
    QVERIFY2(h.result().contains(crlf({"x(1)=0.333333", "x(2)=0.666667"})),
             qPrintable(h.result()));
}

void MainWindowTest::fontAndColours() {
    WindowHarness h;
    QFont chosen(QStringLiteral("WenQuanYi Zen Hei"), 14);
    chosen.setBold(true);
    chosen.setUnderline(true);
    chosen.setStrikeOut(true);
    h.dialogs.pickFont({chosen, Qt::darkRed});
    h.trigger("FormatStyle");
    h.dialogs.pickColor(Qt::yellow);
    h.trigger("FormatBackColor");
    h.dialogs.cancelColor();
    h.trigger("FormatBackColor"); // cancelled: nothing changes
    for (QPlainTextEdit* area : {&h.edit(), &h.resultView()}) {
        QCOMPARE(area->font().family(), chosen.family());
        QCOMPARE(area->font().pointSize(), 14);
        QVERIFY(area->font().bold() && area->font().underline() && area->font().strikeOut());
        QCOMPARE(area->palette().color(QPalette::Text), QColor(Qt::darkRed));
        QCOMPARE(area->palette().color(QPalette::Base), QColor(Qt::yellow));
    }
    h.trigger("FormatDefault");
    for (QPlainTextEdit* area : {&h.edit(), &h.resultView()}) {
        QCOMPARE(area->font().family(), QStringLiteral("宋体"));
        QCOMPARE(area->font().pointSize(), 9);
        QVERIFY(!area->font().bold() && !area->font().underline() && !area->font().strikeOut());
        QCOMPARE(area->palette().color(QPalette::Base), QApplication::palette().color(QPalette::Base));
    }
}

void MainWindowTest::splitterDragKeepsLimits() {
    WindowHarness h;
    auto* grip = h.window.findChild<QWidget*>(QStringLiteral("imgSplitter"));
    auto* bar = h.window.findChild<QWidget*>(QStringLiteral("picSplitter"));
    const Twips t = Twips::of(h.window);
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

void MainWindowTest::closingAndHelpSignals() {
    WindowHarness h;
    QSignalSpy about(&h.window, &LinearFrm::aboutRequested);
    QSignalSpy help(&h.window, &LinearFrm::helpRequested);
    QSignalSpy unloaded(&h.window, &LinearFrm::unloaded);
    h.trigger("mnuAbout");
    h.trigger("mnuHelpFile");
    h.trigger("FileExit");
    QCOMPARE(about.count(), 1);
    QCOMPARE(help.count(), 1);
    QCOMPARE(unloaded.count(), 1);
    QVERIFY(!h.window.isVisible());
}

QTEST_MAIN(MainWindowTest)
#include "main_window_test.moc"
