#include "frame/precision.h"

#include "frame/frame.h"
#include "reading/number_text.h"
#include "texts/dialog_texts.h"

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

double askConfirmedPrecision(Host& host) {
    double e = askPrecision(host);
    while (e > kCoarsePrecision && !host.askYesNo(std::string(T::kPrecisionWarning),
                                                  std::string(T::kPrecisionWarningCaption)))
        e = askPrecision(host);
    return e;
}

} // namespace quorvex
