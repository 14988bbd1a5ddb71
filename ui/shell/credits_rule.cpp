#include "credits_rule.h"

#include "reading/number_text.h"
#include "twips.h"

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
    const Twips t(dpi);
    QRect window(QPoint(), QSize(t.toPixels(kCreditsWidth), t.toPixels(kCreditsHeight)));
    window.moveCenter(available.center());
    const QRect label(t.toPixels(kCreditsLabelLeft), t.toPixels(kCreditsHeight),
                      t.toPixels(kCreditsLabelWidth), t.toPixels(labelHeightTwips));
    return {window, label, kCreditsHeight, scrollStepFor(kCreditsHeight)};
}

} // namespace quorvex::ui
