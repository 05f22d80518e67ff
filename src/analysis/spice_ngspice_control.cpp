#include "analysis/spice_ngspice_control.h"

#include <cstdio>

#include "analysis/spice_format.h"
#include "core/number_format.h"

namespace tavrel {

namespace {

long double ToleranceFraction(const std::string& text) {
    std::string digits = text;
    if (!digits.empty() && digits.back() == '%') digits.pop_back();
    return ReadReal(digits) / 100;
}

std::string Number(long double x) {
    char text[40];
    std::snprintf(text, sizeof text, "%.6Lg", x);
    return text;
}

// Every run after the first draws each component uniformly within its tolerance of the
// nominal value, as the DEV tolerances of the other dialect do.
void AddAlterLines(const std::vector<SpiceStage>& stages, const SpiceOptions& options, std::vector<std::string>& lines) {
    const std::string rTol = Number(ToleranceFraction(options.resistorTolerance));
    const std::string cTol = Number(ToleranceFraction(options.capacitorTolerance));
    for (size_t s = 0; s < stages.size(); ++s) {
        const std::string x = "x" + std::to_string(s + 1);
        const Topology& t = stages[s].circuit->TopologyOf(stages[s].compensated);
        const ComponentValues& v = stages[s].values;
        for (int i = 1; i <= t.resistorCount; ++i) {
            if (v.R[static_cast<size_t>(i)] == 0) continue;  // not in the netlist
            lines.push_back("  alter @r." + x + ".r" + std::to_string(i) + "[resistance] = " +
                            Number(v.R[static_cast<size_t>(i)]) + "*(1+" + rTol + "*sunif(0))");
        }
        for (int j = 1; j <= t.capacitorCount; ++j)
            lines.push_back("  alter @c." + x + ".c" + std::to_string(j) + "[capacitance] = " +
                            Number(v.C[static_cast<size_t>(j)]) + "*(1+" + cTol + "*sunif(0))");
    }
}

}  // namespace

void AddNgspiceControl(const std::vector<SpiceStage>& stages, const SpiceOptions& options,
                       std::vector<std::string>& lines) {
    const std::string sweep = "ac dec " + std::to_string(options.pointsPerDecade) + " " +
                              SpiceFrequency(options.startHz) + " " + SpiceFrequency(options.endHz);
    std::string voltages, magnitudes;
    for (size_t s = 0; s < stages.size(); ++s) {
        voltages += " v(" + std::to_string(s + 2) + ")";
        magnitudes += " mag(v(" + std::to_string(s + 2) + "))";
    }
    const std::string output = "v(" + std::to_string(stages.size() + 1) + ")";
    lines.push_back(".control");
    lines.push_back(sweep);
    if (options.probe) lines.push_back("wrdata " + options.ngspiceDataFile + voltages);
    if (options.printTable) lines.push_back("print" + magnitudes);
    if (options.plot) lines.push_back("asciiplot" + magnitudes);
    if (options.monteCarlo) {
        lines.push_back("let mcrun = 2");
        lines.push_back("dowhile mcrun <= " + std::to_string(options.monteCarloRuns));
        AddAlterLines(stages, options, lines);
        lines.push_back("  " + sweep);
        lines.push_back("  print mag(" + output + ")");
        lines.push_back("  let mcrun = mcrun + 1");
        lines.push_back("end");
    }
    lines.push_back(".endc");
}

}  // namespace tavrel
