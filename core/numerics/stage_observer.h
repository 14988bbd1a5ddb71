#pragma once

#include "base/matrix.h"

namespace quorvex {

/// Told what an elimination does as it does it, so that a caller can watch
/// the pivots and the numbers grow, or write the steps down, without the
/// elimination knowing why. Every hook but stageDone does nothing unless
/// overridden.
template <class T> class BasicStageObserver {
public:
    virtual ~BasicStageObserver() = default;
    /// Stage k chose its pivot at (row, column) of A, before any exchange;
    /// A still holds the candidates. Searches without pivoting report
    /// (k, k).
    virtual void pivotSearched(const BasicMatrix<T>& A, int k, int row, int column) {
        (void)A, (void)k, (void)row, (void)column;
    }
    /// The pivot of stage k sits at A(k, k), the column below it still
    /// uneliminated (elimination without or with column pivoting only).
    virtual void pivotChosen(const BasicMatrix<T>& A, int k) { (void)A, (void)k; }
    /// Row i lost m times row k, each new value stored as the method stores
    /// it.
    virtual void rowEliminated(int i, int k, const T& m) { (void)i, (void)k, (void)m; }
    /// Row k was divided by its pivot t (Gauss-Jordan).
    virtual void rowDivided(int k, const T& t) { (void)k, (void)t; }
    /// Stage k is done.
    virtual void stageDone(const BasicMatrix<T>& A, int k) = 0;
};

using StageObserver = BasicStageObserver<double>;

} // namespace quorvex
