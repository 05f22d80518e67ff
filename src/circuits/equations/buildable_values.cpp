#include "circuits/equations/buildable_values.h"

#include <algorithm>

namespace tavrel {

namespace {

bool Within(long double value, long double lowest, long double highest) { return value >= lowest && value <= highest; }

}  // namespace

bool HasBuildableValues(const StageCircuitRecord& record) {
    const int resistors = std::clamp<int>(record.ResistorCount, 0, static_cast<int>(record.Resistors.size()));
    const int capacitors = std::clamp<int>(record.CapacitorCount, 0, static_cast<int>(record.Capacitors.size()));
    for (int i = 0; i < resistors; ++i)
        if (!Within(record.Resistors[static_cast<size_t>(i)].Value, kLowestResistance, kHighestResistance)) return false;
    for (int j = 0; j < capacitors; ++j)
        if (!Within(record.Capacitors[static_cast<size_t>(j)].Value, kLowestCapacitance, kHighestCapacitance))
            return false;
    return true;
}

}  // namespace tavrel
