#include "draw/stage_schematic_values.h"

namespace tavrel::draw {

namespace {

SchematicComponentValue ValueOf(const ComponentEntry& e) {
    SchematicComponentValue v;
    v.value = static_cast<double>(e.Value);
    if (e.ExactValue > 0 && e.ExactValue != e.Value) v.exact = static_cast<double>(e.ExactValue);
    v.userFixed = e.UserFixed != 0;
    v.userValue = static_cast<double>(e.UserValue);
    return v;
}

}  // namespace

SchematicValues SchematicValuesOf(const StageCircuitRecord& record) {
    SchematicValues values;
    for (int i = 0; i < record.ResistorCount; ++i) values.resistors.push_back(ValueOf(record.Resistors[static_cast<size_t>(i)]));
    for (int j = 0; j < record.CapacitorCount; ++j)
        values.capacitors.push_back(ValueOf(record.Capacitors[static_cast<size_t>(j)]));
    return values;
}

}  // namespace tavrel::draw
