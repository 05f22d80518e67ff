#include "circuits/equations/design_first_order.h"
#include "circuits/equations/design_routine.h"
#include "circuits/equations/design_skeleton.h"

namespace tavrel {

namespace {

// First Order Highpass III: inverting, C1 in, R1 ∥ C2 in the feedback; wc = 1/(R1·C2), gain
// C1/C2.
void DesignFirstOrderHighpassIII(const StageRecord& stage, StageCircuitRecord& r) {
    TakeGain(r);
    FirstOrderPoleData(stage, r);
    const long double k = r.ActualGain;
    if (!(k > 0)) {
        r.Invalid = 1;
        return;
    }
    C(r, 2).Value = C(r, 1).Value / k;
    r.CapRatio = 1 / k;
    R(r, 1).Value = 1 / (C(r, 2).Value * stage.Wc);
    SetSensitivities(R(r, 1), -1, 0, 0);
    SetSensitivities(C(r, 1), 0, 0, 1);
    SetSensitivities(C(r, 2), -1, 0, -1);
    CheckComponentValues(r);
}

// First Order Highpass IV: inverting, R1 and C1 in series at the input, R2 in the feedback;
// wc = 1/(R1·C1), gain R2/R1.
void DesignFirstOrderHighpassIV(const StageRecord& stage, StageCircuitRecord& r) {
    TakeGain(r);
    FirstOrderPoleData(stage, r);
    R(r, 1).Value = 1 / (C(r, 1).Value * stage.Wc);
    R(r, 2).Value = r.ActualGain * R(r, 1).Value;
    SetSensitivities(R(r, 1), -1, 0, -1);
    SetSensitivities(R(r, 2), 0, 0, 1);
    SetSensitivities(C(r, 1), -1, 0, 0);
    CheckComponentValues(r);
}

constexpr DesignRoutine kFhpRoutines[] = {
    DesignBufferedFirstOrder,      // First Order Highpass I
    DesignFirstOrderWithGainPair,  // First Order Highpass II
    DesignFirstOrderHighpassIII,
    DesignFirstOrderHighpassIV,
};

}  // namespace

std::span<const DesignRoutine> FhpDesignRoutines() { return kFhpRoutines; }

}  // namespace tavrel
