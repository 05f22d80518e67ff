#include "circuits/equations/design_first_order.h"

#include "circuits/equations/design_skeleton.h"

namespace tavrel {

void DesignBufferedFirstOrder(const StageRecord& stage, StageCircuitRecord& r) {
    FixGain(r, 1);
    FirstOrderPoleData(stage, r);
    R(r, 1).Value = 1 / (C(r, 1).Value * stage.Wc);
    SetSensitivities(R(r, 1), -1, 0, 0);
    SetSensitivities(C(r, 1), -1, 0, 0);
    CheckComponentValues(r);
}

void DesignFirstOrderWithGainPair(const StageRecord& stage, StageCircuitRecord& r) {
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

}  // namespace tavrel
