#include "twips.h"

#include <QGuiApplication>
#include <QScreen>
#include <QWidget>

#include <cmath>

namespace quorvex::ui {

Twips Twips::of(const QWidget& widget) {
    const QScreen* screen = widget.screen();
    if (!screen) screen = QGuiApplication::primaryScreen();
    const double dpi = screen ? screen->logicalDotsPerInchX() : 96.0;
    return Twips(dpi > 0 ? dpi : 96.0);
}

int Twips::toPixels(double twips) const {
    return static_cast<int>(std::lround(twips / m_perPixel));
}

QRect Twips::toPixels(const Rect& r) const {
    return {toPixels(r.left), toPixels(r.top), toPixels(r.width), toPixels(r.height)};
}

} // namespace quorvex::ui
