#pragma once
#include <optional>
#include <span>
#include <string>
#include <vector>

#include "circuits/catalog/circuit_descriptors.h"
#include "circuits/catalog/coefficient_family.h"
#include "circuits/catalog/topology.h"
#include "circuits/equations/design_routine.h"

namespace tavrel {

// The plain circuit or its actively compensated variant: the topology its netlist template
// gives, and the token lines of the script that draws it (from the script set of its type,
// or the compensated set).
struct CircuitVariant {
    Topology topology;
    std::vector<std::string> schematicScript;
};

// Everything the program knows of one catalog circuit, built once from the circuit's rows in
// the catalog, the coefficient table, the routine tables and the template libraries. Every
// per-circuit fact is read from here.
struct CircuitDefinition {
    // The catalog row.
    int circuitNo = 0;
    int stageType = 0;
    int circuitIndex = 0;  // 1-based position within the stage type
    const char* name = "";
    int resistorCount = 0;
    int capacitorCount = 0;
    int opAmpCount = 0;
    const char* calcDescriptor = "";
    const char* adjustDescriptor = "";
    // The two descriptors, parsed.
    CalcDescriptor calc;
    AdjustDescriptor adjust;
    // How its transfer function is written.
    CoefficientForm form = CoefficientForm::Monic;
    bool thirdOrder = false;  // a twin-T network: denominator (and numerator) of third order
    bool inverting = false;   // the output is inverted (for a bandpass: at its pole frequency)
    std::vector<int> listedResistors;  // the resistors whose values enter d0, in list order
    DesignRoutine design = nullptr;
    CircuitVariant plain;
    std::optional<CircuitVariant> compensated;
    const char* tuningEntry = "";   // how the built stage is trimmed: "GO R1WP00 R4QP" (tuning_table.h)
    const char* easeOfTuning = "";  // the code the tuning entry starts with ("EX", "GO", ...)

    // The order of the denominator: 1 for first-order types, 3 with a twin-T network, else 2.
    int Order() const;
    // The code that names the circuit in the script sets: "SLP01", "SLPN03".
    std::string Code() const;
    const Topology& TopologyOf(bool compensatedVariant) const {
        return compensatedVariant && compensated ? compensated->topology : plain.topology;
    }
    const CircuitVariant& VariantOf(bool compensatedVariant) const {
        return compensatedVariant && compensated ? *compensated : plain;
    }
};

// All circuits in catalog order.
std::span<const CircuitDefinition> Circuits();

// The circuit of a number, or nullptr for the unused numbers.
const CircuitDefinition* FindCircuit(int circuitNo);

// The circuit of a stage type and index, or nullptr.
const CircuitDefinition* FindCircuit(int stageType, int circuitIndex);

// The resistor list text that Strategy 2 of the standard values reads: the count and the
// resistor numbers, two digits each, separated by commas ("02,01,02" for R1 and R2).
std::string ResistorListText(const CircuitDefinition& circuit);

}  // namespace tavrel
