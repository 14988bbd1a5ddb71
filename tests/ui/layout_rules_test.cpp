// The layout rules in twips at their boundaries, each value worked out by
// hand (tests/data/tables/layout_rules.tsv).
#include "layout_rules.h"
#include "support.h"

#include <QTest>

#include <map>
#include <string>
#include <vector>

using namespace quorvex::ui;

namespace {

const AreaLayout kEarlier{{0, 480, 4000, 5000}, {4000, 480, 37, 5000}, {4100, 480, 4760, 5000}};

/// The value a row of the table looks at, as text ("none": no value).
QString valueOf(const std::vector<std::string>& r) {
    std::vector<double> a;
    for (std::size_t i = 1; i < r.size() - 2; ++i) a.push_back(std::stod(r[i]));
    const std::string& what = r[r.size() - 2];
    AreaLayout areas;
    std::map<std::string, double> values;
    if (r[0] == "split") areas = SizeControls(kEarlier, a[0], a[1]);
    if (r[0] == "resize") {
        const ResizeOutcome o = Form_Resize(kEarlier, {a[0], a[1], a[2], 420, 390});
        areas = o.areas;
        if (o.jumpToWidth) values["jump.width"] = *o.jumpToWidth;
        if (o.jumpToHeight) values["jump.height"] = *o.jumpToHeight;
    }
    for (const auto& [name, rect] : {std::pair{"edit", areas.edit}, std::pair{"grip", areas.grip},
                                     std::pair{"result", areas.result}}) {
        values[std::string(name) + ".width"] = rect.width;
        values[std::string(name) + ".left"] = rect.left;
        values[std::string(name) + ".height"] = rect.height;
    }
    if (r[0] == "bar") values["left"] = splitterBarLeft(a[0], a[1], a[2]);
    if (r[0] == "pressed") {
        const Rect bar = splitterBarOnMouseDown({a[0], a[1], a[2], a[3]});
        values["width"] = bar.width, values["height"] = bar.height;
    }
    if (r[0] == "progress") values["top"] = progressStrip({a[0], a[1], a[2], a[3]}, a[4]).top;
    return values.count(what) ? QString::number(values[what], 'g', 10) : QStringLiteral("none");
}

} // namespace

class LayoutRulesTest : public QObject {
    Q_OBJECT
private slots:
    void boundaries() {
        for (const auto& r : quorvex::testing::table("layout_rules")) {
            const QString got = valueOf(r);
            QVERIFY2(got == QString::fromStdString(r.back()),
                     qPrintable(QString::fromStdString(r[0] + " " + r[1]) + ": " + got));
        }
    }
};

QTEST_APPLESS_MAIN(LayoutRulesTest)
#include "layout_rules_test.moc"
