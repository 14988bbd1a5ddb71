#pragma once

#include "matrix.h"

namespace quorvex {

/// Subtracts m times row k from row i of A over columns first..last, each
/// new value stored rounded to `decimals` decimals (halves to even).
void eliminateRow(Matrix& A, int i, int k, double m, int first, int last, int decimals);

/// Row of the pivot for column k among rows k..n: the first of the entries
/// of largest magnitude (only a strictly larger one moves the choice).
int columnPivotRow(const Matrix& A, int k, int n);

/// Reduces the square matrix A (n x n, n = A.rows()) in place to upper
/// triangular form by elimination with column pivoting, every eliminated
/// element stored rounded to 7 decimals. Returns the determinant of A as
/// given and the number of row exchanges made.
double ColumnPivotDeterminant(Matrix& A, int& exchangeCount);

/// Cuts the block of step k out of the augmented n x (n+1) matrix A:
/// S(i-k+1, j-k+1) = A(i, j) for i = k..n, j = k..n+1. S must hold at least
/// n-k+1 rows and n-k+2 columns; nothing else of it is written.
void CopyBlock(const Matrix& A, int n, int k, Matrix& S);

/// Finds the entry of largest magnitude in M(1..m, 1..m), row by row and
/// left to right; only a strictly larger magnitude moves the choice, so the
/// first of equals wins. Gives (1, 1) when nothing is larger, or m < 1.
void FindLargest(const Matrix& M, int m, int& pr, int& pc);

/// Exchanges rows r1 and r2 of M in columns 1..m+1.
void SwapRows(Matrix& M, int r1, int r2, int m);

/// Exchanges columns c1 and c2 of M in rows 1..rows.
void SwapColumns(Matrix& M, int c1, int c2, int rows);

/// One elimination step on the first column of the m x (m+1) block S: each
/// row below the first loses S(i,1)/S(1,1) times the first row, every new
/// value stored rounded to `decimals` decimals.
void EliminantFirst(Matrix& S, int m, int decimals);

/// Index in lo..hi of the element of v with the largest magnitude; the
/// first of equal magnitudes wins (lo when v holds one element or none).
int MaxIndex(const Vector& v);

/// Exchanges rows r and p of the square matrix M in columns 1..n.
void SwapSquareRows(Matrix& M, int r, int p, int n);

} // namespace quorvex
