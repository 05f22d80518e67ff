#pragma once
#include <string>

#include "circuits/catalog/circuit_definition.h"
#include "circuits/network/component_values.h"

namespace tavrel {

enum class SpiceDialect { PSpice, Ngspice };
// The op-amp model the netlist defines: the gain-1e5 source, or a single pole at each stage's GBW.
enum class SpiceOpAmp { IdealVcvs, SinglePole };

// The choices of the netlist window.
struct SpiceOptions {
    long double startHz = 10;
    long double endHz = 100000;
    int pointsPerDecade = 200;
    bool probe = true;       // " Generate PROBE.DAT file"
    bool printTable = false; // " Generate print table"
    bool plot = false;       // " Generate 'line printer' plot"
    bool monteCarlo = false;
    int monteCarloRuns = 2;
    std::string resistorTolerance = "1%";
    std::string capacitorTolerance = "1%";
    SpiceOpAmp opAmpModel = SpiceOpAmp::IdealVcvs;
    SpiceDialect dialect = SpiceDialect::PSpice;
    std::string ngspiceDataFile = "probe.dat";  // where the ngspice form writes the probed voltages
};

// What the netlist needs of one stage.
struct SpiceStage {
    const CircuitDefinition* circuit = nullptr;
    bool compensated = false;  // active compensation: the variant with doubled op amps
    ComponentValues values;    // a resistor of value 0 is left out
    long double gbwHz = 0;
    long double noise = 0;  // nV/rtHz
};

}  // namespace tavrel
