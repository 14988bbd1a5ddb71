#pragma once

#include <cstddef>

namespace quorvex::kernels {

/// A block of rows inside a row-major array: element (i, j) at
/// data[i * stride + j], both from 0.
struct RowBlock {
    double* data;
    std::ptrdiff_t stride;
};

/// The same for blocks that are only read.
struct ConstRowBlock {
    const double* data;
    std::ptrdiff_t stride;
};

/// Applies `steps` rounded elimination steps, in order, to every element of
/// rows 0..rows-1 and columns 0..cols-1 of x:
///     for k = 0..steps-1: x(i,j) = roundTo(x(i,j) - m(i,k) * u(k,j), decimals)
/// which is what the reference loops store for that element, step by step,
/// to the last bit: the same operations on the same values in the same
/// order. Each element stays in a register across the steps, so the work is
/// bound by arithmetic rather than by memory.
void roundedUpdate(RowBlock x, ConstRowBlock m, ConstRowBlock u, int rows, int cols, int steps,
                   int decimals);

/// roundedUpdate built for the generic processor only. roundedUpdate itself
/// runs the widest vector instructions the processor has; the two must agree
/// to the last bit, which the tests check.
void roundedUpdateGeneric(RowBlock x, ConstRowBlock m, ConstRowBlock u, int rows, int cols,
                          int steps, int decimals);

/// The largest magnitude among row[0..count-1] (a NaN never counts; 0 when
/// nothing is larger) and the first place it stands at (0 when it is 0).
struct RowLargest {
    double value = 0.0;
    int column = 0;
};

/// RowLargest of a row, in the widest vectors the processor has.
RowLargest largestInRow(const double* row, int count);

/// largestInRow built for the generic processor only.
RowLargest largestInRowGeneric(const double* row, int count);

} // namespace quorvex::kernels
