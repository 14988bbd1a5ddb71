#pragma once

#include "numerics/matrix.h"
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

/// One row's test of strict diagonal dominance.
template <class T> struct DominanceSteps {
    int row = 0;
    T diagonal{};       ///< |a(i,i)|
    SumSteps<T> others; ///< the other magnitudes of the row, left to right
    bool dominant = false;
};

/// The sums and the maximum behind a vector's norms; the 2-norm is always
/// the decimal one.
template <class T> struct VectorNormSteps {
    SumSteps<T> one;
    SumSteps<double> squares;
    double two = 0.0;
    MaximumSteps<T> infinity;
};

/// The sums and maxima behind a matrix's norms; the 2- and F-norms are
/// always the decimal ones.
template <class T> struct MatrixNormSteps {
    SumNormSteps<T> columns;
    SpectralSteps spectral;
    SumSteps<double> squares;
    double frobenius = 0.0;
    SumNormSteps<T> rows;
};

/// Writes each leading minor: its elimination stage by stage and the
/// product of its pivots.
template <class T>
void writeMinors(Report& r, const std::vector<MinorSteps<T>>& minors, NumberStyle style);

/// Writes each row's |a(i,i)| against the sum of the other magnitudes.
template <class T>
void writeDominance(Report& r, const std::vector<DominanceSteps<T>>& rows, NumberStyle style);

/// Writes the sums and the maximum behind a vector's norms: exact or plain
/// numbers in `plain`, the 2-norm's root in `rounded`.
template <class T>
void writeVectorNorms(Report& r, const VectorNormSteps<T>& s, NumberStyle plain,
                      NumberStyle rounded);

/// Writes each column's and each row's sum, the F-norm's sum of squares and
/// how the 2-norm's reference value was obtained, in the report's order.
template <class T>
void writeMatrixNorms(Report& r, const MatrixNormSteps<T>& s, NumberStyle plain,
                      NumberStyle rounded);

} // namespace quorvex::steps
