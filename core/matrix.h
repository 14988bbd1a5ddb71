#pragma once

#include "kernels/large_buffer.h"

#include <cstddef>
#include <utility>
#include <vector>

namespace quorvex {

/// Dense matrix of doubles with 1-based indices, the way every method is
/// written down: rows 1..rows(), columns 1..cols(), zero-filled on creation.
class Matrix {
public:
    Matrix() = default;
    Matrix(int rows, int cols)
        : m_rows(rows), m_cols(cols),
          m_data(static_cast<std::size_t>(rows) * static_cast<std::size_t>(cols), 0.0) {}

    int rows() const { return m_rows; }
    int cols() const { return m_cols; }

    double& operator()(int i, int j) { return m_data[index(i, j)]; }
    double operator()(int i, int j) const { return m_data[index(i, j)]; }

    /// Pointer to element (i, 1); the row's columns follow contiguously.
    double* row(int i) { return m_data.data() + index(i, 1); }
    const double* row(int i) const { return m_data.data() + index(i, 1); }

    /// Exchanges columns first..last of rows r1 and r2.
    void swapRowRange(int r1, int r2, int first, int last) {
        if (r1 == r2) return;
        double* a = row(r1);
        double* b = row(r2);
        for (int j = first; j <= last; ++j) std::swap(a[j - 1], b[j - 1]);
    }

private:
    std::size_t index(int i, int j) const {
        return static_cast<std::size_t>(i - 1) * static_cast<std::size_t>(m_cols) +
               static_cast<std::size_t>(j - 1);
    }

    int m_rows = 0;
    int m_cols = 0;
    std::vector<double, LargeBufferAllocator<double>> m_data;
};

/// Vector of doubles with indices lo..hi (1-based unless a method needs
/// another lower bound), zero-filled on creation. An empty range (hi < lo)
/// is valid and holds nothing.
class Vector {
public:
    Vector() = default;
    explicit Vector(int n) : Vector(1, n) {}
    Vector(int lo, int hi)
        : m_lo(lo), m_hi(hi), m_data(hi >= lo ? static_cast<std::size_t>(hi - lo + 1) : 0, 0.0) {}

    int lo() const { return m_lo; }
    int hi() const { return m_hi; }
    int size() const { return static_cast<int>(m_data.size()); }

    double& operator()(int i) { return m_data[static_cast<std::size_t>(i - m_lo)]; }
    double operator()(int i) const { return m_data[static_cast<std::size_t>(i - m_lo)]; }

private:
    int m_lo = 1;
    int m_hi = 0;
    std::vector<double> m_data;
};

} // namespace quorvex
