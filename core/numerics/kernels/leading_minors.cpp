#include "numerics/kernels/leading_minors.h"

#include "base/stop_request.h"
#include "reading/number_text.h"

#include <algorithm>
#include <cmath>
#include <utility>

namespace quorvex::kernels {

namespace {
/// Determinants keep a fixed 7 decimals, whatever the display setting.
constexpr int kDecimals = 7;
} // namespace

LeadingMinors::LeadingMinors(const Matrix& B, int n, const KernelSettings& settings)
    : m_B(B), m_n(n), m_stop(settings.stop),
      m_reduced(static_cast<std::size_t>(n) * static_cast<std::size_t>(n)),
      m_multipliers(static_cast<std::size_t>(n) * static_cast<std::size_t>(n)),
      m_pivotRow(static_cast<std::size_t>(n)), m_column(static_cast<std::size_t>(n)) {}

double LeadingMinors::operator()(int k) {
    if (k < m_order) eliminateAfresh(k);
    while (m_order < k) {
        if (m_stop) m_stop->check();
        if (!extend(m_order + 1)) eliminateAfresh(m_order + 1);
    }
    return determinant(k);
}

bool LeadingMinors::extend(int k) {
    const int last = k - 1; // the new row and column, 0-based
    // The new column takes every earlier stage's exchange and updates.
    double* col = m_column.data();
    for (int i = 0; i < last; ++i) col[i] = m_B(i + 1, k);
    for (int j = 0; j < last; ++j) {
        const int p = m_pivotRow[static_cast<std::size_t>(j)];
        if (p != j) std::swap(col[j], col[p]);
        const double* m = multipliers(j);
        const double pivotEntry = col[j];
        for (int i = j + 1; i < last; ++i) col[i] = roundTo(col[i] - m[i] * pivotEntry, kDecimals);
    }
    // The new row meets each stage's pivot row; should it ever be larger in
    // the pivot column, the stage would choose it and everything changes.
    double* row = reduced(last);
    std::copy(m_B.row(k), m_B.row(k) + k, row);
    for (int i = 0; i < last; ++i) reduced(i)[last] = col[i];
    for (int j = 0; j < last; ++j) {
        const double* u = reduced(j);
        const double pivot = u[j];
        if (std::fabs(pivot) < std::fabs(row[j])) return false;
        const double m = pivot == 0.0 ? 0.0 : row[j] / pivot;
        multipliers(j)[last] = m;
        for (int c = j; c <= last; ++c) row[c] = roundTo(row[c] - m * u[c], kDecimals);
    }
    m_pivotRow[static_cast<std::size_t>(last)] = last;
    m_order = k;
    return true;
}

void LeadingMinors::eliminateAfresh(int k) {
    for (int i = 0; i < k; ++i) std::copy(m_B.row(i + 1), m_B.row(i + 1) + k, reduced(i));
    for (int j = 0; j < k; ++j) {
        if (m_stop) m_stop->check();
        int p = j;
        for (int i = j + 1; i < k; ++i)
            if (std::fabs(reduced(p)[j]) < std::fabs(reduced(i)[j])) p = i;
        m_pivotRow[static_cast<std::size_t>(j)] = p;
        if (p != j) {
            std::swap_ranges(reduced(j) + j, reduced(j) + k, reduced(p) + j);
        }
        const double* u = reduced(j);
        const double pivot = u[j];
        double* m = multipliers(j);
        for (int i = j + 1; i < k; ++i) {
            double* r = reduced(i);
            m[i] = pivot == 0.0 ? 0.0 : r[j] / pivot;
            for (int c = j; c < k; ++c) r[c] = roundTo(r[c] - m[i] * u[c], kDecimals);
        }
    }
    m_order = k;
}

double LeadingMinors::determinant(int k) const {
    int exchanges = 0;
    for (int j = 0; j < k; ++j) exchanges += m_pivotRow[static_cast<std::size_t>(j)] != j;
    double D = 1.0;
    for (int j = 0; j < k; ++j)
        D = D * m_reduced[static_cast<std::size_t>(j) * static_cast<std::size_t>(m_n) +
                          static_cast<std::size_t>(j)];
    return (exchanges % 2 == 0 ? 1.0 : -1.0) * D;
}

} // namespace quorvex::kernels
