#include "twips.h"

#include <QGuiApplication>
#include <QScreen>
#include <QWidget>

#include <cmath>

namespace quorvex::ui {

Twips Twips::of(const QWidget& widget) {
    const QScreen* screen = widget.screen();
    if (!screen) screen = QGuiApplication::primaryScreen();
    return Twips(screen ? screen->logicalDotsPerInchY() : 96.0);
}

int Twips::toPixels(double twips) const {
    return static_cast<int>(std::lround(twips * m_dpi / kPerInch));
}

} // namespace quorvex::ui
