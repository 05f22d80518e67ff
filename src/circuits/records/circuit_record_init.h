#pragma once
#include "circuits/records/stage_circuit_record.h"

namespace tavrel {

// Applies the defaults to all eleven records.
void ResetCircuitTable(CircuitTable& table);

// Fills the record of a stage (1-based) from the calculation descriptor of its CircuitNo;
// wp is the stage's pole frequency in rad/s, which picks the starting capacitor decade.
// A record whose CircuitNo has no descriptor is left unchanged.
void InitCircuitRecord(CircuitTable& table, int stage, long double wp);

}  // namespace tavrel
