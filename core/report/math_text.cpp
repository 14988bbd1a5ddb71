#include "report/math_text.h"

namespace quorvex {

std::string texNumber(std::string_view text) {
    std::string out;
    for (std::size_t i = 0; i < text.size(); ++i) {
        const char c = text[i];
        if (c == 'E' && i + 1 < text.size() && (text[i + 1] == '+' || text[i + 1] == '-')) {
            out.append("\\mathrm{E}{").append(1, text[i + 1]).append("}");
            ++i;
        } else if (c >= 'A' && c <= 'Z') {
            // Infinity, NaN: the word, upright.
            const auto end =
                text.find_first_not_of("abcdefghijklmnopqrstuvwxyzABCDEFGHIJKLMNOPQRSTUVWXYZ", i);
            out.append("\\mathrm{").append(text.substr(i, end - i)).append("}");
            if (end == std::string_view::npos) break;
            i = end - 1;
        } else {
            out.push_back(c);
        }
    }
    return out;
}

std::string texExact(const Rational& q) {
    if (q.get_den() == 1) return q.get_num().get_str();
    std::string out = sgn(q) < 0 ? "-" : "";
    const mpz_class magnitude = abs(q.get_num());
    return out + "\\frac{" + magnitude.get_str() + "}{" + q.get_den().get_str() + "}";
}

std::string texMatrix(const BlockShape& shape) {
    std::string out;
    if (shape.barAfter > 0) {
        out.append("\\left[\\begin{array}{");
        for (int j = 1; j <= shape.cols; ++j) {
            out.push_back('c');
            if (j == shape.barAfter) out.push_back('|');
        }
        out.append("}\n");
    } else {
        out.append("\\begin{bmatrix}\n");
    }
    std::size_t k = 0;
    for (int i = 1; i <= shape.rows; ++i) {
        for (int j = 1; j <= shape.cols; ++j, ++k) {
            if (j > 1) out.append(" & ");
            out.append(shape.exact.empty() ? texNumber(numberText(shape, k))
                                           : texExact(shape.exact[k]));
        }
        out.append(i < shape.rows ? " \\\\\n" : "\n");
    }
    out.append(shape.barAfter > 0 ? "\\end{array}\\right]" : "\\end{bmatrix}");
    return out;
}

} // namespace quorvex
