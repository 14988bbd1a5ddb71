#pragma once

#include "base/matrix.h"
#include "numerics/norm_routines.h"
#include "report/report.h"
#include "steps/elimination_steps.h"

#include <vector>

namespace quorvex::steps {

/// One leading minor as the elimination with column pivoting formed it.
template <class T> struct MinorSteps {
    explicit MinorSteps(int k) : order(k), elimination(PivotSearch::Column, k) {}
    int order;
    EliminationRecorder<T> elimination;
    int exchanges = 0;
    BasicMatrix<T> reduced; ///< the leading block once eliminated
    T value{};
};

/// The leading minors a test formed, in order.
template <class T> struct MinorsLog {
    static constexpr Reach kReach = Reach::UpToMaxOrder;
    explicit MinorsLog(int n) { minors.reserve(static_cast<std::size_t>(n)); }
    /// The record of the k-th minor, to be filled in.
    MinorSteps<T>& next(int k) { return minors.emplace_back(k); }
    std::vector<MinorSteps<T>> minors;
};

/// One row's test of strict diagonal dominance.
template <class T> struct DominanceSteps {
    int row = 0;
    T diagonal{};       ///< |a(i,i)|
    SumSteps<T> others; ///< the other magnitudes of the row, left to right
    bool dominant = false;
};

/// The rows a test of dominance looked at, in order.
template <class T> struct DominanceLog {
    static constexpr Reach kReach = Reach::UpToMaxOrder;
    /// The record of the next row, to be filled in.
    DominanceSteps<T>& next() { return rows.emplace_back(); }
    std::vector<DominanceSteps<T>> rows;
};

/// The sums and the maximum behind a vector's norms; the 2-norm is always
/// the decimal one.
template <class T> struct VectorNormSteps {
    static constexpr Reach kReach = Reach::UpToMaxOrder;
    SumSteps<T> one;
    SumSteps<double> squares;
    ScaledSquares scaled; ///< where the plain sum of squares lost the elements
    MaximumSteps<T> infinity;
};

/// The sums and maxima behind a matrix's norms; the 2- and F-norms are
/// always the decimal ones.
template <class T> struct MatrixNormSteps {
    static constexpr Reach kReach = Reach::UpToMaxOrder;
    SumNormSteps<T> columns;
    SpectralSteps spectral;
    SumSteps<double> squares;
    ScaledSquares scaled; ///< where the plain sum of squares lost the entries
    SumNormSteps<T> rows;
};

/// Writes each leading minor: its elimination stage by stage and the
/// product of its pivots.
template <class T> void writeMinors(Report& r, const MinorsLog<T>& log, NumberStyle style);

/// Writes each row's |a(i,i)| against the sum of the other magnitudes.
template <class T> void writeDominance(Report& r, const DominanceLog<T>& log, NumberStyle style);

/// Writes the sums and the maximum behind a vector's norms: exact or plain
/// numbers in `plain`, the 2-norm's root `two` in `rounded`.
template <class T>
void writeVectorNorms(Report& r, const VectorNormSteps<T>& s, double two, NumberStyle plain,
                      NumberStyle rounded);

/// Writes each column's and each row's sum, the F-norm's sum of squares and
/// how the 2-norm's reference value was obtained, in the report's order;
/// the F-norm's root is `frobenius`.
template <class T>
void writeMatrixNorms(Report& r, const MatrixNormSteps<T>& s, double frobenius, NumberStyle plain,
                      NumberStyle rounded);

} // namespace quorvex::steps
