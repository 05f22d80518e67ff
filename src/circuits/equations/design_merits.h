#pragma once
#include <cstdint>

#include "circuits/records/stage_circuit_record.h"

namespace tavrel {

// Largest over smallest resistor (capacitor) value, truncated and capped at 2 000 000 000.
std::int32_t ResistorSpread(const StageCircuitRecord& record);
std::int32_t CapacitorSpread(const StageCircuitRecord& record);

// The figures of one design that the circuit selection compares.
struct DesignMerits {
    long double MinGBW = 0;  // Hz
    std::int32_t RSpread = 0;
    std::int32_t CSpread = 0;
};

DesignMerits MeritsOf(const StageCircuitRecord& record);

}  // namespace tavrel
