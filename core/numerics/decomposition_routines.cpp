#include "numerics/decomposition_routines.h"

#include "numerics/arithmetic.h"
#include "numerics/elimination_routines.h"

#include <cmath>
#include <type_traits>
#include <vector>

namespace quorvex {

namespace {

template <class T> using Factors = std::vector<NamedValue<T>>;

/// The products left(i,t)·right(t,j) of a row of one factor and a column
/// of another.
template <class T>
auto rowTimesColumn(char left, const BasicMatrix<T>& L, int i, char right, const BasicMatrix<T>& R,
                    int j) {
    return [&L, &R, left, right, i, j](int t) {
        return Factors<T>{{left, i, t, L(i, t)}, {right, t, j, R(t, j)}};
    };
}

/// The products left(i,t)·right(t) of a row of a factor and a vector.
template <class T>
auto rowTimesVector(char left, const BasicMatrix<T>& L, int i, char right,
                    const BasicVector<T>& v) {
    return [&L, &v, left, right, i](int t) {
        return Factors<T>{{left, i, t, L(i, t)}, {right, t, 0, v(t)}};
    };
}

/// The products left(t,i)·right(t) of a column of a factor and a vector.
template <class T>
auto columnTimesVector(char left, const BasicMatrix<T>& L, int i, char right,
                       const BasicVector<T>& v) {
    return [&L, &v, left, right, i](int t) {
        return Factors<T>{{left, t, i, L(t, i)}, {right, t, 0, v(t)}};
    };
}

/// u(r,j) = a(r,j) − Σ l(r,t)·u(t,j) over t < r; S holds the sum.
template <class T>
void tellUpper(BasicFactorObserver<T>& o, const BasicMatrix<T>& A, const BasicMatrix<T>& L,
               const BasicMatrix<T>& U, const BasicMatrix<T>& S, int r, int j) {
    o.entryDone(sumEntry<T>({'u', r, j, U(r, j)}, EntryForm::Difference, {'a', r, j, A(r, j)},
                            S(r, j), 1, r - 1, rowTimesColumn('l', L, r, 'u', U, j)));
}

/// target(i) = (a(i,r) − Σ l(i,t)·u(t,r) over t < r) ÷ divisor.
template <class T>
FactorEntry<T> lowerEntry(NamedValue<T> target, const BasicMatrix<T>& A, const BasicMatrix<T>& L,
                          const BasicMatrix<T>& U, const T& sum, int i, int r) {
    return sumEntry<T>(target, EntryForm::Quotient, {'a', i, r, A(i, r)}, sum, 1, r - 1,
                       rowTimesColumn('l', L, i, 'u', U, r));
}

/// An entry made of a single product the routine subtracts as it is.
template <class T>
FactorEntry<T> productEntry(NamedValue<T> target, EntryForm form, NamedValue<T> base,
                            NamedValue<T> left, NamedValue<T> right, const T& product) {
    FactorEntry<T> e;
    e.target = target;
    e.form = form;
    e.base = base;
    e.terms.push_back({left, right});
    e.sum = product;
    e.accumulated = false;
    return e;
}

/// The same entry with its divisor, and the stop a zero divisor makes.
template <class T> FactorEntry<T> dividedBy(FactorEntry<T> e, NamedValue<T> divisor) {
    e.divisor = divisor;
    if (divisor.value == 0.0) e.stop = EntryStop::ZeroDivisor;
    return e;
}

} // namespace

template <class T>
bool doolittle(const BasicMatrix<T>& A, int n, BasicMatrix<T>& L, BasicMatrix<T>& U,
               const StopRequest& stop, BasicFactorObserver<T>* observer) {
    BasicMatrix<T> S(n, n); // S(i,j): the sum of L(i,k)·U(k,j) over the k done so far
    for (int i = 1; i <= n; ++i) L(i, i) = 1.0;
    for (int r = 1; r <= n; ++r) {
        stop.check();
        guardGrowth(S);
        T* ur = U.row(r);
        const T* ar = A.row(r);
        const T* sr = S.row(r);
        for (int j = r - 1; j < n; ++j) ur[j] = ar[j] - sr[j];
        if (observer) {
            observer->stageBegun(r);
            for (int j = r; j <= n; ++j) tellUpper(*observer, A, L, U, S, r, j);
        }
        if (r == n) break;
        if (ur[r - 1] == 0.0) {
            // The steps end on the first entry that would divide by the pivot.
            if (observer) {
                FactorEntry<T> e =
                    dividedBy(lowerEntry({'l', r + 1, r, T(0.0)}, A, L, U, S(r + 1, r), r + 1, r),
                              {'u', r, r, U(r, r)});
                e.stop = EntryStop::ZeroPivot;
                observer->entryDone(std::move(e));
            }
            return false;
        }
        for (int i = r + 1; i <= n; ++i) {
            L(i, r) = quotient(A(i, r) - S(i, r), ur[r - 1]);
            if (observer)
                observer->entryDone(
                    dividedBy(lowerEntry({'l', i, r, L(i, r)}, A, L, U, S(i, r), i, r),
                              {'u', r, r, U(r, r)}));
            addScaled(S.row(i) + r, ur + r, L(i, r), n - r);
        }
    }
    return true;
}

namespace {

/// After a row exchange at step r, L must again be unit lower triangular.
/// Only the two exchanged rows can have brought values above the diagonal
/// (the old diagonal 1 of row p lands in row r), and a pivot row's own
/// quotient s(r)/s(r) may have left something other than 1 on the diagonal,
/// so resetting those suffices to restore the whole triangle.
template <class T> void restoreUnitLower(BasicMatrix<T>& L, int n, int r, int p) {
    for (int i = 1; i <= n; ++i) L(i, i) = 1.0;
    for (int row : {r, p}) {
        T* li = L.row(row);
        for (int k = row; k < n; ++k) li[k] = 0.0;
    }
}

/// The candidates s(i) = b(i,r) − Σ l(i,t)·u(t,r) of step r, and the row
/// chosen, as the observer hears of them.
template <class T>
void tellCandidates(BasicFactorObserver<T>& o, const BasicMatrix<T>& B, const BasicMatrix<T>& L,
                    const BasicMatrix<T>& U, const BasicMatrix<T>& S, const BasicVector<T>& s,
                    int r, int p) {
    o.stageBegun(r);
    for (int i = r; i <= s.hi(); ++i) {
        FactorEntry<T> e = lowerEntry({'s', i, 0, s(i)}, B, L, U, S(i, r), i, r);
        e.form = EntryForm::Difference;
        o.entryDone(std::move(e));
    }
    o.pivotChosen(r, p);
}

/// u(r,r) and the column of L the pivot s(p) gives, as the observer hears
/// of them; row p now holds the old row r.
template <class T>
void tellPivotColumn(BasicFactorObserver<T>& o, const BasicMatrix<T>& L, const BasicMatrix<T>& U,
                     const BasicVector<T>& s, int n, int r, int p) {
    FactorEntry<T> pivot;
    pivot.target = {'u', r, r, U(r, r)};
    pivot.base = {'s', p, 0, s(p)};
    o.entryDone(std::move(pivot));
    auto tell = [&](int k, int from) {
        FactorEntry<T> e;
        e.target = {'l', k, r, L(k, r)};
        e.form = EntryForm::Quotient;
        e.base = {'s', from, 0, s(from)};
        o.entryDone(dividedBy(std::move(e), {'s', p, 0, s(p)}));
    };
    if (p != r) tell(p, r);
    for (int k = r + 1; k <= n; ++k)
        if (k != p) tell(k, k);
}

/// Step r of the column-pivot decomposition; S holds, for the rows and
/// columns from r on, the sums of L(i,t)·U(t,j) over t < r.
template <class T>
void pivotStep(BasicMatrix<T>& B, int n, int r, BasicMatrix<T>& L, BasicMatrix<T>& U,
               BasicMatrix<T>& S, BasicFactorObserver<T>* observer) {
    BasicVector<T> s(r, n);
    for (int i = r; i <= n; ++i) s(i) = B(i, r) - S(i, r);
    const int p = MaxIndex(s);
    if (observer) tellCandidates(*observer, B, L, U, S, s, r, p);
    SwapRows(B, r, p, n);
    SwapSquareRows(L, r, p, n);
    SwapSquareRows(U, r, p, n);
    S.swapRowRange(r, p, r, n);
    restoreUnitLower(L, n, r, p);
    U(r, r) = s(p);
    B(r, r) = s(p);
    L(p, r) = quotient(s(r), s(p));
    for (int k = r + 1; k <= n; ++k)
        if (k != p) L(k, r) = quotient(s(k), s(p));
    if (observer) tellPivotColumn(*observer, L, U, s, n, r, p);
    T* ur = U.row(r);
    T* br = B.row(r);
    const T* sr = S.row(r);
    for (int k = r; k < n; ++k) ur[k] = br[k] - sr[k];
    if (observer)
        for (int j = r + 1; j <= n; ++j) tellUpper(*observer, B, L, U, S, r, j);
    for (int i = r; i < n; ++i) br[i] = ur[i];
    for (int i = r + 1; i <= n; ++i) B(i, r) = L(i, r);
    for (int i = r + 1; i <= n; ++i) addScaled(S.row(i) + r, ur + r, L(i, r), n - r);
}

/// The last pivot, u(n,n) = b(n,n) − Σ l(n,t)·u(t,n); the routine's sum also
/// adds l(n,n)·u(n,n), 1 × 0, which changes nothing.
template <class T>
void tellLastPivot(BasicFactorObserver<T>& o, const BasicMatrix<T>& B, const BasicMatrix<T>& L,
                   const BasicMatrix<T>& U, const T& sum, int n) {
    o.stageBegun(n);
    o.entryDone(sumEntry<T>({'u', n, n, U(n, n)}, EntryForm::Difference, {'a', n, n, B(n, n)}, sum,
                            1, n - 1, rowTimesColumn('l', L, n, 'u', U, n)));
}

} // namespace

template <class T>
void columnPivotDoolittle(BasicMatrix<T>& B, int n, BasicMatrix<T>& L, BasicMatrix<T>& U,
                          const StopRequest& stop, BasicFactorObserver<T>* observer) {
    BasicMatrix<T> S(n, n);
    L(1, 1) = 1.0; // a system of order 1 takes no step
    for (int r = 1; r <= n - 1; ++r) {
        stop.check();
        guardGrowth(S);
        pivotStep(B, n, r, L, U, S, observer);
    }
    T last = 0.0; // U(n,n) is still 0 inside this sum
    for (int i = 1; i <= n; ++i) last = last + L(n, i) * U(i, n);
    U(n, n) = B(n, n) - last;
    if (observer) tellLastPivot(*observer, B, L, U, last, n);
    B(n, n) = U(n, n);
}

template <class T>
BasicVector<T> forwardUnit(const BasicMatrix<T>& L, const BasicVector<T>& b, int n,
                           BasicFactorObserver<T>* observer) {
    BasicVector<T> Y(n);
    for (int i = 1; i <= n; ++i) {
        const T* li = L.row(i);
        T s = 0.0;
        for (int k = 1; k < i; ++k) s = s + li[k - 1] * Y(k);
        Y(i) = b(i) - s;
        if (observer)
            observer->entryDone(sumEntry<T>({'y', i, 0, Y(i)}, EntryForm::Difference,
                                            {'b', i, 0, b(i)}, s, 1, i - 1,
                                            rowTimesVector('l', L, i, 'y', Y)));
    }
    return Y;
}

template <class T>
bool backUpper(const BasicMatrix<T>& U, const BasicVector<T>& Y, int n, bool nanFails,
               BasicVector<T>& X, BasicFactorObserver<T>* observer) {
    for (int i = n; i >= 1; --i) {
        const T* ui = U.row(i);
        T s = 0.0;
        for (int k = i + 1; k <= n; ++k) s = s + ui[k - 1] * X(k);
        if (nanFails && isNotANumber(ui[i - 1])) return false;
        // A zero divisor ends the steps on the entry that would divide by it.
        const bool stops = ui[i - 1] == 0.0;
        if (!stops) X(i) = quotient(Y(i) - s, ui[i - 1]);
        if (observer)
            observer->entryDone(
                dividedBy(sumEntry<T>({'x', i, 0, X(i)}, EntryForm::Quotient, {'y', i, 0, Y(i)}, s,
                                      i + 1, n, rowTimesVector('u', U, i, 'x', X)),
                          {'u', i, i, U(i, i)}));
        if (stops) return false;
    }
    return true;
}

namespace {

/// Column j of L below the diagonal, copied to a contiguous buffer: at[t-1]
/// = L(t, j) for t = j+1..n.
template <class T> void gatherColumn(const BasicMatrix<T>& L, int j, int n, std::vector<T>& at) {
    for (int t = j + 1; t <= n; ++t) at[static_cast<std::size_t>(t - 1)] = L(t, j);
}

/// l(j,j) = √(a(j,j) − Σ l(j,t)·l(j,t)), and the stop a radicand that is
/// not positive makes.
void tellRoot(BasicFactorObserver<double>& o, const Matrix& A, const Matrix& L, const Matrix& S,
              double radicand, int j) {
    FactorEntry<double> e = sumEntry<double>(
        {'l', j, j, L(j, j)}, EntryForm::Root, {'a', j, j, A(j, j)}, S(j, j), 1, j - 1, [&](int t) {
            return Factors<double>{{'l', j, t, L(j, t)}, {'l', j, t, L(j, t)}};
        });
    e.radicand = radicand;
    if (!(radicand > 0.0)) e.stop = EntryStop::NotPositive;
    o.entryDone(std::move(e));
}

/// l(i,j) = (a(i,j) − Σ l(i,t)·l(j,t)) ÷ l(j,j).
void tellCholeskyLower(BasicFactorObserver<double>& o, const Matrix& A, const Matrix& L,
                       const Matrix& S, int i, int j) {
    o.entryDone(dividedBy(
        sumEntry<double>({'l', i, j, L(i, j)}, EntryForm::Quotient, {'a', i, j, A(i, j)}, S(i, j),
                         1, j - 1,
                         [&](int t) {
                             return Factors<double>{{'l', i, t, L(i, t)}, {'l', j, t, L(j, t)}};
                         }),
        {'l', j, j, L(j, j)}));
}

} // namespace

Matrix cholesky(const Matrix& A, int n, const StopRequest& stop,
                BasicFactorObserver<double>* observer) {
    Matrix L(n, n);
    Matrix S(n, n); // S(i,j), i >= j: the sum of L(i,k)·L(j,k) over the k done so far
    std::vector<double> column(static_cast<std::size_t>(n));
    for (int j = 1; j <= n; ++j) {
        stop.check();
        const double radicand = A(j, j) - S(j, j);
        if (!(radicand < 0.0)) L(j, j) = std::sqrt(radicand);
        for (int i = j + 1; i <= n; ++i) L(i, j) = (A(i, j) - S(i, j)) / L(j, j);
        if (observer) {
            observer->stageBegun(j);
            tellRoot(*observer, A, L, S, radicand, j);
            for (int i = j + 1; i <= n; ++i) tellCholeskyLower(*observer, A, L, S, i, j);
        }
        gatherColumn(L, j, n, column);
        for (int i = j + 1; i <= n; ++i) addScaled(S.row(i) + j, column.data() + j, L(i, j), i - j);
    }
    return L;
}

void solveWithCholesky(const Matrix& L, const Vector& b, int n, Vector& Y, Vector& X,
                       BasicFactorObserver<double>* observer) {
    for (int i = 1; i <= n; ++i) {
        const double* li = L.row(i);
        double s = 0.0;
        for (int k = 1; k < i; ++k) s = s + li[k - 1] * Y(k);
        Y(i) = (b(i) - s) / li[i - 1];
        if (observer)
            observer->entryDone(dividedBy(sumEntry<double>({'y', i, 0, Y(i)}, EntryForm::Quotient,
                                                           {'b', i, 0, b(i)}, s, 1, i - 1,
                                                           rowTimesVector('l', L, i, 'y', Y)),
                                          {'l', i, i, L(i, i)}));
    }
    for (int i = n; i >= 1; --i) {
        double s = 0.0;
        for (int k = i + 1; k <= n; ++k) s = s + L(k, i) * X(k);
        X(i) = (Y(i) - s) / L(i, i);
        if (observer)
            observer->entryDone(dividedBy(sumEntry<double>({'x', i, 0, X(i)}, EntryForm::Quotient,
                                                           {'y', i, 0, Y(i)}, s, i + 1, n,
                                                           columnTimesVector('l', L, i, 'x', X)),
                                          {'l', i, i, L(i, i)}));
    }
}

namespace {

/// d(k) = a(k,k) − Σ l(k,t)·l(k,t)·d(t), the sum as the routine holds it.
template <class T>
void tellDiagonal(BasicFactorObserver<T>& o, const BasicMatrix<T>& A, const BasicMatrix<T>& L,
                  const BasicVector<T>& d, const T& sum, int k) {
    o.entryDone(sumEntry<T>(
        {'d', k, 0, d(k)}, EntryForm::Difference, {'a', k, k, A(k, k)}, sum, 1, k - 1, [&](int t) {
            return Factors<T>{{'l', k, t, L(k, t)}, {'l', k, t, L(k, t)}, {'d', t, 0, d(t)}};
        }));
}

/// l(i,k) = (a(i,k) − Σ l(i,t)·d(t)·l(k,t)) ÷ d(k).
template <class T>
void tellLdltLower(BasicFactorObserver<T>& o, const BasicMatrix<T>& A, const BasicMatrix<T>& L,
                   const BasicVector<T>& d, const BasicMatrix<T>& S, int i, int k) {
    FactorEntry<T> e = dividedBy(
        sumEntry<T>(
            {'l', i, k, L(i, k)}, EntryForm::Quotient, {'a', i, k, A(i, k)}, S(i, k), 1, k - 1,
            [&](int t) {
                return Factors<T>{{'l', i, t, L(i, t)}, {'d', t, 0, d(t)}, {'l', k, t, L(k, t)}};
            }),
        {'d', k, 0, d(k)});
    // d(k) is the pivot of a method that never exchanges rows.
    if (e.stop == EntryStop::ZeroDivisor) e.stop = EntryStop::ZeroPivot;
    o.entryDone(std::move(e));
}

} // namespace

template <class T>
bool ldlt(const BasicMatrix<T>& A, int n, BasicMatrix<T>& L, BasicVector<T>& d,
          const StopRequest& stop, BasicFactorObserver<T>* observer) {
    BasicMatrix<T> S(n, n); // S(i,j), j < i: the sum of L(i,k)·d(k)·L(j,k) over the k done so far
    BasicVector<T> diagonalSums(n); // the sum of L(i,k)·L(i,k)·d(k) over the k done so far
    std::vector<T> column(static_cast<std::size_t>(n));
    for (int i = 1; i <= n; ++i) L(i, i) = 1.0;
    for (int k = 1; k <= n; ++k) {
        stop.check();
        guardGrowth(S);
        d(k) = A(k, k) - diagonalSums(k);
        if (observer) {
            observer->stageBegun(k);
            tellDiagonal(*observer, A, L, d, diagonalSums(k), k);
        }
        if (k == n) break;
        if (d(k) == 0.0) {
            // The steps end on the first entry that would divide by d(k).
            if (observer) tellLdltLower(*observer, A, L, d, S, k + 1, k);
            return false;
        }
        for (int i = k + 1; i <= n; ++i) {
            L(i, k) = quotient(A(i, k) - S(i, k), d(k));
            if (observer) tellLdltLower(*observer, A, L, d, S, i, k);
        }
        gatherColumn(L, k, n, column);
        for (int i = k + 1; i <= n; ++i) {
            const T lik = L(i, k);
            addScaled(S.row(i) + k, column.data() + k, lik * d(k), i - 1 - k);
            diagonalSums(i) = diagonalSums(i) + lik * lik * d(k);
        }
    }
    return true;
}

template <class T>
bool backWithLdlt(const BasicMatrix<T>& L, const BasicVector<T>& d, const BasicVector<T>& Y, int n,
                  BasicVector<T>& X, BasicFactorObserver<T>* observer) {
    for (int i = n; i >= 1; --i) {
        T s = 0.0;
        for (int k = i + 1; k <= n; ++k) s = s + L(k, i) * X(k);
        const bool stops = d(i) == 0.0;
        if (!stops) X(i) = quotient(Y(i), d(i)) - s;
        if (observer)
            observer->entryDone(dividedBy(sumEntry<T>({'x', i, 0, X(i)}, EntryForm::QuotientFirst,
                                                      {'y', i, 0, Y(i)}, s, i + 1, n,
                                                      columnTimesVector('l', L, i, 'x', X)),
                                          {'d', i, 0, d(i)}));
        if (stops) return false;
    }
    return true;
}

namespace {

/// The diagonals a (below), b, c (above) and the right-hand side d of the
/// tridiagonal system in M, as the chasing method names them.
template <class T> struct Diagonals { BasicVector<T> a, b, c; };

template <class T> Diagonals<T> splitDiagonals(const BasicMatrix<T>& M, int n, BasicVector<T>& d) {
    Diagonals<T> g{BasicVector<T>(2, n), BasicVector<T>(n), BasicVector<T>(1, n - 1)};
    for (int i = 1; i <= n; ++i) {
        g.b(i) = M(i, i);
        d(i) = M(i, n + 1);
    }
    for (int i = 2; i <= n; ++i) g.a(i) = M(i, i - 1);
    for (int i = 1; i <= n - 1; ++i) g.c(i) = M(i, i + 1);
    return g;
}

/// A value that is only a copy of another: u(1) = b(1), y(1) = d(1).
template <class T> FactorEntry<T> copyEntry(NamedValue<T> target, NamedValue<T> base) {
    FactorEntry<T> e;
    e.target = target;
    e.base = base;
    return e;
}

/// l(i) and u(i) for i = 2..n: the chase down the diagonal.
template <class T>
void chaseCoefficients(const Diagonals<T>& g, Chase<T>& out, int n,
                       BasicFactorObserver<T>* observer) {
    out.u(1) = g.b(1);
    if (observer) observer->entryDone(copyEntry<T>({'u', 1, 0, out.u(1)}, {'b', 1, 0, g.b(1)}));
    for (int i = 2; i <= n; ++i) {
        // An exact zero pivot stops the chase here: the steps end on the
        // entry that would divide by it.
        if (observer && std::is_same_v<T, Rational> && out.u(i - 1) == 0.0) {
            FactorEntry<T> l = copyEntry<T>({'l', i, 0, T(0.0)}, {'a', i, 0, g.a(i)});
            l.form = EntryForm::Quotient;
            l = dividedBy(std::move(l), {'u', i - 1, 0, out.u(i - 1)});
            l.stop = EntryStop::ZeroPivot;
            observer->entryDone(std::move(l));
        }
        out.l(i) = quotient(g.a(i), out.u(i - 1));
        guardGrowth(out.l(i));
        const T product = out.l(i) * g.c(i - 1);
        out.u(i) = g.b(i) - product;
        guardGrowth(out.u(i));
        if (!observer) continue;
        FactorEntry<T> l = copyEntry<T>({'l', i, 0, out.l(i)}, {'a', i, 0, g.a(i)});
        l.form = EntryForm::Quotient;
        observer->entryDone(dividedBy(std::move(l), {'u', i - 1, 0, out.u(i - 1)}));
        observer->entryDone(productEntry<T>({'u', i, 0, out.u(i)}, EntryForm::Difference,
                                            {'b', i, 0, g.b(i)}, {'l', i, 0, out.l(i)},
                                            {'c', i - 1, 0, g.c(i - 1)}, product));
    }
}

/// y(i) = d(i) − l(i)·y(i−1), forwards.
template <class T> void chaseForward(Chase<T>& out, int n, BasicFactorObserver<T>* observer) {
    out.y(1) = out.d(1);
    if (observer) observer->entryDone(copyEntry<T>({'y', 1, 0, out.y(1)}, {'d', 1, 0, out.d(1)}));
    for (int i = 2; i <= n; ++i) {
        const T product = out.l(i) * out.y(i - 1);
        out.y(i) = out.d(i) - product;
        guardGrowth(out.y(i));
        if (observer)
            observer->entryDone(productEntry<T>({'y', i, 0, out.y(i)}, EntryForm::Difference,
                                                {'d', i, 0, out.d(i)}, {'l', i, 0, out.l(i)},
                                                {'y', i - 1, 0, out.y(i - 1)}, product));
    }
}

/// x(i) = (y(i) − c(i)·x(i+1)) ÷ u(i), backwards.
template <class T>
void chaseBack(const Diagonals<T>& g, Chase<T>& out, int n, BasicFactorObserver<T>* observer) {
    if (observer && std::is_same_v<T, Rational> && out.u(n) == 0.0) {
        FactorEntry<T> e = copyEntry<T>({'x', n, 0, T(0.0)}, {'y', n, 0, out.y(n)});
        e.form = EntryForm::Quotient;
        e = dividedBy(std::move(e), {'u', n, 0, out.u(n)});
        e.stop = EntryStop::ZeroPivot;
        observer->entryDone(std::move(e));
    }
    out.x(n) = quotient(out.y(n), out.u(n));
    guardGrowth(out.x(n));
    if (observer) {
        FactorEntry<T> e = copyEntry<T>({'x', n, 0, out.x(n)}, {'y', n, 0, out.y(n)});
        e.form = EntryForm::Quotient;
        observer->entryDone(dividedBy(std::move(e), {'u', n, 0, out.u(n)}));
    }
    for (int i = n - 1; i >= 1; --i) {
        const T product = g.c(i) * out.x(i + 1);
        out.x(i) = quotient(out.y(i) - product, out.u(i));
        guardGrowth(out.x(i));
        if (observer)
            observer->entryDone(dividedBy(
                productEntry<T>({'x', i, 0, out.x(i)}, EntryForm::Quotient, {'y', i, 0, out.y(i)},
                                {'c', i, 0, g.c(i)}, {'x', i + 1, 0, out.x(i + 1)}, product),
                {'u', i, 0, out.u(i)}));
    }
}

} // namespace

template <class T>
Chase<T> chase(const BasicMatrix<T>& M, int n, BasicFactorObserver<T>* observer) {
    Chase<T> out{BasicVector<T>(n), BasicVector<T>(2, n), BasicVector<T>(n), BasicVector<T>(n),
                 BasicVector<T>(n)};
    const Diagonals<T> g = splitDiagonals(M, n, out.d);
    chaseCoefficients(g, out, n, observer);
    chaseForward(out, n, observer);
    chaseBack(g, out, n, observer);
    return out;
}

#define QUORVEX_DECOMPOSITION_ROUTINES(T)                                                          \
    template bool doolittle(const BasicMatrix<T>&, int, BasicMatrix<T>&, BasicMatrix<T>&,          \
                            const StopRequest&, BasicFactorObserver<T>*);                          \
    template void columnPivotDoolittle(BasicMatrix<T>&, int, BasicMatrix<T>&, BasicMatrix<T>&,     \
                                       const StopRequest&, BasicFactorObserver<T>*);               \
    template BasicVector<T> forwardUnit(const BasicMatrix<T>&, const BasicVector<T>&, int,         \
                                        BasicFactorObserver<T>*);                                  \
    template bool backUpper(const BasicMatrix<T>&, const BasicVector<T>&, int, bool,               \
                            BasicVector<T>&, BasicFactorObserver<T>*);                             \
    template bool ldlt(const BasicMatrix<T>&, int, BasicMatrix<T>&, BasicVector<T>&,               \
                       const StopRequest&, BasicFactorObserver<T>*);                               \
    template bool backWithLdlt(const BasicMatrix<T>&, const BasicVector<T>&,                       \
                               const BasicVector<T>&, int, BasicVector<T>&,                        \
                               BasicFactorObserver<T>*);                                           \
    template Chase<T> chase(const BasicMatrix<T>&, int, BasicFactorObserver<T>*);

QUORVEX_DECOMPOSITION_ROUTINES(double)
QUORVEX_DECOMPOSITION_ROUTINES(Rational)

} // namespace quorvex
