#pragma once

#include "base/large_buffer.h"

#include <cstddef>
#include <type_traits>
#include <utility>
#include <vector>

namespace quorvex {

/// How a const matrix or vector hands out an element: a number by value, as
/// the decimal routines have always read it, a big number by reference.
template <class T> using ElementValue = std::conditional_t<std::is_arithmetic_v<T>, T, const T&>;

/// Dense matrix with 1-based indices, the way every method is written down:
/// rows 1..rows(), columns 1..cols(), zero-filled on creation. T is the
/// number type: double for the decimal reports, Rational for exact ones.
template <class T> class BasicMatrix {
public:
    using value_type = T;

    BasicMatrix() = default;
    BasicMatrix(int rows, int cols)
        : m_rows(rows), m_cols(cols),
          m_data(static_cast<std::size_t>(rows) * static_cast<std::size_t>(cols), T(0)) {}

    int rows() const { return m_rows; }
    int cols() const { return m_cols; }

    T& operator()(int i, int j) { return m_data[index(i, j)]; }
    ElementValue<T> operator()(int i, int j) const { return m_data[index(i, j)]; }

    /// Pointer to element (i, 1); the row's columns follow contiguously.
    T* row(int i) { return m_data.data() + index(i, 1); }
    const T* row(int i) const { return m_data.data() + index(i, 1); }

    /// Exchanges columns first..last of rows r1 and r2.
    void swapRowRange(int r1, int r2, int first, int last) {
        if (r1 == r2) return;
        T* a = row(r1);
        T* b = row(r2);
        for (int j = first; j <= last; ++j) std::swap(a[j - 1], b[j - 1]);
    }

private:
    std::size_t index(int i, int j) const {
        return static_cast<std::size_t>(i - 1) * static_cast<std::size_t>(m_cols) +
               static_cast<std::size_t>(j - 1);
    }

    int m_rows = 0;
    int m_cols = 0;
    std::vector<T, LargeBufferAllocator<T>> m_data;
};

/// Vector with indices lo..hi (1-based unless a method needs another lower
/// bound), zero-filled on creation. An empty range (hi < lo) is valid and
/// holds nothing.
template <class T> class BasicVector {
public:
    using value_type = T;

    BasicVector() = default;
    explicit BasicVector(int n) : BasicVector(1, n) {}
    BasicVector(int lo, int hi)
        : m_lo(lo), m_hi(hi), m_data(hi >= lo ? static_cast<std::size_t>(hi - lo + 1) : 0, T(0)) {}

    int lo() const { return m_lo; }
    int hi() const { return m_hi; }
    int size() const { return static_cast<int>(m_data.size()); }

    T& operator()(int i) { return m_data[static_cast<std::size_t>(i - m_lo)]; }
    ElementValue<T> operator()(int i) const { return m_data[static_cast<std::size_t>(i - m_lo)]; }

private:
    int m_lo = 1;
    int m_hi = 0;
    std::vector<T> m_data;
};

using Matrix = BasicMatrix<double>;
using Vector = BasicVector<double>;

} // namespace quorvex
