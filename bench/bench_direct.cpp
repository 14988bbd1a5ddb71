// The direct methods end to end: parsing the edit area, the factorization or
// elimination, the substitutions and the report.
#include "bench_host.h"
#include "methods/decomposition.h"
#include "methods/elimination.h"
#include "methods/tests_and_norms.h"

#include <benchmark/benchmark.h>

#include <random>
#include <sstream>
#include <string>

namespace {

using namespace quorvex;

enum class Input { General, Symmetric, Tridiagonal };

/// A strictly diagonally dominant tridiagonal system of order n, typed out
/// in full (zeros off the band), one row per CR LF line.
std::string tridiagonalSystemText(int n, std::uint32_t seed = 42) {
    std::mt19937 rng(seed);
    std::uniform_int_distribution<int> v(-9999, 9999);
    std::ostringstream out;
    out.precision(15);
    for (int i = 1; i <= n; ++i) {
        for (int j = 1; j <= n; ++j) {
            if (j == i) out << 4.0 + (v(rng) + 10000) / 10000.0 << ' ';
            else if (j == i - 1 || j == i + 1) out << v(rng) / 10000.0 << ' ';
            else out << "0 ";
        }
        out << v(rng) / 100.0 << "\r\n";
    }
    return out.str();
}

std::string inputText(int n, Input input) {
    if (input == Input::Tridiagonal) return tridiagonalSystemText(n);
    return bench::dominantSystemText(n, 42, input == Input::Symmetric);
}

template <const Command& kCommand, Input Shape> void BM_Direct(benchmark::State& state) {
    const int n = static_cast<int>(state.range(0));
    const std::string text = inputText(n, Shape);
    std::size_t bytes = 0;
    for (auto _ : state) {
        bench::BenchHost host(text, {std::to_string(n)});
        if (host.run(kCommand) != Outcome::Reported) {
            state.SkipWithError("the command did not report");
            break;
        }
        bytes = host.result().size();
        benchmark::DoNotOptimize(bytes);
    }
    state.counters["report_MB"] = static_cast<double>(bytes) / 1e6;
}

#define QUORVEX_BENCH_DIRECT(command, shape)                                                       \
    BENCHMARK(BM_Direct<commands::command, Input::shape>)                                          \
        ->Name("BM_" #command)                                                                     \
        ->Arg(250)                                                                                 \
        ->Arg(500)                                                                                 \
        ->Arg(1000)                                                                                \
        ->Arg(2000)                                                                                \
        ->UseRealTime()                                                                            \
        ->Unit(benchmark::kMillisecond)

QUORVEX_BENCH_DIRECT(GaussFull, General);
QUORVEX_BENCH_DIRECT(A_matrix, General);
QUORVEX_BENCH_DIRECT(A_range, General);
QUORVEX_BENCH_DIRECT(MatrixBreak, General);
QUORVEX_BENCH_DIRECT(LU_break, General);
QUORVEX_BENCH_DIRECT(SqrtRoot, Symmetric);
QUORVEX_BENCH_DIRECT(MendSqrt, Symmetric);
QUORVEX_BENCH_DIRECT(Purase, Tridiagonal);
QUORVEX_BENCH_DIRECT(TierLU, General);

// Its work grows as the fourth power of the order: every leading minor is a
// determinant of its own. The commands run threads of their own, so their
// wall time is what counts.
BENCHMARK(BM_Direct<commands::CMatrixJudge, Input::General>)
    ->Name("BM_CMatrixJudge")
    ->Arg(100)
    ->Arg(200)
    ->Arg(300)
    ->UseRealTime()
    ->Unit(benchmark::kMillisecond);

} // namespace
