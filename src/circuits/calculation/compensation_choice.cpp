#include "circuits/calculation/compensation_choice.h"

#include "circuits/catalog/circuit_definition.h"

namespace tavrel {

Compensation CompensationOf(const StageCircuitRecord& record) {
    if (record.Compensate) return Compensation::Predistortion;
    if (record.CompResistors) return Compensation::Active;
    return Compensation::Neither;
}

bool Allows(const Design& design, int s, Compensation choice) {
    if (choice == Compensation::Neither) return true;
    if (IsFirstOrderStage(design.Stage(s).StageType)) return false;
    if (choice == Compensation::Predistortion) return true;
    const CircuitDefinition* circuit = FindCircuit(design.Circuit(s).CircuitNo);
    return circuit != nullptr && circuit->compensated.has_value();
}

void ChooseCompensation(Design& design, int s, Compensation choice) {
    if (!Allows(design, s, choice)) return;
    StageCircuitRecord& r = design.Circuit(s);
    r.Compensate = choice == Compensation::Predistortion;
    r.CompResistors = choice == Compensation::Active;
}

SavedCompensation SaveCompensation(const Design& design) {
    SavedCompensation saved;
    for (int s = 1; s <= design.State.StageCount; ++s) saved.choice[static_cast<size_t>(s)] = CompensationOf(design.Circuit(s));
    return saved;
}

void RestoreCompensation(Design& design, const SavedCompensation& saved) {
    for (int s = 1; s <= design.State.StageCount; ++s) {
        StageCircuitRecord& r = design.Circuit(s);
        const Compensation choice = saved.choice[static_cast<size_t>(s)];
        r.Compensate = choice == Compensation::Predistortion;
        r.CompResistors = choice == Compensation::Active;
    }
}

}  // namespace tavrel
