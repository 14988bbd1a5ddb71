// Renderers: the Markdown of a report gives back its matrices' numbers in
// order, and each format keeps the report's texts from being read as its
// own markup.
#include "commands/registry.h"
#include "frame/frame.h"
#include "report/render.h"
#include "scripted_host.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cctype>
#include <optional>
#include <random>
#include <sstream>

namespace {

using namespace quorvex;

/// The numbers of every $$ block of a Markdown text, in order.
std::vector<std::string> mathNumbers(const std::string& markdown) {
    std::vector<std::string> numbers;
    std::istringstream in(markdown);
    bool inMath = false;
    for (std::string line; std::getline(in, line);) {
        if (line == "$$") {
            inMath = !inMath;
            continue;
        }
        if (!inMath || line.find('\\') == 0) continue;
        std::istringstream cells(line);
        for (std::string cell; cells >> cell;)
            if (cell != "&" && cell != "\\\\") numbers.push_back(cell);
    }
    return numbers;
}

/// The numbers of every block of the document, written as the report does.
std::vector<std::string> blockNumbers(const Document& d) {
    std::vector<std::string> numbers;
    for (const Piece& p : d.pieces()) {
        std::span<const double> values;
        NumberStyle style;
        if (const auto* m = std::get_if<piece::MatrixBlock>(&p))
            values = d.numbers(*m), style = m->style;
        else if (const auto* r = std::get_if<piece::NumberRow>(&p))
            values = d.numbers(*r), style = r->style;
        for (double v : values) numbers.push_back(styledText(v, style));
    }
    return numbers;
}

TEST(MarkdownRoundTrip, MatrixNumbersInOrder) {
    std::mt19937 rng(7);
    std::vector<double> solution;
    const std::string system =
        quorvex::testing::dominantSystem(5, 10, quorvex::testing::Shape::Symmetric, rng, solution);
    const std::vector<std::string> order{"5"}, iteration{"1E-06", "5", "0", "0", "0", "0", "0"};
    for (const std::string command :
         {"GaussFull", "A_matrix", "LU_break", "MendSqrt", "TierLU", "MatrixModel", "JacobiDie"}) {
        quorvex::testing::ScriptedHost host(system, command == "JacobiDie" ? iteration : order);
        ASSERT_EQ(host.run(*findCommand(command)), Outcome::Reported) << command;
        const auto numbers = blockNumbers(*host.document);
        ASSERT_FALSE(numbers.empty()) << command;
        EXPECT_EQ(mathNumbers(renderMarkdown(*host.document)), numbers) << command;
    }
}

/// The text a browser shows for HTML text content; nothing when a < or > is
/// left bare or an & opens no entity of the renderer's.
std::optional<std::string> htmlShows(std::string_view html) {
    const std::pair<std::string_view, char> entities[] = {
        {"&amp;", '&'}, {"&lt;", '<'}, {"&gt;", '>'}, {"&quot;", '"'}, {"&nbsp;", ' '}};
    std::string out;
    for (std::size_t i = 0; i < html.size(); ++i) {
        if (html[i] == '<' || html[i] == '>') return std::nullopt;
        if (html[i] != '&') {
            out.push_back(html[i]);
            continue;
        }
        const auto* e = std::find_if(std::begin(entities), std::end(entities), [&](const auto& x) {
            return html.substr(i, x.first.size()) == x.first;
        });
        if (e == std::end(entities)) return std::nullopt;
        out.push_back(e->second);
        i += e->first.size() - 1;
    }
    return out;
}

/// The text a CommonMark reader shows for a paragraph (or the inside of a
/// heading or strong emphasis); nothing when a character that can open
/// markup is left bare.
std::optional<std::string> markdownShows(std::string_view md, bool paragraph) {
    std::string out;
    for (std::size_t i = 0; i < md.size(); ++i) {
        if (md[i] == '\\' && i + 1 < md.size() &&
            std::ispunct(static_cast<unsigned char>(md[i + 1]))) {
            out.push_back(md[++i]);
        } else if (md.substr(i, 6) == "&nbsp;") {
            out.push_back(' ');
            i += 5;
        } else if (std::string_view("\\`*_[]<>#$|~&").find(md[i]) != std::string_view::npos) {
            return std::nullopt;
        } else {
            out.push_back(md[i]);
        }
    }
    const bool listMark = out.size() > 1 && md[0] != '\\' &&
                          ((md[0] == '-' || md[0] == '+') && (md[1] == ' ' || md[1] == '-'));
    // CommonMark opens an ordered list with up to nine digits and "." or ")".
    const std::size_t digits = md.find_first_not_of("0123456789");
    const bool numbered = digits > 0 && digits <= 9 && digits + 1 < md.size() &&
                          (md[digits] == '.' || md[digits] == ')') && md[digits + 1] == ' ';
    if (paragraph && (listMark || numbered)) return std::nullopt;
    return out;
}

/// The text XeLaTeX typesets for text-mode input: blanks run into one, a
/// bare ~ is a blank; nothing when a character TeX reads as markup is left
/// bare, a character its fonts map to another glyph (` ' " to curly
/// quotes) is left bare, or a run they join into one glyph (-- ,, << >>)
/// is left unbroken.
std::optional<std::string> latexShows(std::string_view tex) {
    const std::pair<std::string_view, std::string_view> marked[] = {{"\\textbackslash{}", "\\"},
                                                                    {"\\textasciigrave{}", "`"},
                                                                    {"\\textquotesingle{}", "'"},
                                                                    {"\\textquotedbl{}", "\""},
                                                                    {"\\textless{}", "<"},
                                                                    {"\\textgreater{}", ">"},
                                                                    {"\\^{}", "^"},
                                                                    {"\\~{}", "~"},
                                                                    {"\\#", "#"},
                                                                    {"\\$", "$"},
                                                                    {"\\%", "%"},
                                                                    {"\\&", "&"},
                                                                    {"\\_", "_"},
                                                                    {"\\{", "{"},
                                                                    {"\\}", "}"},
                                                                    {"\\ ", " "},
                                                                    {"{}", ""},
                                                                    {"~", " "}};
    std::string out;
    for (std::size_t i = 0; i < tex.size();) {
        const std::string_view rest = tex.substr(i);
        const auto* m = std::find_if(std::begin(marked), std::end(marked),
                                     [&](const auto& x) { return rest.starts_with(x.first); });
        if (m != std::end(marked)) {
            out.append(m->second);
            i += m->first.size();
            continue;
        }
        for (std::string_view joined : {"--", ",,", "<<", ">>", "`", "'", "\""})
            if (rest.starts_with(joined)) return std::nullopt;
        if (std::string_view("\\#$%&_{}^").find(tex[i]) != std::string_view::npos)
            return std::nullopt;
        if (tex[i] != ' ' || !out.ends_with(' ')) out.push_back(tex[i]);
        ++i;
    }
    return out;
}

/// Between the opening and the closing of a rendered piece, nothing when
/// either is missing.
std::optional<std::string_view> between(std::string_view out, std::string_view open,
                                        std::string_view close) {
    const auto from = out.find(open);
    const auto to = out.rfind(close);
    if (from == std::string_view::npos || to == std::string_view::npos || to < from + open.size())
        return std::nullopt;
    return out.substr(from + open.size(), to - from - open.size());
}

enum class Kind { Line, Heading, Title };

/// What a reader of the format sees of a text written as a piece of that kind.
std::optional<std::string> shown(Format format, Kind kind, const std::string& text) {
    Report r;
    if (kind == Kind::Line) r.text(text).newline();
    if (kind == Kind::Heading) r.heading(text);
    if (kind == Kind::Title) r.title(text);
    const std::string out = render(r.document(), format);
    const char* const latex[] = {"\\begin{document}\n\n", "\\subsection*{", "\\textbf{"};
    const char* const html[] = {"<p>", "<h2>", "<p class=\"title\">"};
    const char* const markdown[] = {"", "## ", "**"};
    const auto k = static_cast<std::size_t>(kind);
    std::optional<std::string_view> inside;
    if (format == Format::Latex) {
        inside = between(out, "\\begin{document}\n\n", "\n\n\\end{document}");
        if (inside && kind != Kind::Line) inside = between(*inside, latex[k], "}");
        return inside ? latexShows(*inside) : std::nullopt;
    }
    if (format == Format::Html) {
        inside = between(out, html[k], kind == Kind::Heading ? "</h2>" : "</p>");
        return inside ? htmlShows(*inside) : std::nullopt;
    }
    inside = between(out, markdown[k], kind == Kind::Title ? "**\n" : "\n");
    return inside ? markdownShows(*inside, kind == Kind::Line) : std::nullopt;
}

const std::vector<std::string> kAnywhere = {[] {
                                                std::string ascii;
                                                for (char c = '!'; c <= '~'; ++c) ascii += c;
                                                return ascii;
                                            }(),
                                            "L'", "a|b"};
/// Runs TeX's fonts join into one glyph, or map to another: dashes,
/// quotes, inverted marks, guillemets, a low double quote.
const std::vector<std::string> kJoinedByTex = {"a--b", "---", "``a''", "¡!`",
                                               "¿?`",  "a`b", "<<a>>", "a''b",
                                               ",,a",  "'a'", "\"a\"", "a<<<b>>>c"};
/// Only a line may start like a list item.
const std::vector<std::string> kLines = {"- 不是列表",    "+ 也不是", "1. 不是编号",
                                         "1) 也不是编号", "12) 同样", "a&amp;b"};
/// Folded, the blanks make "-3 3/4" read as a mixed number.
const std::vector<std::string> kKeptBlanks = {"候选为  -3  3/4  1/4"};

void expectShownAsThemselves(Format format, Kind kind, const std::vector<std::string>& texts) {
    for (const std::string& text : texts)
        EXPECT_EQ(shown(format, kind, text), text)
            << "format " << static_cast<int>(format) << ", kind " << static_cast<int>(kind);
}

// Every printable character, and the runs that could be read as markup,
// shows as itself in every format and every kind of text a report holds.
TEST(Escaping, EveryCharacterShowsAsItself) {
    for (const Format format : {Format::Latex, Format::Html, Format::Markdown}) {
        for (const Kind kind : {Kind::Line, Kind::Heading, Kind::Title}) {
            expectShownAsThemselves(format, kind, kAnywhere);
            expectShownAsThemselves(format, kind, kJoinedByTex);
        }
        expectShownAsThemselves(format, Kind::Line, kLines);
        expectShownAsThemselves(format, Kind::Line, kKeptBlanks);
    }
}

TEST(LatexNumbers, ExponentAndNonFiniteUpright) {
    Report r;
    Matrix m(1, 3);
    m(1, 1) = 1e-5;
    m(1, 2) = -1.5e20;
    m(1, 3) = -std::numeric_limits<double>::infinity();
    r.matrixBlock(m, 1, 3, kTwoBlanks, NumberStyle::plain());
    EXPECT_NE(renderLatex(r.document())
                  .find("1\\mathrm{E}{-}05 & -1.5\\mathrm{E}{+}20 & -\\mathrm{Infinity}"),
              std::string::npos);
}

TEST(LatexColumns, WideMatricesRaiseAmsmathsLimit) {
    Report r;
    r.matrixBlock(Matrix(2, 12), 2, 12, kTwoBlanks, NumberStyle::plain());
    EXPECT_NE(renderLatex(r.document()).find("\\setcounter{MaxMatrixCols}{12}\n"),
              std::string::npos);
}

// A report keeps the language it was written in: its page says which, and
// an English LaTeX document leaves ctex out.
TEST(Exports, DeclareTheReportsLanguage) {
    const struct {
        Language language;
        const char* html;
        bool ctex;
    } cases[] = {{Language::Chinese, "<html lang=\"zh-CN\">", true},
                 {Language::English, "<html lang=\"en\">", false}};
    for (const auto& c : cases) {
        Report r;
        {
            const LanguageScope scope(c.language);
            r = Report();
        }
        r.text("x").newline();
        EXPECT_NE(renderHtml(r.document()).find(c.html), std::string::npos);
        EXPECT_EQ(renderLatex(r.document()).find("ctex") != std::string::npos, c.ctex);
    }
}

} // namespace
