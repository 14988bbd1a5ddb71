// Files that are not what a user means to open, and folders a save cannot
// use: nothing crashes, nothing already there is lost, a clear message shows.
#include "file_commands.h"
#include "window_harness.h"

#include <QDir>
#include <QFile>
#include <QProgressBar>
#include <QRandomGenerator>
#include <QSignalSpy>
#include <QTemporaryDir>

#ifdef Q_OS_UNIX
#include <csignal>
#include <sys/resource.h>
#endif

#include <memory>

using namespace quorvex::ui;
using namespace quorvex::ui::testing;

namespace {

void write(const QString& path, const QByteArray& bytes) {
    QFile f(path);
    QVERIFY(f.open(QIODevice::WriteOnly));
    QCOMPARE(f.write(bytes), bytes.size());
}

QByteArray read(const QString& path) {
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray("(missing)");
}

const std::string kReport = "  1  2\r\n\r\n输出求解结果\r\nx(1)=0.5\r\n\r\n标题";

} // namespace

class HostileFilesTest : public QObject {
    Q_OBJECT
private slots:
    void init() {
        m_dir = std::make_unique<QTemporaryDir>();
        QVERIFY(m_dir->isValid());
    }
    void strangeBytesOpen_data();
    void strangeBytesOpen();
    void vanishedOrUnreadableFile_data();
    void vanishedOrUnreadableFile();
    void hundredMegabyteFile();
    void saveIntoAFolderThatTakesNothing();
    void saveOntoAFullDisk();

private:
    QString path(const char* name) const { return m_dir->filePath(QString::fromLatin1(name)); }
    std::unique_ptr<QTemporaryDir> m_dir;
};

void HostileFilesTest::strangeBytesOpen_data() {
    QTest::addColumn<QByteArray>("bytes");
    QByteArray binary(1400, '\0');
    QRandomGenerator rng(7);
    for (auto& b : binary) b = static_cast<char>(rng.bounded(256));
    QTest::newRow("binary") << binary;
    QTest::newRow("NUL bytes") << QByteArray("1 2\0 3\r\n4\0\0 5 6\r\n", 18);
    QTest::newRow("invalid UTF-8 and GB18030") << QByteArray("1 \xff\xfe 2\r\n\x81\x30 \xc0\xaf 3");
    QTest::newRow("lone CR and stray bytes") << QByteArray("\r\r\r\x80\x80\x80");
}

void HostileFilesTest::strangeBytesOpen() {
    QFETCH(QByteArray, bytes);
    WindowHarness h;
    const QString file = path("strange.txt");
    write(file, bytes);
    h.dialogs.chooseFile(Expected::Open, file);
    h.trigger("FileOpen");
    QVERIFY(h.dialogs.messages().isEmpty());
    QVERIFY(!h.editText().isEmpty());
    // The methods read whatever came in without harm.
    h.dialogs.answerInput(QStringLiteral("2"));
    h.trigger("GaussTier");
    QVERIFY(h.result().endsWith(QStringLiteral("Gauss列主元消去法解线性方程组")));
}

void HostileFilesTest::vanishedOrUnreadableFile_data() {
    QTest::addColumn<bool>("folder");
    QTest::newRow("removed after it was chosen") << false;
    QTest::newRow("a folder, not a file") << true;
}

void HostileFilesTest::vanishedOrUnreadableFile() {
    QFETCH(bool, folder);
    WindowHarness h;
    h.edit().setPlainText(QStringLiteral("1 2 3"));
    h.window.resultArea().setText("earlier report");
    const QString chosen = path("chosen");
    if (folder) QVERIFY(QDir().mkdir(chosen));
    h.dialogs.chooseFile(Expected::Open, chosen);
    h.dialogs.acceptMessage();
    h.trigger("FileOpen");
    QCOMPARE(h.dialogs.messages(), QStringList{QStringLiteral("操作有误#")});
    QCOMPARE(h.editText(), QStringLiteral("1 2 3"));
    QCOMPARE(h.result(), QStringLiteral("earlier report"));
}

void HostileFilesTest::hundredMegabyteFile() {
    const QString file = path("huge.txt");
    {
        QFile f(file);
        QVERIFY(f.open(QIODevice::WriteOnly));
        QByteArray line = QByteArray("1.25 -3 4/5 sqr(2) ").repeated(50) + "\r\n";
        const qint64 lines = (100 << 20) / line.size() + 1;
        for (qint64 i = 0; i < lines; ++i) QCOMPARE(f.write(line), line.size());
    }
    WindowHarness h;
    h.edit().setPlainText(QStringLiteral("kept"));
    // Answering No to the size question keeps what was typed.
    h.dialogs.chooseFile(Expected::Open, file);
    h.dialogs.answerQuestion(false);
    h.trigger("FileOpen");
    QCOMPARE(h.editText(), QStringLiteral("kept"));
    // Answering Yes loads it all while the progress bar moves.
    auto* progress = h.window.findChild<QProgressBar*>(QStringLiteral("ProgressBar1"));
    QSignalSpy moved(progress, &QProgressBar::valueChanged);
    h.dialogs.chooseFile(Expected::Open, file);
    h.dialogs.answerQuestion(true);
    h.trigger("FileOpen");
    QVERIFY(moved.count() > 100);
    // Every CR LF is one paragraph break in the document.
    QVERIFY(h.edit().document()->characterCount() > 100'000'000);
    QVERIFY(!progress->isVisible());
}

void HostileFilesTest::saveIntoAFolderThatTakesNothing() {
    // Nothing can be created in /proc, not even by root: a folder that
    // refuses every new file, like a read-only one.
    WindowHarness h;
    h.window.resultArea().setText(kReport);
    h.dialogs.chooseFile(Expected::Save, QStringLiteral("/proc/quorvex-report.txt"));
    h.dialogs.acceptMessage();
    h.trigger("FileSaveAS");
    QCOMPARE(h.dialogs.messages(), QStringList{QStringLiteral("操作有误#")});
    QVERIFY(!QFile::exists(QStringLiteral("/proc/quorvex-report.txt")));
}

void HostileFilesTest::saveOntoAFullDisk() {
#ifdef Q_OS_UNIX
    // A file-size limit makes every write past 4 KiB fail as a full disk does.
    WindowHarness h;
    const QString file = path("kept.txt");
    write(file, "old contents");
    std::string report;
    for (int i = 0; i < 2000; ++i) report += kReport;
    h.window.resultArea().setText(report);
    struct LimitGuard {
        rlimit old{};
        void (*oldHandler)(int) = nullptr;
        LimitGuard() {
            getrlimit(RLIMIT_FSIZE, &old);
            oldHandler = std::signal(SIGXFSZ, SIG_IGN);
            rlimit small = old;
            small.rlim_cur = 4096;
            setrlimit(RLIMIT_FSIZE, &small);
        }
        ~LimitGuard() {
            setrlimit(RLIMIT_FSIZE, &old);
            std::signal(SIGXFSZ, oldHandler);
        }
    };
    {
        LimitGuard full;
        h.dialogs.chooseFile(Expected::Save, file);
        h.dialogs.acceptMessage();
        h.trigger("FileSaveAS");
    }
    QCOMPARE(h.dialogs.messages(), QStringList{QStringLiteral("操作有误#")});
    QCOMPARE(read(file), QByteArray("old contents"));
    QCOMPARE(QDir(m_dir->path()).entryList(QDir::Files), QStringList{QStringLiteral("kept.txt")});
#else
    QSKIP("needs a file-size limit");
#endif
}

QTEST_MAIN(HostileFilesTest)
#include "hostile_files_test.moc"
