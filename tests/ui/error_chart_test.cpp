// The convergence analysis's chart: drawn offscreen, saved as PNG and SVG,
// and opened beside the report when the command runs from the window.
#include "error_chart_dialog.h"
#include "window_harness.h"

#include <QChart>
#include <QChartView>
#include <QFile>
#include <QImage>
#include <QLineSeries>
#include <QTemporaryDir>

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

int pointsOf(const QChart& chart, int series) {
    return static_cast<const QLineSeries*>(chart.series().at(series))->count();
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
        h.edit().setPlainText(QStringLiteral("2 1 3\n1 2 3"));
        for (const char* answer : {"2", "0.01", "1"})
            h.dialogs.answerInput(QString::fromUtf8(answer));
        h.trigger("ConvergenceAnalysis");
        QVERIFY(h.result().endsWith(QStringLiteral("迭代法的收敛性分析")));
        auto* dialog = h.window.findChild<ErrorChartDialog*>();
        QVERIFY(dialog);
        QVERIFY(dialog->isVisible() && !dialog->isModal());
        // Jacobi takes 9 sweeps here, Gauss-Seidel and SOR(w=1) 5.
        QCOMPARE(pointsOf(*dialog->view()->chart(), 0), 9);
        QCOMPARE(pointsOf(*dialog->view()->chart(), 1), 5);
        dialog->close();
    }
};

QTEST_MAIN(ErrorChartTest)
#include "error_chart_test.moc"
