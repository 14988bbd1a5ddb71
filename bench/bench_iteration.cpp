// The three iterations end to end on a diagonally dominant system: parsing
// the edit area, n initial-value prompts, the sweeps and the report.
#include "bench_host.h"
#include "methods/iteration.h"

#include <benchmark/benchmark.h>

#include <string>

namespace {

using namespace quorvex;

/// Precision, order, n initial values and, for relaxation, the factor.
std::vector<std::string> iterationAnswers(int n, bool asksFactor) {
    std::vector<std::string> a{"1E-05", std::to_string(n)};
    a.insert(a.end(), static_cast<std::size_t>(n), "0");
    if (asksFactor) a.push_back("1.1");
    return a;
}

int sweepsIn(const std::string& report) {
    const std::string mark = "迭代";
    const auto at = report.find(mark);
    return at == std::string::npos ? -1 : std::stoi(report.substr(at + mark.size(), 8));
}

template <const Command& kCommand, bool AsksFactor> void BM_Iteration(benchmark::State& state) {
    const int n = static_cast<int>(state.range(0));
    const std::string text = bench::dominantSystemText(n);
    const auto answers = iterationAnswers(n, AsksFactor);
    int sweeps = 0;
    for (auto _ : state) {
        bench::BenchHost host(text, answers);
        if (host.run(kCommand) != Outcome::Reported) {
            state.SkipWithError("the iteration did not report");
            break;
        }
        sweeps = sweepsIn(host.result());
        benchmark::DoNotOptimize(sweeps);
    }
    state.counters["sweeps"] = sweeps;
}

BENCHMARK(BM_Iteration<commands::JacobiDie, false>)
    ->Name("BM_JacobiDie")
    ->Arg(250)
    ->Arg(500)
    ->Arg(1000)
    ->Unit(benchmark::kMillisecond);
BENCHMARK(BM_Iteration<commands::Gauss_SeidelDie, false>)
    ->Name("BM_Gauss_SeidelDie")
    ->Arg(250)
    ->Arg(500)
    ->Arg(1000)
    ->Unit(benchmark::kMillisecond);
BENCHMARK(BM_Iteration<commands::SorDie, true>)
    ->Name("BM_SorDie")
    ->Arg(250)
    ->Arg(500)
    ->Arg(1000)
    ->Unit(benchmark::kMillisecond);

} // namespace
