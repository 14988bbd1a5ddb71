#include "numerics/elimination_routines.h"

#include <gtest/gtest.h>

#include <cmath>

namespace quorvex {
namespace {

/// A matrix written out row by row (every row as long as the first).
Matrix rows(std::initializer_list<std::initializer_list<double>> values) {
    Matrix m(static_cast<int>(values.size()), static_cast<int>(values.begin()->size()));
    int i = 1;
    for (auto row : values) {
        int j = 1;
        for (double v : row) m(i, j++) = v;
        ++i;
    }
    return m;
}

struct LargestCase {
    const char* name;
    Matrix m;
    int size;
    int pr, pc;
};

void PrintTo(const LargestCase& c, std::ostream* os) { *os << c.name; }

class FindLargestCases : public ::testing::TestWithParam<LargestCase> {};

TEST_P(FindLargestCases, Position) {
    const LargestCase& c = GetParam();
    int pr = -1, pc = -1;
    FindLargest(c.m, c.size, pr, pc);
    EXPECT_EQ(std::pair(pr, pc), std::pair(c.pr, c.pc));
}

INSTANTIATE_TEST_SUITE_P(
    Routines, FindLargestCases,
    ::testing::Values(
        LargestCase{"LargestMagnitudeIsNegative", rows({{1, 2, 0}, {-7, 3, 0}}), 2, 2, 1},
        LargestCase{"CornerStaysAmongEquals", rows({{-3, 1, 0}, {3, 3, 0}}), 2, 1, 1},
        LargestCase{"RightHandSideNeverChosen", rows({{1, 2, 99}, {3, 1, -99}}), 2, 2, 1},
        LargestCase{"OnlyTheBlockIsSearched", rows({{1, 0, 9}, {0, 2, 9}, {9, 9, 9}}), 2, 2, 2},
        LargestCase{"AllZeroKeepsTheCorner", rows({{0, 0, 0}, {0, 0, 0}}), 2, 1, 1},
        LargestCase{"NotANumberIsNeverLargest", rows({{1, NAN, 0}, {0, 2, 0}}), 2, 2, 2},
        LargestCase{"FirstOfEqualsWithinAWideRow",
                    rows({{1, 0, 0, 0, 0, 0},
                          {0, 7, 0, 0, -7, 0},
                          {0, 0, 0, 7, 0, 0},
                          {0, 0, 0, 0, 0, 99},
                          {0, 0, 0, 0, 0, 0}}),
                    5, 2, 2},
        LargestCase{"LastColumnOfAWideBlock",
                    rows({{1, 0, 0, 0, 0, 0},
                          {0, 3, 0, 0, 0, 0},
                          {0, 2, 0, 0, -8, 99},
                          {8, 0, 0, 0, 8, 0},
                          {0, 0, 0, 0, 0, 0}}),
                    5, 3, 5}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(EliminantFirst, StoresRoundedValuesAndLeavesThePivotRow) {
    Matrix S = rows({{3, 1, 1, 0}, {1, 3, 2, 0}, {-6, 0, 1, 5}});
    EliminantFirst(S, 3, 2);
    // 3 - 1/3 and 2 - 1/3 kept to two decimals; the row of -6 takes twice row 1.
    const Matrix expected = rows({{3, 1, 1, 0}, {0, 2.67, 1.67, 0}, {0, 2, 3, 5}});
    for (int i = 1; i <= 3; ++i)
        for (int j = 1; j <= 4; ++j) EXPECT_EQ(S(i, j), expected(i, j)) << i << "," << j;
}

} // namespace
} // namespace quorvex
