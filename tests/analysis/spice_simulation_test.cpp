#include <gtest/gtest.h>

#include <cmath>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <numbers>
#include <random>
#include <unistd.h>

#include "analysis/coefficient_family.h"
#include "analysis/nodal_analysis.h"
#include "analysis/spice_netlist.h"
#include "analysis/stage_function.h"
#include "circuits/circuit_catalog.h"
#include "circuits/netlist_templates.h"
#include "random_components.h"

namespace tavrel {
namespace {

// The open-loop gain of the netlist's ideal op-amp model (EIO ... 1.0E+5).
constexpr long double kNetlistOpAmpGain = 1e5L;

struct Sample {
    long double hz;
    Complex v;
};

// Writes the netlist, runs the simulator in batch mode and reads the probed voltage back.
std::vector<Sample> Simulate(const std::vector<SpiceStage>& stages, SpiceOptions options, const std::string& name) {
    const auto dir = std::filesystem::temp_directory_path() / ("tavrel_spice_" + std::to_string(::getpid()));
    std::filesystem::create_directories(dir);
    options.dialect = SpiceDialect::Ngspice;
    options.ngspiceDataFile = (dir / (name + ".dat")).string();
    const auto netlist = dir / (name + ".cir");
    {
        std::ofstream out(netlist);
        for (const std::string& line : SpiceNetlistLines(stages, options)) out << line << "\n";
    }
    const std::string command = std::string(NGSPICE_PROGRAM) + " -b " + netlist.string() + " > " +
                                (dir / (name + ".log")).string() + " 2>&1";
    // ngspice in batch mode reports a run with a control block by a nonzero status; the
    // log and the data file tell whether it went through.
    [[maybe_unused]] const int status = std::system(command.c_str());
    std::ifstream log(dir / (name + ".log"));
    for (std::string line; std::getline(log, line);) EXPECT_EQ(line.find("rror"), std::string::npos) << name << ": " << line;
    std::vector<Sample> samples;
    std::ifstream in(options.ngspiceDataFile);
    long double f, re, im;
    while (in >> f >> re >> im) samples.push_back({f, Complex(re, im)});
    return samples;
}

std::vector<long double> Values(const CoefficientWork& w, int count, bool capacitors) {
    std::vector<long double> v;
    for (int i = 1; i <= count; ++i) v.push_back(capacitors ? w.C[static_cast<size_t>(i)] : w.R[static_cast<size_t>(i)]);
    return v;
}

struct Variant {
    CatalogRow row;
    bool compensated;
};

class Simulated : public testing::TestWithParam<Variant> {};

// ngspice, with op amps of gain 1e5 and five-digit values, against the coefficients.
TEST_P(Simulated, MatchesTheCoefficients) {
    const auto& [row, compensated] = GetParam();
    std::mt19937 rng(static_cast<unsigned>(row.circuitNo) * 2 + compensated);
    CoefficientWork w = testing_support::RandomWork(rng);
    testing_support::MakeSTermVanish(w, row.circuitNo);
    SpiceStage stage;
    stage.stageType = row.stageType;
    stage.circuitIndex = row.circuitIndex;
    stage.opAmpCount = row.opAmpCount;
    stage.compensated = compensated;
    int resistors = row.resistorCount;
    if (compensated) {
        int inTemplate = 0;
        for (const TemplateElement& e :
             TemplateElements(*FindTemplate(TemplateLibrary::Compensated, TemplateKey(row.stageType, row.circuitIndex))))
            inTemplate += e.kind == 'R';
        if (inTemplate > resistors) {
            w.R[static_cast<size_t>(resistors + 1)] = w.R[static_cast<size_t>(resistors - 1)];
            w.R[static_cast<size_t>(resistors + 2)] = w.R[static_cast<size_t>(resistors)];
            resistors += 2;
        }
    }
    stage.resistors = Values(w, resistors, false);
    stage.capacitors = Values(w, row.capacitorCount, true);
    const long double wc = 1 / (w.R[1] * w.C[1]);
    SpiceOptions options;
    options.startHz = wc / (2 * std::numbers::pi_v<long double>) / 100;
    options.endHz = options.startHz * 1e4L;
    options.pointsPerDecade = 10;
    const auto samples = Simulate({stage}, options, std::to_string(row.circuitNo) + (compensated ? "c" : ""));
    ASSERT_GE(samples.size(), 40u);

    const StageFunction f = ReadStageFunction(w, row.stageType, row.circuitIndex);
    const long double sign = FindFamilyRow(row.stageType, row.circuitIndex)->inverting ? -1 : 1;
    const auto simulated = TemplateElements(*FindTemplate(
        compensated ? TemplateLibrary::Compensated : TemplateLibrary::Plain, TemplateKey(row.stageType, row.circuitIndex)));
    // The netlist's op amps have a gain of 1e5, the coefficients assume an infinite one. The
    // ratio of the two nodal solutions of the simulated template carries that difference over
    // to the coefficients' response; it reaches 3 dB in the stopband of the
    // Mikhael-Bhattacharyya highpass at these values.
    std::vector<Complex> expected;
    long double peak = 0, worstDb = 0, worstDeg = 0;
    for (const Sample& sample : samples) {
        const Complex s(0, 2 * std::numbers::pi_v<long double> * sample.hz);
        const Complex gainEffect = NodalResponse(simulated, w.R, w.C, s, kNetlistOpAmpGain) / NodalResponse(simulated, w.R, w.C, s);
        expected.push_back(sign * EvaluateStageFunction(f, s) * gainEffect);
        peak = std::max(peak, std::abs(expected.back()));
    }
    // The Berka-Herpy lowpass and highpass drop a numerator s term that vanishes only for
    // designed values; they are simulated with such values (see MakeSTermVanish).
    for (size_t k = 0; k < samples.size(); ++k) {
        if (std::abs(expected[k]) < peak * 1e-3L) continue;  // more than 60 dB below the peak
        const long double db = 20 * std::log10(std::abs(samples[k].v) / std::abs(expected[k]));
        const long double deg = std::arg(samples[k].v / expected[k]) * 180 / std::numbers::pi_v<long double>;
        EXPECT_LT(std::fabs(db), 0.01L) << row.name << " at " << samples[k].hz << " Hz";
        EXPECT_LT(std::fabs(deg), 0.1L) << row.name << " at " << samples[k].hz << " Hz";
        worstDb = std::max(worstDb, std::fabs(db));
        worstDeg = std::max(worstDeg, std::fabs(deg));
    }
    char worst[64];
    std::snprintf(worst, sizeof worst, "%.3g dB, %.3g degrees", static_cast<double>(worstDb), static_cast<double>(worstDeg));
    RecordProperty("worst_deviation", worst);
}

std::vector<Variant> AllVariants() {
    std::vector<Variant> v;
    for (const CatalogRow& row : CircuitCatalog()) {
        v.push_back({row, false});
        if (FindTemplate(TemplateLibrary::Compensated, TemplateKey(row.stageType, row.circuitIndex))) v.push_back({row, true});
    }
    return v;
}

INSTANTIATE_TEST_SUITE_P(Spice, Simulated, testing::ValuesIn(AllVariants()),
                         [](const testing::TestParamInfo<Variant>& info) {
                             return "No" + std::to_string(info.param.row.circuitNo) + (info.param.compensated ? "Compensated" : "");
                         });

}  // namespace
}  // namespace tavrel
