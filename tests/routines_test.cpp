#include "numerics/elimination_routines.h"
#include "support.h"

#include <gtest/gtest.h>

#include <sstream>
#include <string>
#include <vector>

namespace quorvex {
namespace {

/// A matrix written out row by row, rows split by ";" (every row as long as
/// the first).
Matrix rows(const std::string& text) {
    std::vector<std::vector<double>> values;
    std::istringstream lines(text);
    for (std::string line; std::getline(lines, line, ';');) {
        values.emplace_back();
        std::istringstream words(line);
        for (std::string w; words >> w;) values.back().push_back(testing::byHand(w));
    }
    Matrix m(static_cast<int>(values.size()), static_cast<int>(values[0].size()));
    for (int i = 1; i <= m.rows(); ++i)
        for (int j = 1; j <= m.cols(); ++j) m(i, j) = values[i - 1][j - 1];
    return m;
}

TEST(FindLargest, Position) {
    for (const auto& r : testing::table("find_largest")) {
        int pr = -1, pc = -1;
        FindLargest(rows(r[0]), std::stoi(r[1]), pr, pc);
        EXPECT_EQ(std::pair(pr, pc), std::pair(std::stoi(r[2]), std::stoi(r[3]))) << r[0];
    }
}

TEST(EliminantFirst, StoresRoundedValuesAndLeavesThePivotRow) {
    Matrix S = rows("3 1 1 0;1 3 2 0;-6 0 1 5");
    EliminantFirst(S, 3, 2);
    // 3 - 1/3 and 2 - 1/3 kept to two decimals; the row of -6 takes twice row 1.
    const Matrix expected = rows("3 1 1 0;0 2.67 1.67 0;0 2 3 5");
    for (int i = 1; i <= 3; ++i)
        for (int j = 1; j <= 4; ++j) EXPECT_EQ(S(i, j), expected(i, j)) << i << "," << j;
}

} // namespace
} // namespace quorvex
