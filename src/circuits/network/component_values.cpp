#include "circuits/network/component_values.h"

namespace tavrel {

ComponentValues ValuesOf(const StageCircuitRecord& record) {
    ComponentValues v;
    for (int i = 1; i <= kMaxResistors; ++i)
        v.R[static_cast<size_t>(i)] = record.Resistors[static_cast<size_t>(i - 1)].Value;
    for (int j = 1; j <= kMaxCapacitors; ++j)
        v.C[static_cast<size_t>(j)] = record.Capacitors[static_cast<size_t>(j - 1)].Value;
    return v;
}

ComponentValues ValuesInForce(const StageCircuitRecord& record) {
    ComponentValues v = ValuesOf(record);
    for (int i = 1; i <= kMaxResistors; ++i) {
        const ComponentEntry& e = record.Resistors[static_cast<size_t>(i - 1)];
        if (e.UserFixed) v.R[static_cast<size_t>(i)] = e.UserValue;
    }
    return v;
}

}  // namespace tavrel
