// The component values of every stage (RecalculateAll): a 10-stage bandpass of order 20 and the
// default lowpass, with exact values, standard resistors, and Strategy 2. Target: the 10-stage
// design below 5 ms median, so that a click in the calculation window stays within one frame.
#include <benchmark/benchmark.h>

#include <memory>

#include "staged_design.h"

#include "circuits/calculation/recalculate.h"

namespace {

using namespace tavrel;


void Recalculate(benchmark::State& bench, FilterKind kind, const char* forced, bool standard, RoundingStrategy strategy,
                 bool allCapsStandard = false) {
    auto design = bench::StagedDesign(kind, forced);
    design->Options.AllCapsStandard = allCapsStandard;
    design->Circuits.AllResistorsStandard = standard;
    design->Options.Strategy = strategy;
    for (auto _ : bench) {
        RecalculateAll(*design, true);
        benchmark::DoNotOptimize(design->Circuit(1).ActualGain);
    }
}

void Bandpass20Exact(benchmark::State& b) { Recalculate(b, FilterKind::Bandpass, "20", false, RoundingStrategy::Nearest); }
void Bandpass20Standard(benchmark::State& b) { Recalculate(b, FilterKind::Bandpass, "20", true, RoundingStrategy::Nearest); }
void Bandpass20Strategy2(benchmark::State& b) {
    Recalculate(b, FilterKind::Bandpass, "20", true, RoundingStrategy::BestCombination);
}
// Every capacitor standard: each stage's resistors re-solved against its stage function.
void Bandpass20AllCapsStandard(benchmark::State& b) {
    Recalculate(b, FilterKind::Bandpass, "20", true, RoundingStrategy::Nearest, true);
}
void DefaultLowpassExact(benchmark::State& b) { Recalculate(b, FilterKind::Lowpass, nullptr, false, RoundingStrategy::Nearest); }
void DefaultLowpassStrategy2(benchmark::State& b) {
    Recalculate(b, FilterKind::Lowpass, nullptr, true, RoundingStrategy::BestCombination);
}

BENCHMARK(Bandpass20Exact)->Unit(benchmark::kMillisecond)->Repetitions(5)->ReportAggregatesOnly(true);
BENCHMARK(Bandpass20Standard)->Unit(benchmark::kMillisecond)->Repetitions(5)->ReportAggregatesOnly(true);
BENCHMARK(Bandpass20Strategy2)->Unit(benchmark::kMillisecond)->Repetitions(5)->ReportAggregatesOnly(true);
BENCHMARK(Bandpass20AllCapsStandard)->Unit(benchmark::kMillisecond)->Repetitions(5)->ReportAggregatesOnly(true);
BENCHMARK(DefaultLowpassExact)->Unit(benchmark::kMillisecond)->Repetitions(5)->ReportAggregatesOnly(true);
BENCHMARK(DefaultLowpassStrategy2)->Unit(benchmark::kMillisecond)->Repetitions(5)->ReportAggregatesOnly(true);

}  // namespace
