// Runs every case under tests/data through quorvex-cli and compares the
// result area, the messages and the exit status with the expected ones.
// Cases under tests/data/formats name a format: their expected section is
// that rendering, line breaks as written (LF). A case with a "steps" section
// instead of an expected one holds the worked steps only; one with a "holds"
// section, lines the report holds in that order, ending with the last (and
// a chart only when it names one).
#include "frame/registry.h"
#include "reading/number_text.h"
#include "report/render.h"
#include "scripted_host.h"
#include "support.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <map>
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
    int exitCode = 0;
    std::vector<std::string> messages;
    std::map<std::string, std::string> sections; ///< input, previous, expected
};

// Names the case in test listings instead of dumping its bytes.
void PrintTo(const GoldenCase& c, std::ostream* os) { *os << c.name; }

using quorvex::testing::readFile;
using quorvex::testing::shellQuote;
using quorvex::testing::toCrLf;

/// Case files: "key: value" lines, then "=== input", "=== previous",
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
            else if (key == "format") c.format = value;
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

class Golden : public ::testing::TestWithParam<GoldenCase> {};

TEST_P(Golden, ReportMessagesAndExitStatus) {
    const GoldenCase& c = GetParam();
    const quorvex::testing::TempDir dir("golden-" + c.name);
    const auto put = [&](const char* name, const std::string& text) {
        std::ofstream(dir / name, std::ios::binary) << text;
        return shellQuote((dir / name).string());
    };
    std::string cmd = shellQuote(QUORVEX_CLI) + " " + shellQuote(c.command) + " -i " +
                      put("input.txt", c.sections.at("input")) + " -d " + shellQuote(c.digits);
    if (c.exact) cmd += " --exact";
    if (c.steps) cmd += " --steps";
    if (c.rows) cmd += " --steps=rows";
    for (const auto& a : c.answers) cmd += " -a " + shellQuote(a);
    if (!c.format.empty()) cmd += " --format " + shellQuote(c.format);
    if (c.sections.count("previous"))
        cmd += " -p " + put("previous.txt", toCrLf(c.sections.at("previous")));
    cmd += " >" + shellQuote((dir / "out.txt").string()) + " 2>" +
           shellQuote((dir / "err.txt").string());
    const int status = std::system(cmd.c_str());
    ASSERT_NE(status, -1);
    EXPECT_EQ(WEXITSTATUS(status), c.exitCode) << cmd;
    const std::string out = readFile(dir / "out.txt");
    if (c.sections.count("steps"))
        EXPECT_EQ(quorvex::testing::stepsSection(out), toCrLf(c.sections.at("steps") + "\n"));
    else if (c.sections.count("holds"))
        EXPECT_EQ(quorvex::testing::linesNotHeld(out, c.sections.at("holds")), "") << out;
    else if (const std::string& expected = c.sections.at("expected"); c.format.empty())
        EXPECT_EQ(out, toCrLf(expected)) << cmd;
    else EXPECT_EQ(out, expected) << cmd;

    std::vector<std::string> messages;
    std::istringstream err(readFile(dir / "err.txt"));
    for (std::string line; std::getline(err, line);)
        if (line.rfind("message: ", 0) == 0) messages.push_back(line.substr(9));
    EXPECT_EQ(messages, c.messages);

    // A chart comes last on standard error: its title line and its table.
    const std::string errText = readFile(dir / "err.txt");
    const auto chart = errText.find("chart: ");
    const std::string expectedChart =
        c.sections.count("chart") ? c.sections.at("chart") + "\n" : std::string();
    if (c.sections.count("holds") && !c.sections.count("chart")) return;
    EXPECT_EQ(chart == std::string::npos ? std::string() : errText.substr(chart), expectedChart);
}

// The report's document, written back as plain text, is the report itself:
// it recorded every piece, separator and line break.
TEST_P(Golden, DocumentWritesBackTheText) {
    const GoldenCase& c = GetParam();
    const quorvex::Command* command = quorvex::findCommand(c.command);
    // Only reports; a failing case may be one too large for any memory.
    if (!command || !c.format.empty() || c.exitCode != 0) GTEST_SKIP();
    quorvex::testing::ScriptedHost host(c.sections.at("input"), c.answers,
                                        quorvex::decimalDigitsFromAnswer(c.digits));
    host.settings.exact = c.exact;
    host.settings.steps = c.steps;
    host.settings.rowSteps = c.rows;
    host.run(*command);
    if (!host.document) GTEST_SKIP() << "no report";
    EXPECT_EQ(quorvex::renderText(*host.document), host.result);
}

INSTANTIATE_TEST_SUITE_P(Cases, Golden, ::testing::ValuesIn(allCases()),
                         [](const auto& info) { return info.param.name; });

} // namespace
