// The rounded eliminations alone, without parsing or report: the reference
// loops against the fast kernels, on one thread and on every core.
#include "numerics/elimination_routines.h"
#include "numerics/kernels/blocked_elimination.h"

#include <benchmark/benchmark.h>

#include <random>

namespace {

using namespace quorvex;

Matrix dominantMatrix(int rows, int cols) {
    std::mt19937 rng(42);
    std::uniform_int_distribution<int> v(-9999, 9999);
    Matrix m(rows, cols);
    for (int i = 1; i <= rows; ++i)
        for (int j = 1; j <= cols; ++j) m(i, j) = i == j ? 10.0 * rows : v(rng) / 1000.0;
    return m;
}

/// Threads for the fast kernels: the argument, or every core for 0.
kernels::KernelSettings settingsFor(std::int64_t threads) {
    return threads == 0 ? kernels::defaultKernelSettings()
                        : kernels::KernelSettings{static_cast<int>(threads)};
}

void BM_ReferenceGaussTierElimination(benchmark::State& state) {
    const int n = static_cast<int>(state.range(0));
    const Matrix B = dominantMatrix(n, n + 1);
    for (auto _ : state) {
        Matrix A = B;
        for (int k = 1; k <= n; ++k) {
            A.swapRowRange(k, columnPivotRow(A, k, n), k, n + 1);
            for (int i = k + 1; i <= n; ++i) eliminateRow(A, i, k, A(i, k) / A(k, k), k, n + 1, 7);
        }
        benchmark::DoNotOptimize(A(n, n));
    }
}
BENCHMARK(BM_ReferenceGaussTierElimination)->Arg(500)->Arg(1000)->Unit(benchmark::kMillisecond);

void BM_FastGaussTierElimination(benchmark::State& state) {
    const int n = static_cast<int>(state.range(0));
    const Matrix B = dominantMatrix(n, n + 1);
    const auto settings = settingsFor(state.range(1));
    Matrix A = B;
    for (auto _ : state) {
        state.PauseTiming();
        A = B;
        state.ResumeTiming();
        kernels::eliminateFast(A, n, n + 1, 7, kernels::Pivoting::Column, settings);
        benchmark::DoNotOptimize(A(n, n));
    }
}
BENCHMARK(BM_FastGaussTierElimination)
    ->ArgsProduct({{500, 1000, 2000}, {1, 0}})
    ->ArgNames({"n", "threads"})
    ->UseRealTime()
    ->Unit(benchmark::kMillisecond);

void BM_FastGaussJordan(benchmark::State& state) {
    const int n = static_cast<int>(state.range(0));
    Matrix W0 = dominantMatrix(n, 2 * n);
    for (int i = 1; i <= n; ++i)
        for (int j = n + 1; j <= 2 * n; ++j) W0(i, j) = j == n + i ? 1.0 : 0.0;
    const auto settings = settingsFor(state.range(1));
    Matrix W = W0;
    for (auto _ : state) {
        state.PauseTiming();
        W = W0;
        state.ResumeTiming();
        kernels::reduceGaussJordanFast(W, n, 7, settings);
        benchmark::DoNotOptimize(W(n, n));
    }
}
BENCHMARK(BM_FastGaussJordan)
    ->ArgsProduct({{500, 1000}, {1, 0}})
    ->ArgNames({"n", "threads"})
    ->UseRealTime()
    ->Unit(benchmark::kMillisecond);

} // namespace
