// Every text the core writes lives in core/texts/, so that a translation
// replaces one catalogue: a string literal holding Chinese anywhere else in
// core/ is a text that slipped past it.
#include "commands/registry.h"
#include "scripted_host.h"
#include "texts/fill.h"
#include "texts/sentence.h"

#include <gtest/gtest.h>

#include <cctype>
#include <filesystem>
#include <fstream>
#include <random>
#include <sstream>
#include <string>
#include <string_view>
#include <vector>

namespace {

/// CJK ideographs and the full-width punctuation Chinese texts use.
bool isChinese(char32_t c) {
    return (c >= 0x3000 && c <= 0x303F) || (c >= 0x3400 && c <= 0x4DBF) ||
           (c >= 0x4E00 && c <= 0x9FFF) || (c >= 0xF900 && c <= 0xFAFF) ||
           (c >= 0xFF00 && c <= 0xFFEF);
}

bool holdsChinese(std::string_view s) {
    for (std::size_t i = 0; i < s.size();) {
        const auto b = static_cast<unsigned char>(s[i]);
        const int extra = b >= 0xF0 ? 3 : b >= 0xE0 ? 2 : b >= 0xC0 ? 1 : 0;
        char32_t c = extra ? b & (0x3F >> extra) : b;
        for (int k = 1; k <= extra && i + k < s.size(); ++k)
            c = (c << 6) | (static_cast<unsigned char>(s[i + k]) & 0x3F);
        if (isChinese(c)) return true;
        i += static_cast<std::size_t>(extra) + 1;
    }
    return false;
}

bool isWordCharacter(char c) { return std::isalnum(static_cast<unsigned char>(c)) || c == '_'; }

/// The lines on which a string literal holding Chinese starts; comments,
/// character literals and digit separators are skipped.
std::vector<int> chineseLiteralLines(std::string_view src) {
    std::vector<int> lines;
    int line = 1;
    const auto skipTo = [&](std::size_t from, std::string_view end) {
        const std::size_t at = src.find(end, from);
        const std::size_t stop = at == std::string_view::npos ? src.size() : at + end.size();
        for (std::size_t k = from; k < stop; ++k) line += src[k] == '\n';
        return stop;
    };
    for (std::size_t i = 0; i < src.size();) {
        const char c = src[i];
        const char before = i > 0 ? src[i - 1] : ' ';
        if (src.substr(i, 2) == "//") {
            i = skipTo(i, "\n");
        } else if (src.substr(i, 2) == "/*") {
            i = skipTo(i + 2, "*/");
        } else if (c == '\'' && !isWordCharacter(before)) {
            std::size_t k = i + 1;
            while (k < src.size() && src[k] != '\'') k += src[k] == '\\' ? 2 : 1;
            i = k + 1;
        } else if (c == '"') {
            const int start = line;
            std::size_t end;
            if (before == 'R') {
                const std::size_t open = src.find('(', i);
                std::string close(1, ')');
                close.append(src.substr(i + 1, open - i - 1)).push_back('"');
                end = skipTo(open, close);
            } else {
                std::size_t k = i + 1;
                while (k < src.size() && src[k] != '"' && src[k] != '\n')
                    k += src[k] == '\\' ? 2 : 1;
                end = k + 1;
            }
            if (holdsChinese(src.substr(i, end - i))) lines.push_back(start);
            i = end;
        } else {
            line += c == '\n';
            ++i;
        }
    }
    return lines;
}

struct ScanCase {
    const char* name;
    const char* source;
    std::vector<int> lines;
};

class ChineseLiterals : public ::testing::TestWithParam<ScanCase> {};

TEST_P(ChineseLiterals, AreFoundOnTheirLine) {
    EXPECT_EQ(chineseLiteralLines(GetParam().source), GetParam().lines);
}

INSTANTIATE_TEST_SUITE_P(
    TextsCatalogue, ChineseLiterals,
    ::testing::Values(ScanCase{"Literal", "r.text(\"第 \").integer(k);", {1}},
                      ScanCase{
                          "OnlyFullWidthPunctuation", "int a;\nconst char* s = \"x，y\";", {2}},
                      ScanCase{"AfterAnEscapedQuote", "s = \"a\\\"b\" \"行\";", {1}},
                      ScanCase{"AfterAQuoteCharacter", "if (c == '\"') s = \"。\";", {1}},
                      ScanCase{"RawString", "s = R\"x(a\"b\n行)x\";\nt = \"c\";", {1}},
                      ScanCase{"AfterADigitSeparator", "n = 1'000;\ns = \"步\";", {2}},
                      ScanCase{"InALineComment", "// r.text(\"第 \")\nint a;", {}},
                      ScanCase{"InABlockComment", "/* \"第\"\n \"步\" */ s = \"ab\";", {}},
                      ScanCase{"AsciiOnly", "s = \"x(\";", {}}),
    [](const auto& info) { return std::string(info.param.name); });

struct FillCase {
    const char* name;
    const char* pattern;
    std::vector<std::string_view> values;
    const char* filled;
};

class Fill : public ::testing::TestWithParam<FillCase> {};

TEST_P(Fill, PutsEachValueWhereItsPlaceholderStands) {
    const FillCase& c = GetParam();
    const auto& v = c.values;
    ASSERT_LE(v.size(), 3u);
    const std::string filled = v.size() == 1   ? quorvex::fillText(c.pattern, {v[0]})
                               : v.size() == 2 ? quorvex::fillText(c.pattern, {v[0], v[1]})
                                               : quorvex::fillText(c.pattern, {v[0], v[1], v[2]});
    EXPECT_EQ(filled, c.filled);
}

INSTANTIATE_TEST_SUITE_P(
    TextsCatalogue, Fill,
    ::testing::Values(
        FillCase{"InOrder", "第 {} 步的主元 a({},{})", {"2", "3", "4"}, "第 2 步的主元 a(3,4)"},
        FillCase{"Numbered", "{2} 与 {1}", {"甲", "乙"}, "乙 与 甲"},
        FillCase{"NumberedTwice", "lg={1}，损失 {1} 位", {"2.5"}, "lg=2.5，损失 2.5 位"},
        FillCase{"InOrderBesideNumbered", "{} {2} {}", {"a", "b"}, "a b b"},
        FillCase{"MissingValueStays", "{} 与 {3}", {"a"}, "a 与 {3}"},
        FillCase{"OtherBracesAreText", "{x} {0} {10} {", {"a"}, "{x} {0} {10} {"},
        FillCase{"AtBothEnds", "{}中{}", {"前", "后"}, "前中后"}),
    [](const auto& info) { return std::string(info.param.name); });

// A count or a number in a sentence stays the report's own piece, so that
// every format writes it as a number.
TEST(TextsCatalogue, SentenceKeepsCountsAndNumbersAsPieces) {
    quorvex::Report r;
    quorvex::writeSentence(r, "第 {2} 行：{1}", {{1.5, quorvex::NumberStyle::plain()}, 3});
    const auto& pieces = r.document().pieces();
    ASSERT_EQ(pieces.size(), 4u);
    EXPECT_EQ(std::get<quorvex::piece::Text>(pieces[0]).text, "第 ");
    EXPECT_EQ(std::get<quorvex::piece::Integer>(pieces[1]).value, 3);
    EXPECT_EQ(std::get<quorvex::piece::Text>(pieces[2]).text, " 行：");
    EXPECT_EQ(std::get<quorvex::piece::Number>(pieces[3]).value, 1.5);
}

std::string fileText(const std::filesystem::path& p) {
    std::ifstream in(p, std::ios::binary);
    std::ostringstream s;
    s << in.rdbuf();
    return s.str();
}

TEST(TextsCatalogue, HoldsEveryChineseLiteralOfTheCore) {
    namespace fs = std::filesystem;
    const fs::path core = QUORVEX_CORE_DIR;
    int scanned = 0;
    for (const auto& entry : fs::recursive_directory_iterator(core)) {
        const fs::path& p = entry.path();
        if (p.extension() != ".h" && p.extension() != ".cpp") continue;
        const fs::path folder = p.lexically_relative(core).begin()->string();
        if (folder == "texts") continue;
        ++scanned;
        for (int line : chineseLiteralLines(fileText(p)))
            ADD_FAILURE() << p.lexically_relative(core).string() << ":" << line
                          << ": a Chinese text outside core/texts/";
    }
    EXPECT_GT(scanned, 50);
}

// An English run shows no Chinese anywhere: every text a command reaches,
// down to its stops, failures and steps, has its English form.
struct EnglishRun {
    const char* name;
    int n;
    bool steps, exact;
    enum Input { Dominant, Singular, ZeroDiagonal, WithAStep } input;
    int answers; ///< -1: every dialog cancelled; otherwise the answers the command needs
    const char* precision;
};

// Named, not dumped byte by byte (padding and all) in the test's listing.
void PrintTo(const EnglishRun& c, std::ostream* out) { *out << c.name; }

class EnglishRuns : public ::testing::TestWithParam<EnglishRun> {};

std::string englishInput(const EnglishRun& c, std::mt19937& rng) {
    using namespace quorvex::testing;
    std::vector<double> solution;
    switch (c.input) {
    case EnglishRun::Dominant: return dominantSystem(c.n, 10, Shape::Tridiagonal, rng, solution);
    case EnglishRun::Singular: {
        std::string text;
        for (int i = 0; i < c.n; ++i)
            text += std::string(static_cast<std::size_t>(c.n), '1') + "\r\n";
        return text;
    }
    case EnglishRun::ZeroDiagonal: return "0 1 1\r\n1 0 1\r\n1 1 0\r\n";
    case EnglishRun::WithAStep: return "2 1 3\r\n1 3 5\r\n\r\n2 1 3\r\n0 2.4 3.4\r\n";
    }
    return {};
}

TEST_P(EnglishRuns, ShowNoChinese) {
    const EnglishRun& c = GetParam();
    std::mt19937 rng(27);
    const std::string input = englishInput(c, rng);
    for (const quorvex::Command* command : quorvex::allCommands()) {
        std::vector<std::string> answers;
        if (c.answers >= 0) {
            if (command->opening.asksPrecision) answers.push_back(c.precision);
            answers.push_back(std::to_string(c.n));
            answers.insert(answers.end(), static_cast<std::size_t>(c.n), "0");
            answers.push_back("1.2");
        }
        quorvex::testing::ScriptedHost host(input, answers);
        host.settings.steps = c.steps;
        host.settings.exact = c.exact;
        host.settings.language = quorvex::Language::English;
        host.run(*command);
        const std::string id(command->id);
        EXPECT_FALSE(holdsChinese(host.result)) << id << ":\n" << host.result;
        for (const auto& d : host.dialogs)
            EXPECT_FALSE(holdsChinese(d.text + d.caption + d.defaultAnswer))
                << id << ": " << d.text << " | " << d.caption;
        quorvex::LanguageScope english(quorvex::Language::English);
        EXPECT_FALSE(holdsChinese(command->caption)) << id;
    }
}

INSTANTIATE_TEST_SUITE_P(
    TextsCatalogue, EnglishRuns,
    ::testing::Values(
        EnglishRun{"Cancelled", 3, false, false, EnglishRun::Dominant, -1, "0.0001"},
        EnglishRun{"Solved", 3, false, false, EnglishRun::Dominant, 1, "0.0001"},
        EnglishRun{"SolvedWithSteps", 3, true, false, EnglishRun::Dominant, 1, "0.0001"},
        EnglishRun{"ExactWithSteps", 3, true, true, EnglishRun::Dominant, 1, "0.0001"},
        EnglishRun{"StepsLeftOut", 13, true, false, EnglishRun::Dominant, 1, "0.0001"},
        EnglishRun{"SingularWithSteps", 3, true, false, EnglishRun::Singular, 1, "0.0001"},
        EnglishRun{"SingularExact", 3, true, true, EnglishRun::Singular, 1, "0.0001"},
        EnglishRun{"ZeroDiagonal", 3, true, false, EnglishRun::ZeroDiagonal, 1, "0.0001"},
        EnglishRun{"ZeroDiagonalExact", 3, false, true, EnglishRun::ZeroDiagonal, 1, "0.0001"},
        EnglishRun{"CoarsePrecision", 3, false, false, EnglishRun::Dominant, 1, "1"},
        EnglishRun{"StepToCheck", 2, true, false, EnglishRun::WithAStep, 1, "0.0001"}),
    [](const auto& info) { return std::string(info.param.name); });

} // namespace
