#pragma once

#include <cstddef>
#include <initializer_list>
#include <string>
#include <string_view>

namespace quorvex {

/// A placeholder of a catalogue text: where it starts, how many characters
/// it takes, and the index of the value it stands for. `at` is npos when
/// there is none.
struct Placeholder {
    std::size_t at = std::string_view::npos;
    std::size_t size = 0;
    std::size_t value = 0;
};

/// The first placeholder of `pattern` at or after `from`. "{}" stands for
/// the value after the one the previous "{}" took (`nextInOrder` counts
/// them); "{1}".."{9}" stand for the value they name, so that a translation
/// can put the values in another order. Any other brace is text.
inline Placeholder findPlaceholder(std::string_view pattern, std::size_t from,
                                   std::size_t& nextInOrder) {
    for (std::size_t at = pattern.find('{', from); at != std::string_view::npos;
         at = pattern.find('{', at + 1)) {
        const std::string_view rest = pattern.substr(at + 1);
        if (rest.starts_with('}')) return {at, 2, nextInOrder++};
        if (rest.size() >= 2 && rest[0] >= '1' && rest[0] <= '9' && rest[1] == '}')
            return {at, 3, static_cast<std::size_t>(rest[0] - '1')};
    }
    return {};
}

/// A catalogue text with its placeholders replaced by the values: texts are
/// whole sentences, so a number never has words glued around it. A
/// placeholder with no value to take stays as it is.
inline std::string fillText(std::string_view pattern,
                            std::initializer_list<std::string_view> values) {
    std::size_t size = pattern.size();
    for (std::string_view v : values) size += v.size();
    std::string out;
    out.reserve(size);
    std::size_t inOrder = 0;
    std::size_t from = 0;
    for (Placeholder p = findPlaceholder(pattern, from, inOrder); p.at != std::string_view::npos;
         p = findPlaceholder(pattern, from, inOrder)) {
        out.append(pattern.substr(from, p.at - from));
        out.append(p.value < values.size() ? values.begin()[p.value]
                                           : pattern.substr(p.at, p.size));
        from = p.at + p.size;
    }
    out.append(pattern.substr(from));
    return out;
}

} // namespace quorvex
