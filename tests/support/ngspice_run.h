#pragma once
// Runs the netlist the program writes through ngspice in batch mode and reads back the
// voltage at the output of the last stage: the independent check of every netlist.
#include <gtest/gtest.h>

#include <complex>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <functional>
#include <sstream>
#include <string>
#include <unistd.h>
#include <vector>

#include "analysis/spice_netlist.h"

namespace tavrel::testing_support {

struct SimulatedPoint {
    long double hz;
    std::complex<long double> v;
};

// The netlist of the stages in the ngspice dialect, written under `name` in a scratch folder
// (`edit` may change its lines first), simulated, and the last stage's output voltage read
// from the data file: one row per frequency, three columns (frequency, real, imaginary) per
// stage output.
inline std::vector<SimulatedPoint> SimulateLastOutput(
    const std::vector<SpiceStage>& stages, SpiceOptions options, const std::string& name,
    const std::function<void(std::vector<std::string>&)>& edit = {}) {
    const auto dir = std::filesystem::temp_directory_path() / ("tavrel_spice_" + std::to_string(::getpid()));
    std::filesystem::create_directories(dir);
    options.dialect = SpiceDialect::Ngspice;
    options.ngspiceDataFile = (dir / (name + ".dat")).string();
    std::filesystem::remove(options.ngspiceDataFile);
    std::vector<std::string> lines = SpiceNetlistLines(stages, options);
    if (edit) edit(lines);
    const auto netlist = dir / (name + ".cir");
    {
        std::ofstream out(netlist);
        for (const std::string& line : lines) out << line << "\n";
    }
    const auto log = dir / (name + ".log");
    const std::string command = "ngspice -b '" + netlist.string() + "' > '" + log.string() + "' 2>&1";
    // ngspice in batch mode reports a run with a control block by a nonzero status; the
    // log and the data file tell whether it went through.
    [[maybe_unused]] const int status = std::system(command.c_str());
    std::ifstream logIn(log);
    for (std::string line; std::getline(logIn, line);) EXPECT_EQ(line.find("rror"), std::string::npos) << name << ": " << line;
    std::vector<SimulatedPoint> points;
    std::ifstream in(options.ngspiceDataFile);
    for (std::string row; std::getline(in, row);) {
        std::istringstream columns(row);
        std::vector<long double> x;
        for (long double value; columns >> value;) x.push_back(value);
        if (x.size() < 3 || x.size() % 3 != 0) continue;
        const size_t last = x.size() - 3;
        points.push_back({x[last], {x[last + 1], x[last + 2]}});
    }
    return points;
}

// The netlist's op-amp model with its gain of 1e5 raised to 1e9: op amps ideal for the
// comparison with an ideal response.
inline void IdealOpAmps(std::vector<std::string>& lines) {
    for (std::string& line : lines) {
        const size_t at = line.find(" 1.0E+5");
        if (line.find("EIO") != std::string::npos && at != std::string::npos) line.replace(at, 7, " 1.0E+9");
    }
}

}  // namespace tavrel::testing_support
