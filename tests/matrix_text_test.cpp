#include "reading/matrix_text.h"
#include "reading/text_passes.h"

#include <gtest/gtest.h>

#include <ostream>
#include <random>
#include <string>
#include <vector>

namespace quorvex {
namespace {

using Rows = std::vector<std::vector<double>>;

Rows parse(const std::string& text, int n) {
    Matrix M(n, n + 1);
    GetMatrixFromText(M, n, text);
    Rows rows;
    for (int i = 1; i <= n; ++i) {
        rows.emplace_back();
        for (int j = 1; j <= n + 1; ++j) rows.back().push_back(M(i, j));
    }
    return rows;
}

struct ParseCase {
    const char* name;
    const char* text;
    int n;
    Rows expected;
};

// Names the case in test listings instead of dumping its bytes.
void PrintTo(const ParseCase& c, std::ostream* os) { *os << c.name; }

class MatrixText : public ::testing::TestWithParam<ParseCase> {};

TEST_P(MatrixText, FillsTheAugmentedMatrix) {
    const auto& c = GetParam();
    EXPECT_EQ(parse(c.text, c.n), c.expected) << c.text;
}

const Rows k123456 = {{1, 2, 3}, {4, 5, 6}};

const ParseCase kCases[] = {
    {"Blanks", "1 2 3\n4 5 6", 2, k123456},
    {"Commas", "1,2,3\n4,5,6", 2, k123456},
    {"LeadingBlanksOnLines", "   1 2 3\n  4 5 6", 2, k123456},
    {"TrailingComma", "1,2,3,\n4,5,6,", 2, k123456},
    {"EmptyLinesBetween", "1 2 3\n\n\n\n4 5 6", 2, k123456},
    {"LeadingEmptyLinesAndFinalBreaks", "\n\n1 2 3\n4 5 6\n\n", 2, k123456},
    {"CrLf", "1 2 3\r\n4 5 6\r\n", 2, k123456},
    {"CrOnly", "1 2 3\r4 5 6\r", 2, k123456},
    {"BlankCommaBlankIsEmptyElement", "1 , 2", 2, {{1, 0, 2}, {0, 0, 2}}},
    {"TypedDoubleCommaCollapses", "1,,2\n4,5,6", 2, {{1, 2, 0}, {4, 5, 6}}},
    {"ThreeCommasLeaveAnEmptyElement", "1,,,2\n4,5,6", 2, {{1, 0, 2}, {4, 5, 6}}},
    {"MissingRowsRepeatLastWithZeroFirst",
     "1 2 3 4",
     3,
     {{1, 2, 3, 4}, {0, 2, 3, 4}, {0, 2, 3, 4}}},
    {"ShortRowKeepsPreviousValues", "1 2 3\n4", 2, {{1, 2, 3}, {4, 2, 3}}},
    {"SurplusElementsIgnored", "1 2 3 4 5\n4 5 6", 2, k123456},
    {"SurplusRowsIgnored", "1 2 3\n4 5 6\n7 8 9", 2, k123456},
    {"EmptyTextIsZeros", "", 2, {{0, 0, 0}, {0, 0, 0}}},
    {"Expressions", "1/2 sqr(4) 2^3", 2, {{0.5, 2, 8}, {0, 2, 8}}},
    // Ten CR LF empty lines collapse; eleven leave one empty row behind.
    {"ElevenEmptyCrLfLinesLeaveAnEmptyRow",
     "1 2 3\r\n\r\n\r\n\r\n\r\n\r\n\r\n\r\n\r\n\r\n\r\n\r\n4 5 6",
     2,
     {{1, 2, 3}, {0, 2, 3}}},
    // Pasted from a spreadsheet or typed with a Chinese input method.
    {"TabsSeparate", "1\t2\t3\n\t4\t\t5 6\t", 2, k123456},
    {"IdeographicSpacesSeparate", "1\u30002\u3000\u30003\n\u30004 5\u30006", 2, k123456},
    {"FullWidthDigitsAndCommas", "\uff11\uff0c\uff12\uff0c\uff13\n\uff14\uff0c\uff15\uff0c\uff16",
     2, k123456},
    {"TabCommaTabIsEmptyElement", "1\t,\t2", 2, {{1, 0, 2}, {0, 0, 2}}},
    {"FullWidthExpressions",
     "\uff11\uff0f\uff12 \uff53\uff51\uff52\uff08\uff14\uff09 \uff12\uff3e\uff13",
     2,
     {{0.5, 2, 8}, {0, 2, 8}}},
    {"TenEmptyCrLfLinesCollapse", "1 2 3\r\n\r\n\r\n\r\n\r\n\r\n\r\n\r\n\r\n\r\n\r\n4 5 6", 2,
     k123456},
};

INSTANTIATE_TEST_SUITE_P(Cases, MatrixText, ::testing::ValuesIn(kCases),
                         [](const auto& info) { return std::string(info.param.name); });

/// The row lines as the reader's rules state them, one plain replacement
/// pass after another; the reader does the same in fewer passes.
std::vector<std::string> linesByPasses(std::string s) {
    normaliseTypedText(s);
    const std::string_view t = trimBlanks(s);
    s = std::string(t);
    collapseBlankRuns(s);
    for (char& c : s)
        if (c == ' ') c = ',';
    replaceAllInPlace(s, ",,", ",");
    for (char& c : s)
        if (c == '\r' || c == '\n') c = '#';
    replaceAllInPlace(s, "#,", "#");
    replaceAllInPlace(s, ",#", "#");
    s += '#';
    for (const char* run : {"#####", "###", "##"}) replaceAllInPlace(s, run, "#");
    std::size_t start = 0;
    while (start < s.size() && (s[start] == ' ' || s[start] == '#')) ++start;
    std::vector<std::string> lines;
    for (std::size_t mark; (mark = s.find('#', start)) != std::string::npos; start = mark + 1)
        lines.emplace_back(trimBlanks(std::string_view(s).substr(start, mark + 1 - start)));
    return lines;
}

TEST(MatrixTextLimits, RowLinesFollowTheReplacementPasses) {
    // Separators, marks and line breaks in every mixture, since it is their
    // runs and neighbours the passes treat specially.
    std::mt19937 gen(7);
    const std::string alphabet = " ,\r\n#1\t";
    for (int round = 0; round < 20000; ++round) {
        std::string text(gen() % 24, ' ');
        for (char& c : text) c = alphabet[gen() % alphabet.size()];
        std::vector<std::string> lines;
        MatrixLines reader(text);
        for (std::string_view line; !(line = reader.next()).empty();) lines.emplace_back(line);
        ASSERT_EQ(lines, linesByPasses(text)) << testing::PrintToString(text);
    }
}

TEST(MatrixTextLimits, MissingElementsComeFromTheRowAboveInLargeTexts) {
    // Large enough to be read on several threads: a short row anywhere must
    // still take the rest of its numbers from the row above it.
    const int n = 400;
    std::mt19937 gen(11);
    std::string text;
    Rows expected(n, std::vector<double>(n + 1, 0.0));
    for (int i = 0; i < n; ++i) {
        const int count = gen() % 5 == 0 ? 1 + static_cast<int>(gen() % (n + 1)) : n + 1;
        for (int j = 0; j <= n; ++j) {
            if (j < count) {
                expected[i][j] = static_cast<double>(gen() % 1000);
                text += std::to_string(static_cast<int>(expected[i][j])) + " ";
            } else {
                expected[i][j] = i > 0 ? expected[i - 1][j] : 0.0;
            }
        }
        text += "\n";
    }
    EXPECT_EQ(parse(text, n), expected);
}

TEST(MatrixTextLimits, AnyRunOfBlanksIsOneSeparator) {
    for (std::size_t blanks : {2, 9, 14, 286, 287, 288, 1000, 100000}) {
        std::string text = "1";
        text.append(blanks, ' ');
        text.append("2 3\n4 5 6");
        EXPECT_EQ(parse(text, 2), k123456) << blanks;
    }
}

TEST(MatrixTextLimits, LongTextsAreReadWholeAndHugeOnesStayBounded) {
    const int n = 120; // more than 32767 characters
    std::string text;
    for (int i = 1; i <= n; ++i) {
        for (int j = 1; j <= n + 1; ++j) text += std::to_string(i * 1000 + j) + "    ";
        text += "\r\n";
    }
    Matrix M(n, n + 1);
    GetMatrixFromText(M, n, text);
    EXPECT_EQ(M(57, 33), 57033);
    EXPECT_EQ(M(n, n + 1), n * 1000 + n + 1);
    std::string line;
    for (int i = 0; i < 1000000; ++i) line += "7 ";
    Matrix S(2, 3);
    GetMatrixFromText(S, 2, line + "\n1 2 3");
    EXPECT_EQ(S(1, 3), 7);
    EXPECT_EQ(S(2, 1), 1);
    // One element of a million characters, evaluated whole.
    const std::string huge(1000000, '(');
    GetMatrixFromText(S, 2, huge + " 5 6\n" + huge);
    EXPECT_EQ(S(1, 2), 5);
    EXPECT_EQ(S(2, 1), 0);
}

} // namespace
} // namespace quorvex
