#include "text_passes.h"

namespace quorvex {

void replaceAllInPlace(std::string& s, std::string_view from, std::string_view to) {
    std::size_t pos = s.find(from);
    if (pos == std::string::npos) return;
    if (to.size() <= from.size()) {
        // Shrinking or equal: compact in place, one read and one write cursor.
        std::size_t write = pos;
        std::size_t read = pos;
        while (pos != std::string::npos) {
            for (std::size_t k = read; k < pos; ++k) s[write++] = s[k];
            for (char c : to) s[write++] = c;
            read = pos + from.size();
            pos = s.find(from, read);
        }
        for (std::size_t k = read; k < s.size(); ++k) s[write++] = s[k];
        s.resize(write);
        return;
    }
    std::string out;
    out.reserve(s.size() + s.size() / 8);
    std::size_t start = 0;
    while (pos != std::string::npos) {
        out.append(s, start, pos - start);
        out.append(to);
        start = pos + from.size();
        pos = s.find(from, start);
    }
    out.append(s, start, std::string::npos);
    s = std::move(out);
}

std::string_view trimBlanks(std::string_view s) {
    std::size_t b = 0, e = s.size();
    while (b < e && s[b] == ' ') ++b;
    while (e > b && s[e - 1] == ' ') --e;
    return s.substr(b, e - b);
}

void collapseBlankRuns(std::string& s) {
    // Every run of blanks, however long, becomes one blank. (Collapsing by
    // fixed runs of nine, five, three and two leaves two or three blanks
    // behind a run of 287 or more, which would read as an empty element.)
    std::size_t write = 0;
    for (std::size_t read = 0; read < s.size(); ++read) {
        if (s[read] == ' ' && write > 0 && s[write - 1] == ' ') continue;
        s[write++] = s[read];
    }
    s.resize(write);
}

} // namespace quorvex
