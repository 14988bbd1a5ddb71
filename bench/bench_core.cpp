// Benchmarks of the hot paths: parsing the edit area, the elimination
// commands end to end (parse, solve, write the report), and writing numbers.
#include "bench_host.h"
#include "methods/elimination.h"
#include "reading/matrix_text.h"
#include "reading/number_text.h"

#include <benchmark/benchmark.h>

#include <charconv>
#include <random>

namespace {

using namespace quorvex;

void BM_ParseMatrixText(benchmark::State& state) {
    const int n = static_cast<int>(state.range(0));
    const std::string text = bench::dominantSystemText(n);
    for (auto _ : state) {
        Matrix M(n, n + 1);
        GetMatrixFromText(M, n, text);
        benchmark::DoNotOptimize(M(n, n + 1));
    }
    state.SetBytesProcessed(static_cast<int64_t>(state.iterations() * text.size()));
}
BENCHMARK(BM_ParseMatrixText)->Arg(250)->Arg(500)->Arg(1000)->Unit(benchmark::kMillisecond);

template <const Command& kCommand> void BM_Command(benchmark::State& state) {
    const int n = static_cast<int>(state.range(0));
    const std::string text = bench::dominantSystemText(n);
    std::size_t bytes = 0;
    for (auto _ : state) {
        bench::BenchHost host(text, {std::to_string(n)});
        host.run(kCommand);
        bytes = host.result().size();
        benchmark::DoNotOptimize(bytes);
    }
    state.counters["report_MB"] = static_cast<double>(bytes) / 1e6;
}
BENCHMARK(BM_Command<commands::GaussTier>)
    ->Name("BM_GaussTier")
    ->Arg(250)
    ->Arg(500)
    ->Arg(1000)
    ->Arg(2000)
    ->UseRealTime()
    ->Unit(benchmark::kMillisecond);
BENCHMARK(BM_Command<commands::Gauss_1>)
    ->Name("BM_Gauss_1")
    ->Arg(250)
    ->Arg(500)
    ->Arg(1000)
    ->Arg(2000)
    ->UseRealTime()
    ->Unit(benchmark::kMillisecond);

std::vector<double> reportLikeValues() {
    std::mt19937_64 rng(3);
    std::uniform_real_distribution<double> d(-1000, 1000);
    std::vector<double> v(1 << 20);
    for (auto& x : v) x = roundTo(d(rng), 6);
    return v;
}

void BM_WriteNumber(benchmark::State& state) {
    const auto values = reportLikeValues();
    char buf[kMaxNumberText];
    for (auto _ : state)
        for (double x : values) benchmark::DoNotOptimize(writeNumber(buf, x));
    state.SetItemsProcessed(static_cast<int64_t>(state.iterations() * values.size()));
}
BENCHMARK(BM_WriteNumber)->Unit(benchmark::kMillisecond);

void BM_WriteRounded(benchmark::State& state) {
    const auto values = reportLikeValues();
    char buf[kMaxNumberText];
    for (auto _ : state)
        for (double x : values) benchmark::DoNotOptimize(writeRounded(buf, x, 6));
    state.SetItemsProcessed(static_cast<int64_t>(state.iterations() * values.size()));
}
BENCHMARK(BM_WriteRounded)->Unit(benchmark::kMillisecond);

void BM_ToCharsReference(benchmark::State& state) {
    const auto values = reportLikeValues();
    char buf[64];
    for (auto _ : state)
        for (double x : values)
            benchmark::DoNotOptimize(
                std::to_chars(buf, buf + sizeof buf, x, std::chars_format::general, 15).ptr);
    state.SetItemsProcessed(static_cast<int64_t>(state.iterations() * values.size()));
}
BENCHMARK(BM_ToCharsReference)->Unit(benchmark::kMillisecond);

} // namespace
