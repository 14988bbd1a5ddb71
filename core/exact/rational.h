#pragma once

#include <gmpxx.h>

#include <cstddef>
#include <string>
#include <vector>

namespace quorvex {

/// An exact rational number (GMP), always in lowest terms.
using Rational = mpq_class;

/// The most decimal digits a numerator or denominator may have in exact
/// work; beyond it an entry or a command falls back or stops, rather than
/// exhausting the memory.
inline constexpr std::size_t kMaxExactDigits = 10000;

/// True when the numerator and denominator both stay within kMaxExactDigits.
bool withinExactLimit(const Rational& q);

/// The report's text of an exact number: an integer ("3", "-2") or a reduced
/// fraction with the sign in front ("-7/2").
std::string rationalText(const Rational& q);

/// A dense matrix of rationals with 1-based indices, like Matrix.
class RationalMatrix {
public:
    RationalMatrix() = default;
    RationalMatrix(int rows, int cols)
        : m_rows(rows), m_cols(cols),
          m_data(static_cast<std::size_t>(rows) * static_cast<std::size_t>(cols)) {}

    int rows() const { return m_rows; }
    int cols() const { return m_cols; }
    Rational& operator()(int i, int j) { return m_data[index(i, j)]; }
    const Rational& operator()(int i, int j) const { return m_data[index(i, j)]; }

private:
    std::size_t index(int i, int j) const {
        return static_cast<std::size_t>(i - 1) * static_cast<std::size_t>(m_cols) +
               static_cast<std::size_t>(j - 1);
    }

    int m_rows = 0;
    int m_cols = 0;
    std::vector<Rational> m_data;
};

} // namespace quorvex
