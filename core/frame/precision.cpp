#include "frame/precision.h"

#include "frame/frame.h"
#include "reading/number_text.h"
#include "texts/dialog_texts.h"
#include "texts/fill.h"

#include <string_view>

namespace quorvex {

namespace {

namespace T = texts::dialog;

// A precision coarser than this is allowed only after the user confirms it.
constexpr double kCoarsePrecision = 0.1;

double askPrecision(Host& host) {
    return readLeadingNumber(
        ask(host, T::kPrecisionPrompt, T::kPrecisionCaption, numberText(kDefaultPrecision)));
}

} // namespace

double askPrecisionOnly(Host& host) {
    double e = askPrecision(host);
    while (e > kCoarsePrecision && !host.askYesNo(std::string(T::kPrecisionWarning),
                                                  std::string(T::kPrecisionWarningCaption)))
        e = askPrecision(host);
    return e;
}

void noticeNegativePrecision(Host& host, double e) {
    // A negative tolerance is taken as it is, as the question box takes
    // any below 0.1; but no change between sweeps is ever below it, so the
    // run can only end at the sweep limit, whose message blames the method.
    if (e < 0.0) host.notice(fillText(T::kNegativePrecision, {numberText(e)}));
}

double askConfirmedPrecision(Host& host) {
    const double e = askPrecisionOnly(host);
    noticeNegativePrecision(host, e);
    return e;
}

} // namespace quorvex
