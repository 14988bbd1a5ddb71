#pragma once

#include <cmath>

namespace quorvex::ui {

/// Lengths of the shell's windows are given in twips (1/1440 inch); the
/// screen's logical DPI turns them into pixels (15 twips a pixel at 96 dpi).
inline constexpr double kTwipsPerInch = 1440.0;

/// Pixels for a length in twips, rounded to the nearest pixel.
inline int twipsToPixels(double twips, double dpi) {
    return static_cast<int>(std::lround(twips * dpi / kTwipsPerInch));
}

/// Twips for a length in pixels, rounded to the nearest twip.
inline int pixelsToTwips(double pixels, double dpi) {
    return static_cast<int>(std::lround(pixels * kTwipsPerInch / dpi));
}

} // namespace quorvex::ui
