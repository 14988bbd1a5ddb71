// The convergence analysis's chart: drawn offscreen, saved as PNG and SVG,
// and opened beside the report when the command runs from the window.
#include "error_chart_dialog.h"
#include "window_harness.h"

#include <QAbstractButton>
#include <QCategoryAxis>
#include <QChart>
#include <QChartView>
#include <QFile>
#include <QImage>
#include <QLabel>
#include <QLineSeries>
#include <QMessageBox>
#include <QTemporaryDir>
#include <QValueAxis>

#include <algorithm>
#include <cmath>

using namespace quorvex;
using namespace quorvex::ui;
using namespace quorvex::ui::testing;

namespace {

ErrorChart sampleChart() {
    // The second curve reaches the solution exactly and the third runs
    // away: a logarithmic axis can show neither end.
    return {"误差曲线",
            "k",
            "max|x(k)-x*|",
            {{"Jacobi迭代", {0.5, 0.25, 0.125, 0.0625}},
             {"Gauss-Seidel迭代", {0.5, 0.125, 0.0}},
             {"SOR(w=1.9)迭代", {2.0, 40.0, HUGE_VAL}}}};
}

const QLineSeries& seriesOf(const QChart& chart, int series) {
    return *static_cast<const QLineSeries*>(chart.series().at(series));
}

int pointsOf(const QChart& chart, int series) { return seriesOf(chart, series).count(); }

/// The chart's axes: the sweeps along the bottom, the errors at the left.
const QValueAxis& sweepAxis(const QChart& chart) {
    return *static_cast<const QValueAxis*>(chart.axes(Qt::Horizontal).front());
}
QStringList errorLabels(const QChart& chart) {
    return static_cast<QCategoryAxis*>(chart.axes(Qt::Vertical).front())->categoriesLabels();
}

} // namespace

class ErrorChartTest : public QObject {
    Q_OBJECT
private slots:
    void initTestCase() { QApplication::setQuitOnLastWindowClosed(false); }

    void drawsOnlyWhatALogarithmicAxisCanShow() {
        ErrorChartDialog dialog(sampleChart());
        const QChart& chart = *dialog.view()->chart();
        QCOMPARE(chart.series().size(), 3);
        QCOMPARE(chart.series().at(1)->name(), QStringLiteral("Gauss-Seidel迭代"));
        QCOMPARE(pointsOf(chart, 0), 4);
        QCOMPARE(pointsOf(chart, 1), 2);
        QCOMPARE(pointsOf(chart, 2), 2);
        // Powers of ten from 1E-02 (below 0.0625) to 1E+02 (above 40).
        QCOMPARE(errorLabels(chart), QStringList({"1E-02", "1E-01", "1E+00", "1E+01", "1E+02"}));
        QCOMPARE(seriesOf(chart, 2).at(1).y(), std::log10(40.0));
        QCOMPARE(chart.series().at(2)->name(), QStringLiteral("SOR(w=1.9)迭代"));
        QVERIFY(chart.title().contains(
            QStringLiteral("SOR(w=1.9)迭代：第 3 次起误差超出浮点数范围，未画出。")));
    }

    void savesAsPngAndSvg() {
        ErrorChartDialog dialog(sampleChart());
        dialog.show();
        QVERIFY(QTest::qWaitForWindowExposed(&dialog));
        QTemporaryDir dir;
        const QString png = dir.filePath(QStringLiteral("curves.png"));
        const QString svg = dir.filePath(QStringLiteral("curves.SVG"));
        QVERIFY(dialog.saveTo(png));
        QVERIFY(dialog.saveTo(svg));
        const QImage image(png);
        QCOMPARE(image.size(), dialog.view()->size());
        // Something was drawn: not every pixel has the background's colour.
        const QRgb corner = image.pixel(0, 0);
        bool drawn = false;
        for (int y = 0; y < image.height() && !drawn; y += 3)
            for (int x = 0; x < image.width() && !drawn; x += 3)
                drawn = image.pixel(x, y) != corner;
        QVERIFY(drawn);
        QFile file(svg);
        QVERIFY(file.open(QIODevice::ReadOnly));
        const QByteArray text = file.readAll();
        QVERIFY(text.contains("<svg"));
        QVERIFY(text.contains("<path") || text.contains("<polyline"));
        QVERIFY(!dialog.saveTo(dir.filePath(QStringLiteral("missing/curves.png"))));
    }

    void openedBesideTheReportFromTheAnalysisMenu() {
        WindowHarness h;
        h.runCommand("ConvergenceAnalysis", QStringLiteral("2 1 3\n1 2 3"), {"2", "0.01", "1"});
        QVERIFY(h.result().endsWith(QStringLiteral("迭代法的收敛性分析")));
        auto* dialog = h.window.findChild<ErrorChartDialog*>();
        QVERIFY(dialog);
        QVERIFY(dialog->isVisible() && !dialog->isModal());
        // Jacobi takes 9 sweeps here, Gauss-Seidel and SOR(w=1) 5.
        QCOMPARE(pointsOf(*dialog->view()->chart(), 0), 9);
        QCOMPARE(pointsOf(*dialog->view()->chart(), 1), 5);
        // SOR with w=1 is Gauss-Seidel: its curve lies on the other one,
        // dashed so that both show.
        const QChart& chart = *dialog->view()->chart();
        QCOMPARE(chart.series().at(2)->name(), QStringLiteral("SOR(w=1)迭代"));
        QVERIFY(chart.title().contains(
            QStringLiteral("SOR(w=1)迭代与Gauss-Seidel迭代重合，画作虚线。")));
        QCOMPARE(seriesOf(chart, 2).pen().style(), Qt::DashLine);
        QCOMPARE(seriesOf(chart, 1).pen().style(), Qt::SolidLine);
        QVERIFY(seriesOf(chart, 1).pen().widthF() > seriesOf(chart, 2).pen().widthF());
        dialog->close();
    }

    void noticesInTheStatusBarAndANoteThatDoesNotBlock() {
        WindowHarness h;
        // w = 1e-6 stops after one sweep with b - Ax still b: the report is
        // the specified one, the notice says why its solution is no solution.
        h.runCommand("SorDie", QStringLiteral("4 1 1 6\n1 5 2 8\n0 1 3 4"),
                     {"1e-5", "3", "0", "0", "0", "1e-6"});
        QVERIFY(h.result().endsWith(QStringLiteral("逐次超松弛(SOR)迭代法解线性方程组")));
        const QString notice = QStringLiteral(
            "迭代因相邻两次迭代值之差小于 1E-05 而停止，但残差 ‖b-Ax‖∞ 仍有 ‖b‖∞ 的 "
            "100%：小的只是每步的改变量，不是误差；松弛因子 w=1E-06 使每步只改变很少。");
        auto* panel = h.window.findChild<QLabel*>(QStringLiteral("Panel1"));
        QVERIFY(panel);
        QCOMPARE(panel->text(), notice);
        auto* note = h.window.findChild<QMessageBox*>(QStringLiteral("noticeNote"));
        QVERIFY(note);
        QVERIFY(note->isVisible() && !note->isModal());
        QCOMPARE(note->text(), notice);
        // The window goes on while the note stays: the next command runs.
        h.runCommand("SorDie", QStringLiteral("4 1 1 6\n1 5 2 8\n0 1 3 4"),
                     {"1e-5", "3", "0", "0", "0", "1"});
        QVERIFY(h.result().contains(QStringLiteral("松弛因子 w=1")));
        QVERIFY(!h.result().contains(QStringLiteral("1E-06")));
        note->close();
    }

    void followsTheWindowsLanguage() {
        // The dialog belongs to the window's thread, which runs no command:
        // its own texts must follow the window's language as the chart's do.
        WindowHarness h;
        h.trigger("FormatLanguageEnglish");
        h.runCommand("ConvergenceAnalysis", QStringLiteral("1 2 3\n3 1 4"), {"2", "0.01", "1"});
        auto* dialog = h.window.findChild<ErrorChartDialog*>();
        QVERIFY(dialog);
        const QChart& chart = *dialog->view()->chart();
        QStringList texts{dialog->windowTitle(), chart.title()};
        for (const QAbstractButton* b : dialog->findChildren<QAbstractButton*>())
            texts << b->text();
        for (const QAbstractSeries* series : chart.series()) texts << series->name();
        texts << errorLabels(chart) << chart.axes(Qt::Vertical).front()->titleText()
              << chart.axes(Qt::Horizontal).front()->titleText();
        h.dialogs.chooseFile(Expected::Save, QString());
        dialog->saveAs();
        texts << h.dialogs.shown.back().defaultAnswer << h.dialogs.shown.back().text;
        QStringList chinese = texts;
        chinese.removeIf([](const QString& t) {
            return std::none_of(t.begin(), t.end(), [](QChar c) { return c.unicode() >= 0x3000; });
        });
        QVERIFY2(chinese.isEmpty(), qPrintable(chinese.join(u'\n')));
        dialog->close();
        h.trigger("FormatLanguageChinese");
    }

    void divergingSystemDrawnAndSaved() {
        WindowHarness h;
        // The Jacobi errors from x=0 towards x*=(1,1) are (2,3), (6,6),
        // (12,18), ...: (2,3)*6^m after sweep 2m+1, 6^m after sweep 2m. The
        // sweep's sum x1+2*x2 overflows in sweep 792 (8*6^395 > 1.8E+308).
        // Gauss-Seidel's errors are (2*6^(k-1), 6^k) after sweep k; its
        // first sum x1+2*x2 overflows in sweep 397 (7/3*6^396).
        h.runCommand("ConvergenceAnalysis", QStringLiteral("1 2 3\n3 1 4"), {"2", "0.01", "1"});
        auto* dialog = h.window.findChild<ErrorChartDialog*>();
        QVERIFY(dialog);
        QVERIFY(QTest::qWaitForWindowExposed(dialog));
        const QChart& chart = *dialog->view()->chart();
        QCOMPARE(pointsOf(chart, 0), 791);
        QCOMPARE(pointsOf(chart, 1), 396);
        for (const char* note : {"Jacobi迭代：第 792 次起误差超出浮点数范围，未画出。",
                                 "Gauss-Seidel迭代：第 397 次起误差超出浮点数范围，未画出。"})
            QVERIFY2(chart.title().contains(QString::fromUtf8(note)), note);
        // 791 sweeps drawn: ticks every 100, the smallest round step that
        // needs no more than 8 of them. Errors from 3 to 6^396 = 10^308.2:
        // lg from 0 to 309 in at most 8 steps of 1, 2 or 5 times a power of
        // ten is every 50th power.
        const QValueAxis& x = sweepAxis(chart);
        QCOMPARE(x.tickInterval(), 100.0);
        QCOMPARE(x.tickAnchor(), 0.0);
        QCOMPARE(x.max(), 800.0);
        QCOMPARE(errorLabels(chart), QStringList({"1E+00", "1E+50", "1E+100", "1E+150", "1E+200",
                                                  "1E+250", "1E+300", "1E+350"}));

        // 保存图片 offers a name and writes a picture, over an older file.
        QTemporaryDir dir;
        const QString png = dir.filePath(QStringLiteral("diverging"));
        writeFile(png + QStringLiteral(".png"), "OLD");
        h.dialogs.chooseFile(Expected::Save, png);
        dialog->saveAs();
        QCOMPARE(h.dialogs.shown.back().defaultAnswer, QStringLiteral("误差曲线.png"));
        const QImage image(png + QStringLiteral(".png"));
        QCOMPARE(image.size(), dialog->view()->size());
        dialog->close();
    }
};

QTEST_MAIN(ErrorChartTest)
#include "error_chart_test.moc"
