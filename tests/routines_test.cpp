#include "linear_routines.h"

#include <gtest/gtest.h>

#include <cmath>
#include <vector>

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

TEST(ColumnPivotDeterminant, ExchangeAndSevenDecimalRounding) {
    Matrix a = rows({{1, 2}, {3, 4}});
    int exchanges = -1;
    EXPECT_EQ(ColumnPivotDeterminant(a, exchanges), -1.0 * (3.0 * 0.6666667));
    EXPECT_EQ(exchanges, 1);
    EXPECT_EQ(a(1, 1), 3);
    EXPECT_EQ(a(2, 1), 0);
    EXPECT_EQ(a(2, 2), 0.6666667);
}

TEST(ColumnPivotDeterminant, EqualMagnitudesKeepTheUpperRow) {
    Matrix a = rows({{1, 2}, {-1, 5}});
    int exchanges = -1;
    EXPECT_EQ(ColumnPivotDeterminant(a, exchanges), 7);
    EXPECT_EQ(exchanges, 0);
}

TEST(ColumnPivotDeterminant, TinyLowerPivotRoundsToZero) {
    Matrix a = rows({{1, 0}, {0, 0.00000001}});
    int exchanges = -1;
    EXPECT_EQ(ColumnPivotDeterminant(a, exchanges), 0);
}

TEST(ColumnPivotDeterminant, OrderOneIsTheElement) {
    Matrix a = rows({{-2.5}});
    int exchanges = -1;
    EXPECT_EQ(ColumnPivotDeterminant(a, exchanges), -2.5);
    EXPECT_EQ(exchanges, 0);
}

struct LargestCase {
    const char* name;
    Matrix m;
    int size;
    int pr, pc;
};

class FindLargestCases : public ::testing::TestWithParam<LargestCase> {};

TEST_P(FindLargestCases, Position) {
    const LargestCase& c = GetParam();
    int pr = -1, pc = -1;
    FindLargest(c.m, c.size, pr, pc);
    EXPECT_EQ(pr, c.pr);
    EXPECT_EQ(pc, c.pc);
}

INSTANTIATE_TEST_SUITE_P(
    Routines, FindLargestCases,
    ::testing::Values(
        LargestCase{"LargestMagnitudeIsNegative", rows({{1, 2, 0}, {-7, 3, 0}}), 2, 2, 1},
        LargestCase{"FirstInRowOrderAmongEquals", rows({{2, 5, 0}, {-5, 1, 0}}), 2, 1, 2},
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

struct MaxIndexCase {
    const char* name;
    int lo;
    std::vector<double> values;
    int expected;
};

class MaxIndexCases : public ::testing::TestWithParam<MaxIndexCase> {};

TEST_P(MaxIndexCases, IndexOfLargestMagnitude) {
    const MaxIndexCase& c = GetParam();
    Vector v(c.lo, c.lo + static_cast<int>(c.values.size()) - 1);
    for (std::size_t k = 0; k < c.values.size(); ++k) v(c.lo + static_cast<int>(k)) = c.values[k];
    EXPECT_EQ(MaxIndex(v), c.expected);
}

INSTANTIATE_TEST_SUITE_P(
    Routines, MaxIndexCases,
    ::testing::Values(MaxIndexCase{"NegativeBeatsSmallerPositive", 1, {-4, 1}, 1},
                      MaxIndexCase{"NegativeBeatsZero", 1, {-4, 0}, 1},
                      MaxIndexCase{"LaterLargerMagnitudeWins", 1, {1, -4}, 2},
                      MaxIndexCase{"FirstOfEqualMagnitudesWins", 1, {-3, 3, -3}, 1},
                      MaxIndexCase{"IndicesFromTheLowerBound", 3, {1, -7, 7}, 4},
                      MaxIndexCase{"SingleElement", 5, {-2}, 5}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(BlockRoutines, StepBlockCarriesTheRightHandSideThroughExchanges) {
    const Matrix A = rows({{1, 2, 3, 4}, {5, 6, 7, 8}, {9, 10, 11, 12}});
    Matrix S(3, 4);
    S(3, 1) = -1; // outside the block of step 2: left alone
    CopyBlock(A, 3, 2, S);
    EXPECT_EQ(S(1, 1), 6);
    EXPECT_EQ(S(1, 3), 8);
    EXPECT_EQ(S(2, 3), 12);
    EXPECT_EQ(S(3, 1), -1);

    SwapRows(S, 1, 2, 2); // columns 1..3: the right-hand side moves along
    EXPECT_EQ(S(1, 1), 10);
    EXPECT_EQ(S(1, 3), 12);
    EXPECT_EQ(S(2, 3), 8);

    SwapColumns(S, 1, 2, 2); // rows 1..2 only
    EXPECT_EQ(S(1, 1), 11);
    EXPECT_EQ(S(2, 2), 6);
    EXPECT_EQ(S(3, 1), -1);
}

TEST(BlockRoutines, SquareRowExchangeLeavesTheRightHandSide) {
    Matrix M = rows({{1, 2, 30}, {3, 4, 40}});
    SwapSquareRows(M, 1, 2, 2);
    EXPECT_EQ(M(1, 1), 3);
    EXPECT_EQ(M(2, 2), 2);
    EXPECT_EQ(M(1, 3), 30);
}

TEST(BlockRoutines, FirstColumnEliminationStoresRoundedValues) {
    Matrix S = rows({{3, 1, 1, 0}, {1, 3, 2, 0}, {-6, 0, 1, 5}});
    EliminantFirst(S, 3, 2);
    EXPECT_EQ(S(1, 2), 1); // the pivot row is not touched
    EXPECT_EQ(S(2, 1), 0);
    EXPECT_EQ(S(2, 2), 2.67); // 3 - 1/3
    EXPECT_EQ(S(2, 3), 1.67); // 2 - 1/3
    EXPECT_EQ(S(3, 2), 2);
    EXPECT_EQ(S(3, 3), 3);
    EXPECT_EQ(S(3, 4), 5);
}

} // namespace
} // namespace quorvex
