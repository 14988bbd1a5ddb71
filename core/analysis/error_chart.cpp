#include "analysis/error_chart.h"

#include "reading/number_text.h"

#include <algorithm>

namespace quorvex {

std::size_t ErrorChart::sweeps() const {
    std::size_t k = 0;
    for (const ErrorCurve& c : curves) k = std::max(k, c.errors.size());
    return k;
}

std::string chartTable(const ErrorChart& chart) {
    std::string out = "k";
    for (const ErrorCurve& c : chart.curves) out.append("\t").append(c.name);
    out += '\n';
    for (std::size_t k = 1; k <= chart.sweeps(); ++k) {
        appendInteger(out, static_cast<long long>(k));
        for (const ErrorCurve& c : chart.curves) {
            out += '\t';
            if (k <= c.errors.size()) appendNumber(out, c.errors[k - 1]);
        }
        out += '\n';
    }
    return out;
}

} // namespace quorvex
