// HTML: one self-contained page. The matrices are tables whose first and
// last cells draw the brackets, which browsers and Qt's rich text (the
// window prints through it) both show; a wide matrix scrolls on its own so
// the page fits a phone's width.
#include "report/display_blocks.h"
#include "report/render.h"
#include "texts/text.h"

#include <type_traits>

namespace quorvex {

namespace {

constexpr std::string_view kStyle =
    "body{font-family:\"Noto Sans CJK SC\",\"WenQuanYi Zen Hei\",\"Microsoft YaHei\",sans-serif;"
    "margin:1em;line-height:1.5}\n"
    "h2{font-size:1.1em;margin:1em 0 .3em}\n"
    "p{margin:.2em 0}\n"
    ".matrix{overflow-x:auto;margin:.4em 0}\n"
    "table{border-collapse:collapse}\n"
    "td{padding:.1em .5em;text-align:right;white-space:nowrap}\n"
    "td.l,td.r{padding:0 .15em}\n"
    ".l{border-left:2px solid #000}\n"
    ".r{border-right:2px solid #000}\n"
    ".t{border-top:2px solid #000}\n"
    ".b{border-bottom:2px solid #000}\n"
    ".rhs{border-left:1px solid #000}\n"
    ".title{font-weight:bold;margin-top:1em}\n";

/// Stacked fractions, for reports with exact numbers only (a decimal
/// report's page stays as it was).
constexpr std::string_view kFractionStyle =
    ".frac{display:inline-block;vertical-align:middle;text-align:center;font-size:.9em}\n"
    ".frac>span{display:block;padding:0 .1em}\n"
    ".frac>.den{border-top:1px solid #000}\n"
    ".frac>.slash{display:none}\n";

std::string escaped(std::string_view text) {
    std::string out;
    for (char c : text) {
        switch (c) {
        case '&': out.append("&amp;"); break;
        case '<': out.append("&lt;"); break;
        case '>': out.append("&gt;"); break;
        case '"': out.append("&quot;"); break;
        default: out.push_back(c);
        }
    }
    return out;
}

/// The class of a bracket cell in row i of rows: its side, and its top or
/// bottom stroke in the first and last rows.
std::string bracket(char side, int i, int rows) {
    std::string out = "<td class=\"";
    out.push_back(side);
    if (i == 1) out.append(" t");
    if (i == rows) out.append(" b");
    return out + "\"></td>";
}

/// An exact number: an integer, or a stacked fraction with the sign in
/// front. Where stacking is not understood (no style sheet) it reads p/q.
bool holdsExactNumbers(const Document& d) {
    for (const Piece& p : d.pieces()) {
        const bool exact = std::visit(
            [](const auto& x) {
                using P = std::decay_t<decltype(x)>;
                if constexpr (std::is_same_v<P, piece::Number> ||
                              std::is_same_v<P, piece::IndexedValue>)
                    return x.exact.has_value();
                else if constexpr (std::is_same_v<P, piece::MatrixBlock> ||
                                   std::is_same_v<P, piece::NumberRow>)
                    return x.exact;
                else return false;
            },
            p);
        if (exact) return true;
    }
    return false;
}

std::string exactHtml(const Rational& q) {
    if (q.get_den() == 1) return q.get_num().get_str();
    std::string out = sgn(q) < 0 ? "-" : "";
    const mpz_class magnitude = abs(q.get_num());
    return out + "<span class=\"frac\"><span class=\"num\">" + magnitude.get_str() +
           "</span><span class=\"slash\">/</span><span class=\"den\">" + q.get_den().get_str() +
           "</span></span>";
}

std::string table(const BlockShape& s) {
    std::string out = "<div class=\"matrix\"><table>\n";
    std::size_t k = 0;
    for (int i = 1; i <= s.rows; ++i) {
        out.append("<tr>").append(bracket('l', i, s.rows));
        for (int j = 1; j <= s.cols; ++j, ++k) {
            out.append(j == s.barAfter + 1 && s.barAfter > 0 ? "<td class=\"rhs\">" : "<td>");
            out.append(s.exact.empty() ? numberText(s, k) : exactHtml(s.exact[k])).append("</td>");
        }
        out.append(bracket('r', i, s.rows)).append("</tr>\n");
    }
    return out + "</table></div>";
}

/// A line's text with its blanks kept: a page would fold "-3  3/4  1/4"
/// into "-3 3/4 1/4", which reads as a mixed number.
std::string keptBlanks(std::string_view text, bool& afterBlank) {
    std::string out;
    for (char c : text) {
        if (c == ' ' && afterBlank) out.append("&nbsp;");
        else out.append(escaped(std::string_view(&c, 1)));
        afterBlank = c == ' ';
    }
    return out;
}

std::string line(const std::vector<Run>& runs) {
    std::string out = "<p>";
    bool afterBlank = false;
    for (const Run& r : runs) {
        if (r.kind == Run::Kind::Text) {
            out.append(keptBlanks(r.text, afterBlank));
            continue;
        }
        afterBlank = false;
        out.append(r.exact ? exactHtml(*r.exact) : numberText(r));
    }
    return out + "</p>";
}

std::string heading(std::string_view text) {
    std::string out = "<h2>";
    const auto lines = linesOf(text);
    for (std::size_t i = 0; i < lines.size(); ++i)
        out.append(i ? "<br>" : "").append(escaped(lines[i]));
    return out + "</h2>";
}

std::string value(const piece::IndexedValue& v) {
    std::string out = "<p>" + escaped(v.name) + "(";
    appendInteger(out, v.index);
    return out + ")=" + (v.exact ? exactHtml(*v.exact) : styledText(v.value, v.style)) + "</p>";
}

std::string block(const Document& d, const ReportBlock& b) {
    using K = ReportBlock::Kind;
    switch (b.kind) {
    case K::Heading: return heading(std::get<piece::Heading>(*b.piece).text);
    case K::Line: return line(b.runs);
    case K::Matrix:
    case K::Row: return table(shapeOf(d, b));
    case K::Value: return value(std::get<piece::IndexedValue>(*b.piece));
    case K::Title:
        return "<p class=\"title\">" + escaped(std::get<piece::Title>(*b.piece).text) + "</p>";
    }
    return {};
}

} // namespace

std::string renderHtml(const Document& d) {
    const std::string_view title = d.title().empty() ? kAppTitle : d.title();
    std::string out = std::string("<!DOCTYPE html>\n<html lang=\"") +
                      (d.language == Language::English ? "en" : "zh-CN") +
                      "\">\n<head>\n<meta charset=\"utf-8\">\n"
                      "<meta name=\"viewport\" content=\"width=device-width, initial-scale=1\">\n"
                      "<title>";
    out.append(escaped(title)).append("</title>\n<style>\n").append(kStyle);
    if (holdsExactNumbers(d)) out.append(kFractionStyle);
    out.append("</style>\n</head>\n<body>\n");
    for (const ReportBlock& b : blocksOf(d)) out.append(block(d, b)).append("\n");
    return out + "</body>\n</html>\n";
}

} // namespace quorvex
