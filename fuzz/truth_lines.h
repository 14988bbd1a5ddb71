// Reading a report back: its lines, the catalogue sentence a line is, and
// the numbers it prints, with the house's own readers.
#pragma once

#include "base/rational.h"
#include "exact/exact_expression.h"
#include "reading/number_text.h"
#include "texts/fill.h"

#include <cmath>
#include <limits>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace quorvex::fuzz {

/// The report's lines without their line breaks (CR LF or LF).
inline std::vector<std::string> reportLines(std::string_view report) {
    std::vector<std::string> lines;
    while (!report.empty()) {
        const std::size_t nl = report.find('\n');
        std::string_view line = report.substr(0, nl);
        if (line.ends_with('\r')) line.remove_suffix(1);
        lines.emplace_back(line);
        if (nl == std::string_view::npos) break;
        report.remove_prefix(nl + 1);
    }
    return lines;
}

/// True when the text shows a value that is not a finite number.
inline bool showsNonFinite(std::string_view text) {
    return text.find("Infinity") != std::string_view::npos ||
           text.find("NaN") != std::string_view::npos;
}

/// The values of the placeholders when the whole of `line` is the catalogue
/// sentence `pattern` filled in, in the order they stand; nothing when it
/// is not. A value runs to the first place where the text after its
/// placeholder follows, which holds for every sentence read here: no value
/// contains the words that follow it.
inline std::optional<std::vector<std::string>> matchSentence(std::string_view line,
                                                             std::string_view pattern) {
    std::vector<std::string_view> pieces;
    std::size_t inOrder = 0;
    std::size_t from = 0;
    for (Placeholder p = findPlaceholder(pattern, from, inOrder); p.at != std::string_view::npos;
         p = findPlaceholder(pattern, from, inOrder)) {
        pieces.push_back(pattern.substr(from, p.at - from));
        from = p.at + p.size;
    }
    pieces.push_back(pattern.substr(from));
    if (!line.starts_with(pieces.front())) return std::nullopt;
    std::size_t at = pieces.front().size();
    std::vector<std::string> values;
    for (std::size_t k = 1; k < pieces.size(); ++k) {
        const std::string_view next = pieces[k];
        std::size_t end;
        if (k + 1 == pieces.size()) {
            if (line.size() < at + next.size() || !line.ends_with(next)) return std::nullopt;
            end = line.size() - next.size();
        } else {
            end = next.empty() ? at : line.find(next, at);
            if (end == std::string_view::npos) return std::nullopt;
        }
        values.emplace_back(line.substr(at, end - at));
        at = end + next.size();
    }
    if (pieces.size() == 1 && line.size() != pieces.front().size()) return std::nullopt;
    return values;
}

/// A number as a report writes it ("1.5", "-2E-05", "Infinity", "NaN"),
/// read back with the reader of the order answers; nothing for any other
/// text.
inline std::optional<double> reportNumber(std::string_view text) {
    if (text == "Infinity") return std::numeric_limits<double>::infinity();
    if (text == "-Infinity") return -std::numeric_limits<double>::infinity();
    if (text == "NaN") return std::numeric_limits<double>::quiet_NaN();
    if (!isWholeNumber(text)) return std::nullopt;
    return readLeadingNumber(text);
}

/// The exact value of a number the report writes ("4/5", "-3", "1.25",
/// "1E-05"); nothing for "NaN", "Infinity" and any other text.
inline std::optional<Rational> reportRational(std::string_view text) {
    if (text.empty() || showsNonFinite(text)) return std::nullopt;
    return EvaluateExactly(text);
}

/// The line name(index)=value: the index and the value's text.
struct IndexedValue {
    int index = 0;
    std::string value;
};

inline std::optional<IndexedValue> indexedValue(std::string_view line, std::string_view name) {
    if (!line.starts_with(name) || line.size() < name.size() + 4 || line[name.size()] != '(')
        return std::nullopt;
    const std::size_t close = line.find(")=", name.size());
    if (close == std::string_view::npos || close == name.size() + 1) return std::nullopt;
    int index = 0;
    for (std::size_t k = name.size() + 1; k < close; ++k) {
        if (line[k] < '0' || line[k] > '9' || index > 100000) return std::nullopt;
        index = index * 10 + (line[k] - '0');
    }
    return IndexedValue{index, std::string(line.substr(close + 2))};
}

/// The values of the lines name(1)=.. to name(n)=.. standing together in
/// that order, as texts; nothing when the report has no such run.
inline std::optional<std::vector<std::string>> indexedRun(const std::vector<std::string>& lines,
                                                          std::string_view name, int n) {
    for (std::size_t k = 0; k + static_cast<std::size_t>(n) <= lines.size(); ++k) {
        std::vector<std::string> values;
        for (int i = 1; i <= n; ++i) {
            const auto v = indexedValue(lines[k + static_cast<std::size_t>(i - 1)], name);
            if (!v || v->index != i) break;
            values.push_back(v->value);
        }
        if (static_cast<int>(values.size()) == n) return values;
    }
    return std::nullopt;
}

/// The index of the first line equal to `text` at or after `from`.
inline std::optional<std::size_t> findLine(const std::vector<std::string>& lines,
                                           std::string_view text, std::size_t from = 0) {
    for (std::size_t k = from; k < lines.size(); ++k)
        if (lines[k] == text) return k;
    return std::nullopt;
}

/// The numbers of a matrix line ("  1  -2.5  3"), read back; nothing when
/// one of them is not a number text.
inline std::optional<std::vector<double>> matrixRow(std::string_view line) {
    std::vector<double> row;
    while (!line.empty()) {
        const std::size_t start = line.find_first_not_of(' ');
        if (start == std::string_view::npos) break;
        line.remove_prefix(start);
        const std::size_t end = std::min(line.find(' '), line.size());
        const auto v = reportNumber(line.substr(0, end));
        if (!v) return std::nullopt;
        row.push_back(*v);
        line.remove_prefix(end);
    }
    return row;
}

} // namespace quorvex::fuzz
