// The final responses of a 10-stage design (a bandpass of order 20) in all three versions on the
// 351-point grid: each tab's curves as switching to it computes them, and all three tabs with
// every stage function worked out afresh. Target: below 1 ms, so that browsing the tabs stays
// within one frame.
#include <benchmark/benchmark.h>

#include <memory>

#include "analysis/final_response/final_grid.h"
#include "analysis/final_response/final_response.h"
#include "analysis/workflow.h"
#include "circuits/adjustment/adjust_capacitor.h"
#include "circuits/calculation/recalculate.h"
#include "circuits/selection/select_circuit.h"
#include "core/bessel_prototype.h"
#include "core/calculate.h"

namespace {

using namespace tavrel;

// Every stage's capacitor trimmed and standard resistors substituted, so that all three
// versions are computed.
std::unique_ptr<Design> ThreeVersionDesign() {
    auto design = std::make_unique<Design>();
    design->State.FilterKind = FilterKind::Bandpass;
    SpecEntries entries = DefaultEntries(FilterKind::Bandpass, false);
    entries.ForceOrder = true, entries.ForcedOrder = "20";
    Calculate(design->State, entries, {std::string(TAVREL_BIN_DIR) + "/" + kBesselTableName});
    SpecificationNext(*design);
    ChooseApproximation(*design, Chebyshev);
    ApproximationNext(*design, Chebyshev);
    for (int s = 1; s <= design->State.StageCount; ++s) SelectCircuit(*design, s, 4);  // MFB bandpass I
    RecalculateAll(*design, false);
    for (int s = 1; s <= design->State.StageCount; ++s)
        AdjustCapacitor(*design, s, 1, static_cast<long double>(design->Circuit(s).Capacitors[0].Value) * 1.04L, true);
    design->Circuits.AllResistorsStandard = true;
    RecalculateAll(*design, true);
    return design;
}

// Switching to a tab: the window keeps the stage functions of its last computation, checks
// them against the design's values and computes the tab's curves.
template <typename Curves>
void Tab(benchmark::State& bench, Curves curves) {
    const auto design = ThreeVersionDesign();
    const auto grid = FinalGrid(FinalAxisOf(design->State));
    FinalResponseTable table;
    FinalStageFunctions held = FinalStageFunctionsOf(*design, AllStages(*design), VersionChoice{});
    for (auto _ : bench) {
        held = FinalStageFunctionsOf(*design, AllStages(*design), VersionChoice{}, &held);
        benchmark::DoNotOptimize(curves(held, grid, table));
        benchmark::DoNotOptimize(table.data());
    }
    const VersionAvailability available = AvailabilityOf(*design);
    if (available.standardResistors && available.exactCapacitors) bench.SetLabel("10 stages, 3 versions, 351 points");
}

void GainTab(benchmark::State& b) { Tab(b, GainCurves); }
void PhaseTab(benchmark::State& b) { Tab(b, PhaseCurves); }
void DelayTab(benchmark::State& b) { Tab(b, DelayCurves); }

// Opening the window or changing a value: every stage function worked out afresh (30 nodal
// analyses), then the curves of all three tabs.
void FreshAllTabs(benchmark::State& bench) {
    const auto design = ThreeVersionDesign();
    const auto grid = FinalGrid(FinalAxisOf(design->State));
    FinalResponseTable gain, phase, delay;
    for (auto _ : bench) {
        const FinalStageFunctions f = FinalStageFunctionsOf(*design, AllStages(*design), VersionChoice{});
        benchmark::DoNotOptimize(GainCurves(f, grid, gain));
        benchmark::DoNotOptimize(PhaseCurves(f, grid, phase));
        benchmark::DoNotOptimize(DelayCurves(f, grid, delay));
    }
}

BENCHMARK(GainTab)->Unit(benchmark::kMicrosecond)->Repetitions(5)->ReportAggregatesOnly(true);
BENCHMARK(PhaseTab)->Unit(benchmark::kMicrosecond)->Repetitions(5)->ReportAggregatesOnly(true);
BENCHMARK(DelayTab)->Unit(benchmark::kMicrosecond)->Repetitions(5)->ReportAggregatesOnly(true);
BENCHMARK(FreshAllTabs)->Unit(benchmark::kMicrosecond)->Repetitions(5)->ReportAggregatesOnly(true);

}  // namespace
