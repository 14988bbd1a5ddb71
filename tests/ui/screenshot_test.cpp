// Renders the window with a report into a picture beside the build, so that
// anyone can look at it: Chinese text, toolbar, areas and status bar.
#include "application_setup.h"
#include "window_harness.h"

#include <QFile>
#include <QImage>
#include <QPixmap>

using namespace quorvex::ui;
using namespace quorvex::ui::testing;

namespace {

/// Pixels of the area's viewport that its text darkens: the area grabbed
/// with its text against the same area grabbed empty, so the count holds
/// for any installed face, thin or bold.
int inkPixels(QPlainTextEdit& area) {
    const QImage withText = area.viewport()->grab().toImage();
    const QString text = area.toPlainText();
    area.setPlainText(QString());
    const QImage empty = area.viewport()->grab().toImage();
    area.setPlainText(text);
    int ink = 0;
    for (int y = 0; y < withText.height(); ++y)
        for (int x = 0; x < withText.width(); ++x)
            ink += qGray(withText.pixel(x, y)) + 60 < qGray(empty.pixel(x, y));
    return ink;
}

} // namespace

class ScreenshotTest : public QObject {
    Q_OBJECT
private slots:
    void initTestCase() { setUpApplication(*qApp); }

    void windowWithReport() {
        WindowHarness h;
        h.runCommand("Gauss_1", QStringLiteral("2 1 3\n1 3 5"), {"2"});
        QVERIFY(h.result().endsWith(QStringLiteral("Gauss消去法解线性方程组")));
        h.trigger("FormatDefault"); // "宋体", as the user can choose it
        const QImage shot = h.window.grab().toImage();
        QCOMPARE(shot.size(), h.window.size() * h.window.devicePixelRatio());
        // What a user sees: the typed system and the report as text clearly
        // darker than each area's background, in whatever face stands in
        // for 宋体 here.
        const int typed = inkPixels(h.edit());
        QVERIFY2(typed > 120, qPrintable(h.edit().fontInfo().family() + QStringLiteral(" fades")));
        QVERIFY(inkPixels(h.resultView()) > typed);
        QVERIFY2(shot.save(QStringLiteral(QUORVEX_SCREENSHOT)), QUORVEX_SCREENSHOT);
        qInfo("window picture: %s", QUORVEX_SCREENSHOT);
    }

    // The same in English, and its PDF export: the pictures the English
    // help book shows.
    void englishWindowWithReport() {
        WindowHarness h;
        h.trigger("FormatLanguageEnglish");
        h.dialogs.answerInput(QStringLiteral("6"));
        h.trigger("FormatDecimalDigits");
        h.runCommand("GaussTier", QStringLiteral("4 -1 0 3\n-1 4 -1 2\n0 -1 4 3"), {"3"});
        QVERIFY(h.result().endsWith(
            QStringLiteral("Solving a linear system by Gaussian elimination with partial (column) "
                           "pivoting")));
        QVERIFY(inkPixels(h.resultView()) > inkPixels(h.edit()));
        const QImage shot = h.window.grab().toImage();
        QVERIFY2(shot.save(QStringLiteral(QUORVEX_SCREENSHOT_EN)), QUORVEX_SCREENSHOT_EN);
        qInfo("window picture: %s", QUORVEX_SCREENSHOT_EN);
        const QString pdf = QStringLiteral(QUORVEX_SCREENSHOT_EN).replace(".png", ".pdf");
        QFile::remove(pdf);
        h.dialogs.chooseFile(Expected::Save, pdf);
        h.trigger("FileExportPdf");
        QVERIFY2(QFile::exists(pdf), qPrintable(pdf));
        qInfo("exported PDF: %s", qPrintable(pdf));
    }
};

QTEST_MAIN(ScreenshotTest)
#include "screenshot_test.moc"
