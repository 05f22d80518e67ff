#pragma once
#include <array>

#include "circuits/records/stage_circuit_record.h"

namespace tavrel {

// The resistor and capacitor values of one stage, numbered as the circuit numbers them:
// R[i] is Ri in ohm, C[j] is Cj in farad (index 0 unused). The design equations produce them,
// and the stage function, the netlist and the analysis read them.
struct ComponentValues {
    std::array<long double, kMaxResistors + 1> R{};
    std::array<long double, kMaxCapacitors + 1> C{};
};

// The Value of every resistor and capacitor entry of the record (entries beyond the circuit's
// counts hold their defaults; nothing that reads a circuit's values looks at them).
ComponentValues ValuesOf(const StageCircuitRecord& record);

// The values the stage is built with: a resistor the user fixed counts with the value typed.
ComponentValues ValuesInForce(const StageCircuitRecord& record);

}  // namespace tavrel
