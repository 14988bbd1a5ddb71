#include "exact/solution_set.h"

#include "exact/exact_algebra.h"

#include <utility>

namespace quorvex {

SolutionSet solutionSet(const RationalMatrix& B, int n) {
    const RationalMatrix R = reducedEchelonForm(B, n, n + 1);
    std::vector<int> pivotColumns;
    bool inconsistent = false;
    for (int row = 1; row <= n; ++row) {
        int c = 1;
        while (c <= n + 1 && R(row, c) == 0) ++c;
        if (c > n + 1) break;
        // A pivot in the right-hand side: 0 = 1.
        if (c == n + 1) {
            inconsistent = true;
            break;
        }
        pivotColumns.push_back(c);
    }
    SolutionSet s;
    s.rankA = static_cast<int>(pivotColumns.size());
    s.rankAugmented = s.rankA + (inconsistent ? 1 : 0);
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
