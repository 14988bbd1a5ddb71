#pragma once

#include "base/matrix.h"
#include "base/rational.h"
#include "numerics/stage_observer.h"

#include <type_traits>

namespace quorvex {

class StopRequest;

// Each routine is one text for both kinds of numbers (double, Rational):
// doubles are rounded where the routine says so, rationals are exact and
// never rounded. Both are instantiated in elimination_routines.cpp.

/// Subtracts m times row k from row i of A over columns first..last, each
/// new value stored rounded to `decimals` decimals (halves to even).
template <class T>
void eliminateRow(BasicMatrix<T>& A, int i, int k, const std::type_identity_t<T>& m, int first,
                  int last, int decimals);

/// Row of the pivot for column k among rows k..n: the first of the entries
/// of largest magnitude (only a strictly larger one moves the choice).
template <class T> int columnPivotRow(const BasicMatrix<T>& A, int k, int n);

/// Determinants keep a fixed 7 decimals, whatever the display setting.
inline constexpr int kDeterminantDecimals = 7;

/// Reduces the square matrix A (n x n, n = A.rows()) in place to upper
/// triangular form by elimination with column pivoting, every eliminated
/// element stored rounded to 7 decimals. Returns the determinant of A as
/// given and the number of row exchanges made. Looks at `stop` before each
/// stage.
template <class T>
T ColumnPivotDeterminant(BasicMatrix<T>& A, int& exchangeCount,
                         BasicStageObserver<T>* observer = nullptr,
                         const StopRequest* stop = nullptr);

/// Cuts the block of step k out of the augmented n x (n+1) matrix A:
/// S(i-k+1, j-k+1) = A(i, j) for i = k..n, j = k..n+1. S must hold at least
/// n-k+1 rows and n-k+2 columns; nothing else of it is written.
template <class T> void CopyBlock(const BasicMatrix<T>& A, int n, int k, BasicMatrix<T>& S);

/// Finds the entry of largest magnitude in M(1..m, 1..m), row by row and
/// left to right; only a strictly larger magnitude moves the choice, so the
/// first of equals wins. Gives (1, 1) when nothing is larger, or m < 1.
template <class T> void FindLargest(const BasicMatrix<T>& M, int m, int& pr, int& pc);

/// Exchanges rows r1 and r2 of M in columns 1..m+1.
template <class T> void SwapRows(BasicMatrix<T>& M, int r1, int r2, int m);

/// Exchanges columns c1 and c2 of M in rows 1..rows.
template <class T> void SwapColumns(BasicMatrix<T>& M, int c1, int c2, int rows);

/// One elimination step on the first column of the m x (m+1) block S: each
/// row below the first loses S(i,1)/S(1,1) times the first row, every new
/// value stored rounded to `decimals` decimals. The observer hears of each
/// row as row rowOffset + i of the whole matrix.
template <class T>
void EliminantFirst(BasicMatrix<T>& S, int m, int decimals,
                    BasicStageObserver<T>* observer = nullptr, int rowOffset = 0);

/// Index in lo..hi of the element of v with the largest magnitude; the
/// first of equal magnitudes wins (lo when v holds one element or none).
template <class T> int MaxIndex(const BasicVector<T>& v);

/// Exchanges rows r and p of the square matrix M in columns 1..n.
template <class T> void SwapSquareRows(BasicMatrix<T>& M, int r, int p, int n);

} // namespace quorvex
