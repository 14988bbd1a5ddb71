// Every worked report of the help book is run through quorvex-cli: each
// report block names its command and answers, the input is the block
// before it, and the report the program writes must be the one printed.
#include "support.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <regex>
#include <string>
#include <vector>

#include <unistd.h>

namespace fs = std::filesystem;

namespace {

struct HelpExample {
    std::string name; ///< page and command, e.g. elimination_Gauss_1
    std::string command;
    std::vector<std::string> answers;
    bool exact = false; ///< data-exact="yes": run with --exact
    bool steps = false; ///< data-steps="yes": run with --steps
    std::string digits; ///< data-digits="4": run with -d 4; empty: the default
    std::string input;
    std::string report;
};

void PrintTo(const HelpExample& e, std::ostream* os) { *os << e.name; }

using quorvex::testing::readFile;
using quorvex::testing::shellQuote;

/// The text of an HTML block: the few entities the book uses, line
/// breaks as CR LF as the program writes and the edit area holds them.
std::string blockText(std::string html) {
    const std::pair<std::string, std::string> entities[] = {{"&lt;", "<"},    {"&gt;", ">"},
                                                            {"&quot;", "\""}, {"&#x27;", "'"},
                                                            {"&#39;", "'"},   {"&amp;", "&"}};
    for (const auto& [entity, text] : entities)
        for (std::size_t at = 0; (at = html.find(entity, at)) != std::string::npos;
             at += text.size())
            html.replace(at, entity.size(), text);
    std::string out;
    for (char c : html) out += c == '\n' ? std::string("\r\n") : std::string(1, c);
    return out;
}

std::vector<std::string> splitAnswers(const std::string& list) {
    std::vector<std::string> answers;
    for (std::size_t from = 0; from < list.size();) {
        const std::size_t end = std::min(list.find(';', from), list.size());
        answers.push_back(list.substr(from, end - from));
        from = end + 1;
    }
    return answers;
}

std::vector<HelpExample> allExamples() {
    static const std::regex block(R"re(<pre class="(input|report)"([^>]*)>([\s\S]*?)</pre>)re");
    static const std::regex mark(
        R"re( data-command="([^"]+)" data-answers="([^"]*)"( data-exact="yes")?( data-steps="yes")?(?: data-digits="(\d+)")?)re");
    std::vector<HelpExample> examples;
    for (const auto& entry : fs::directory_iterator(QUORVEX_HELP_DIR)) {
        if (entry.path().extension() != ".html") continue;
        const std::string page = readFile(entry.path());
        std::string input;
        for (std::sregex_iterator it(page.begin(), page.end(), block), end; it != end; ++it) {
            const std::string kind = (*it)[1], attributes = (*it)[2], text = (*it)[3];
            if (kind == "input") {
                input = blockText(text);
                continue;
            }
            std::smatch m;
            HelpExample e;
            if (std::regex_match(attributes, m, mark)) {
                e.command = m[1];
                e.answers = splitAnswers(m[2]);
                e.exact = m[3].matched;
                e.steps = m[4].matched;
                e.digits = m[5];
            }
            e.name = entry.path().stem().string() + "_" +
                     (e.command.empty() ? "unmarked" + std::to_string(examples.size()) : e.command);
            // A page may work one command more than once.
            if (const auto same =
                    std::count_if(examples.begin(), examples.end(),
                                  [&](const HelpExample& o) { return o.name.starts_with(e.name); }))
                e.name.append("_").append(std::to_string(same + 1));
            e.input = input;
            e.report = blockText(text);
            examples.push_back(e);
        }
    }
    std::sort(examples.begin(), examples.end(),
              [](const HelpExample& a, const HelpExample& b) { return a.name < b.name; });
    return examples;
}

class HelpBook : public ::testing::TestWithParam<HelpExample> {};

TEST(HelpBookPages, HoldWorkedReports) { EXPECT_GE(allExamples().size(), 18u); }

TEST_P(HelpBook, ReportIsWhatTheProgramWrites) {
    const HelpExample& e = GetParam();
    ASSERT_FALSE(e.command.empty()) << "a report block without data-command and data-answers";
    std::string dir = (fs::temp_directory_path() / "quorvex-help-XXXXXX").string();
    ASSERT_NE(mkdtemp(dir.data()), nullptr);
    std::ofstream(fs::path(dir) / "input.txt", std::ios::binary) << e.input;
    std::string cmd = shellQuote(QUORVEX_CLI) + " " + shellQuote(e.command) + " -i " +
                      shellQuote(dir + "/input.txt");
    if (e.exact) cmd += " --exact";
    if (e.steps) cmd += " --steps";
    if (!e.digits.empty()) cmd += " -d " + e.digits;
    for (const auto& a : e.answers) cmd += " -a " + shellQuote(a);
    cmd += " >" + shellQuote(dir + "/out.txt") + " 2>" + shellQuote(dir + "/err.txt");
    const int status = std::system(cmd.c_str());
    EXPECT_EQ(WEXITSTATUS(status), 0) << cmd;
    // A page shows no line break at the very end of a block; everything
    // before it must match byte for byte.
    std::string out = readFile(fs::path(dir) / "out.txt");
    while (out.ends_with("\r\n")) out.resize(out.size() - 2);
    EXPECT_EQ(out, e.report) << cmd;
    // A chart's table may follow on standard error, a message may not.
    EXPECT_EQ(readFile(fs::path(dir) / "err.txt").find("message: "), std::string::npos) << cmd;
    fs::remove_all(dir);
}

INSTANTIATE_TEST_SUITE_P(Examples, HelpBook, ::testing::ValuesIn(allExamples()),
                         [](const auto& info) { return info.param.name; });

} // namespace
