// The layout rules in twips, checked against values worked out by hand.
#include "layout_rules.h"

#include <QTest>

using namespace quorvex::ui;

Q_DECLARE_METATYPE(quorvex::ui::Rect)
Q_DECLARE_METATYPE(quorvex::ui::AreaLayout)
Q_DECLARE_METATYPE(quorvex::ui::WindowMeasures)

namespace quorvex::ui {

// QCOMPARE prints the rectangles and layouts that differ.
QString text(const Rect& r) {
    return QStringLiteral("(%1, %2, %3, %4)").arg(r.left).arg(r.top).arg(r.width).arg(r.height);
}
char* toString(const Rect& r) { return qstrdup(qPrintable(text(r))); }
char* toString(const AreaLayout& a) {
    return qstrdup(qPrintable(text(a.edit) + text(a.grip) + text(a.result)));
}

} // namespace quorvex::ui

namespace {

/// Areas as an earlier layout left them: edit 4000 wide, all 5000 high.
AreaLayout earlier() {
    return {{0, 480, 4000, 5000}, {4000, 480, 100, 5000}, {4100, 480, 4760, 5000}};
}

} // namespace

class LayoutRulesTest : public QObject {
    Q_OBJECT
private slots:
    void sizeControls_data() {
        QTest::addColumn<double>("x");
        QTest::addColumn<double>("windowWidth");
        QTest::addColumn<AreaLayout>("expected");
        // result width = window width - (edit width + 140) - 100
        QTest::newRow("position within the limits")
            << 3000.0 << 9000.0
            << AreaLayout{{0, 480, 3000, 5000}, {3000, 480, 100, 5000}, {3100, 480, 5760, 5000}};
        QTest::newRow("edit area never narrower than 1500")
            << 700.0 << 9000.0
            << AreaLayout{{0, 480, 1500, 5000}, {1500, 480, 100, 5000}, {1600, 480, 7260, 5000}};
        QTest::newRow("splitter never closer than 1500 to the right edge")
            << 8000.0 << 9000.0
            << AreaLayout{{0, 480, 7500, 5000}, {7500, 480, 100, 5000}, {7600, 480, 1260, 5000}};
        QTest::newRow("right limit wins in a narrow window")
            << 700.0 << 2800.0
            << AreaLayout{{0, 480, 1300, 5000}, {1300, 480, 100, 5000}, {1400, 480, 1260, 5000}};
        // x = -500: negative widths are refused and the old ones stay.
        QTest::newRow("negative widths are skipped, the rest goes on")
            << 4000.0 << 1000.0
            << AreaLayout{{0, 480, 4000, 5000}, {-500, 480, 100, 5000}, {-400, 480, 4760, 5000}};
    }
    void sizeControls() {
        QFETCH(double, x);
        QFETCH(double, windowWidth);
        QFETCH(AreaLayout, expected);
        QCOMPARE(SizeControls(earlier(), x, windowWidth), expected);
    }

    void formResize_data() {
        QTest::addColumn<WindowMeasures>("window");
        QTest::addColumn<AreaLayout>("expected");
        QTest::addColumn<double>("jumpWidth");  // 0: no jump
        QTest::addColumn<double>("jumpHeight"); // 0: no jump
        // h = client height - 390 - 420; result width = window width - edit - 100 - 140
        QTest::newRow("ordinary size") << WindowMeasures{9000, 7500, 6225, 420, 390}
                                       << AreaLayout{{0, 480, 4000, 5415},
                                                     {4000, 480, 100, 5415},
                                                     {4100, 480, 4760, 5415}}
                                       << 0.0 << 0.0;
        QTest::newRow("too narrow jumps to 3500 wide")
            << WindowMeasures{2999, 7500, 6225, 420, 390}
            << AreaLayout{{0, 480, 2000, 5415}, {2000, 480, 100, 5415}, {2100, 480, 1260, 5415}}
            << 3500.0 << 0.0;
        QTest::newRow("3000 wide is small enough")
            << WindowMeasures{3000, 7500, 6225, 420, 390}
            << AreaLayout{{0, 480, 1500, 5415}, {1500, 480, 100, 5415}, {1600, 480, 1260, 5415}}
            << 0.0 << 0.0;
        // The client grows with the window by 3500 - 2000: 1200 + 1500 - 810 = 1890.
        QTest::newRow("too low jumps to 3500 high")
            << WindowMeasures{9000, 2000, 1200, 420, 390}
            << AreaLayout{{0, 480, 4000, 1890}, {4000, 480, 100, 1890}, {4100, 480, 4760, 1890}}
            << 0.0 << 3500.0;
        // Form_Resize stops before it sizes the grip: it keeps its width.
        QTest::newRow("client too short: heights stay, widths follow")
            << WindowMeasures{6000, 3200, 800, 420, 390}
            << AreaLayout{{0, 480, 4000, 5000}, {4000, 480, 37, 5000}, {4100, 480, 1760, 5000}}
            << 0.0 << 0.0;
    }
    void formResize() {
        QFETCH(WindowMeasures, window);
        QFETCH(AreaLayout, expected);
        QFETCH(double, jumpWidth);
        QFETCH(double, jumpHeight);
        AreaLayout before = earlier();
        before.grip.width = 37; // a resize that goes through makes it 100 wide again
        const ResizeOutcome out = Form_Resize(before, window);
        QCOMPARE(out.areas, expected);
        QCOMPARE(out.jumpToWidth.value_or(0), jumpWidth);
        QCOMPARE(out.jumpToHeight.value_or(0), jumpHeight);
    }

    void barOnMouseDown_data() {
        QTest::addColumn<Rect>("grip");
        QTest::addColumn<Rect>("expected");
        QTest::newRow("odd width halved down") << Rect{4000, 480, 101, 5415}
                                               << Rect{4000, 480, 50, 5395};
        QTest::newRow("half rounds to even first") << Rect{10, 480, 102.5, 1000}
                                                   << Rect{10, 480, 51, 980};
        QTest::newRow("other half rounds up") << Rect{10, 480, 103.5, 1000}
                                              << Rect{10, 480, 52, 980};
    }
    void barOnMouseDown() {
        QFETCH(Rect, grip);
        QFETCH(Rect, expected);
        QCOMPARE(splitterBarOnMouseDown(grip), expected);
    }

    void barFollowsMouseWithinLimits_data() {
        QTest::addColumn<double>("x");
        QTest::addColumn<double>("expected");
        // grip at 4000, window 9000 wide: the bar stays within 500..8500
        QTest::newRow("follows the mouse") << -1000.0 << 3000.0;
        QTest::newRow("down to 500") << -3500.0 << 500.0;
        QTest::newRow("not below 500") << -3900.0 << 500.0;
        QTest::newRow("up to 8500") << 4500.0 << 8500.0;
        QTest::newRow("not beyond 8500") << 4600.0 << 8500.0;
    }
    void barFollowsMouseWithinLimits() {
        QFETCH(double, x);
        QFETCH(double, expected);
        QCOMPARE(splitterBarLeft(x, 4000, 9000), expected);
    }

    void progressStripTakesBottomOfEditArea() {
        QCOMPARE(progressStrip({0, 480, 4000, 5415}, 5835), (Rect{0, 5485, 4000, 350}));
    }
};

QTEST_APPLESS_MAIN(LayoutRulesTest)
#include "layout_rules_test.moc"
