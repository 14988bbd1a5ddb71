// LaTeX: a complete document for XeLaTeX, Chinese through ctex, matrices
// through amsmath.
#include "render/blocks.h"
#include "render/math.h"
#include "render/render.h"

#include <algorithm>

namespace quorvex {

namespace {

/// amsmath's matrices take 10 columns unless told otherwise.
constexpr int kDefaultMatrixColumns = 10;

std::string escaped(std::string_view text) {
    std::string out;
    for (char c : text) {
        switch (c) {
        case '\\': out.append("\\textbackslash{}"); break;
        case '^': out.append("\\^{}"); break;
        case '~': out.append("\\~{}"); break;
        case '{':
        case '}':
        case '$':
        case '&':
        case '#':
        case '%':
        case '_':
            out.push_back('\\');
            out.push_back(c);
            break;
        default: out.push_back(c);
        }
    }
    return out;
}

std::string line(const std::vector<Run>& runs) {
    std::string out;
    for (const Run& r : runs) {
        if (r.kind == Run::Kind::Text) out.append(escaped(r.text));
        else if (r.kind == Run::Kind::Integer) out.append(numberText(r));
        else
            out.append("$")
                .append(r.exact ? texExact(*r.exact) : texNumber(numberText(r)))
                .append("$");
    }
    return out;
}

std::string heading(std::string_view text) {
    std::string out = "\\subsection*{";
    const auto lines = linesOf(text);
    for (std::size_t i = 0; i < lines.size(); ++i)
        out.append(i ? "\\\\" : "").append(escaped(lines[i]));
    return out + "}";
}

std::string value(const piece::IndexedValue& v) {
    std::string out = "$" + v.name + "(";
    appendInteger(out, v.index);
    return out + ")=" + (v.exact ? texExact(*v.exact) : texNumber(styledText(v.value, v.style))) +
           "$";
}

std::string block(const Document& d, const ReportBlock& b) {
    using K = ReportBlock::Kind;
    switch (b.kind) {
    case K::Heading: return heading(std::get<piece::Heading>(*b.piece).text);
    case K::Line: return line(b.runs);
    case K::Matrix:
    case K::Row: return "\\[\n" + texMatrix(shapeOf(d, b)) + "\n\\]";
    case K::Value: return value(std::get<piece::IndexedValue>(*b.piece));
    case K::Title: return "\\textbf{" + escaped(std::get<piece::Title>(*b.piece).text) + "}";
    }
    return {};
}

} // namespace

std::string renderLatex(const Document& d) {
    std::string out = "\\documentclass{article}\n"
                      "\\usepackage[UTF8]{ctex}\n"
                      "\\usepackage{amsmath}\n";
    const int widest = d.widestBlock();
    if (widest > kDefaultMatrixColumns) {
        out.append("\\setcounter{MaxMatrixCols}{");
        appendInteger(out, widest);
        out.append("}\n");
    }
    out.append("\\setlength{\\parindent}{0pt}\n\\begin{document}\n\n");
    for (const ReportBlock& b : blocksOf(d)) out.append(block(d, b)).append("\n\n");
    return out + "\\end{document}\n";
}

} // namespace quorvex
