#pragma once

// The body of the rounded update, included once by each build of it
// (generic, AVX2, AVX-512), each compiled for its own instruction set.
// Everything here has internal linkage, so no build's code can stand in
// for another's at link time. Before including, a build defines
// `QUORVEX_LANES` (2, 4 or 8) and, where the processor has fused
// multiply-add, the struct `FusedDivision` (see quotient below), and where
// it has a rounding instruction, `NearestInteger` (see nearestInteger).

#include "numerics/kernels/rounded_update.h"

#include <cstddef>
#include <cstring>

namespace quorvex::kernels {
namespace {

constexpr int N = QUORVEX_LANES;

// The powers of ten and 2^52 of roundTo (number_text.h), repeated here so
// that this file uses no function of another header.
constexpr double kPowers[23] = {1e0,  1e1,  1e2,  1e3,  1e4,  1e5,  1e6,  1e7,
                                1e8,  1e9,  1e10, 1e11, 1e12, 1e13, 1e14, 1e15,
                                1e16, 1e17, 1e18, 1e19, 1e20, 1e21, 1e22};
constexpr double kTwo52 = 4503599627370496.0;

template <int Bytes> struct VectorTypes;
template <> struct VectorTypes<16> {
    using V = double __attribute__((vector_size(16)));
    using B = long long __attribute__((vector_size(16)));
};
template <> struct VectorTypes<32> {
    using V = double __attribute__((vector_size(32)));
    using B = long long __attribute__((vector_size(32)));
};
template <> struct VectorTypes<64> {
    using V = double __attribute__((vector_size(64)));
    using B = long long __attribute__((vector_size(64)));
};
using V = VectorTypes<8 * N>::V;
using B = VectorTypes<8 * N>::B;

struct Rounding {
    V scale;   ///< 10^d
    V inverse; ///< 1/10^d rounded
    V two52;
    B magnitude;
    B sign;
};

inline V splat(double v) {
    V r;
    for (int l = 0; l < N; ++l) r[l] = v;
    return r;
}

inline V load(const double* p) {
    V v;
    std::memcpy(&v, p, sizeof v);
    return v;
}

inline void store(double* p, V v) { std::memcpy(p, &v, sizeof v); }

/// t / 10^d rounded to nearest, for integral t with |t| <= 2^52. Division
/// is the slowest step of the rounding; with fused multiply-add the same
/// quotient comes from q0 = t·(1/p), the residual e = q0·p - t (exact: it is
/// a multiple of ulp(q0)·2^d below 2^53 of them) and q0 - e·(1/p) rounded
/// once. That last value lies within |q0 - t/p|·2^-53 <= t/p·2^-105 of t/p,
/// while t/p, with p = 5^d·2^d, keeps at least 2^(E-54)/5^d from every
/// rounding boundary (E its binary exponent; t/p itself is never one), more
/// than that for d <= 21. So both round alike, zeros keep their sign, and
/// the result is the quotient's to the last bit.
template <bool Fused> inline V quotient(V t, const Rounding& r) {
#ifdef QUORVEX_FUSED_DIVISION
    if constexpr (Fused) return FusedDivision::quotient(t, r.scale, r.inverse);
#endif
    return t / r.scale;
}

/// y rounded to an integer, ties to even, for |y| < 2^52: the sum with 2^52
/// rounds away the fraction, in the default rounding mode, exactly as the
/// processor's own round-to-nearest instruction does, which a build may use
/// instead (`NearestInteger`). The sign is y's, also for a zero.
inline V nearestInteger(V y, V a, const Rounding& r) {
#ifdef QUORVEX_NEAREST_INTEGER
    (void)a;
    (void)r;
    return NearestInteger::of(y);
#else
    const V t = (a + r.two52) - r.two52;
    return (V)((B)t | ((B)y & r.sign));
#endif
}

/// One step of one element in every lane: roundTo(x - m * u), the same
/// operations on the same values (the rounding and the quotient as above),
/// so each lane's result is the scalar result bit for bit.
template <bool Fused> inline V roundedStep(V x, V m, V u, const Rounding& r) {
    const V v = x - m * u;
    const V y = v * r.scale;
    const V a = (V)((B)y & r.magnitude);
    const V q = quotient<Fused>(nearestInteger(y, a, r), r);
    return a < r.two52 ? q : v;
}

/// R rows by C vectors of x, kept in registers through all the steps.
template <bool Fused, int R, int C>
inline void tile(double* x, std::ptrdiff_t ldx, const double* m, std::ptrdiff_t ldm,
                 const double* u, std::ptrdiff_t ldu, int steps, const Rounding& r) {
    V acc[R][C];
    for (int i = 0; i < R; ++i)
        for (int c = 0; c < C; ++c) acc[i][c] = load(x + i * ldx + c * N);
    for (int k = 0; k < steps; ++k) {
        V uk[C];
        for (int c = 0; c < C; ++c) uk[c] = load(u + k * ldu + c * N);
        for (int i = 0; i < R; ++i) {
            const V mk = splat(m[i * ldm + k]);
            for (int c = 0; c < C; ++c) acc[i][c] = roundedStep<Fused>(acc[i][c], mk, uk[c], r);
        }
    }
    for (int i = 0; i < R; ++i)
        for (int c = 0; c < C; ++c) store(x + i * ldx + c * N, acc[i][c]);
}

/// One element: the vector code with the element in lane 0.
template <bool Fused>
inline void scalarElement(double* x, const double* m, const double* u, std::ptrdiff_t ldu,
                          int steps, const Rounding& r) {
    V v = splat(*x);
    for (int k = 0; k < steps; ++k) v = roundedStep<Fused>(v, splat(m[k]), splat(u[k * ldu]), r);
    *x = v[0];
}

/// Rows i..i+R-1 over columns 0..cols-1: tiles of C vectors, then single
/// vectors, then the last columns one by one. Walking along the rows keeps
/// x streaming in order; the pivot rows u stay in the cache.
template <bool Fused, int R, int C>
inline void rowStrip(RowBlock x, ConstRowBlock m, ConstRowBlock u, int i, int cols, int steps,
                     const Rounding& r) {
    double* xi = x.data + i * x.stride;
    const double* mi = m.data + i * m.stride;
    int j = 0;
    for (; j + C * N <= cols; j += C * N)
        tile<Fused, R, C>(xi + j, x.stride, mi, m.stride, u.data + j, u.stride, steps, r);
    for (; j + N <= cols; j += N)
        tile<Fused, R, 1>(xi + j, x.stride, mi, m.stride, u.data + j, u.stride, steps, r);
    for (; j < cols; ++j)
        for (int l = 0; l < R; ++l)
            scalarElement<Fused>(xi + l * x.stride + j, mi + l * m.stride, u.data + j, u.stride,
                                 steps, r);
}

template <bool Fused, int R, int C>
inline void updateAll(RowBlock x, ConstRowBlock m, ConstRowBlock u, int rows, int cols, int steps,
                      const Rounding& r) {
    int i = 0;
    for (; i + R <= rows; i += R) rowStrip<Fused, R, C>(x, m, u, i, cols, steps, r);
    for (; i < rows; ++i) rowStrip<Fused, 1, C>(x, m, u, i, cols, steps, r);
}

/// The whole update, in tiles of R rows by C vectors.
template <int R, int C>
inline void update(RowBlock x, ConstRowBlock m, ConstRowBlock u, int rows, int cols, int steps,
                   int decimals) {
    if (rows <= 0 || cols <= 0 || steps <= 0) return;
    const int d = decimals < 0 ? 0 : (decimals > 22 ? 22 : decimals);
    const double p = kPowers[d];
    B magnitude;
    for (int l = 0; l < N; ++l) magnitude[l] = 0x7fffffffffffffffLL;
    const Rounding r{splat(p), splat(1.0 / p), splat(kTwo52), magnitude, ~magnitude};
#ifdef QUORVEX_FUSED_DIVISION
    if (d <= 21) return updateAll<true, R, C>(x, m, u, rows, cols, steps, r);
#endif
    updateAll<false, R, C>(x, m, u, rows, cols, steps, r);
}

/// RowLargest: every lane keeps its largest magnitude and where it first
/// stood (only a strictly larger one moves it); of the lanes holding the
/// overall largest, the earliest place wins.
inline RowLargest largest(const double* row, int count) {
    V best = splat(0.0);
    B at = {};
    B place;
    for (int l = 0; l < N; ++l) place[l] = l;
    B magnitude;
    for (int l = 0; l < N; ++l) magnitude[l] = 0x7fffffffffffffffLL;
    int j = 0;
    for (; j + N <= count; j += N) {
        const V a = (V)((B)load(row + j) & magnitude);
        const B larger = a > best;
        best = larger ? a : best;
        at = larger ? place : at;
        place += N;
    }
    RowLargest r;
    for (int l = 0; l < N; ++l)
        if (best[l] > r.value || (best[l] == r.value && best[l] > 0.0 && at[l] < r.column)) {
            r.value = best[l];
            r.column = static_cast<int>(at[l]);
        }
    for (; j < count; ++j) {
        const double a = row[j] < 0.0 ? -row[j] : row[j];
        if (a > r.value) {
            r.value = a;
            r.column = j;
        }
    }
    return r;
}

} // namespace
} // namespace quorvex::kernels
