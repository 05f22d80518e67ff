#include "circuits/equations/design_first_order.h"
#include "circuits/equations/design_routine.h"
#include "circuits/equations/design_skeleton.h"

namespace tavrel {

namespace {

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
    DesignBufferedFirstOrder,      // First Order Lowpass I
    DesignFirstOrderWithGainPair,  // First Order Lowpass II
    DesignFirstOrderLowpassIII,
};

}  // namespace

std::span<const DesignRoutine> FlpDesignRoutines() { return kFlpRoutines; }

}  // namespace tavrel
