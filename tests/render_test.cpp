// Renderers: the Markdown of a report gives back its matrices' numbers in
// order, and each format keeps the report's texts from being read as its
// own markup.
#include "frame/frame.h"
#include "frame/registry.h"
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

struct Run {
    const char* command;
    std::vector<std::string> answers;
};

void PrintTo(const Run& r, std::ostream* os) { *os << r.command; }

class MarkdownRoundTrip : public ::testing::TestWithParam<Run> {};

TEST_P(MarkdownRoundTrip, MatrixNumbersInOrder) {
    std::mt19937 rng(7);
    std::vector<double> solution;
    const std::string system =
        quorvex::testing::dominantSystem(5, 10, quorvex::testing::Shape::Symmetric, rng, solution);
    quorvex::testing::ScriptedHost host(system, GetParam().answers);
    ASSERT_EQ(host.run(*findCommand(GetParam().command)), Outcome::Reported);
    const auto numbers = blockNumbers(*host.document);
    ASSERT_FALSE(numbers.empty());
    EXPECT_EQ(mathNumbers(renderMarkdown(*host.document)), numbers);
}

INSTANTIATE_TEST_SUITE_P(
    Commands, MarkdownRoundTrip,
    ::testing::Values(Run{"GaussFull", {"5"}}, Run{"A_matrix", {"5"}}, Run{"LU_break", {"5"}},
                      Run{"MendSqrt", {"5"}}, Run{"TierLU", {"5"}}, Run{"MatrixModel", {"5"}},
                      Run{"JacobiDie", {"1E-06", "5", "0", "0", "0", "0", "0"}}));

struct Escape {
    Format format;
    const char* text;
    const char* written;
};

class Escaping : public ::testing::TestWithParam<Escape> {};

TEST_P(Escaping, TextIsNotMarkup) {
    Report r;
    r.text(GetParam().text);
    const std::string out = render(r.document(), GetParam().format);
    EXPECT_NE(out.find(GetParam().written), std::string::npos) << out;
}

INSTANTIATE_TEST_SUITE_P(
    Formats, Escaping,
    ::testing::Values(Escape{Format::Latex, "A=L*D*L' 中D #1 50% a_b {x} $",
                             "A=L*D*L' 中D \\#1 50\\% a\\_b \\{x\\} \\$"},
                      Escape{Format::Latex, "a\\b^c~", "a\\textbackslash{}b\\^{}c\\~{}"},
                      Escape{Format::Html, "x<y & \"z\">", "<p>x&lt;y &amp; &quot;z&quot;&gt;</p>"},
                      Escape{Format::Markdown, "A=L*D*L' #x_1", "A=L\\*D\\*L' \\#x\\_1"}));

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

/// The text a CommonMark reader shows for a paragraph; nothing when a
/// character that can open markup is left bare.
std::optional<std::string> markdownShows(std::string_view md) {
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
    if (listMark || (md.find(". ") != std::string_view::npos &&
                     md.find_first_not_of("0123456789") == md.find(". ") && md[0] != '.'))
        return std::nullopt;
    return out;
}

TEST(Escaping, EveryCharacterOfALineShowsAsItself) {
    std::string ascii;
    for (char c = '!'; c <= '~'; ++c) ascii += c;
    for (const std::string& text :
         std::vector<std::string>{ascii, "候选为  -3  3/4  1/4", "- 不是列表", "+ 也不是",
                                  "1. 不是编号", "---", "a&amp;b"}) {
        Report r;
        r.text(text).newline();
        const std::string html = renderHtml(r.document());
        const auto p = html.find("<p>"), end = html.rfind("</p>");
        ASSERT_NE(p, std::string::npos) << html;
        EXPECT_EQ(htmlShows(std::string_view(html).substr(p + 3, end - p - 3)), text) << html;
        const std::string md = renderMarkdown(r.document());
        EXPECT_EQ(markdownShows(std::string_view(md).substr(0, md.size() - 1)), text) << md;
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

} // namespace
