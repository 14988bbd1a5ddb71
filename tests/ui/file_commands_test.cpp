// Text files: loading into the edit area, saving the result area, in the
// locale's encoding or GB18030, never leaving a file half-written.
#include "file_commands.h"
#include "status_panels.h"
#include "window_harness.h"

#include <QDir>
#include <QFile>
#include <QProgressBar>
#include <QStringEncoder>
#include <QTemporaryDir>

#include <memory>

using namespace quorvex::ui;
using namespace quorvex::ui::testing;

namespace {

const QString kReport = QStringLiteral("  1  2\r\n\r\n输出求解结果\r\nx(1)=0.5\r\n\r\n标题");

QByteArray encoded(const QString& text, const char* encoding) {
    QStringEncoder encoder(encoding);
    return encoder.encode(text);
}

void write(const QString& path, const QByteArray& bytes) {
    QFile f(path);
    QVERIFY(f.open(QIODevice::WriteOnly));
    QCOMPARE(f.write(bytes), bytes.size());
}

QByteArray read(const QString& path) {
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray("(missing)");
}

} // namespace

class FileCommandsTest : public QObject {
    Q_OBJECT
private slots:
    void init() {
        m_dir = std::make_unique<QTemporaryDir>();
        QVERIFY(m_dir->isValid());
    }
    void openDecodes_data();
    void openDecodes();
    void saveEncodes_data();
    void saveEncodes();
    void largeFileQuestion_data();
    void largeFileQuestion();
    void emptyFileEmptiesBothAreas();
    void cancelledOpenChangesNothing();
    void saveAsksOnceUntilNextOpen();
    void saveNeedsAReport();
    void cancelledSaves_data();
    void cancelledSaves();
    void failedSaveLeavesOldFile_data();
    void failedSaveLeavesOldFile();
    void largeReportSavedWhole();
    void fileMenuEnablesSaveForNonBlankResult();

private:
    QString path(const char* name) const { return m_dir->filePath(QString::fromLatin1(name)); }
    QString folder() const { return m_dir->path(); }
    std::unique_ptr<QTemporaryDir> m_dir; // a fresh folder for every test
};

void FileCommandsTest::openDecodes_data() {
    QTest::addColumn<QByteArray>("bytes");
    const QString text = QStringLiteral("1 2 中文\r\n3 4\r\n");
    QTest::newRow("UTF-8") << encoded(text, "UTF-8");
    QTest::newRow("GB18030 from a Chinese machine") << encoded(text, "GB18030");
}

void FileCommandsTest::openDecodes() {
    QFETCH(QByteArray, bytes);
    WindowHarness h;
    h.window.resultArea().setText("old report");
    const QString file = path("in.txt");
    write(file, bytes);
    h.dialogs.chooseFile(Expected::Open, file);
    h.trigger("FileOpen");
    QCOMPARE(h.editText(), QStringLiteral("1 2 中文\r\n3 4\r\n"));
    QVERIFY(h.result().isEmpty());
    QCOMPARE(h.window.status().text(), QDir::toNativeSeparators(file));
    QVERIFY(h.window.fileCommands().saveFileName().isEmpty());
    QCOMPARE(h.dialogs.shown[0].text, QStringLiteral("文本文件(*.txt);;所有文件(*.*)"));
}

void FileCommandsTest::saveEncodes_data() {
    QTest::addColumn<QByteArray>("encoding");
    QTest::newRow("UTF-8 locale") << QByteArray("UTF-8");
    QTest::newRow("Chinese locale") << QByteArray("GB18030");
}

void FileCommandsTest::saveEncodes() {
    QFETCH(QByteArray, encoding);
    WindowHarness h;
    h.window.fileCommands().setEncoding(encoding);
    h.window.resultArea().setText(kReport.toStdString());
    const QString file = path("out.txt");
    h.dialogs.chooseFile(Expected::Save, file);
    h.trigger("FileSave");
    // CR LF pairs unchanged, no byte-order mark, nothing added at the end.
    QCOMPARE(read(file), encoded(kReport, encoding.constData()));
    QCOMPARE(h.window.status().text(), QDir::toNativeSeparators(file));
    // And back: the saved report opens as it was.
    h.window.fileCommands().setEncoding("UTF-8");
    h.dialogs.chooseFile(Expected::Open, file);
    h.trigger("FileOpen");
    QCOMPARE(h.editText(), kReport);
}

void FileCommandsTest::largeFileQuestion_data() {
    QTest::addColumn<int>("size");
    QTest::addColumn<bool>("asked");
    QTest::addColumn<bool>("yes");
    QTest::newRow("1500 bytes opens without asking") << 1500 << false << false;
    QTest::newRow("1501 bytes asks, yes opens") << 1501 << true << true;
    QTest::newRow("1501 bytes asks, no keeps both areas") << 1501 << true << false;
}

void FileCommandsTest::largeFileQuestion() {
    QFETCH(int, size);
    QFETCH(bool, asked);
    QFETCH(bool, yes);
    WindowHarness h;
    h.edit().setPlainText(QStringLiteral("typed matrix"));
    h.window.resultArea().setText("report");
    const QString file = path("big.txt");
    write(file, QByteArray(size, '7'));
    h.dialogs.chooseFile(Expected::Open, file);
    if (asked) h.dialogs.answerQuestion(yes);
    h.trigger("FileOpen");
    if (asked) {
        QCOMPARE(h.dialogs.shown[1].text,
                 QStringLiteral("文件太大，如果打开可能要等一段时间，是否仍要继续？"));
        QCOMPARE(h.dialogs.shown[1].caption, QStringLiteral("温馨提示"));
    }
    const bool opened = !asked || yes;
    QCOMPARE(h.edit().toPlainText(), opened ? QString(size, u'7') : QStringLiteral("typed matrix"));
    QCOMPARE(h.result(), opened ? QString() : QStringLiteral("report"));
}

void FileCommandsTest::emptyFileEmptiesBothAreas() {
    WindowHarness h;
    h.edit().setPlainText(QStringLiteral("1 2"));
    h.window.resultArea().setText("report");
    const QString file = path("empty.txt");
    write(file, {});
    h.dialogs.chooseFile(Expected::Open, file);
    h.dialogs.acceptMessage();
    h.trigger("FileOpen");
    QCOMPARE(h.dialogs.messages(), QStringList{QStringLiteral("文件为空，请重新选择文件！")});
    QCOMPARE(h.dialogs.shown.back().caption, QStringLiteral("Quorvex"));
    QVERIFY(h.edit().toPlainText().isEmpty());
    QVERIFY(h.result().isEmpty());
}

void FileCommandsTest::cancelledOpenChangesNothing() {
    WindowHarness h;
    h.edit().setPlainText(QStringLiteral("1 2"));
    h.dialogs.cancelFile(Expected::Open);
    h.dialogs.acceptMessage();
    h.trigger("FileOpen");
    QCOMPARE(h.dialogs.messages(), QStringList{QStringLiteral("没有打开任何文件。")});
    QCOMPARE(h.edit().toPlainText(), QStringLiteral("1 2"));
    // A file that cannot be read is an operation error.
    h.dialogs.chooseFile(Expected::Open, path("no such file.txt"));
    h.dialogs.acceptMessage();
    h.trigger("FileOpen");
    QCOMPARE(h.dialogs.messages().last(), QStringLiteral("操作有误#"));
    QCOMPARE(h.edit().toPlainText(), QStringLiteral("1 2"));
}

void FileCommandsTest::saveAsksOnceUntilNextOpen() {
    WindowHarness h;
    h.window.resultArea().setText("first");
    const QString file = path("report.txt");
    h.dialogs.chooseFile(Expected::Save, file);
    h.trigger("FileSave");
    h.window.resultArea().setText("second");
    h.trigger("FileSave"); // no dialog this time
    QCOMPARE(read(file), QByteArray("second"));
    write(path("input.txt"), "1");
    h.dialogs.chooseFile(Expected::Open, path("input.txt"));
    h.trigger("FileOpen");
    h.window.resultArea().setText("third");
    h.dialogs.chooseFile(Expected::Save, path("other.txt"));
    h.trigger("FileSave");
    QCOMPARE(h.dialogs.shown.back().defaultAnswer, file); // the save dialog kept its name
    QCOMPARE(read(path("other.txt")), QByteArray("third"));
}

void FileCommandsTest::saveNeedsAReport() {
    WindowHarness h;
    h.dialogs.acceptMessage();
    h.window.Toolbar1_ButtonClick(QStringLiteral("保存"));
    QCOMPARE(h.dialogs.messages(), QStringList{QStringLiteral("结果为空，不能保存#")});
    // Blanks are a report the toolbar's button saves.
    h.window.resultArea().setText("   ");
    h.dialogs.chooseFile(Expected::Save, path("blanks.txt"));
    h.window.Toolbar1_ButtonClick(QStringLiteral("保存"));
    QCOMPARE(read(path("blanks.txt")), QByteArray("   "));
}

void FileCommandsTest::cancelledSaves_data() {
    QTest::addColumn<QString>("command");
    QTest::addColumn<QString>("message");
    QTest::newRow("save") << "FileSave" << "你没有存盘,数据没有被保存下来#";
    QTest::newRow("save as") << "FileSaveAS" << "没有保存文件。";
}

void FileCommandsTest::cancelledSaves() {
    QFETCH(QString, command);
    QFETCH(QString, message);
    WindowHarness h;
    h.window.resultArea().setText("report");
    h.dialogs.cancelFile(Expected::Save);
    h.dialogs.acceptMessage();
    h.trigger(qPrintable(command));
    QCOMPARE(h.dialogs.messages(), QStringList{message});
    QVERIFY(QDir(folder()).isEmpty());
}

void FileCommandsTest::failedSaveLeavesOldFile_data() {
    QTest::addColumn<QString>("command");
    QTest::addColumn<QString>("message");
    QTest::newRow("save as") << "FileSaveAS" << "操作有误#";
    QTest::newRow("save") << "FileSave" << "你没有存盘,数据没有被保存下来#";
}

void FileCommandsTest::failedSaveLeavesOldFile() {
    QFETCH(QString, command);
    QFETCH(QString, message);
    WindowHarness h;
    const QString file = path("kept.txt");
    write(file, "old contents");
    // Latin-1 has no Chinese characters: the report cannot be written.
    h.window.fileCommands().setEncoding("ISO-8859-1");
    h.window.resultArea().setText(kReport.toStdString());
    h.dialogs.chooseFile(Expected::Save, file);
    h.dialogs.acceptMessage();
    h.trigger(qPrintable(command));
    QCOMPARE(h.dialogs.messages(), QStringList{message});
    QCOMPARE(read(file), QByteArray("old contents"));
    QCOMPARE(QDir(folder()).entryList(QDir::Files), QStringList{QStringLiteral("kept.txt")});
    // A folder that does not exist fails the same way.
    h.window.fileCommands().setEncoding("UTF-8");
    h.dialogs.chooseFile(Expected::Save, path("missing/out.txt"));
    h.dialogs.acceptMessage();
    h.trigger("FileSaveAS");
    QCOMPARE(h.dialogs.messages().last(), QStringLiteral("操作有误#"));
}

void FileCommandsTest::largeReportSavedWhole() {
    WindowHarness h;
    QString report;
    for (int i = 1; i <= 20000; ++i) report += QStringLiteral("x(%1)=0.5\r\n").arg(i);
    h.window.resultArea().setText(report.toStdString());
    const QString file = path("large.txt");
    h.dialogs.chooseFile(Expected::Save, file);
    h.trigger("FileSaveAS");
    QCOMPARE(read(file), report.toUtf8());
    // Loading it back goes through the progress bar, which is gone afterwards.
    const QRect editBefore = h.edit().geometry();
    h.dialogs.chooseFile(Expected::Open, file);
    h.dialogs.answerQuestion(true);
    h.trigger("FileOpen");
    QCOMPARE(h.editText(), report);
    QVERIFY(!h.window.findChild<QProgressBar*>(QStringLiteral("ProgressBar1"))->isVisible());
    QCOMPARE(h.edit().geometry(), editBefore);
}

void FileCommandsTest::fileMenuEnablesSaveForNonBlankResult() {
    WindowHarness h;
    h.window.resultArea().setText("  ");
    h.open(h.window.menus().file);
    QVERIFY(!h.action("FileSave")->isEnabled());
    QVERIFY(!h.action("FileSaveAS")->isEnabled());
    h.window.resultArea().setText(" 1 ");
    h.open(h.window.menus().file);
    QVERIFY(h.action("FileSave")->isEnabled());
    QVERIFY(h.action("FileSaveAS")->isEnabled());
}

QTEST_MAIN(FileCommandsTest)
#include "file_commands_test.moc"
