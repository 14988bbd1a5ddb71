#include "exact/exact_matrix.h"

#include "exact/exact_expression.h"
#include "reading/matrix_text.h"
#include "reading/vector_text.h"

#include <optional>

namespace quorvex {

ExactMatrixReading GetExactMatrixFromText(int rows, int cols, std::string_view text) {
    ExactMatrixReading out{RationalMatrix(rows, cols), {}, {}, {}};
    out.texts.reserve(static_cast<std::size_t>(rows) * static_cast<std::size_t>(cols));
    // Like the decimal reader's row buffer: a missing entry keeps what the
    // row above held, its text and whether it was exact.
    std::vector<std::string> texts(static_cast<std::size_t>(cols) + 1);
    std::vector<ExactValue> values(static_cast<std::size_t>(cols) + 1,
                                   ExactValue{ExactValue::Kind::Exact, 0});
    MatrixLines lines(text);
    for (int r = 1; r <= rows; ++r) {
        MatrixLines::forEachElement(lines.next(), cols, [&](int j, std::string_view element) {
            const auto k = static_cast<std::size_t>(j);
            // The row mark that ends a line is no part of what was typed.
            if (!element.empty() && element.back() == '#') element.remove_suffix(1);
            texts[k] = std::string(element);
            values[k] = exactValueOf(element);
        });
        for (int j = 1; j <= cols; ++j) {
            const auto k = static_cast<std::size_t>(j);
            out.texts.push_back(texts[k]);
            if (values[k].kind == ExactValue::Kind::Exact) out.values(r, j) = values[k].value;
            else out.inexact.push_back({r, j});
            if (values[k].kind == ExactValue::Kind::TooLong) out.tooLong.push_back({r, j});
        }
    }
    return out;
}

ExactVectorReading GetExactVectorFromText(std::string_view text) {
    const std::vector<std::string> elements = VectorElementTexts(text);
    ExactVectorReading out{RationalVector(static_cast<int>(elements.size())), {}, {}};
    for (int i = 1; i <= out.values.size(); ++i) {
        ExactValue value = exactValueOf(elements[static_cast<std::size_t>(i - 1)]);
        if (value.kind == ExactValue::Kind::Exact) out.values(i) = std::move(value.value);
        else out.inexact.push_back({1, i});
        if (value.kind == ExactValue::Kind::TooLong) out.tooLong.push_back({1, i});
    }
    return out;
}

} // namespace quorvex
