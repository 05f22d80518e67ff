// Calculate with all five approximations and every response. Target: below 1 ms median.
#include <benchmark/benchmark.h>

#include "core/bessel_prototype.h"
#include "core/calculate.h"

namespace {

using namespace tavrel;

void RunCalculate(benchmark::State& bench, FilterKind kind, const char* forced) {
    const CalcEnvironment env{std::string(TAVREL_BIN_DIR) + "/" + kBesselTableName};
    SpecEntries entries = DefaultEntries(kind, false);
    if (forced) entries.ForceOrder = true, entries.ForcedOrder = forced;
    DesignState state;
    state.FilterKind = kind;
    for (auto _ : bench) {
        CalcOutcome outcome = Calculate(state, entries, env);
        benchmark::DoNotOptimize(outcome);
        if (!state.GainAccepted) bench.SkipWithError("calculation failed");
    }
}

void DefaultLowpass(benchmark::State& bench) { RunCalculate(bench, FilterKind::Lowpass, nullptr); }
void Bandpass20(benchmark::State& bench) { RunCalculate(bench, FilterKind::Bandpass, "20"); }

BENCHMARK(DefaultLowpass)->Unit(benchmark::kMicrosecond)->Repetitions(5)->ReportAggregatesOnly(true);
BENCHMARK(Bandpass20)->Unit(benchmark::kMicrosecond)->Repetitions(5)->ReportAggregatesOnly(true);

}  // namespace
