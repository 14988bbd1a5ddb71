// Text files: loading into the edit area and saving the result area, in the
// locale's encoding or GB18030. Whatever the file or the folder, nothing
// crashes, nothing already there is lost or half-written, a clear message shows.
#include "file_commands.h"
#include "status_panels.h"
#include "support.h"
#include "window_harness.h"

#include <QDir>
#include <QProgressBar>
#include <QRandomGenerator>
#include <QSignalSpy>
#include <QStringEncoder>
#include <QTemporaryDir>

#ifdef Q_OS_UNIX
#include <csignal>
#include <sys/resource.h>
#include <sys/stat.h>
#endif

#include <memory>
#include <optional>

using namespace quorvex::ui;
using namespace quorvex::ui::testing;

namespace {

const QString kReport = QStringLiteral("  1  2\r\n\r\n输出求解结果\r\nx(1)=0.5\r\n\r\n标题");
#ifdef Q_OS_UNIX
/// While it lives, a file-size limit makes every write past 4 KiB fail as a
/// full disk does.
struct FullDisk {
    rlimit old{};
    void (*oldHandler)(int) = nullptr;
    FullDisk() {
        getrlimit(RLIMIT_FSIZE, &old);
        oldHandler = std::signal(SIGXFSZ, SIG_IGN);
        rlimit small = old;
        small.rlim_cur = 4096;
        setrlimit(RLIMIT_FSIZE, &small);
    }
    ~FullDisk() {
        setrlimit(RLIMIT_FSIZE, &old);
        std::signal(SIGXFSZ, oldHandler);
    }
};
#endif

/// Opens a file over the large-file threshold, answering Yes to going on.
void openAnsweringYes(WindowHarness& h, const QString& file) {
    h.dialogs.chooseFile(Expected::Open, file);
    h.dialogs.answerQuestion(true);
    h.trigger("FileOpen");
}

} // namespace

class FileCommandsTest : public QObject {
    Q_OBJECT
private slots:
    void init() {
        m_dir = std::make_unique<QTemporaryDir>();
        QVERIFY(m_dir->isValid());
    }

    void strangeBytesOpen() {
        // Binary, NUL bytes, invalid UTF-8 and GB18030, lone CR and stray bytes.
        QByteArray binary(1400, '\0');
        QRandomGenerator rng(7);
        for (auto& b : binary) b = static_cast<char>(rng.bounded(256));
        for (const QByteArray& bytes : {binary, QByteArray("1 2\0 3\r\n4\0\0 5 6\r\n", 18),
                                        QByteArray("1 \xff\xfe 2\r\n\x81\x30 \xc0\xaf 3"),
                                        QByteArray("\r\r\r\x80\x80\x80")}) {
            WindowHarness h;
            writeFile(path("strange.txt"), bytes);
            h.dialogs.chooseFile(Expected::Open, path("strange.txt"));
            h.trigger("FileOpen");
            QVERIFY(h.dialogs.messages().isEmpty());
            QVERIFY(!h.editText().isEmpty());
            // The methods read whatever came in without harm.
            h.dialogs.answerInput(QStringLiteral("2"));
            h.trigger("GaussTier");
            QVERIFY(h.result().endsWith(QStringLiteral("Gauss列主元消去法解线性方程组")));
        }
    }

    void openFailures() {
        for (const auto& r : quorvex::testing::table("open_failures")) {
            init(); // a fresh folder for every row
            const std::string& trouble = r[0];
            WindowHarness h;
            h.edit().setPlainText(QStringLiteral("1 2 3"));
            h.window.resultArea().setText("earlier report");
            const QString chosen = path("chosen");
            if (trouble == "folder") QVERIFY(QDir().mkdir(chosen));
            if (trouble == "empty") writeFile(chosen, {});
#ifdef Q_OS_UNIX
            if (trouble == "fifo") QCOMPARE(mkfifo(qPrintable(chosen), 0600), 0);
#else
            if (trouble == "fifo") continue; // needs a FIFO
#endif
            if (trouble == "cancel") h.dialogs.cancelFile(Expected::Open);
            else h.dialogs.chooseFile(Expected::Open, chosen);
            h.dialogs.acceptMessage();
            h.trigger("FileOpen");
            QCOMPARE(h.dialogs.messages(), QStringList{QString::fromStdString(r[1])});
            QCOMPARE(h.dialogs.shown.back().caption, QStringLiteral("Quorvex"));
            const bool kept = trouble != "empty";
            QCOMPARE(h.editText(), kept ? QStringLiteral("1 2 3") : QString());
            QCOMPARE(h.result(), kept ? QStringLiteral("earlier report") : QString());
        }
    }

    void filesThatReportNoSizeAreReadToTheirEnd() {
#ifndef Q_OS_LINUX
        QSKIP("needs /proc");
#endif
        WindowHarness h;
        h.dialogs.chooseFile(Expected::Open, QStringLiteral("/proc/version"));
        h.trigger("FileOpen");
        QVERIFY2(h.editText().startsWith(QStringLiteral("Linux version")),
                 qPrintable(h.editText()));
        // More than 1500 bytes behind a size of 0: the question comes once
        // they are in, and No still keeps both areas.
        h.window.resultArea().setText("report");
        h.dialogs.chooseFile(Expected::Open, QStringLiteral("/proc/self/maps"));
        h.dialogs.answerQuestion(false);
        h.trigger("FileOpen");
        QVERIFY(h.editText().startsWith(QStringLiteral("Linux version")));
        QCOMPARE(h.result(), QStringLiteral("report"));
    }

    void filesOpenAlikeUnderEveryLocale_data() {
        QTest::addColumn<QByteArray>("locale");
        QTest::addColumn<QByteArray>("bytes");
        const QString text = QStringLiteral("线性方程组：\r\n2 1 3\r\n1 3 5");
        const QByteArray utf8 = text.toUtf8();
        const QByteArray gbk = QStringEncoder("GBK").encode(text);
        for (const char* locale : {"UTF-8", "GBK"}) {
            const auto row = [&](const char* file, const QByteArray& bytes) {
                QTest::addRow("%s file, %s locale", file, locale) << QByteArray(locale) << bytes;
            };
            row("UTF-8", utf8);
            row("GBK", gbk);
            row("UTF-8 with a byte-order mark", "\xEF\xBB\xBF" + utf8);
            row("UTF-16 LE with a byte-order mark",
                QStringEncoder(QStringConverter::Utf16LE, QStringConverter::Flag::WriteBom)
                    .encode(text));
            row("UTF-16 BE with a byte-order mark",
                QStringEncoder(QStringConverter::Utf16BE, QStringConverter::Flag::WriteBom)
                    .encode(text));
        }
    }
    void filesOpenAlikeUnderEveryLocale() {
        QFETCH(QByteArray, locale);
        QFETCH(QByteArray, bytes);
        WindowHarness h;
        h.window.fileCommands().setEncoding(locale);
        writeFile(path("input.txt"), bytes);
        h.dialogs.chooseFile(Expected::Open, path("input.txt"));
        h.trigger("FileOpen");
        QCOMPARE(h.editText(), QStringLiteral("线性方程组：\r\n2 1 3\r\n1 3 5"));
    }

    void largeFileQuestionFrom1501Bytes() {
        WindowHarness h;
        writeFile(path("1500.txt"), QByteArray(1500, '7'));
        writeFile(path("1501.txt"), QByteArray(1501, '8'));
        h.dialogs.chooseFile(Expected::Open, path("1500.txt"));
        h.trigger("FileOpen"); // without a question
        QCOMPARE(h.edit().toPlainText(), QString(1500, u'7'));
        h.window.resultArea().setText("report");
        h.dialogs.chooseFile(Expected::Open, path("1501.txt"));
        h.dialogs.answerQuestion(false);
        h.trigger("FileOpen");
        QCOMPARE(h.dialogs.shown.back().text,
                 QStringLiteral("文件太大，如果打开可能要等一段时间，是否仍要继续？"));
        QCOMPARE(h.dialogs.shown.back().caption, QStringLiteral("温馨提示"));
        // No keeps both areas (the round trip and the large file answer Yes).
        QCOMPARE(h.edit().toPlainText(), QString(1500, u'7'));
        QCOMPARE(h.result(), QStringLiteral("report"));
    }

    void fewMegabyteFile() {
        const QString file = path("huge.txt");
        const QByteArray line = QByteArray("1.25 -3 4/5 sqr(2) ").repeated(50) + "\r\n";
        writeFile(file, line.repeated((4 << 20) / line.size() + 1));
        WindowHarness h;
        const QRect editBefore = h.edit().geometry();
        // Answering Yes loads it all while the progress bar moves, once a
        // chunk of a quarter of a million characters.
        auto* progress = h.window.findChild<QProgressBar*>(QStringLiteral("ProgressBar1"));
        QSignalSpy moved(progress, &QProgressBar::valueChanged);
        openAnsweringYes(h, file);
        QVERIFY(moved.count() > 10);
        // Every CR LF is one paragraph break in the document.
        QVERIFY(h.edit().document()->characterCount() > 4'000'000);
        // The bar is gone afterwards and the edit area has its height back.
        QVERIFY(!progress->isVisible());
        QCOMPARE(h.edit().geometry(), editBefore);
    }

    void encodingsRoundTrip() {
        // A UTF-8 locale's, and a Chinese locale's read back on a UTF-8 machine.
        for (const QByteArray& encoding : {QByteArray("UTF-8"), QByteArray("GB18030")}) {
            init(); // a fresh folder for every encoding
            WindowHarness h;
            h.window.fileCommands().setEncoding(encoding);
            QString report; // large, so that it is written and read back in many pieces
            for (int i = 1; i <= 5000; ++i)
                report += kReport + QString::number(i) + QStringLiteral("\r\n");
            h.window.resultArea().setText(report.toStdString());
            const QString file = path("out.txt");
            h.dialogs.chooseFile(Expected::Save, file);
            h.trigger("FileSave");
            // CR LF pairs unchanged, no byte-order mark, nothing added at the end.
            QVERIFY(readFile(file) ==
                    QByteArray(QStringEncoder(encoding.constData()).encode(report)));
            // Opened, it fills the edit area, empties the result area and makes
            // the next 保存 ask for a name again.
            h.window.fileCommands().setEncoding("UTF-8");
            h.window.status().setText(QString());
            openAnsweringYes(h, file);
            QVERIFY(h.editText() == report);
            QVERIFY(h.result().isEmpty());
            QVERIFY(h.window.fileCommands().saveFileName().isEmpty());
            QCOMPARE(h.window.status().text(), QDir::toNativeSeparators(file));
            for (const Shown& dialog : h.dialogs.shown)
                if (dialog.kind != Expected::Question)
                    QCOMPARE(dialog.text, QStringLiteral("文本文件(*.txt);;所有文件(*.*)"));
        }
    }

    void blankReportThenSaveAndSaveAs() {
        WindowHarness h;
        const auto saveItems = [&] {
            h.open(h.window.menus().file);
            return QList<bool>{h.action("FileSave")->isEnabled(),
                               h.action("FileSaveAS")->isEnabled()};
        };
        h.dialogs.acceptMessage();
        h.clickToolbar(QStringLiteral("保存"));
        QCOMPARE(h.dialogs.messages(), QStringList{QStringLiteral("结果为空，不能保存#")});
        // Blanks grey the menu's items, yet the toolbar's button saves them.
        h.window.resultArea().setText("   ");
        QCOMPARE(saveItems(), (QList<bool>{false, false}));
        h.dialogs.chooseFile(Expected::Save, path("blanks.txt"));
        h.clickToolbar(QStringLiteral("保存"));
        QCOMPARE(readFile(path("blanks.txt")), QByteArray("   "));
        h.window.resultArea().setText(" 1 ");
        QCOMPARE(saveItems(), (QList<bool>{true, true}));
        h.trigger("FileSave"); // the name is known: no dialog this time
        QCOMPARE(readFile(path("blanks.txt")), QByteArray(" 1 "));
        h.dialogs.chooseFile(Expected::Save, path("other.txt"));
        h.trigger("FileSaveAS"); // always asks
        QCOMPARE(readFile(path("other.txt")), QByteArray(" 1 "));
    }

    void failedSaveLeavesOldFile() {
        for (const auto& r : quorvex::testing::table("save_failures")) {
            init(); // a fresh folder for every row
            const std::string& trouble = r[1];
#ifndef Q_OS_UNIX
            if (trouble == "full disk") continue; // needs a file-size limit
#endif
            WindowHarness h;
            const QString kept = path("kept.txt");
            writeFile(kept, "old contents");
            QString report = kReport;
            if (trouble == "full disk") report = report.repeated(2000);
            h.window.resultArea().setText(report.toStdString());
            if (trouble == "unencodable") h.window.fileCommands().setEncoding("ISO-8859-1");
            if (trouble == "cancel") h.dialogs.cancelFile(Expected::Save);
            else if (trouble == "missing folder")
                h.dialogs.chooseFile(Expected::Save, path("missing/out.txt"));
            else if (trouble == "folder takes nothing")
                h.dialogs.chooseFile(Expected::Save, QStringLiteral("/proc/quorvex-report.txt"));
            else h.dialogs.chooseFile(Expected::Save, kept);
            h.dialogs.acceptMessage();
            {
#ifdef Q_OS_UNIX
                std::optional<FullDisk> full;
                if (trouble == "full disk") full.emplace();
#endif
                h.trigger(r[0].c_str());
            }
            QCOMPARE(h.dialogs.messages(), QStringList{QString::fromStdString(r[2])});
            QCOMPARE(readFile(kept), QByteArray("old contents"));
            QCOMPARE(QDir(m_dir->path()).entryList(QDir::Files),
                     QStringList{QStringLiteral("kept.txt")});
            QVERIFY(!QFile::exists(QStringLiteral("/proc/quorvex-report.txt")));
        }
    }

private:
    QString path(const char* name) const { return m_dir->filePath(QString::fromLatin1(name)); }
    std::unique_ptr<QTemporaryDir> m_dir; // a fresh folder for every test
};

QTEST_MAIN(FileCommandsTest)
#include "file_commands_test.moc"
