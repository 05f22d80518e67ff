#pragma once
#include "circuits/equations/component_figures.h"
#include "circuits/records/stage_circuit_record.h"
#include "stages/stage_record.h"

namespace tavrel {

// Pieces shared by the design routines of the lowpass-notch, highpass-notch and notch circuits.
// The KHN, MB and AM circuits of the three notch types are one topology each; their type only
// decides on which side of the pole frequency the zero lies.

// (Wz/W)² with W the pole frequency the routine realises (DesignW).
long double NotchRatio(const StageRecord& stage, const StageCircuitRecord& record);

// The pole-frequency and pole-Q slots of a biquad through SensitivityTransform. The pole pair
// is read as the cubic (s² + (w/Q)·s + w²)·(s + w0) with a real pole w0 = w that no component
// moves, the form the transform is written for: its classical sensitivities are those of the
// three lower coefficients, and with the weights 1, (Qp + 1)/Qp, (Qp + 1)/Qp the transform
// gives back S(w) and S(Q), the third pole figure 0.
void PoleSlotsThroughMatrix(StageCircuitRecord& record, int stageType, long double qp, const ComponentFigures& sw,
                            const ComponentFigures& sq);

// The zero-frequency slots of a notch whose zero pair is s² + wz² for any component values,
// read as the cubic (s² + wz²)·(s + w0): classical sensitivities 2·S(wz), 2·S(wz), 0 with the
// weights 1, 1, 1 give S(wz) back (and the zero-Q figure the transform defines).
void NotchZeroSlotsThroughMatrix(StageCircuitRecord& record, int stageType, long double qp,
                                 const ComponentFigures& swz);

// The routines of the topologies that the three notch types share. zeroAbove: the stage is a
// lowpass notch (the zero at or above the pole), which decides which resistor carries the
// frequency ratio where the row says so.
void DesignKhnNonInvertingNotch(const StageRecord& stage, StageCircuitRecord& record, bool zeroAbove);
void DesignKhnInvertingNotch(const StageRecord& stage, StageCircuitRecord& record);
void DesignMikhaelBhattacharyyaNotch(const StageRecord& stage, StageCircuitRecord& record);
void DesignAkerbergMossbergNotch(const StageRecord& stage, StageCircuitRecord& record);

}  // namespace tavrel
