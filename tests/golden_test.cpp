// Runs every case under tests/data through quorvex-cli and compares the
// result area, the messages and the exit status with the expected ones.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <ostream>
#include <string>
#include <vector>

namespace fs = std::filesystem;

namespace {

struct GoldenCase {
    std::string name;
    std::string command;
    std::vector<std::string> answers;
    std::string digits = "6";
    int exitCode = 0;
    std::vector<std::string> messages;
    std::string input;
    std::string previous;
    bool hasPrevious = false;
    std::string expected;
};

// Names the case in test listings instead of dumping its bytes.
void PrintTo(const GoldenCase& c, std::ostream* os) { *os << c.name; }


std::string readFile(const fs::path& p) {
    std::ifstream f(p, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(f), std::istreambuf_iterator<char>());
}

std::string toCrLf(const std::string& s) {
    std::string out;
    for (char c : s) {
        if (c == '\n') out += '\r';
        out += c;
    }
    return out;
}

/// Case files: "key: value" lines, then "=== input", "=== previous" and
/// "=== expected" sections closed by "=== end". Expected text is written
/// with plain line breaks and compared with CR LF ones; the line break
/// before "=== end" belongs to the marker.
GoldenCase parseCase(const fs::path& p) {
    GoldenCase c;
    c.name = p.stem().string();
    std::istringstream in(readFile(p));
    std::string line, section;
    std::string* target = nullptr;
    std::vector<std::string> body;
    auto flush = [&] {
        if (!target) return;
        std::string text;
        for (std::size_t i = 0; i < body.size(); ++i) text += (i ? "\n" : "") + body[i];
        *target = text;
        body.clear();
        target = nullptr;
    };
    while (std::getline(in, line)) {
        if (line.rfind("=== ", 0) == 0) {
            flush();
            section = line.substr(4);
            if (section == "input") target = &c.input;
            else if (section == "expected") target = &c.expected;
            else if (section == "previous") {
                target = &c.previous;
                c.hasPrevious = true;
            }
            continue;
        }
        if (target) {
            body.push_back(line);
            continue;
        }
        if (line.empty() || line[0] == '#') continue;
        const auto colon = line.find(':');
        if (colon == std::string::npos) continue;
        const std::string key = line.substr(0, colon);
        std::string value = line.substr(colon + 1);
        if (!value.empty() && value[0] == ' ') value.erase(0, 1);
        if (key == "command") c.command = value;
        else if (key == "answer") c.answers.push_back(value);
        else if (key == "digits") c.digits = value;
        else if (key == "exit") c.exitCode = std::atoi(value.c_str());
        else if (key == "message") c.messages.push_back(value);
    }
    flush();
    c.expected = toCrLf(c.expected);
    return c;
}

std::vector<GoldenCase> allCases() {
    std::vector<GoldenCase> cases;
    for (const auto& entry : fs::directory_iterator(QUORVEX_TEST_DATA))
        if (entry.path().extension() == ".case") cases.push_back(parseCase(entry.path()));
    std::sort(cases.begin(), cases.end(),
              [](const GoldenCase& a, const GoldenCase& b) { return a.name < b.name; });
    return cases;
}

std::string shellQuote(const std::string& s) {
    std::string out = "'";
    for (char c : s) {
        if (c == '\'') out += "'\\''";
        else out += c;
    }
    return out + "'";
}

class Golden : public ::testing::TestWithParam<GoldenCase> {};

TEST_P(Golden, ReportMessagesAndExitStatus) {
    const GoldenCase& c = GetParam();
    const fs::path dir = fs::temp_directory_path() / ("quorvex-golden-" + c.name);
    fs::create_directories(dir);
    std::ofstream(dir / "input.txt", std::ios::binary) << c.input;
    std::string cmd = shellQuote(QUORVEX_CLI) + " " + shellQuote(c.command) + " -i " +
                      shellQuote((dir / "input.txt").string()) + " -d " + shellQuote(c.digits);
    for (const auto& a : c.answers) cmd += " -a " + shellQuote(a);
    if (c.hasPrevious) {
        std::ofstream(dir / "previous.txt", std::ios::binary) << toCrLf(c.previous);
        cmd += " -p " + shellQuote((dir / "previous.txt").string());
    }
    cmd += " >" + shellQuote((dir / "out.txt").string()) + " 2>" +
           shellQuote((dir / "err.txt").string());
    const int status = std::system(cmd.c_str());
    ASSERT_NE(status, -1);
    EXPECT_EQ(WEXITSTATUS(status), c.exitCode) << cmd;
    EXPECT_EQ(readFile(dir / "out.txt"), c.expected) << cmd;

    std::vector<std::string> messages;
    std::istringstream err(readFile(dir / "err.txt"));
    for (std::string line; std::getline(err, line);)
        if (line.rfind("message: ", 0) == 0) messages.push_back(line.substr(9));
    EXPECT_EQ(messages, c.messages);
    fs::remove_all(dir);
}

INSTANTIATE_TEST_SUITE_P(Cases, Golden, ::testing::ValuesIn(allCases()),
                         [](const ::testing::TestParamInfo<GoldenCase>& info) {
                             std::string n = info.param.name;
                             for (char& ch : n)
                                 if (!std::isalnum(static_cast<unsigned char>(ch))) ch = '_';
                             return n;
                         });

} // namespace
