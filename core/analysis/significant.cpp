#include "analysis/significant.h"

#include "reading/float_chars.h"

#include <charconv>
#include <cmath>

namespace quorvex {

double significant(double v, int digits) {
    if (v == 0.0 || !std::isfinite(v)) return v;
    // The shortest route to a correctly rounded decimal at any magnitude,
    // and independent of the locale.
    char buf[64];
    const auto written =
        precisionChars(buf, buf + sizeof buf, v, std::chars_format::scientific, digits - 1);
    double r = v;
    readDouble(buf, written.ptr, r, std::chars_format::scientific);
    return r;
}

} // namespace quorvex
