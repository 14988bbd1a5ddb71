// The exact mode on the systems exercises are set with: small integers.
#include "bench_host.h"
#include "methods/elimination.h"

#include <benchmark/benchmark.h>

#include <random>
#include <string>

namespace {

using namespace quorvex;

/// An n x (n+1) system of integers in -9..9, its diagonal raised to make it
/// diagonally dominant.
std::string integerSystemText(int n) {
    std::mt19937 rng(7);
    std::uniform_int_distribution<int> v(-9, 9);
    std::string text;
    for (int i = 1; i <= n; ++i) {
        for (int j = 1; j <= n + 1; ++j)
            text += std::to_string(j == i ? 10 * n + v(rng) : v(rng)) + ' ';
        text += "\r\n";
    }
    return text;
}

template <const Command& kCommand> void BM_Exact(benchmark::State& state) {
    const int n = static_cast<int>(state.range(0));
    const std::string text = integerSystemText(n);
    for (auto _ : state) {
        bench::BenchHost host(text, {std::to_string(n)});
        host.settings().exact = true;
        if (host.run(kCommand) != Outcome::Reported) {
            state.SkipWithError("the command did not report");
            break;
        }
        benchmark::DoNotOptimize(host.result().size());
    }
}

BENCHMARK(BM_Exact<commands::A_matrix>)
    ->Name("BM_ExactA_matrix")
    ->Arg(20)
    ->Unit(benchmark::kMillisecond);
BENCHMARK(BM_Exact<commands::GaussTier>)
    ->Name("BM_ExactGaussTier")
    ->Arg(100)
    ->Unit(benchmark::kMillisecond);

} // namespace
