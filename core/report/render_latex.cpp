// LaTeX: a complete document for XeLaTeX, Chinese through ctex (English
// without it), matrices through amsmath.
#include "report/display_blocks.h"
#include "report/math_text.h"
#include "report/render.h"

#include <algorithm>

namespace quorvex {

namespace {

/// amsmath's matrices take 10 columns unless told otherwise.
constexpr int kDefaultMatrixColumns = 10;

/// A display that may be wider than this many digits goes into a box
/// scaled down to the line's width when it is wider: the article's line
/// holds about 69 digits of display math, and the estimate below is rough.
constexpr std::size_t kSafeDigits = 50;

/// The box: a block wider than the line is scaled to the line's width, a
/// narrower one is centred as \[ \] would. Long lines of worked steps hold
/// rigid fractions between few places to break: they end ragged rather
/// than run into the margin.
constexpr std::string_view kFitPreamble =
    "\\usepackage{graphicx}\n"
    "\\AtBeginDocument{\\raggedright}\n"
    "\\newsavebox{\\quorvexbox}\n"
    "\\newcommand{\\fitline}[1]{\\par\\medskip\\noindent"
    "\\sbox{\\quorvexbox}{$\\displaystyle #1$}%\n"
    "\\makebox[\\linewidth]{\\ifdim\\wd\\quorvexbox>\\linewidth"
    "\\resizebox{\\linewidth}{!}{\\usebox{\\quorvexbox}}"
    "\\else\\usebox{\\quorvexbox}\\fi}\\par\\medskip}\n";

/// How many digits an entry takes: a fraction as wide as its longer part.
std::size_t entryDigits(const BlockShape& shape, std::size_t k) {
    if (shape.exact.empty()) return numberText(shape, k).size();
    const Rational& q = shape.exact[k];
    return 1 +
           std::max(mpz_sizeinbase(q.get_num_mpz_t(), 10), mpz_sizeinbase(q.get_den_mpz_t(), 10));
}

/// A rough width of the block in digits: each column's widest entry and
/// the space between columns and at the brackets.
std::size_t digitsWide(const BlockShape& shape) {
    std::vector<std::size_t> widest(static_cast<std::size_t>(shape.cols), 0);
    const std::size_t count = static_cast<std::size_t>(shape.rows) * widest.size();
    for (std::size_t k = 0; k < count; ++k)
        widest[k % widest.size()] = std::max(widest[k % widest.size()], entryDigits(shape, k));
    std::size_t wide = 2 * widest.size() + 2;
    for (std::size_t w : widest) wide += w;
    return wide;
}

bool mayNotFit(const Document& d, const ReportBlock& b) {
    using K = ReportBlock::Kind;
    return (b.kind == K::Matrix || b.kind == K::Row) && digitsWide(shapeOf(d, b)) > kSafeDigits;
}

/// Whether a line holds so much math, which breaks only between numbers,
/// that justifying it may push it into the margin; Chinese text breaks
/// between any two characters.
bool mayNotBreak(const ReportBlock& b) {
    if (b.kind != ReportBlock::Kind::Line) return false;
    std::size_t math = 0;
    for (const Run& r : b.runs)
        if (r.kind == Run::Kind::Number) math += numberText(r).size();
    return math > kSafeDigits;
}

std::string escaped(std::string_view text) {
    std::string out;
    for (char c : text) {
        // TeX's fonts map ` ' " to curly quotes and join -- --- `` '' ,, <<
        // >> !` ?` into other glyphs: the quotes and the angle brackets
        // become the commands of their own glyphs, which no mapping
        // touches, and an empty group parts a doubled - or ,. A run of
        // blanks would fold into one (候选为  -3  3/4 would read as a mixed
        // number).
        const char before = out.empty() ? '\0' : out.back();
        if ((c == '-' || c == ',') && before == c) out.append("{}");
        if (c == ' ' && (before == ' ' || before == '~')) {
            out.push_back('~');
            continue;
        }
        switch (c) {
        case '\\': out.append("\\textbackslash{}"); break;
        case '^': out.append("\\^{}"); break;
        case '~': out.append("\\~{}"); break;
        case '`': out.append("\\textasciigrave{}"); break;
        case '\'': out.append("\\textquotesingle{}"); break;
        case '"': out.append("\\textquotedbl{}"); break;
        case '<': out.append("\\textless{}"); break;
        case '>': out.append("\\textgreater{}"); break;
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
    case K::Row:
        if (mayNotFit(d, b)) return "\\fitline{\n" + texMatrix(shapeOf(d, b)) + "\n}";
        return "\\[\n" + texMatrix(shapeOf(d, b)) + "\n\\]";
    case K::Value: return value(std::get<piece::IndexedValue>(*b.piece));
    case K::Title: return "\\textbf{" + escaped(std::get<piece::Title>(*b.piece).text) + "}";
    }
    return {};
}

} // namespace

std::string renderLatex(const Document& d) {
    // Chinese needs ctex and its fonts; English only a face with the Greek
    // and the symbols the reports write (ρ, ω, ×, −, ≤).
    std::string out = d.language == Language::English ? "\\documentclass{article}\n"
                                                        "\\usepackage{fontspec}\n"
                                                        "\\setmainfont{DejaVu Serif}\n"
                                                        "\\usepackage{amsmath}\n"
                                                      : "\\documentclass{article}\n"
                                                        "\\usepackage[UTF8]{ctex}\n"
                                                        "\\usepackage{amsmath}\n";
    const int widest = d.widestBlock();
    if (widest > kDefaultMatrixColumns) {
        out.append("\\setcounter{MaxMatrixCols}{");
        appendInteger(out, widest);
        out.append("}\n");
    }
    const std::vector<ReportBlock> blocks = blocksOf(d);
    if (std::any_of(blocks.begin(), blocks.end(),
                    [&d](const ReportBlock& b) { return mayNotFit(d, b) || mayNotBreak(b); }))
        out.append(kFitPreamble);
    out.append("\\setlength{\\parindent}{0pt}\n\\begin{document}\n\n");
    for (const ReportBlock& b : blocks) out.append(block(d, b)).append("\n\n");
    return out + "\\end{document}\n";
}

} // namespace quorvex
