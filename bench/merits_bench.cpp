// The merits of the 13 candidates of a second-order lowpass stage (EvaluateCandidates), and
// the passband scans of the gain spread and of the temperature change (351 points per
// passband part, every stage at each). Target: the candidates of one stage below 2 ms, so
// that browsing the selection window stays within one frame.
#include <benchmark/benchmark.h>

#include <memory>

#include "staged_design.h"

#include "analysis/spread/filter_spread.h"
#include "analysis/spread/spread_report.h"
#include "analysis/temperature/filter_change.h"
#include "analysis/temperature/temperature_report.h"
#include "circuits/calculation/recalculate.h"
#include "circuits/selection/evaluate_candidates.h"

namespace {

using namespace tavrel;


void CandidatesOfALowpassStage(benchmark::State& bench) {
    auto design = bench::StagedDesign(FilterKind::Lowpass, "4");
    for (auto _ : bench) {
        EvaluateCandidates(*design, 1);
        benchmark::DoNotOptimize(design->Circuits.Merits[1].MaxSpread);
    }
}

void SpreadScan(benchmark::State& bench, FilterKind kind, const char* forced) {
    auto design = bench::StagedDesign(kind, forced);
    const SpreadTolerances t = SpreadTolerancesOf(design->Characteristics, false);
    for (auto _ : bench) benchmark::DoNotOptimize(ScanSpread(*design, t).extremes.lowest);
}

void ChangeScan(benchmark::State& bench, FilterKind kind, const char* forced) {
    auto design = bench::StagedDesign(kind, forced);
    const TemperatureSettings t = TemperatureSettingsOf(design->Characteristics);
    for (auto _ : bench) benchmark::DoNotOptimize(ScanChange(*design, t).lowest);
}

void SpreadScanDefaultLowpass(benchmark::State& b) { SpreadScan(b, FilterKind::Lowpass, nullptr); }
void SpreadScanBandpass20(benchmark::State& b) { SpreadScan(b, FilterKind::Bandpass, "20"); }
void SpreadScanBandstop(benchmark::State& b) { SpreadScan(b, FilterKind::Bandstop, nullptr); }
void ChangeScanBandpass20(benchmark::State& b) { ChangeScan(b, FilterKind::Bandpass, "20"); }

BENCHMARK(CandidatesOfALowpassStage)->Unit(benchmark::kMillisecond)->Repetitions(5)->ReportAggregatesOnly(true);
BENCHMARK(SpreadScanDefaultLowpass)->Unit(benchmark::kMillisecond)->Repetitions(5)->ReportAggregatesOnly(true);
BENCHMARK(SpreadScanBandpass20)->Unit(benchmark::kMillisecond)->Repetitions(5)->ReportAggregatesOnly(true);
BENCHMARK(SpreadScanBandstop)->Unit(benchmark::kMillisecond)->Repetitions(5)->ReportAggregatesOnly(true);
BENCHMARK(ChangeScanBandpass20)->Unit(benchmark::kMillisecond)->Repetitions(5)->ReportAggregatesOnly(true);

}  // namespace
