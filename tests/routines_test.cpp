#include "linear_routines.h"

#include <gtest/gtest.h>

namespace quorvex {
namespace {

Matrix square(std::initializer_list<std::initializer_list<double>> rows) {
    const int n = static_cast<int>(rows.size());
    Matrix m(n, n);
    int i = 1;
    for (auto r : rows) {
        int j = 1;
        for (double v : r) m(i, j++) = v;
        ++i;
    }
    return m;
}

TEST(ColumnPivotDeterminant, ExchangeAndSevenDecimalRounding) {
    Matrix a = square({{1, 2}, {3, 4}});
    int exchanges = -1;
    EXPECT_EQ(ColumnPivotDeterminant(a, exchanges), -1.0 * (3.0 * 0.6666667));
    EXPECT_EQ(exchanges, 1);
    EXPECT_EQ(a(1, 1), 3);
    EXPECT_EQ(a(2, 1), 0);
    EXPECT_EQ(a(2, 2), 0.6666667);
}

TEST(ColumnPivotDeterminant, EqualMagnitudesKeepTheUpperRow) {
    Matrix a = square({{1, 2}, {-1, 5}});
    int exchanges = -1;
    EXPECT_EQ(ColumnPivotDeterminant(a, exchanges), 7);
    EXPECT_EQ(exchanges, 0);
}

TEST(ColumnPivotDeterminant, TinyLowerPivotRoundsToZero) {
    Matrix a = square({{1, 0}, {0, 0.00000001}});
    int exchanges = -1;
    EXPECT_EQ(ColumnPivotDeterminant(a, exchanges), 0);
}

TEST(ColumnPivotDeterminant, OrderOneIsTheElement) {
    Matrix a = square({{-2.5}});
    int exchanges = -1;
    EXPECT_EQ(ColumnPivotDeterminant(a, exchanges), -2.5);
    EXPECT_EQ(exchanges, 0);
}

} // namespace
} // namespace quorvex
