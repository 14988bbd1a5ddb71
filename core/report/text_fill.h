#pragma once

#include <initializer_list>
#include <string>
#include <string_view>

namespace quorvex {

/// A catalogue text with each "{}" replaced by the next argument, in order:
/// texts are whole sentences, so a number never has words glued around it.
inline std::string fillText(std::string_view pattern,
                            std::initializer_list<std::string_view> args) {
    std::string out;
    auto next = args.begin();
    for (std::size_t i = 0; i < pattern.size(); ++i) {
        if (pattern.compare(i, 2, "{}") == 0 && next != args.end()) {
            out += *next++;
            ++i;
        } else {
            out += pattern[i];
        }
    }
    return out;
}

} // namespace quorvex
