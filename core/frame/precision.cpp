#include "frame/precision.h"

#include "frame/frame.h"
#include "reading/number_text.h"

#include <string_view>

namespace quorvex {

namespace {

// A precision coarser than this is allowed only after the user confirms it.
constexpr double kCoarsePrecision = 0.1;

constexpr std::string_view kPrecisionPrompt = "输入迭代精度 e：";
constexpr std::string_view kPrecisionCaption = "确定迭代精度";
constexpr std::string_view kPrecisionWarning =
    "精度设置不好，确实要这样设置，将会导致结果运算误差太大。";
constexpr std::string_view kPrecisionWarningCaption = "精度设置提示";

double askPrecision(Host& host) {
    return readLeadingNumber(
        ask(host, kPrecisionPrompt, kPrecisionCaption, numberText(kDefaultPrecision)));
}

} // namespace

double askConfirmedPrecision(Host& host) {
    double e = askPrecision(host);
    while (e > kCoarsePrecision &&
           !host.askYesNo(std::string(kPrecisionWarning), std::string(kPrecisionWarningCaption)))
        e = askPrecision(host);
    return e;
}

} // namespace quorvex
