#pragma once

class QWidget;

namespace quorvex::ui {

/// Lengths of the windows are designed in twips (1/1440 inch); the screen's
/// logical resolution turns them into pixels (15 twips a pixel at 96 dpi).
/// One converter for the main window and the shell's windows alike.
class Twips {
public:
    explicit Twips(double logicalDpi = 96) : m_dpi(logicalDpi > 0 ? logicalDpi : 96) {}

    /// The scale of the screen the widget is shown on (or the primary one).
    static Twips of(const QWidget& widget);

    /// Pixels for a length in twips, rounded to the nearest pixel.
    int toPixels(double twips) const;
    /// Twips for a length in pixels.
    double fromPixels(double pixels) const { return pixels * kPerInch / m_dpi; }

private:
    static constexpr double kPerInch = 1440.0;
    double m_dpi;
};

} // namespace quorvex::ui
