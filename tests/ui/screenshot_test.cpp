// Renders the window with a report into a picture beside the build, so that
// anyone can look at it: Chinese text, toolbar, areas and status bar.
#include "application_setup.h"
#include "window_harness.h"

#include <QImage>
#include <QPixmap>

using namespace quorvex::ui;
using namespace quorvex::ui::testing;

namespace {

/// Pixels of the picture inside the widget's viewport that are dark enough
/// to be text.
int darkPixels(const QImage& shot, const QPlainTextEdit& area) {
    const QWidget* viewport = area.viewport();
    const QRect r(viewport->mapTo(area.window(), QPoint(0, 0)), viewport->size());
    int dark = 0;
    for (int y = r.top(); y <= r.bottom(); ++y)
        for (int x = r.left(); x <= r.right(); ++x) dark += qGray(shot.pixel(x, y)) < 100;
    return dark;
}

} // namespace

class ScreenshotTest : public QObject {
    Q_OBJECT
private slots:
    void initTestCase() { setUpApplication(*qApp); }

    void windowWithReport() {
        WindowHarness h;
        h.edit().setPlainText(QStringLiteral("2 1 3\n1 3 5"));
        h.dialogs.answerInput(QStringLiteral("2"));
        h.trigger("Gauss_1");
        QVERIFY(h.result().endsWith(QStringLiteral("Gauss消去法解线性方程组")));
        h.trigger("FormatDefault"); // "宋体", as the user can choose it
        const QImage shot = h.window.grab().toImage();
        QCOMPARE(shot.size(), h.window.size() * h.window.devicePixelRatio());
        // What a user sees: the typed system and the report as dark text on
        // each area's light background.
        QVERIFY(darkPixels(shot, h.edit()) > 20);
        QVERIFY(darkPixels(shot, h.resultView()) > darkPixels(shot, h.edit()));
        QVERIFY2(shot.save(QStringLiteral(QUORVEX_SCREENSHOT)), QUORVEX_SCREENSHOT);
        qInfo("window picture: %s", QUORVEX_SCREENSHOT);
    }
};

QTEST_MAIN(ScreenshotTest)
#include "screenshot_test.moc"
