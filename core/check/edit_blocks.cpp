#include "check/edit_blocks.h"

#include "reading/text_passes.h"

namespace quorvex::check {

namespace {

/// A line's element texts. As the matrix reader does, a run of blanks is one
/// separator, a comma with a blank on each side separates an empty element,
/// and a comma ending a line, or opening any line but the block's first,
/// separates nothing.
std::vector<std::string> elementsOf(std::string_view line, bool firstOfBlock) {
    std::string s(trimBlanks(line));
    collapseBlankRuns(s);
    for (char& c : s)
        if (c == ' ') c = ',';
    replaceAllInPlace(s, ",,", ",");
    if (!firstOfBlock && !s.empty() && s.front() == ',') s.erase(0, 1);
    if (!s.empty() && s.back() == ',') s.pop_back();
    std::vector<std::string> elements;
    std::size_t start = 0;
    for (std::size_t comma; (comma = s.find(',', start)) != std::string::npos; start = comma + 1)
        elements.push_back(s.substr(start, comma - start));
    elements.push_back(s.substr(start));
    return elements;
}

} // namespace

std::vector<TextBlock> splitIntoBlocks(std::string_view editText) {
    std::string s(editText);
    normaliseTypedText(s);
    std::vector<TextBlock> blocks;
    bool inBlock = false;
    std::size_t start = 0;
    while (start <= s.size()) {
        std::size_t end = s.find_first_of("\r\n", start);
        if (end == std::string::npos) end = s.size();
        const std::string_view line = std::string_view(s).substr(start, end - start);
        if (trimBlanks(line).empty()) {
            inBlock = false;
        } else {
            if (!inBlock) blocks.emplace_back();
            TextBlock& b = blocks.back();
            b.rows.push_back(elementsOf(line, !inBlock));
            b.text.append(line).append("\n");
            inBlock = true;
        }
        // CR LF is one line break; CR alone and LF alone are one each.
        start = end + (s.compare(end, 2, "\r\n") == 0 ? 2 : 1);
    }
    return blocks;
}

} // namespace quorvex::check
