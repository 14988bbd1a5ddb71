// The exported formats in the programs their users open them with: the
// LaTeX compiles under XeLaTeX, the HTML prints from headless chromium and
// fits a phone's width; each PDF's text holds the report's numbers. A tool
// that is not installed skips its test (scripts/install-deps installs them).
#include "report/render.h"
#include "scripted_host.h"
#include "support.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <random>
#include <regex>
#include <sstream>

namespace fs = std::filesystem;

namespace {

using quorvex::testing::readFile;

bool installed(const char* tool) {
    return std::system(("command -v " + std::string(tool) + " >/dev/null 2>&1").c_str()) == 0;
}

int run(const std::string& cmd) {
    const int status = std::system(cmd.c_str());
    return status == -1 ? -1 : WEXITSTATUS(status);
}

/// A scratch folder that goes when the test ends.
struct Scratch : quorvex::testing::TempDir {
    Scratch()
        : TempDir(std::string("tools-") +
                  ::testing::UnitTest::GetInstance()->current_test_info()->name()) {}
    using TempDir::path;
    std::string path(const char* name) const { return (*this / name).string(); }
};

/// Writes the system and runs GaussTier on it (with the options given) into
/// out in the given format.
void solve(const Scratch& s, const std::string& system, int n, const char* format, const char* out,
           const std::string& options = "") {
    std::ofstream(s.path("system.txt"), std::ios::binary) << system;
    ASSERT_EQ(run(std::string(QUORVEX_CLI) + options + " GaussTier -a " + std::to_string(n) +
                  " -i " + s.path("system.txt") + " --format " + format + " -o " + s.path(out)),
              0);
}

/// Compiles report.tex in the scratch folder; the log is left in xelatex.log.
int xelatex(const Scratch& s) {
    return run("cd " + s.path().string() +
               " && xelatex -interaction=nonstopmode -halt-on-error report.tex >xelatex.log 2>&1");
}

/// The "x(k)=v" texts of the plain report.
std::vector<std::string> solutionLines(const Scratch& s, const std::string& system, int n) {
    solve(s, system, n, "text", "report.txt");
    std::vector<std::string> lines;
    std::istringstream in(readFile(s.path("report.txt")));
    for (std::string line; std::getline(in, line);)
        if (line.rfind("x(", 0) == 0) lines.push_back(line.substr(0, line.size() - 1)); // CR
    return lines;
}

/// The PDF's text without blanks, its minus signs as the report writes them.
std::string pdfText(const Scratch& s, const char* pdf) {
    EXPECT_EQ(run("pdftotext -enc UTF-8 " + s.path(pdf) + " " + s.path("pdf.txt")), 0);
    std::string text = std::regex_replace(readFile(s.path("pdf.txt")), std::regex("\\s+"), "");
    return std::regex_replace(text, std::regex("\xE2\x88\x92"), "-"); // U+2212
}

std::string system6x7() {
    std::mt19937 rng(12);
    std::vector<double> solution;
    return quorvex::testing::dominantSystem(6, 10, quorvex::testing::Shape::General, rng, solution);
}

const std::string kOverview = "2 1 3\n1 3 5\n";

/// A report that holds `text` in every kind of text a report has: after
/// "H" in a heading, "L" in a line, "T" in the title.
quorvex::Document inEveryKindOfText(const std::string& text) {
    quorvex::Document d;
    d.add(quorvex::piece::Heading{"H" + text});
    d.addText("L" + text + "\r\n");
    d.add(quorvex::piece::Title{"T" + text});
    return d;
}

TEST(XeLatex, CompilesAndShowsTheSolution) {
    if (!installed("xelatex") || !installed("pdftotext"))
        GTEST_SKIP() << "xelatex or pdftotext missing";
    for (const auto& [system, n] : {std::pair{kOverview, 2}, std::pair{system6x7(), 6}}) {
        Scratch s;
        solve(s, system, n, "latex", "report.tex");
        ASSERT_EQ(xelatex(s), 0) << readFile(s.path("xelatex.log"));
        const std::string text = pdfText(s, "report.pdf");
        for (const std::string& x : solutionLines(s, system, n))
            EXPECT_NE(text.find(x), std::string::npos) << x;
    }
    // An English report needs no ctex, and its Greek letters still show.
    Scratch s;
    solve(s, kOverview, 2, "latex", "report.tex", " --lang en");
    EXPECT_EQ(readFile(s.path("report.tex")).find("ctex"), std::string::npos);
    ASSERT_EQ(xelatex(s), 0) << readFile(s.path("xelatex.log"));
    EXPECT_EQ(readFile(s.path("xelatex.log")).find("Missing character"), std::string::npos);
    const std::string text = pdfText(s, "report.pdf");
    for (const std::string& x : solutionLines(s, kOverview, 2))
        EXPECT_NE(text.find(x), std::string::npos) << x;
}

TEST(XeLatex, ExactOrderTwelveStaysWithinTheMargin) {
    // Every step of an exact elimination at the largest order that writes
    // steps: thirteen columns of fractions, and long back-substitution lines.
    if (!installed("xelatex")) GTEST_SKIP() << "xelatex missing";
    std::mt19937 rng(12);
    std::uniform_int_distribution<int> digit(-9, 9);
    std::string system;
    for (int i = 0; i < 12; ++i) {
        for (int j = 0; j < 13; ++j) system += std::to_string(digit(rng)) + ' ';
        system += '\n';
    }
    Scratch s;
    solve(s, system, 12, "latex", "report.tex", " --exact --steps");
    ASSERT_EQ(xelatex(s), 0) << readFile(s.path("xelatex.log"));
    const std::string log = readFile(s.path("xelatex.log"));
    EXPECT_EQ(log.find("Overfull \\hbox"), std::string::npos) << log;
}

TEST(XeLatex, SpecialCharactersInTextsAreEscaped) {
    if (!installed("xelatex") || !installed("pdftotext"))
        GTEST_SKIP() << "xelatex or pdftotext missing";
    // Each special character between two letters, in every kind of text a
    // report holds: had one slipped through, TeX would stop, or swallow or
    // change what follows it.
    const std::string specials = "a&b%c$d#e_f{g}h~i^j\\k";
    const quorvex::Document d = inEveryKindOfText(specials);
    Scratch s;
    std::ofstream(s.path("report.tex"), std::ios::binary) << quorvex::renderLatex(d);
    ASSERT_EQ(xelatex(s), 0) << readFile(s.path("xelatex.log"));
    const std::string text = pdfText(s, "report.pdf");
    for (const char* kind : {"H", "L", "T"}) {
        const std::regex shown(std::string(kind) + "a&b%c\\$d#e_f\\{g\\}h.+i.+j\\\\k");
        EXPECT_TRUE(std::regex_search(text, shown)) << kind << ": " << text;
    }
}

TEST(XeLatex, TypedQuotesDashesAndAngleBracketsShowAsTyped) {
    if (!installed("xelatex") || !installed("pdftotext"))
        GTEST_SKIP() << "xelatex or pdftotext missing";
    // Every sequence TeX's fonts map or join into another glyph (curly
    // quotes, dashes, inverted marks, guillemets, a low double quote), in
    // every kind of text a report holds, under ctex and under fontspec
    // alone: the PDF shows the characters typed, one by one.
    const std::string typed = "a`b<<c>>d''e``f--g---h!`i?`j,,k'l\"m<n>o";
    for (const quorvex::Language language :
         {quorvex::Language::Chinese, quorvex::Language::English}) {
        quorvex::Document d = inEveryKindOfText(typed);
        d.language = language;
        Scratch s;
        std::ofstream(s.path("report.tex"), std::ios::binary) << quorvex::renderLatex(d);
        ASSERT_EQ(xelatex(s), 0) << readFile(s.path("xelatex.log"));
        const std::string text = pdfText(s, "report.pdf");
        for (const char* kind : {"H", "L", "T"})
            EXPECT_NE(text.find(kind + typed), std::string::npos)
                << kind << (language == quorvex::Language::English ? " en: " : " zh: ") << text;
    }
}

std::string chromium(const Scratch& s) {
    return "chromium --headless --no-sandbox --disable-gpu --user-data-dir=" + s.path("profile") +
           " ";
}

TEST(Chromium, PrintsTheSolution) {
    if (!installed("chromium") || !installed("pdftotext"))
        GTEST_SKIP() << "chromium or pdftotext missing";
    Scratch s;
    const std::string system = system6x7();
    solve(s, system, 6, "html", "report.html");
    ASSERT_EQ(run(chromium(s) + "--no-pdf-header-footer --print-to-pdf=" + s.path("report.pdf") +
                  " file://" + s.path("report.html") + " >/dev/null 2>&1"),
              0);
    const std::string text = pdfText(s, "report.pdf");
    for (const std::string& x : solutionLines(s, system, 6))
        EXPECT_NE(text.find(x), std::string::npos) << x;
}

/// The page inside a 400-pixel frame of a page that reports its widths.
std::string widthProbe(const std::string& page) {
    std::string quoted;
    for (char c : page)
        quoted += c == '"'   ? std::string("&quot;")
                  : c == '&' ? std::string("&amp;")
                             : std::string(1, c);
    return "<!DOCTYPE html><html><body style=\"margin:0\">"
           "<iframe id=\"f\" style=\"width:400px;height:800px;border:0\" srcdoc=\"" +
           quoted +
           "\"></iframe>"
           "<script>document.getElementById('f').onload=function(){"
           "var e=this.contentDocument.documentElement;"
           "document.body.setAttribute('data-widths',e.scrollWidth+'/'+e.clientWidth);};</script>"
           "</body></html>";
}

TEST(Chromium, NoHorizontalScrollAtPhoneWidth) {
    if (!installed("chromium")) GTEST_SKIP() << "chromium missing";
    Scratch s;
    solve(s,
          "1/3 -2/7 1/9 5/11 1\n2/3 1/7 -4/9 1/11 2\n-1/3 3/7 2/9 -3/11 3\n1/6 -1/7 1/8 7/11 4\n",
          4, "html", "report.html");
    std::ofstream(s.path("probe.html"), std::ios::binary)
        << widthProbe(readFile(s.path("report.html")));
    ASSERT_EQ(run(chromium(s) + "--virtual-time-budget=3000 --dump-dom file://" +
                  s.path("probe.html") + " >" + s.path("dom.html") + " 2>/dev/null"),
              0);
    std::smatch m;
    const std::string dom = readFile(s.path("dom.html"));
    ASSERT_TRUE(std::regex_search(dom, m, std::regex("data-widths=\"(\\d+)/(\\d+)\"")))
        << dom.substr(0, 400);
    EXPECT_EQ(m[1].str(), m[2].str()) << "scroll width / client width";
    EXPECT_EQ(m[2].str(), "400");
}

} // namespace
