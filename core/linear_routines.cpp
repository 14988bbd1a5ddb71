#include "linear_routines.h"

#include "number_text.h"

#include <cmath>

namespace quorvex {

namespace {
/// Determinants keep a fixed 7 decimals, whatever the display setting.
constexpr int kDeterminantDecimals = 7;
} // namespace

double ColumnPivotDeterminant(Matrix& A, int& exchangeCount) {
    const int n = A.rows();
    exchangeCount = 0;
    for (int k = 1; k <= n; ++k) {
        int p = k;
        for (int i = k + 1; i <= n; ++i)
            if (std::fabs(A(p, k)) < std::fabs(A(i, k))) p = i;
        if (p != k) {
            A.swapRowRange(k, p, k, n);
            ++exchangeCount;
        }
        const double* rk = A.row(k) - 1;
        for (int i = k + 1; i <= n; ++i) {
            double* ri = A.row(i) - 1;
            const double m = ri[k] / rk[k];
            for (int j = k; j <= n; ++j) ri[j] = roundTo(ri[j] - m * rk[j], kDeterminantDecimals);
        }
    }
    double D = 1.0;
    for (int k = 1; k <= n; ++k) D = D * A(k, k);
    return (exchangeCount % 2 == 0 ? 1.0 : -1.0) * D;
}

} // namespace quorvex
