// Saving and opening an 11-stage design (a 22nd-order bandpass with its components calculated):
// the file's bytes alone, and the whole command with the file on disk (written beside, synced
// and renamed; read into a fresh design). Target: each below 1 ms.
#include <benchmark/benchmark.h>

#include <filesystem>
#include <memory>
#include <unistd.h>

#include "io/design_file/design_commands.h"
#include "io/design_file/design_file.h"
#include "staged_design.h"

namespace {

using namespace tavrel;

std::unique_ptr<Design> ElevenStages() { return bench::StagedDesign(FilterKind::Bandpass, "22"); }

std::filesystem::path BenchFile() {
    return std::filesystem::temp_directory_path() / ("tavrel_bench_" + std::to_string(::getpid()) + ".tv3");
}

void DesignFileBytesOfElevenStages(benchmark::State& bench) {
    const auto design = ElevenStages();
    for (auto _ : bench) benchmark::DoNotOptimize(DesignFileBytes(*design).size());
}

void ReadDesignBytesOfElevenStages(benchmark::State& bench) {
    const std::vector<std::uint8_t> bytes = DesignFileBytes(*ElevenStages());
    for (auto _ : bench) {
        auto read = std::make_unique<Design>();
        benchmark::DoNotOptimize(ReadDesignBytes(bytes, *read));
    }
}

void SaveDesignOfElevenStages(benchmark::State& bench) {
    const auto design = ElevenStages();
    const auto file = BenchFile();
    for (auto _ : bench) benchmark::DoNotOptimize(WriteDesign(file, *design));
    std::filesystem::remove(file);
}

void OpenDesignOfElevenStages(benchmark::State& bench) {
    const auto design = ElevenStages();
    const auto file = BenchFile();
    WriteDesign(file, *design);
    for (auto _ : bench) {
        auto read = std::make_unique<Design>();
        benchmark::DoNotOptimize(ReadDesign(file, *read));
    }
    std::filesystem::remove(file);
}

}  // namespace

BENCHMARK(DesignFileBytesOfElevenStages)->Unit(benchmark::kMicrosecond)->Repetitions(5)->ReportAggregatesOnly(true);
BENCHMARK(ReadDesignBytesOfElevenStages)->Unit(benchmark::kMicrosecond)->Repetitions(5)->ReportAggregatesOnly(true);
BENCHMARK(SaveDesignOfElevenStages)->Unit(benchmark::kMicrosecond)->Repetitions(5)->ReportAggregatesOnly(true);
BENCHMARK(OpenDesignOfElevenStages)->Unit(benchmark::kMicrosecond)->Repetitions(5)->ReportAggregatesOnly(true);
