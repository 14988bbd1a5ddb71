#include "reading/vector_text.h"

#include "reading/expression.h"
#include "reading/text_passes.h"

#include <algorithm>
#include <string>
#include <vector>

namespace quorvex {

namespace {

/// The first line that holds anything, without its line break.
std::string_view firstLine(std::string_view text) {
    text = trimBlanks(text);
    const std::size_t begin = text.find_first_not_of(" \r\n");
    if (begin == std::string_view::npos) return {};
    text.remove_prefix(begin);
    // "#" ends a line just as a line break does: it is the row mark the
    // evaluator stops at.
    return trimBlanks(text.substr(0, text.find_first_of("\r\n#")));
}

} // namespace

std::vector<std::string> VectorElementTexts(std::string_view text) {
    std::string typed(text);
    normaliseTypedText(typed);
    const std::string_view line = firstLine(typed);
    // Every run of blanks, however long, is one separator.
    std::vector<std::string> elements;
    std::size_t pos = 0;
    while (pos < line.size()) {
        const std::size_t end = std::min(line.find(' ', pos), line.size());
        elements.emplace_back(line.substr(pos, end - pos));
        pos = line.find_first_not_of(' ', end);
        if (pos == std::string_view::npos) break;
    }
    return elements;
}

Vector GetVectorFromText(std::string_view text) {
    const std::vector<std::string> elements = VectorElementTexts(text);
    Vector v(static_cast<int>(elements.size()));
    for (int i = 1; i <= v.size(); ++i)
        v(i) = EvaluateExpression(elements[static_cast<std::size_t>(i - 1)]);
    return v;
}

} // namespace quorvex
