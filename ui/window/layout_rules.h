#pragma once

#include <optional>

// The window's layout rules, in twips (1/1440 inch), free of any widget so
// that they can be checked by hand.
namespace quorvex::ui {

/// A control's place in the client area, in twips.
struct Rect {
    double left = 0;
    double top = 0;
    double width = 0;
    double height = 0;

    friend bool operator==(const Rect&, const Rect&) = default;
};

/// The edit area Text1, the grip imgSplitter and the result area Text2.
struct AreaLayout {
    Rect edit;
    Rect grip;
    Rect result;

    friend bool operator==(const AreaLayout&, const AreaLayout&) = default;
};

/// The window's current measures, in twips.
struct WindowMeasures {
    double outerWidth = 0;  ///< frame included
    double outerHeight = 0; ///< frame included
    double clientHeight = 0;
    double toolbarHeight = 0;
    double statusBarHeight = 0;
};

/// Form_Resize's outcome: the areas, and the outer size the window must jump
/// to when it was made too small.
struct ResizeOutcome {
    AreaLayout areas;
    std::optional<double> jumpToWidth;
    std::optional<double> jumpToHeight;
};

inline constexpr double kAreasTop = 480;
inline constexpr double kGripWidth = 100;
inline constexpr double kToolbarHeight = 420;
inline constexpr double kStatusBarHeight = 390;
inline constexpr double kProgressStripHeight = 350;
/// Where the splitter starts: the two areas about equally wide.
inline constexpr double kInitialSplit = 4350;
inline constexpr double kInitialClientWidth = 8850;
inline constexpr double kInitialClientHeight = 6225;

/// Lays out the areas for the splitter position x, as SizeControls does:
/// neither area narrower than the limits, a size a control would reject
/// (negative) left as it was.
AreaLayout SizeControls(AreaLayout areas, double x, double windowWidth);

/// The layout after the window took the measures given.
ResizeOutcome Form_Resize(const AreaLayout& areas, WindowMeasures window);

/// The moving bar picSplitter as a drag starts on the grip.
Rect splitterBarOnMouseDown(const Rect& grip);

/// The bar's left edge while the grip is dragged; x is measured from the
/// grip's left edge.
double splitterBarLeft(double x, double gripLeft, double windowWidth);

/// The strip the progress bar takes at the bottom of the edit area while a
/// file loads, the edit area being shortened by its height.
Rect progressStrip(const Rect& edit, double statusBarTop);

} // namespace quorvex::ui
