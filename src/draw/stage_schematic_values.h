#pragma once
#include "circuits/records/stage_circuit_record.h"
#include "draw/schematic_painter.h"

namespace tavrel::draw {

// What the schematic of a stage writes beside its components: each value in force, the
// computed value beside a standard one that replaced it, the value the user typed. Stock is
// not marked (the inventory check is the window's).
SchematicValues SchematicValuesOf(const StageCircuitRecord& record);

}  // namespace tavrel::draw
