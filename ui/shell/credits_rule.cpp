#include "credits_rule.h"

#include "number_text.h"
#include "screen_units.h"

namespace quorvex::ui {

int scrollStepFor(int clientHeightTwips) {
    return static_cast<int>(roundHalfEven(clientHeightTwips / double(kCreditsCrossingTicks)));
}

int nextLabelTop(int top, int labelHeight, int clientHeight, int step) {
    top -= step;
    if (-labelHeight > top) top = clientHeight;
    return top;
}

CreditsGeometry creditsGeometry(const QRect& available, double dpi, int labelHeightTwips) {
    const QSize size(twipsToPixels(kCreditsWidth, dpi), twipsToPixels(kCreditsHeight, dpi));
    QRect window(QPoint(), size);
    window.moveCenter(available.center());
    const QRect label(twipsToPixels(kCreditsLabelLeft, dpi), twipsToPixels(kCreditsHeight, dpi),
                      twipsToPixels(kCreditsLabelWidth, dpi), twipsToPixels(labelHeightTwips, dpi));
    return {window, label, kCreditsHeight, scrollStepFor(kCreditsHeight)};
}

} // namespace quorvex::ui
