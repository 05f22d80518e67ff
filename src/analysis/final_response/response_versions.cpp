#include "analysis/final_response/response_versions.h"

#include <algorithm>

namespace tavrel {

namespace {

// The capacitor values as calculated: a stage whose capacitors were adjusted keeps them in
// PrevValue, one that was not still has them as its values.
long double StandardCapacitor(const StageCircuitRecord& record, int j) {
    const ComponentEntry& e = record.Capacitors[static_cast<size_t>(j - 1)];
    return record.CapsAdjusted ? static_cast<long double>(e.PrevValue) : static_cast<long double>(e.Value);
}

long double ExactCapacitor(const StageCircuitRecord& record, int j) {
    return record.Capacitors[static_cast<size_t>(j - 1)].Value;
}

// The resistor values of a version, the first rule that applies winning. "User" means the
// user-assigned values are switched in and this resistor carries one; the user factor is
// the ratio of the assigned value to the resistor's value when it was assigned, so that the
// assignment follows the resistor through the versions.
long double VersionResistor(const ComponentEntry& e, int version, const VersionAvailability& available,
                            const VersionChoice& choice, long double version1) {
    const bool user = choice.userValues && e.UserFixed;
    const long double current = e.Value;
    switch (version) {
        case 1: {
            const bool substituted = available.exactCapacitors || available.standardResistors;
            return user && !substituted ? e.PrevValue * e.UserRatio : static_cast<long double>(e.PrevValue);
        }
        case 2:
            if (!available.standardResistors) return user ? current * e.UserRatio : current;
            // Standard values replaced the resistors recalculated for exact capacitors; those
            // are kept in ExactValue.
            if (e.ExactValue != 0) return e.ExactValue;
            if (e.UserFixed) return current * e.UserRatio;
            return version1;
        default: return user ? current * e.UserRatio : current;
    }
}

}  // namespace

VersionAvailability AvailabilityOf(const Design& design) {
    VersionAvailability a;
    a.standardResistors = design.Circuits.AllResistorsStandard;
    for (int s = 1; s <= design.State.StageCount; ++s) {
        const StageCircuitRecord& r = design.Circuit(s);
        a.exactCapacitors = a.exactCapacitors || r.CapsAdjusted;
        for (int i = 1; i <= r.ResistorCount && i <= kMaxResistors; ++i)
            a.userResistors = a.userResistors || r.Resistors[static_cast<size_t>(i - 1)].UserFixed;
    }
    return a;
}

int HighestVersion(const VersionAvailability& available) {
    if (available.standardResistors) return 3;
    return available.exactCapacitors ? 2 : 1;
}

std::array<bool, kVersionCount> ComputedVersions(const VersionAvailability& available, const VersionChoice& choice) {
    if (choice.highestOnly) {
        std::array<bool, kVersionCount> one{};
        one[static_cast<size_t>(HighestVersion(available) - 1)] = true;
        return one;
    }
    return {true, available.exactCapacitors, available.standardResistors};
}

std::array<ComponentValues, kVersionCount> StageVersionValues(const StageCircuitRecord& record,
                                                              const VersionAvailability& available,
                                                              const VersionChoice& choice) {
    std::array<ComponentValues, kVersionCount> values{};
    const std::array<bool, kVersionCount> computed = ComputedVersions(available, choice);
    const int resistors = std::min<int>(record.ResistorCount, kMaxResistors);
    const int capacitors = std::min<int>(record.CapacitorCount, kMaxCapacitors);
    for (int v = 1; v <= kVersionCount; ++v) {
        if (!computed[static_cast<size_t>(v - 1)]) continue;
        ComponentValues& out = values[static_cast<size_t>(v - 1)];
        for (int i = 1; i <= resistors; ++i) {
            const ComponentEntry& e = record.Resistors[static_cast<size_t>(i - 1)];
            const long double version1 = VersionResistor(e, 1, available, choice, 0);
            out.R[static_cast<size_t>(i)] = VersionResistor(e, v, available, choice, version1);
        }
        for (int j = 1; j <= capacitors; ++j) {
            long double c = 0;
            if (choice.highestOnly) c = available.exactCapacitors ? ExactCapacitor(record, j) : StandardCapacitor(record, j);
            else if (v == 1) c = StandardCapacitor(record, j);
            else if (v == 2) c = ExactCapacitor(record, j);
            // Version 3 keeps the capacitors of the version before it.
            else c = computed[1] ? ExactCapacitor(record, j) : StandardCapacitor(record, j);
            out.C[static_cast<size_t>(j)] = c;
        }
    }
    return values;
}

}  // namespace tavrel
