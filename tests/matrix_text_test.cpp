#include "reading/matrix_text.h"
#include "reading/number_text.h"
#include "reading/text_passes.h"
#include "support.h"

#include <gtest/gtest.h>

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

/// The rows as a table writes them: "1 2 3;4 5 6".
std::string textOf(const Rows& rows) {
    std::string text;
    for (const auto& row : rows)
        for (std::size_t j = 0; j < row.size(); ++j)
            text.append(j ? " " : text.empty() ? "" : ";").append(numberText(row[j]));
    return text;
}

TEST(MatrixText, FillsTheAugmentedMatrix) {
    for (const auto& r : testing::table("matrix_text"))
        EXPECT_EQ(textOf(parse(r[0], std::stoi(r[1]))), r[2]) << ::testing::PrintToString(r[0]);
}

const Rows k123456 = {{1, 2, 3}, {4, 5, 6}};

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
        ASSERT_EQ(lines, linesByPasses(text)) << ::testing::PrintToString(text);
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
