#pragma once

// FLINT's matrices of rationals and of integers, freed when they go out of
// scope, indexed 1-based as the house's Matrix is.

#include <flint/fmpq_mat.h>
#include <flint/fmpz_mat.h>

namespace quorvex {

/// An fmpq_mat that frees itself.
class FlintRationals {
public:
    FlintRationals(int rows, int cols) { fmpq_mat_init(m_mat, rows, cols); }
    ~FlintRationals() { fmpq_mat_clear(m_mat); }
    FlintRationals(const FlintRationals&) = delete;
    FlintRationals& operator=(const FlintRationals&) = delete;

    fmpq_mat_struct* get() { return m_mat; }
    fmpq* at(int i, int j) { return fmpq_mat_entry(m_mat, i - 1, j - 1); }

private:
    fmpq_mat_t m_mat;
};

/// An fmpz_mat that frees itself.
class FlintIntegers {
public:
    FlintIntegers(int rows, int cols) { fmpz_mat_init(m_mat, rows, cols); }
    ~FlintIntegers() { fmpz_mat_clear(m_mat); }
    FlintIntegers(const FlintIntegers&) = delete;
    FlintIntegers& operator=(const FlintIntegers&) = delete;

    fmpz_mat_struct* get() { return m_mat; }
    fmpz* at(int i, int j) { return fmpz_mat_entry(m_mat, i - 1, j - 1); }

private:
    fmpz_mat_t m_mat;
};

} // namespace quorvex
