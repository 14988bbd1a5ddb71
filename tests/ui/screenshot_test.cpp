// Renders the window with a report into a picture beside the build, so that
// anyone can look at it: Chinese text, toolbar, areas and status bar.
#include "application_setup.h"
#include "window_harness.h"

#include <QImage>
#include <QPixmap>

using namespace quorvex::ui;
using namespace quorvex::ui::testing;

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
        QVERIFY2(shot.save(QStringLiteral(QUORVEX_SCREENSHOT)), QUORVEX_SCREENSHOT);
        qInfo("window picture: %s", QUORVEX_SCREENSHOT);
    }
};

QTEST_MAIN(ScreenshotTest)
#include "screenshot_test.moc"
