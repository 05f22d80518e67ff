#pragma once
#include <array>

#include "circuits/network/component_values.h"
#include "circuits/records/stage_circuit_record.h"

namespace tavrel {

// Per-component sensitivity figures by component number, the form in which the routines of
// the larger circuits write down their closed-form sensitivities.

// One relative sensitivity figure of every component, 1-based like the component numbers.
struct ComponentFigures {
    std::array<long double, kMaxResistors + 1> R{};
    std::array<long double, kMaxCapacitors + 1> C{};
};

// a - b component by component.
ComponentFigures Difference(const ComponentFigures& a, const ComponentFigures& b);

// The gain slots.
void SetGainSlots(StageCircuitRecord& record, const ComponentFigures& sk);

// The zero-frequency slots (notches) written directly.
void SetZeroFrequencySlots(StageCircuitRecord& record, const ComponentFigures& swz);

// Pole-frequency, pole-Q and gain slots written directly.
void SetSlots(StageCircuitRecord& record, const ComponentFigures& sw, const ComponentFigures& sq,
              const ComponentFigures& sk);

}  // namespace tavrel
