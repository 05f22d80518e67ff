#include "circuits/equations/component_figures.h"

#include "circuits/equations/design_skeleton.h"

namespace tavrel {

ComponentFigures Difference(const ComponentFigures& a, const ComponentFigures& b) {
    ComponentFigures d;
    for (size_t i = 0; i < d.R.size(); ++i) d.R[i] = a.R[i] - b.R[i];
    for (size_t j = 0; j < d.C.size(); ++j) d.C[j] = a.C[j] - b.C[j];
    return d;
}

void SetGainSlots(StageCircuitRecord& record, const ComponentFigures& sk) {
    for (int i = 1; i <= kMaxResistors; ++i) R(record, i).Sens[SensSlot::Gain] = sk.R[static_cast<size_t>(i)];
    for (int j = 1; j <= kMaxCapacitors; ++j) C(record, j).Sens[SensSlot::Gain] = sk.C[static_cast<size_t>(j)];
}

void SetZeroFrequencySlots(StageCircuitRecord& record, const ComponentFigures& swz) {
    for (int i = 1; i <= kMaxResistors; ++i)
        R(record, i).Sens[SensSlot::ZeroFrequency] = swz.R[static_cast<size_t>(i)];
    for (int j = 1; j <= kMaxCapacitors; ++j)
        C(record, j).Sens[SensSlot::ZeroFrequency] = swz.C[static_cast<size_t>(j)];
}

void SetSlots(StageCircuitRecord& record, const ComponentFigures& sw, const ComponentFigures& sq,
              const ComponentFigures& sk) {
    for (int i = 1; i <= kMaxResistors; ++i) {
        const auto n = static_cast<size_t>(i);
        SetSensitivities(R(record, i), sw.R[n], sq.R[n], sk.R[n]);
    }
    for (int j = 1; j <= kMaxCapacitors; ++j) {
        const auto n = static_cast<size_t>(j);
        SetSensitivities(C(record, j), sw.C[n], sq.C[n], sk.C[n]);
    }
}

}  // namespace tavrel
