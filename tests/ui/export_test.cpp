// 导出 and 打印: greyed exactly while the result area holds no report, and
// the PDF export gives a PDF whose text holds the report, its Chinese font
// embedded, every entry of a matrix wider than the page included; a long
// export stops on 停止 and leaves the old file as it was.
#include "frame/frame.h"
#include "messages.h"
#include "report/display_blocks.h"
#include "report_pages.h"
#include "status_panels.h"
#include "window_harness.h"

#include <QFontDatabase>
#include <QMenuBar>
#include <QPdfWriter>
#include <QProcess>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QTimer>

using namespace quorvex;
using namespace quorvex::ui;
using namespace quorvex::ui::testing;

namespace {

const QString kGaussInput = QStringLiteral("2 1 3\n1 3 5");

void runGauss(WindowHarness& h) { h.runCommand("Gauss_1", kGaussInput, {"2"}); }

/// The output of a poppler tool on a file, or nothing when it is missing.
std::optional<QString> poppler(const QString& tool, const QStringList& args) {
    if (QStandardPaths::findExecutable(tool).isEmpty()) return std::nullopt;
    QProcess p;
    p.start(tool, args);
    if (!p.waitForFinished(30000)) return QString();
    return QString::fromUtf8(p.readAllStandardOutput());
}

/// The text's words, as pdftotext separates them.
QStringList wordsOf(const QString& text) {
    return text.split(QRegularExpression(QStringLiteral("\\s+")), Qt::SkipEmptyParts);
}

/// A system of order n with a dominant diagonal, its entries small integers.
QString largeSystem(int n) {
    QString text;
    for (int i = 0; i < n; ++i) {
        for (int j = 0; j <= n; ++j)
            text += QString::number(i == j ? 4 * n : (i * 7 + j * 3) % 11 - 5) + u' ';
        text += u'\n';
    }
    return text;
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

    void wideExactMatrixWhole() {
        // Nine columns of exact fractions with every step: wider than an
        // A4 page, so broken into column blocks; each entry shows whole.
        WindowHarness h;
        h.trigger("FormatExact");
        h.trigger("FormatSteps");
        h.runCommand("GaussTier",
                     QStringLiteral("-2 2 3 -5 -3 -8 -7 -5 -2\n"
                                    "7 -3 3 -9 5 6 5 3 6\n"
                                    "9 -3 3 -7 6 -2 -9 -1 7\n"
                                    "4 6 3 -6 -1 -6 -7 3 3\n"
                                    "-6 -8 1 -2 -7 6 7 -3 9\n"
                                    "-5 -7 8 -8 6 -3 -5 9 5\n"
                                    "9 5 0 8 2 4 -5 -4 -6\n"
                                    "8 1 2 6 7 -3 0 -5 2"),
                     {"8"});
        const auto report = h.window.resultArea().document();
        QVERIFY(report);
        QTemporaryDir dir;
        const QString pdf = dir.filePath(QStringLiteral("wide.pdf"));
        h.dialogs.chooseFile(Expected::Save, pdf);
        h.trigger("FileExportPdf");
        const auto text = poppler(QStringLiteral("pdftotext"), {pdf, "-"});
        if (!text) QSKIP("pdftotext is not installed (scripts/install-deps installs it)");
        const QStringList words = wordsOf(*text);
        int entries = 0, fractions = 0;
        for (const ReportBlock& b : blocksOf(*report)) {
            if (b.kind != ReportBlock::Kind::Matrix) continue;
            const BlockShape shape = shapeOf(*report, b);
            for (std::size_t k = 0; k < std::size_t(shape.rows) * shape.cols; ++k, ++entries) {
                const QString entry = QString::fromStdString(numberText(shape, k));
                fractions += entry.contains(u'/');
                QVERIFY2(words.contains(entry), qPrintable(entry));
            }
        }
        QVERIFY(fractions > 0 && entries > 100);
        // The column blocks are headed by their columns.
        QVERIFY(text->contains(QStringLiteral("第 1 列至第")));
    }

    void matrixThatFitsAPageIsNotSplit() {
        // Filler lines push a 3-row matrix down over the end of the first
        // page, one line at a time: it always lands whole on one page.
        if (QStandardPaths::findExecutable(QStringLiteral("pdftotext")).isEmpty())
            QSKIP("pdftotext is not installed (scripts/install-deps installs it)");
        QTemporaryDir dir;
        const QString pdf = dir.filePath(QStringLiteral("pages.pdf"));
        const QFont font = QFontDatabase::systemFont(QFontDatabase::GeneralFont);
        for (int filler = 40; filler <= 80; filler += 2) {
            Document d;
            for (int i = 1; i <= filler; ++i) d.addText("line " + std::to_string(i) + "\r\n");
            const auto [first, numbers] = d.appendNumbers(9);
            for (int k = 0; k < 9; ++k) numbers[k] = 100 * (k / 3 + 1) + k % 3 + 0.5;
            d.add(piece::MatrixBlock{3, 3, NumberStyle::plain(), "  ", "\r\n", 0, first});
            {
                QPdfWriter writer(pdf);
                writer.setPageSize(QPageSize(QPageSize::A4));
                QVERIFY(ReportPages(d, font).paint(writer, StopRequest()));
            }
            const auto text = poppler(QStringLiteral("pdftotext"), {pdf, "-"});
            QVERIFY(text);
            const QStringList pages = text->split(u'\f');
            for (const QString& page : pages)
                if (page.contains(QStringLiteral("100.5")))
                    QVERIFY2(page.contains(QStringLiteral("200.5")) &&
                                 page.contains(QStringLiteral("302.5")),
                             qPrintable(QString::number(filler)));
        }
    }

    void longPdfExportStopped() {
        WindowHarness h;
        h.runCommand("Gauss_1", largeSystem(200), {"200"});
        QTemporaryDir dir;
        const QString pdf = dir.filePath(QStringLiteral("large.pdf"));
        writeFile(pdf, "OLD");
        h.dialogs.chooseFile(Expected::Save, pdf);
        // 停止 as soon as the export shows that it runs.
        QTimer stopper;
        QObject::connect(&stopper, &QTimer::timeout, [&h] {
            if (h.window.menuBar()->isEnabled()) return;
            h.clickToolbar(QStringLiteral("停止 (Esc)"));
        });
        stopper.start(0);
        h.trigger("FileExportPdf");
        stopper.stop();
        QCOMPARE(readFile(pdf), QByteArray("OLD"));
        QCOMPARE(h.window.status().text(), kExportStopped);
        QCOMPARE(QDir(dir.path()).entryList(QDir::Files), QStringList{"large.pdf"});
        QVERIFY(h.window.menuBar()->isEnabled() && !h.edit().isReadOnly());
    }
};

QTEST_MAIN(ExportTest)
#include "export_test.moc"
