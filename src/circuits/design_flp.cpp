#include "circuits/design_routine.h"
#include "circuits/design_skeleton.h"

namespace tavrel {

namespace {

// First Order Lowpass I: R1 into C1, buffered; wc = 1/(R1·C1), gain 1.
void DesignFirstOrderLowpassI(const StageRecord& stage, StageCircuitRecord& r) {
    FixGain(r, 1);
    FirstOrderPoleData(stage, r);
    R(r, 1).Value = 1 / (C(r, 1).Value * stage.Wc);
    SetSensitivities(R(r, 1), -1, 0, 0);
    SetSensitivities(C(r, 1), -1, 0, 0);
    CheckComponentValues(r);
}

// First Order Lowpass II: R1·C1 followed by a non-inverting amplifier of gain 1 + R3/R2 (the
// gain pair R2, R3). A gain of 1.1 or less becomes 1.1.
void DesignFirstOrderLowpassII(const StageRecord& stage, StageCircuitRecord& r) {
    ForceGainIf(r, r.ActualGain <= Real48::Round(1.1L), 1.1L);
    FirstOrderPoleData(stage, r);
    const long double k = r.ActualGain;
    R(r, 1).Value = 1 / (C(r, 1).Value * stage.Wc);
    R(r, 2).Value = R(r, 3).Value / (k - 1);
    SetSensitivities(R(r, 1), -1, 0, 0);
    SetSensitivities(C(r, 1), -1, 0, 0);
    SetSensitivities(R(r, 2), 0, 0, -(k - 1) / k);
    SetSensitivities(R(r, 3), 0, 0, (k - 1) / k);
    CheckComponentValues(r);
}

// First Order Lowpass III: inverting integrator with R2 ∥ C1 in the feedback; wc = 1/(R2·C1),
// gain R2/R1.
void DesignFirstOrderLowpassIII(const StageRecord& stage, StageCircuitRecord& r) {
    TakeGain(r);
    FirstOrderPoleData(stage, r);
    const long double k = r.ActualGain;
    R(r, 2).Value = 1 / (C(r, 1).Value * stage.Wc);
    if (!(k > 0)) {
        r.Invalid = 1;
        return;
    }
    R(r, 1).Value = R(r, 2).Value / k;
    SetSensitivities(R(r, 1), 0, 0, -1);
    SetSensitivities(R(r, 2), -1, 0, 1);
    SetSensitivities(C(r, 1), -1, 0, 0);
    CheckComponentValues(r);
}

constexpr DesignRoutine kFlpRoutines[] = {
    DesignFirstOrderLowpassI,
    DesignFirstOrderLowpassII,
    DesignFirstOrderLowpassIII,
};

}  // namespace

std::span<const DesignRoutine> FlpDesignRoutines() { return kFlpRoutines; }

}  // namespace tavrel
