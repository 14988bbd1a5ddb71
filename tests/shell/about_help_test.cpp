// The About window, web links and the help book, driven through the shell as
// the main window drives it.
#include "commands/registry.h"
#include "frm_about.h"
#include "frm_exit.h"
#include "help_viewer.h"
#include "recording.h"
#include "shell.h"
#include "shell_texts.h"
#include "texts/text.h"

#include <QDir>
#include <QFile>
#include <QLabel>
#include <QRegularExpression>
#include <QTextBrowser>
#include <QtTest>

using namespace quorvex;
using namespace quorvex::ui;

namespace {

/// A main window stand-in with the shell wired to it, recording what the
/// platform would have been asked.
struct Fixture {
    QWidget mainWindow;
    testing::Recording rec;
    Shell shell{mainWindow, rec.module(), [this] { ++rec.ended; }};
};

QString helpText(const QString& page) {
    QFile f(":/help/" + page);
    return f.open(QIODevice::ReadOnly) ? QString::fromUtf8(f.readAll()) : QString();
}

} // namespace

class AboutHelpTest : public QObject {
    Q_OBJECT
private slots:
    void oneAboutWindowWithItsLinks() {
        Fixture f;
        f.shell.showAbout();
        FrmAbout* first = f.shell.about();
        QVERIFY(first && first->isVisible());
        QCOMPARE(first->windowTitle(), QString("关于Quorvex"));
        QVERIFY(first->grab().save(QUORVEX_TEST_OUTPUT "/about.png")); // for a look
        f.shell.showAbout();
        QCOMPARE(f.shell.about(), first);
        QCOMPARE(f.mainWindow.findChildren<FrmAbout*>().size(), 1);
        for (const char* label : {"lblBlog1", "lblBlog2", "lblBlog3", "lblBlog"}) {
            auto* link = first->findChild<QLabel*>(label);
            QVERIFY2(link, label);
            QTest::mouseClick(link, Qt::LeftButton);
        }
        QCOMPARE(f.rec.opened, (std::vector<QUrl>{QUrl(kBlogPage1), QUrl(kBlogPage2),
                                                  QUrl(kDownloadPage), QUrl(kBlogPage3)}));
        // The contact line's link leads somewhere too.
        auto* contact = first->findChild<QLabel*>("Label5");
        QVERIFY(contact);
        const QRegularExpression href(QStringLiteral("href=\"([^\"]+)\""));
        const QString contactAddress = href.match(contact->text()).captured(1);
        QVERIFY2(!contactAddress.isEmpty(), qPrintable(contact->text()));
        emit contact->linkActivated(contactAddress);
        QCOMPARE(f.rec.opened.back(), QUrl(contactAddress));
        // Every address is a web page, a mail address, or a page the help book has.
        for (const QUrl& url : f.rec.opened) {
            if (url.scheme() == "qrc")
                QVERIFY2(QFile::exists(":" + url.path()), qPrintable(url.toString()));
            else
                QVERIFY2(url.scheme() == "https" || url.scheme() == "http" ||
                             url.scheme() == "mailto",
                         qPrintable(url.toString()));
        }
        // Closed by the user, it is unloaded; the next 关于 loads a new one.
        first->close();
        QTRY_VERIFY(!f.shell.about());
        f.shell.showAbout();
        QVERIFY(f.shell.about());
        QCOMPARE(f.mainWindow.findChildren<FrmAbout*>().size(), 1);
    }

    void blankAddressOpensTheDefaultPage() {
        Fixture f;
        for (const char* given : {"", "   ", "  https://www.debian.org/  "})
            f.shell.common().OpenWebPage(QString::fromLatin1(given));
        QCOMPARE(f.rec.opened, (std::vector<QUrl>{QUrl(kDefaultPage), QUrl(kDefaultPage),
                                                  QUrl("https://www.debian.org/")}));
    }

    void helpPageAddressesOpenInOneViewer() {
        openAddress(QUrl(QStringLiteral("qrc:/help/news.html")));
        openAddress(QUrl(QStringLiteral("qrc:/help/feedback.html")));
        QList<HelpViewer*> viewers;
        for (QWidget* w : QApplication::topLevelWidgets())
            if (auto* v = qobject_cast<HelpViewer*>(w)) viewers << v;
        QCOMPARE(viewers.size(), 1);
        QVERIFY(viewers[0]->isVisible());
        QCOMPARE(viewers[0]->browser()->source(), QUrl("qrc:/help/feedback.html"));
        QVERIFY(!viewers[0]->browser()->document()->toPlainText().isEmpty());
        // The About window's contact line, in English.
        useHelpLanguage(Language::English);
        openAddress(QUrl(kFeedbackPage));
        useHelpLanguage(Language::Chinese);
        QCOMPARE(viewers[0]->browser()->source(), QUrl("qrc:/help/en/feedback.html"));
        viewers[0]->close();
    }

    void closingTheMainWindowUnloadsAboutAndShowsCredits() {
        Fixture f;
        f.mainWindow.show();
        f.shell.showAbout();
        QPointer<FrmAbout> about = f.shell.about();
        f.mainWindow.close();
        f.shell.showCredits();
        QVERIFY(about.isNull());
        QVERIFY(f.shell.credits() && f.shell.credits()->isVisible());
        QCOMPARE(f.rec.ended, 0); // the credits wait for their click
        QTest::mouseClick(f.shell.credits(), Qt::LeftButton);
        QCOMPARE(f.rec.ended, 1);
    }

    void helpOpensItsIndex() {
        Fixture f;
        f.shell.showHelp();
        auto* viewer = f.mainWindow.findChild<HelpViewer*>();
        QVERIFY(viewer && viewer->isVisible());
        QCOMPARE(viewer->browser()->source(), QUrl("qrc:/help/index.html"));
        QCOMPARE(viewer->windowTitle(), QString("Quorvex 帮助"));
        viewer->browser()->setSource(QUrl("qrc:/help/report.html"));
        QCOMPARE(viewer->windowTitle(), QString("提问与报告 - Quorvex 帮助"));
        f.shell.showHelp();
        QCOMPARE(f.mainWindow.findChildren<HelpViewer*>().size(), 1);
        viewer->resize(900, 700);
        QVERIFY(viewer->grab().save(QUORVEX_TEST_OUTPUT "/help.png"));
        // In English the same request opens the English page.
        useHelpLanguage(Language::English);
        f.shell.showHelp();
        useHelpLanguage(Language::Chinese);
        QCOMPARE(viewer->browser()->source(), QUrl("qrc:/help/en/index.html"));
        // A page the book does not have opens nothing.
        QWidget other;
        f.shell.common().OpenHelpFile(&other, "LinearHelp.CHM");
        QVERIFY(!other.findChild<HelpViewer*>());
    }

    void helpDescribesEveryCommand() {
        QString book;
        for (const QString& page : QDir(":/help").entryList({"*.html"})) book += helpText(page);
        for (const MenuEntry& e : methodMenu()) {
            if (e.kind != MenuEntryKind::Command) continue;
            const QString id = QString::fromUtf8(e.id().data(), e.id().size());
            QVERIFY2(book.contains("id=\"" + id + "\""), qPrintable(id + " has no help section"));
        }
    }
};

QTEST_MAIN(AboutHelpTest)
#include "about_help_test.moc"
