#pragma once

#include <QRect>

namespace quorvex::ui {

/// The credits window's design values, in twips.
inline constexpr int kCreditsWidth = 9990;
inline constexpr int kCreditsHeight = 6885;
inline constexpr int kCreditsLabelLeft = 480;
inline constexpr int kCreditsLabelWidth = 9480;
/// The scroll timer's interval in milliseconds.
inline constexpr int kCreditsTickMs = 30;
/// The text crosses the window in this many ticks (plus its own height).
inline constexpr int kCreditsCrossingTicks = 250;

/// Where the credits window and its label go on a screen.
struct CreditsGeometry {
    QRect window;     ///< pixels, centred on the screen's available area
    QRect label;      ///< pixels inside the window, at its first top edge
    int clientHeight; ///< twips
    int scrollStep;   ///< twips the label rises per tick
};

/// The twips the label rises per tick: the client height over 250, rounded
/// to the nearest integer with halves to even (28 for 6885).
int scrollStepFor(int clientHeightTwips);

/// The label's next top edge: up by step, and back to the client height once
/// the whole label has left the window at the top.
int nextLabelTop(int top, int labelHeight, int clientHeight, int step);

/// The window centred on the available screen area, the label (of the given
/// height in twips) just below the visible area, and the scroll step.
CreditsGeometry creditsGeometry(const QRect& available, double dpi, int labelHeightTwips);

} // namespace quorvex::ui
