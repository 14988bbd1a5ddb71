#include "exact/solution_set.h"

#include <utility>

namespace quorvex {

SolutionSet solutionSet(const RationalMatrix& B, int n) {
    // Reduced row echelon form, rows exchanged to the first nonzero entry:
    // with exact numbers any nonzero pivot does.
    RationalMatrix R = B;
    std::vector<int> pivotColumns;
    int row = 1;
    for (int c = 1; c <= n && row <= n; ++c) {
        int p = row;
        while (p <= n && R(p, c) == 0) ++p;
        if (p > n) continue;
        R.swapRowRange(row, p, 1, n + 1);
        const Rational pivot = R(row, c);
        for (int j = 1; j <= n + 1; ++j) R(row, j) = R(row, j) / pivot;
        for (int i = 1; i <= n; ++i) {
            if (i == row || R(i, c) == 0) continue;
            const Rational m = R(i, c);
            for (int j = 1; j <= n + 1; ++j) R(i, j) = R(i, j) - m * R(row, j);
        }
        pivotColumns.push_back(c);
        ++row;
    }
    SolutionSet s;
    s.rankA = static_cast<int>(pivotColumns.size());
    s.rankAugmented = s.rankA;
    for (int i = s.rankA + 1; i <= n; ++i)
        if (R(i, n + 1) != 0) s.rankAugmented = s.rankA + 1;
    if (!s.solvable()) return s;

    std::vector<bool> isPivot(static_cast<std::size_t>(n + 1), false);
    for (int c : pivotColumns) isPivot[static_cast<std::size_t>(c)] = true;
    for (int c = 1; c <= n; ++c)
        if (!isPivot[static_cast<std::size_t>(c)]) s.freeUnknowns.push_back(c);
    s.particular = RationalVector(n);
    for (int r = 1; r <= s.rankA; ++r) s.particular(pivotColumns[r - 1]) = R(r, n + 1);
    for (int f : s.freeUnknowns) {
        RationalVector v(n);
        v(f) = 1;
        for (int r = 1; r <= s.rankA; ++r) v(pivotColumns[r - 1]) = -R(r, f);
        s.directions.push_back(std::move(v));
    }
    return s;
}

} // namespace quorvex
