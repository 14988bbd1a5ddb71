// Every text the core writes lives in core/texts/, so that a translation
// replaces one catalogue: a string literal holding Chinese anywhere else in
// core/ is a text that slipped past it.
#include "texts/fill.h"
#include "texts/sentence.h"

#include <gtest/gtest.h>

#include <cctype>
#include <filesystem>
#include <fstream>
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

} // namespace
