// The program speaks its own language in every dialog whatever the locale
// (the tests run under C.UTF-8), Chinese unless English is chosen, sets its named fonts in faces
// the machine has, and copies reports the way it saves them.
#include "application_setup.h"
#include "font_dialog.h"
#include "qt_dialogs.h"
#include "window_harness.h"
#include "window_language.h"

#include <QDialogButtonBox>
#include <QFontDatabase>
#include <QFontInfo>
#include <QMenu>
#include <QPushButton>
#include <QRegularExpression>
#include <QTimer>

#include <functional>

using namespace quorvex::ui;
using namespace quorvex::ui::testing;

namespace {

/// The captions of the buttons of the next modal dialog, mnemonics
/// removed ("是(&Y)" reads 是); the dialog is then closed.
QStringList buttonsOfNextDialog(const std::function<void()>& show) {
    QStringList captions;
    QTimer::singleShot(0, [&] {
        QWidget* dialog = QApplication::activeModalWidget();
        if (!dialog) return;
        for (auto* button : dialog->findChildren<QAbstractButton*>())
            captions << button->text().remove(QRegularExpression(QStringLiteral("\\(&.\\)|&")));
        dialog->close();
    });
    show();
    captions.sort();
    return captions;
}

} // namespace

class ApplicationSetupTest : public QObject {
    Q_OBJECT
private slots:
    void initTestCase() {
        QVERIFY(QLocale::system().language() != QLocale::Chinese);
        setUpApplication(*qApp);
    }

    void dialogButtonsReadTheWindowLanguage() {
        QtDialogs dialogs;
        QWidget owner;
        const auto check = [&](const char* ok, const char* no, const char* yes,
                               const char* cancel) {
            QCOMPARE(buttonsOfNextDialog([&] { dialogs.messageBox(&owner, "消息", "Quorvex"); }),
                     QStringList{QString::fromUtf8(ok)});
            QCOMPARE(buttonsOfNextDialog([&] { dialogs.askYesNo(&owner, "问题", "Quorvex"); }),
                     (QStringList{QString::fromUtf8(no), QString::fromUtf8(yes)}));
            QCOMPARE(buttonsOfNextDialog([&] { dialogs.inputBox(&owner, "阶数", "Quorvex", "3"); }),
                     (QStringList{QString::fromUtf8(cancel), QString::fromUtf8(ok)}));
        };
        check("确定", "否", "是", "取消");
        useWindowLanguage(quorvex::Language::English);
        check("OK", "No", "Yes", "Cancel");
        useWindowLanguage(quorvex::Language::Chinese);
        check("确定", "否", "是", "取消");
    }

    void languageFromTheCommandLine() {
        using quorvex::Language;
        const auto read = [](QStringList arguments) {
            return languageArgument(QStringList{QStringLiteral("quorvex")} + arguments);
        };
        QCOMPARE(read({}), Language::Chinese);
        QCOMPARE(read({"--lang", "en"}), Language::English);
        QCOMPARE(read({"-platform", "offscreen", "--lang", "zh"}), Language::Chinese);
        QCOMPARE(read({"--lang", "fr"}), std::nullopt);
        QCOMPARE(read({"--lang"}), std::nullopt);
    }

    void namedFontsResolveToInstalledFaces() {
        for (const QString& family : {QStringLiteral("宋体"), QStringLiteral("隶书")}) {
            const QFont font(family);
            const QString resolved = QFontInfo(font).family();
            QVERIFY2(QFont::substitutes(family).contains(resolved, Qt::CaseInsensitive),
                     qPrintable(resolved));
            QVERIFY2(QFontDatabase::families().contains(resolved), qPrintable(resolved));
            // One face for the Chinese and the Latin letters of a title.
            const QFontMetrics metrics(font);
            QVERIFY(metrics.inFont(u'隶') && metrics.inFont(u'Q'));
        }
    }

    void fontDialogFitsTheMainWindow() {
        WindowHarness h;
        FontDialog dialog({h.edit().font(), Qt::black}, &h.window);
        dialog.show();
        QVERIFY2(dialog.width() <= h.window.width() && dialog.height() <= h.window.height(),
                 qPrintable(QStringLiteral("%1x%2 in %3x%4")
                                .arg(dialog.width())
                                .arg(dialog.height())
                                .arg(h.window.width())
                                .arg(h.window.height())));
    }

    void copiedReportsHaveCrLfBreaks() {
        WindowHarness h;
        ClipboardGuard guard;
        h.window.resultArea().setText("  1  2\r\n\r\n输出求解结果\r\nx(1)=0.5");
        h.resultView().selectAll();
        bool copied = false;
        QTimer::singleShot(0, [&] {
            auto* menu = qobject_cast<QMenu*>(QApplication::activePopupWidget());
            if (!menu) return;
            if (auto* copy = menu->findChild<QAction*>(QStringLiteral("edit-copy"))) {
                copy->trigger();
                copied = true;
            }
            menu->close();
        });
        emit h.resultView().customContextMenuRequested(QPoint(4, 4));
        QVERIFY(copied);
        QCOMPARE(QApplication::clipboard()->text(),
                 QStringLiteral("  1  2\r\n\r\n输出求解结果\r\nx(1)=0.5"));
    }
};

QTEST_MAIN(ApplicationSetupTest)
#include "application_setup_test.moc"
