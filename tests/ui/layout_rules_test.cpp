// The layout rules in twips at their boundaries, each value worked out by hand.
#include "layout_rules.h"

#include <QTest>

using namespace quorvex::ui;

namespace {

/// Areas as an earlier layout left them: edit 4000 wide, all 5000 high, the
/// grip 37 wide (a resize that goes through makes it 100 again).
const AreaLayout kEarlier{{0, 480, 4000, 5000}, {4000, 480, 37, 5000}, {4100, 480, 4760, 5000}};

AreaLayout split(double x, double windowWidth) { return SizeControls(kEarlier, x, windowWidth); }

/// A window of the given outer size whose client is 1275 lower than the frame.
ResizeOutcome resize(double width, double height, double client) {
    return Form_Resize(kEarlier, {width, height, client, 420, 390});
}

} // namespace

class LayoutRulesTest : public QObject {
    Q_OBJECT
private slots:
    void boundaries_data() {
        QTest::addColumn<double>("actual");
        QTest::addColumn<double>("expected");
        // result width = window width - (edit width + 140) - 100
        QTest::newRow("split within the limits: result") << split(3000, 9000).result.width << 5760.;
        QTest::newRow("split: result past the grip") << split(3000, 9000).result.left << 3100.;
        QTest::newRow("edit never narrower than 1500") << split(700, 9000).edit.width << 1500.;
        QTest::newRow("split 1500 from the right edge") << split(8000, 9000).edit.width << 7500.;
        QTest::newRow("right limit wins when narrow") << split(700, 2800).edit.width << 1300.;
        // x = -500: the negative edit width is refused, the grip still moves.
        QTest::newRow("negative width skipped") << split(4000, 1000).edit.width << 4000.;
        QTest::newRow("negative width: grip moves") << split(4000, 1000).grip.left << -500.;
        // h = client height - 390 - 420
        QTest::newRow("resize: heights") << resize(9000, 7500, 6225).areas.edit.height << 5415.;
        QTest::newRow("resize: grip 100 again")
            << resize(9000, 7500, 6225).areas.grip.width << 100.;
        QTest::newRow("2999 wide jumps to 3500") << *resize(2999, 7500, 6225).jumpToWidth << 3500.;
        QTest::newRow("3000 wide: no jump")
            << resize(3000, 7500, 6225).jumpToWidth.value_or(0) << 0.;
        QTest::newRow("3000 wide: result 1260")
            << resize(3000, 7500, 6225).areas.result.width << 1260.;
        QTest::newRow("too low jumps to 3500 high")
            << *resize(9000, 2000, 1200).jumpToHeight << 3500.;
        // The client grows with the window by 3500 - 2000: 1200 + 1500 - 810.
        QTest::newRow("too low: heights") << resize(9000, 2000, 1200).areas.edit.height << 1890.;
        // Form_Resize stops before it sizes the grip: heights and grip stay.
        QTest::newRow("client too short: height")
            << resize(6000, 3200, 800).areas.edit.height << 5000.;
        QTest::newRow("client too short: grip") << resize(6000, 3200, 800).areas.grip.width << 37.;
        QTest::newRow("client too short: result")
            << resize(6000, 3200, 800).areas.result.width << 1760.;
        // The bar stays 500 from either edge; pressed, it is the grip halved.
        QTest::newRow("bar follows the mouse") << splitterBarLeft(-1000, 4000, 9000) << 3000.;
        QTest::newRow("bar not below 500") << splitterBarLeft(-3900, 4000, 9000) << 500.;
        QTest::newRow("bar not beyond 8500") << splitterBarLeft(4600, 4000, 9000) << 8500.;
        QTest::newRow("bar half rounds to even")
            << splitterBarOnMouseDown({10, 480, 102.5, 1000}).width << 51.;
        QTest::newRow("bar other half up")
            << splitterBarOnMouseDown({10, 480, 103.5, 1000}).width << 52.;
        QTest::newRow("bar 20 shorter")
            << splitterBarOnMouseDown({10, 480, 103, 1000}).height << 980.;
        QTest::newRow("progress strip top")
            << progressStrip({0, 480, 4000, 5415}, 5835).top << 5485.;
    }
    void boundaries() {
        QFETCH(double, actual);
        QFETCH(double, expected);
        QCOMPARE(actual, expected);
    }
};

QTEST_APPLESS_MAIN(LayoutRulesTest)
#include "layout_rules_test.moc"
