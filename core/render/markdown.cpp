// Markdown: headings and lines as Markdown, matrices as display math that
// KaTeX and MathJax render.
#include "render/blocks.h"
#include "render/math.h"
#include "render/render.h"

namespace quorvex {

namespace {

std::string escaped(std::string_view text) {
    std::string out;
    for (char c : text) {
        if (std::string_view("\\`*_[]<>#$|~").find(c) != std::string_view::npos)
            out.push_back('\\');
        out.push_back(c);
    }
    return out;
}

std::string line(const std::vector<Run>& runs) {
    std::string out;
    for (const Run& r : runs)
        out.append(r.kind == Run::Kind::Text ? escaped(r.text) : numberText(r));
    return out;
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
