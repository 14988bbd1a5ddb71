// Runs every case under tests/data, and every worked report of the help
// book, through quorvex-cli and compares the result area, the messages and
// the exit status with the expected ones.
// Cases under tests/data/formats name a format: their expected section is
// that rendering, line breaks as written (LF). A case with a "steps" section
// instead of an expected one holds the worked steps only; one with a "holds"
// section, lines the report holds in that order, ending with the last (and
// a chart only when it names one). A "dialogs" section is the trace of the
// dialogs shown, their messages aside.
#include "commands/registry.h"
#include "reading/number_text.h"
#include "support.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <map>
#include <optional>
#include <sstream>
#include <string>
#include <vector>

namespace fs = std::filesystem;

namespace {

struct GoldenCase {
    std::string name;
    std::string command;
    std::vector<std::string> answers;
    std::string digits = "6";
    bool exact = false; ///< "exact: yes" runs with --exact
    bool steps = false; ///< "steps: yes" runs with --steps
    bool rows = false;  ///< "steps: rows" runs with --steps=rows
    std::string format; ///< empty: the plain text
    std::string lang;   ///< "lang: en" runs with --lang en; empty: the default
    int exitCode = 0;
    std::vector<std::string> messages;
    std::vector<std::string> notices;
    std::map<std::string, std::string> sections; ///< input, previous, expected
    bool book = false; ///< from the help book, which shows no line break at a report's end
};

// Names the case in test listings instead of dumping its bytes.
void PrintTo(const GoldenCase& c, std::ostream* os) { *os << c.name; }

using quorvex::testing::readFile;
using quorvex::testing::shellQuote;
using quorvex::testing::toCrLf;

/// Case files: "key: value" lines ("notice:" one for each notice on standard
/// error, in order), then "=== input", "=== previous",
/// "=== expected" (or "=== steps", "=== holds") and "=== chart" sections closed by "=== end".
/// Section text is written with plain line breaks; the line break before the next marker belongs to
/// it.
GoldenCase parseCase(const fs::path& p) {
    GoldenCase c;
    c.name = p.stem().string();
    std::istringstream in(readFile(p));
    std::string* section = nullptr;
    for (std::string line; std::getline(in, line);) {
        if (line.rfind("=== ", 0) == 0) {
            if (section && !section->empty()) section->pop_back(); // the marker's line break
            section = line == "=== end" ? nullptr : &c.sections[line.substr(4)];
        } else if (section) {
            *section += line + "\n";
        } else if (const auto colon = line.find(':'); line[0] != '#' && colon != line.npos) {
            const std::string key = line.substr(0, colon);
            std::string value = line.substr(colon + 1);
            if (value.rfind(' ', 0) == 0) value.erase(0, 1);
            if (key == "command") c.command = value;
            else if (key == "answer") c.answers.push_back(value);
            else if (key == "digits") c.digits = value;
            else if (key == "exact") c.exact = value == "yes";
            else if (key == "steps") c.steps = value == "yes", c.rows = value == "rows";
            else if (key == "exit") c.exitCode = std::stoi(value);
            else if (key == "message") c.messages.push_back(value);
            else if (key == "notice") c.notices.push_back(value);
            else if (key == "format") c.format = value;
            else if (key == "lang") c.lang = value;
        }
    }
    return c;
}

std::vector<GoldenCase> allCases() {
    std::vector<GoldenCase> cases;
    for (const auto& entry : fs::recursive_directory_iterator(QUORVEX_TEST_DATA))
        if (entry.path().extension() == ".case") cases.push_back(parseCase(entry.path()));
    std::sort(cases.begin(), cases.end(),
              [](const GoldenCase& a, const GoldenCase& b) { return a.name < b.name; });
    return cases;
}

/// The text of an HTML block: the few entities the book uses.
std::string blockText(std::string html) {
    const std::pair<std::string, std::string> entities[] = {{"&lt;", "<"},    {"&gt;", ">"},
                                                            {"&quot;", "\""}, {"&#x27;", "'"},
                                                            {"&#39;", "'"},   {"&amp;", "&"}};
    for (const auto& [entity, text] : entities)
        for (std::size_t at = 0; (at = html.find(entity, at)) != std::string::npos;
             at += text.size())
            html.replace(at, entity.size(), text);
    return html;
}

/// Each report block of the help book names its command and answers; its
/// input is the input block before it.
/// The value of a block's attribute, nothing when it has none.
std::optional<std::string> attribute(const std::string& attributes, const std::string& name) {
    const std::string key = " " + name + "=\"";
    const auto at = attributes.find(key);
    if (at == std::string::npos) return std::nullopt;
    const auto from = at + key.size();
    return attributes.substr(from, attributes.find('"', from) - from);
}

/// Each report block of the help book names its command and answers; its
/// input is the input block before it. (Read without regular expressions:
/// every test process reads the book before it starts.) The English book,
/// in its folder en/, runs with --lang en, its cases named en_...
std::vector<GoldenCase> helpBookCases() {
    std::vector<GoldenCase> cases;
    std::vector<fs::path> pages;
    for (const fs::path& folder : {fs::path(QUORVEX_HELP_DIR), fs::path(QUORVEX_HELP_DIR) / "en"})
        for (const auto& entry : fs::directory_iterator(folder))
            if (entry.path().extension() == ".html") pages.push_back(entry.path());
    for (const fs::path& path : pages) {
        const bool english = path.parent_path().filename() == "en";
        const std::string page = readFile(path);
        std::string input;
        const std::string open = "<pre class=\"";
        for (auto at = page.find(open); at != std::string::npos; at = page.find(open, at)) {
            const auto kindEnd = page.find('"', at + open.size());
            const std::string kind = page.substr(at + open.size(), kindEnd - at - open.size());
            const auto textStart = page.find('>', kindEnd) + 1;
            at = page.find("</pre>", textStart);
            const std::string attributes = page.substr(kindEnd + 1, textStart - kindEnd - 2);
            const std::string text = blockText(page.substr(textStart, at - textStart));
            if (kind == "input") input = toCrLf(text);
            if (kind != "report") continue;
            GoldenCase c;
            c.book = true;
            if (const auto command = attribute(attributes, "data-command")) {
                c.command = *command;
                std::istringstream list(attribute(attributes, "data-answers").value_or(""));
                for (std::string a; std::getline(list, a, ';');) c.answers.push_back(a);
                c.exact = attribute(attributes, "data-exact") == "yes";
                c.steps = attribute(attributes, "data-steps") == "yes";
                c.digits = attribute(attributes, "data-digits").value_or(c.digits);
            }
            if (english) c.lang = "en";
            c.name = (english ? "en_" : "") + path.stem().string() + "_" +
                     (c.command.empty() ? "unmarked" + std::to_string(cases.size()) : c.command);
            // A page may work one command more than once.
            if (const auto same =
                    std::count_if(cases.begin(), cases.end(),
                                  [&](const GoldenCase& o) { return o.name.starts_with(c.name); }))
                c.name.append("_").append(std::to_string(same + 1));
            c.sections["input"] = input;
            c.sections["expected"] = text;
            cases.push_back(c);
        }
    }
    std::sort(cases.begin(), cases.end(),
              [](const GoldenCase& a, const GoldenCase& b) { return a.name < b.name; });
    return cases;
}

TEST(HelpBookPages, HoldWorkedReports) { EXPECT_GE(helpBookCases().size(), 18u); }

/// The tool the cases run through: the native one, or the one named by
/// QUORVEX_CLI (the WebAssembly build's, under Node).
std::string cliCommand() {
    const char* other = std::getenv("QUORVEX_CLI");
    return shellQuote(other && *other ? other : QUORVEX_CLI);
}

void expectTheReport(const GoldenCase& c) {
    ASSERT_FALSE(c.command.empty()) << "a report block without data-command and data-answers";
    const quorvex::testing::TempDir dir("golden-" + c.name);
    const auto put = [&](const char* name, const std::string& text) {
        std::ofstream(dir / name, std::ios::binary) << text;
        return shellQuote((dir / name).string());
    };
    std::string cmd = cliCommand() + " " + shellQuote(c.command) + " -i " +
                      put("input.txt", c.sections.at("input")) + " -d " + shellQuote(c.digits);
    if (!c.lang.empty()) cmd += " --lang " + shellQuote(c.lang);
    if (c.exact) cmd += " --exact";
    if (c.steps) cmd += " --steps";
    if (c.rows) cmd += " --steps=rows";
    if (c.sections.count("dialogs")) cmd += " --trace";
    for (const auto& a : c.answers) cmd += " -a " + shellQuote(a);
    if (!c.format.empty()) cmd += " --format " + shellQuote(c.format);
    if (c.sections.count("previous"))
        cmd += " -p " + put("previous.txt", toCrLf(c.sections.at("previous")));
    cmd += " >" + shellQuote((dir / "out.txt").string()) + " 2>" +
           shellQuote((dir / "err.txt").string());
    const int status = std::system(cmd.c_str());
    ASSERT_NE(status, -1);
    EXPECT_EQ(WEXITSTATUS(status), c.exitCode) << cmd;
    std::string out = readFile(dir / "out.txt");
    while (c.book && out.ends_with("\r\n")) out.resize(out.size() - 2);
    if (c.sections.count("steps"))
        EXPECT_EQ(quorvex::testing::stepsSection(out), toCrLf(c.sections.at("steps") + "\n"));
    else if (c.sections.count("holds"))
        EXPECT_EQ(quorvex::testing::linesNotHeld(out, c.sections.at("holds")), "") << out;
    else if (const std::string& expected = c.sections.at("expected"); c.format.empty())
        EXPECT_EQ(out, toCrLf(expected)) << cmd;
    else EXPECT_EQ(out, expected) << cmd;

    std::vector<std::string> messages, notices;
    std::string dialogs; ///< as traced, their messages aside
    std::istringstream err(readFile(dir / "err.txt"));
    for (std::string line; std::getline(err, line) && !line.starts_with("chart: ");) {
        if (line.starts_with("message: ")) messages.push_back(line.substr(9));
        else if (line.starts_with("notice: ")) notices.push_back(line.substr(8));
        else dialogs += line + "\n";
    }
    EXPECT_EQ(messages, c.messages);
    // A worked report of the help book shows the report alone.
    if (!c.book) {
        EXPECT_EQ(notices, c.notices);
    }
    if (c.sections.count("dialogs")) {
        EXPECT_EQ(dialogs, c.sections.at("dialogs") + "\n");
    }

    // A chart comes last on standard error: its title line and its table.
    const std::string errText = readFile(dir / "err.txt");
    const auto chart = errText.find("chart: ");
    const std::string expectedChart =
        c.sections.count("chart") ? c.sections.at("chart") + "\n" : std::string();
    if (c.book || (c.sections.count("holds") && !c.sections.count("chart"))) return;
    EXPECT_EQ(chart == std::string::npos ? std::string() : errText.substr(chart), expectedChart);
}

class Golden : public ::testing::TestWithParam<GoldenCase> {};
class HelpBook : public ::testing::TestWithParam<GoldenCase> {};

TEST_P(Golden, ReportMessagesAndExitStatus) { expectTheReport(GetParam()); }
TEST_P(HelpBook, ReportIsWhatTheProgramWrites) { expectTheReport(GetParam()); }

INSTANTIATE_TEST_SUITE_P(Cases, Golden, ::testing::ValuesIn(allCases()),
                         [](const auto& info) { return info.param.name; });
INSTANTIATE_TEST_SUITE_P(Examples, HelpBook, ::testing::ValuesIn(helpBookCases()),
                         [](const auto& info) { return info.param.name; });

} // namespace
