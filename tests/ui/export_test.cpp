// 导出 and 打印: greyed exactly while the result area holds no report, and
// the PDF export gives a PDF whose text holds the report, its Chinese font
// embedded.
#include "window_harness.h"

#include <QProcess>
#include <QStandardPaths>
#include <QTemporaryDir>

using namespace quorvex::ui;
using namespace quorvex::ui::testing;

namespace {

const QString kGaussInput = QStringLiteral("2 1 3\n1 3 5");

void runGauss(WindowHarness& h) {
    h.edit().setPlainText(kGaussInput);
    h.dialogs.answerInput(QStringLiteral("2"));
    h.trigger("Gauss_1");
}

/// The output of a poppler tool on a file, or nothing when it is missing.
std::optional<QString> poppler(const QString& tool, const QStringList& args) {
    if (QStandardPaths::findExecutable(tool).isEmpty()) return std::nullopt;
    QProcess p;
    p.start(tool, args);
    if (!p.waitForFinished(30000)) return QString();
    return QString::fromUtf8(p.readAllStandardOutput());
}

} // namespace

class ExportTest : public QObject {
    Q_OBJECT
private slots:
    void initTestCase() { QApplication::setQuitOnLastWindowClosed(false); }

    void greyedExactlyWithoutReport() {
        WindowHarness h;
        const auto enabled = [&h] {
            const bool e = h.action("FileExport")->isEnabled();
            if (h.action("FilePrint")->isEnabled() != e ||
                h.action("FilePrintPreview")->isEnabled() != e)
                QTest::qFail("导出 and 打印 disagree", __FILE__, __LINE__);
            return e;
        };
        QVERIFY(!enabled()); // at start
        runGauss(h);
        QVERIFY(enabled());
        h.trigger("FileNew");
        QVERIFY(!enabled());
        runGauss(h);
        QTemporaryDir dir;
        const QString input = dir.filePath(QStringLiteral("in.txt"));
        writeFile(input, "2 1 3\r\n");
        h.dialogs.chooseFile(Expected::Open, input);
        h.trigger("FileOpen");
        QVERIFY(!enabled()); // 打开 empties the result area
        // A cancelled Gauss消去法 keeps the report shown, and so its export.
        runGauss(h);
        h.dialogs.expect({.kind = Expected::Input, .cancel = true});
        h.trigger("Gauss_1");
        QVERIFY(enabled());
    }

    void pdfHoldsTheReport() {
        WindowHarness h;
        runGauss(h);
        QTemporaryDir dir;
        const QString pdf = dir.filePath(QStringLiteral("gauss"));
        h.dialogs.chooseFile(Expected::Save, pdf);
        h.trigger("FileExportPdf");
        QCOMPARE(h.dialogs.shown.back().text, QStringLiteral("PDF 文件 (*.pdf)"));
        // The suffix is added; the status bar names the file.
        QVERIFY(QFile::exists(pdf + QStringLiteral(".pdf")));
        const auto text = poppler(QStringLiteral("pdftotext"), {pdf + ".pdf", "-"});
        if (!text) QSKIP("pdftotext is not installed (scripts/install-deps installs it)");
        for (const char* expected : {"输出方程组增广矩阵消元后的结果", "输出求解结果", "x(1)=0.8",
                                     "x(2)=1.4", "2.5", "3.5", "Gauss消去法解线性方程组"})
            QVERIFY2(text->contains(QString::fromUtf8(expected)), expected);
        const auto fonts = poppler(QStringLiteral("pdffonts"), {pdf + ".pdf"});
        QVERIFY(fonts && !fonts->isEmpty());
        for (const QString& line : fonts->split(u'\n').mid(2))
            if (!line.trimmed().isEmpty())
                QVERIFY2(line.contains(QStringLiteral(" yes ")), qPrintable(line));
        // The next export's dialog starts in the same folder.
        h.dialogs.cancelFile(Expected::Save);
        h.trigger("FileExportLatex");
        QCOMPARE(QFileInfo(h.dialogs.shown.back().defaultAnswer).absolutePath(), dir.path());
    }
};

QTEST_MAIN(ExportTest)
#include "export_test.moc"
