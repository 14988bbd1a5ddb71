// Markdown: headings and lines as Markdown, matrices as display math that
// KaTeX and MathJax render.
#include "report/display_blocks.h"
#include "report/math_text.h"
#include "report/render.h"

namespace quorvex {

namespace {

/// Marks every character Markdown, its math or its HTML could take for
/// markup. Blanks after a blank are kept as &nbsp; where asked: folded, a
/// list such as "-3  3/4  1/4" reads as a mixed number.
std::string escaped(std::string_view text, bool* afterBlank = nullptr) {
    std::string out;
    for (char c : text) {
        if (c == ' ' && afterBlank && *afterBlank) {
            out.append("&nbsp;");
            continue;
        }
        if (afterBlank) *afterBlank = c == ' ';
        if (std::string_view("\\`*_[]<>#$|~&").find(c) != std::string_view::npos)
            out.push_back('\\');
        out.push_back(c);
    }
    return out;
}

/// A line that opens as a list item ("- ", "+ ", "1. ") or a rule ("---")
/// would be one.
std::string withoutListMark(std::string out) {
    const bool bullet =
        out.size() > 1 && (out[0] == '-' || out[0] == '+') && (out[1] == ' ' || out[1] == '-');
    const std::size_t digits = out.find_first_not_of("0123456789");
    const bool numbered = digits > 0 && digits != std::string::npos && digits < out.size() - 1 &&
                          (out[digits] == '.' || out[digits] == ')') && out[digits + 1] == ' ';
    if (bullet) out.insert(out.begin(), '\\');
    else if (numbered) out.insert(out.begin() + static_cast<std::ptrdiff_t>(digits), '\\');
    return out;
}

std::string line(const std::vector<Run>& runs) {
    std::string out;
    bool afterBlank = false;
    for (const Run& r : runs) {
        if (r.kind == Run::Kind::Text) {
            out.append(escaped(r.text, &afterBlank));
            continue;
        }
        afterBlank = false;
        out.append(numberText(r));
    }
    return withoutListMark(std::move(out));
}

std::string heading(std::string_view text) {
    std::string out = "##";
    for (std::string_view l : linesOf(text)) out.append(" ").append(escaped(l));
    return out;
}

std::string value(const piece::IndexedValue& v) {
    std::string out = escaped(v.name) + "(";
    appendInteger(out, v.index);
    return out + ")=" + (v.exact ? rationalText(*v.exact) : styledText(v.value, v.style));
}

std::string block(const Document& d, const ReportBlock& b) {
    using K = ReportBlock::Kind;
    switch (b.kind) {
    case K::Heading: return heading(std::get<piece::Heading>(*b.piece).text);
    case K::Line: return line(b.runs);
    case K::Matrix:
    case K::Row: return "$$\n" + texMatrix(shapeOf(d, b)) + "\n$$";
    case K::Value: return value(std::get<piece::IndexedValue>(*b.piece));
    case K::Title: return "**" + escaped(std::get<piece::Title>(*b.piece).text) + "**";
    }
    return {};
}

} // namespace

std::string renderMarkdown(const Document& d) {
    std::string out;
    for (const ReportBlock& b : blocksOf(d)) {
        if (!out.empty()) out.append("\n\n");
        out.append(block(d, b));
    }
    return out.empty() ? out : out + "\n";
}

} // namespace quorvex
