#include "circuits/equations/design_twin_t_follower.h"

#include "circuits/equations/design_skeleton.h"

namespace tavrel {

void DesignTwinTFollower(const StageRecord& stage, StageCircuitRecord& r, const TwinTCubic& cubic) {
    const long double qp = stage.Qp;
    FixGain(r, 1);
    const long double half = 2 * (1 - 1 / (4 * qp));  // the share of each of the two op amps
    SetOpAmpCoefficients(r, 4 - 1 / qp, -(4 - 1 / qp), 2 * half * half, 2 * half * half);
    PreDistort(stage, r);
    const long double c1 = C(r, 1).Value, r2 = 1 / (r.DesignW * c1);
    R(r, 1).Value = R(r, 2).Value = r2;
    R(r, 3).Value = r2 / 2;
    R(r, 4).Value = R(r, 5).Value * (4 * r.DesignQ - 1);
    C(r, 2).Value = c1;
    C(r, 3).Value = 2 * c1;
    TwinTPassSlots(r, stage.StageType, r.DesignQ, cubic);
    for (ComponentEntry& e : r.Resistors) e.Sens[SensSlot::Gain] = 0;
    for (ComponentEntry& e : r.Capacitors) e.Sens[SensSlot::Gain] = 0;
    r.AuxPoleW = (R(r, 1).Value + R(r, 2).Value) / (C(r, 3).Value * R(r, 1).Value * R(r, 2).Value);
    CheckComponentValues(r);
}

}  // namespace tavrel
