#pragma once

#include "layout_rules.h"

#include <QRect>

class QWidget;

namespace quorvex::ui {

/// Converts between twips and pixels at a screen's logical resolution
/// (15 twips a pixel at 96 dots per inch).
class Twips {
public:
    explicit Twips(double logicalDpi = 96) : m_perPixel(1440.0 / logicalDpi) {}

    /// The scale of the screen the widget is shown on (or the primary one).
    static Twips of(const QWidget& widget);

    double perPixel() const { return m_perPixel; }
    int toPixels(double twips) const;
    double fromPixels(int pixels) const { return pixels * m_perPixel; }
    QRect toPixels(const Rect& r) const;

private:
    double m_perPixel;
};

} // namespace quorvex::ui
