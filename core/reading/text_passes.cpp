#include "reading/text_passes.h"

#include <algorithm>

namespace quorvex {

namespace {

/// The ASCII character a typed tab or three-byte UTF-8 sequence at s[r]
/// stands for, and how many bytes it takes; 0 when it stands for itself.
std::size_t typedEquivalent(const std::string& s, std::size_t r, char& ascii) {
    if (s[r] == '\t') {
        ascii = ' ';
        return 1;
    }
    if (r + 2 >= s.size()) return 0;
    const auto b0 = static_cast<unsigned char>(s[r]);
    const auto b1 = static_cast<unsigned char>(s[r + 1]);
    const auto b2 = static_cast<unsigned char>(s[r + 2]);
    if (b0 == 0xE3 && b1 == 0x80 && b2 == 0x80) ascii = ' '; // U+3000
    else if (b0 == 0xEF && b1 == 0xBC && b2 >= 0x81 && b2 <= 0xBF)
        ascii = static_cast<char>(b2 - 0x81 + '!'); // U+FF01..U+FF3F
    else if (b0 == 0xEF && b1 == 0xBD && b2 >= 0x80 && b2 <= 0x9E)
        ascii = static_cast<char>(b2 - 0x80 + '`'); // U+FF40..U+FF5E
    else return 0;
    return 3;
}

} // namespace

std::size_t shiftLeft(std::string& s, std::size_t first, std::size_t last, std::size_t to) {
    if (to != first) std::copy(s.begin() + first, s.begin() + last, s.begin() + to);
    return to + (last - first);
}

void normaliseTypedText(std::string& s) {
    // Three whole-text searches for one byte each: find_first_of would look
    // every character up in the set, a call per character.
    std::size_t r = std::min({s.find('\t'), s.find('\xE3'), s.find('\xEF')});
    if (r == std::string::npos) return;
    std::size_t w = r;
    while (r < s.size()) {
        char ascii = 0;
        if (const std::size_t len = typedEquivalent(s, r, ascii)) {
            s[w++] = ascii;
            r += len;
        } else {
            s[w++] = s[r++];
        }
    }
    s.resize(w);
}

void replaceAllInPlace(std::string& s, std::string_view from, std::string_view to) {
    std::size_t pos = s.find(from);
    if (pos == std::string::npos) return;
    if (to.size() <= from.size()) {
        // Shrinking or equal: compact in place, one read and one write cursor.
        std::size_t write = pos;
        std::size_t read = pos;
        while (pos != std::string::npos) {
            write = shiftLeft(s, read, pos, write);
            for (char c : to) s[write++] = c;
            read = pos + from.size();
            pos = s.find(from, read);
        }
        s.resize(shiftLeft(s, read, s.size(), write));
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
