#pragma once
#include <string>
#include <vector>

#include "circuits/stage_circuit_record.h"

namespace tavrel {

enum class SpiceDialect { PSpice, Ngspice };
enum class OpAmpModel { IdealVcvs, SinglePole };

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
    OpAmpModel opAmpModel = OpAmpModel::IdealVcvs;
    SpiceDialect dialect = SpiceDialect::PSpice;
    std::string ngspiceDataFile = "probe.dat";  // where the ngspice form writes the probed voltages
};

// What the netlist needs of one stage.
struct SpiceStage {
    int stageType = 0;
    int circuitIndex = 0;
    int opAmpCount = 0;
    bool compensated = false;  // active compensation: the variant with doubled op amps
    std::vector<long double> resistors;   // R1..Rn
    std::vector<long double> capacitors;  // C1..Cm
    long double gbwHz = 0;
    long double noise = 0;  // nV/rtHz
};

SpiceStage SpiceStageOf(const StageCircuitRecord& record, int stageType);

// The netlist of the cascade, one text line per entry.
std::vector<std::string> SpiceNetlistLines(const std::vector<SpiceStage>& stages, const SpiceOptions& options);

// Resistance and capacitance as element values: the display formats with five digits, with
// the mega suffix written "MEG" because SPICE reads "M" as milli.
std::string SpiceResistance(long double ohms);
std::string SpiceCapacitance(long double farads);

// A sweep frequency in Hz, scientific with five decimals.
std::string SpiceFrequency(long double hz);

}  // namespace tavrel
