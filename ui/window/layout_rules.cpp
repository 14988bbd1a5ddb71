#include "layout_rules.h"

#include <cmath>

namespace quorvex::ui {

namespace {

constexpr double kAreaLimit = 1500;
constexpr double kBarLimit = 500;
constexpr double kResultRightMargin = 140;
constexpr double kSmallestSide = 3000;
constexpr double kJumpedSide = 3500;
constexpr double kBarShorterBy = 20;

// A control refuses a negative size; the layout then goes on without it.
void setWidth(Rect& r, double w) {
    if (w >= 0) r.width = w;
}

void setHeight(Rect& r, double h) {
    if (h >= 0) r.height = h;
}

/// Integer division of a length that is first rounded, halves to even.
double halvedWhole(double v) {
    const double whole = std::nearbyint(v);
    return std::trunc(whole / 2);
}

} // namespace

AreaLayout SizeControls(AreaLayout a, double x, double windowWidth) {
    if (x < kAreaLimit) x = kAreaLimit;
    if (x > windowWidth - kAreaLimit) x = windowWidth - kAreaLimit;
    setWidth(a.edit, x);
    a.grip.left = x;
    a.result.left = x + kGripWidth;
    setWidth(a.result, windowWidth - (a.edit.width + kResultRightMargin) - kGripWidth);
    a.result.top = a.edit.top;
    setHeight(a.result, a.edit.height);
    a.grip.top = a.edit.top;
    setHeight(a.grip, a.edit.height);
    return a;
}

ResizeOutcome Form_Resize(const AreaLayout& areas, WindowMeasures w) {
    ResizeOutcome out;
    if (w.outerWidth < kSmallestSide) {
        out.jumpToWidth = kJumpedSide;
        w.outerWidth = kJumpedSide;
    }
    if (w.outerHeight < kSmallestSide) {
        out.jumpToHeight = kJumpedSide;
        w.clientHeight += kJumpedSide - w.outerHeight;
        w.outerHeight = kJumpedSide;
    }
    AreaLayout a = SizeControls(areas, areas.grip.left, w.outerWidth);
    const double h = w.clientHeight - w.statusBarHeight - w.toolbarHeight;
    if (h > 0) {
        a.edit.left = 0;
        setHeight(a.edit, h);
        a.grip.left = a.edit.left + a.edit.width;
        setHeight(a.grip, a.edit.height);
        a.grip.width = kGripWidth;
        a.result.left = a.edit.left + a.edit.width + a.grip.width;
        setHeight(a.result, h);
        setWidth(a.result, w.outerWidth - a.edit.width - a.grip.width - kResultRightMargin);
    }
    out.areas = a;
    return out;
}

Rect splitterBarOnMouseDown(const Rect& grip) {
    Rect bar{grip.left, grip.top, halvedWhole(grip.width), 0};
    setHeight(bar, grip.height - kBarShorterBy);
    return bar;
}

double splitterBarLeft(double x, double gripLeft, double windowWidth) {
    const double p = x + gripLeft;
    if (p < kBarLimit) return kBarLimit;
    if (p > windowWidth - kBarLimit) return windowWidth - kBarLimit;
    return p;
}

Rect progressStrip(const Rect& edit, double statusBarTop) {
    return {edit.left, statusBarTop - kProgressStripHeight, edit.width, kProgressStripHeight};
}

} // namespace quorvex::ui
