// The readers of typed answers: order, decimals, any leading number.
#include "reading/number_text.h"

#include <cmath>
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string_view>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string_view text(reinterpret_cast<const char*>(data), size);
    const double v = quorvex::readLeadingNumber(text);
    if (auto n = quorvex::orderFromAnswer(text); n && (*n < 1 || *n > 32766)) std::abort();
    const int d = quorvex::decimalDigitsFromAnswer(text);
    if (d < 1 || d > 16) std::abort();
    char buf[quorvex::kMaxNumberText];
    (void)quorvex::writeNumber(buf, quorvex::roundTo(v, d));
    return 0;
}
