#pragma once
#include "circuits/equations/component_figures.h"
#include "circuits/records/stage_circuit_record.h"
#include "stages/stage_record.h"

namespace tavrel {

// The three-op-amp loops that pass and notch circuits share.

// The state-variable (KHN) loop of the KHN circuits: a summer whose
// output is the highpass signal, the integrator R1·C1 giving the bandpass signal and the
// integrator R2·C2 giving the lowpass signal; R5 returns the lowpass signal and R6 the
// highpass signal to the summer's inverting input. In both variants
// wp² = R6/(C1·C2·R1·R2·R5).
//
// Non-inverting input: the input through R3 and the bandpass signal through R4 meet at the
// summer's non-inverting input; wp/Qp = R3·(R5 + R6)/(C1·R1·R5·(R3 + R4)).
// Inverting input: the input through R3 at the inverting input, the bandpass signal through
// the divider R7, R4 at the non-inverting input;
// wp/Qp = R4·(R3·R5 + R3·R6 + R5·R6)/(C1·R1·R3·R5·(R4 + R7)).

// k1, k2, s1, s2 from the shares of the summer, the first and the second integrator (derived
// with single-pole op amps) of the inverting-input loop with R1 = R4 = R5 = R6, equal
// integrator time constants and the summer's input ratio x = R6/R3, and of the
// non-inverting-input loop with R1 = R3 = R5 = R6 and equal integrator time constants.
void SetKhnInvertingShifts(StageCircuitRecord& record, long double qp, long double x);
void SetKhnNonInvertingShifts(StageCircuitRecord& record, long double qp);

// The non-inverting-input loop from DesignW and DesignQ: R1 = R3 = R5 = R6 = 1/(C1·W),
// R2 = 1/(C2·W), R4 = (2·Q - 1)·R1.
void SetKhnNonInvertingLoop(StageCircuitRecord& record);

// The non-inverting-input loop with any input ratio k = R4/R3 (the gain of its bandpass
// output): R3 = R5 = R6 = 1/(C1·W), R4 = k·R3, and the damping 2/(1 + k) made up by the
// integrators' time constants R1·C1 = 2·Q/((1 + k)·W), R2·C2 = (1 + k)/(2·Q·W); at
// k = 2·Q - 1 this is the equal-resistor loop above. The shares are derived with single-pole
// op amps for it.
void SetKhnNonInvertingShifts(StageCircuitRecord& record, long double qp, long double k);
void SetKhnNonInvertingLoop(StageCircuitRecord& record, long double k);

// S(wp) and S(Qp) of the loop's components for the values in the record.
void KhnNonInvertingPoleFigures(const ComponentValues& v, ComponentFigures& sw, ComponentFigures& sq);
void KhnInvertingPoleFigures(const ComponentValues& v, ComponentFigures& sw, ComponentFigures& sq);

// The inverting-input pass circuits: the gain sets the summer's input ratio x = R6/R3 (the
// highpass gain is x, the bandpass gain x·Q), and with R1 = R4 = R5 = R6 = 1/(C1·W),
// R2 = 1/(C2·W), R3 = R6/x the divider gives R7 = (Q·(2 + x) - 1)·R4. Takes the gain,
// sets k1, k2, s1, s2, pre-distorts, computes the resistors and returns the pole figures;
// the caller writes the slots with its gain figures and ends with the validity test.
// inputRatio: x from the gain and Q.
struct PoleFigures {
    ComponentFigures sw, sq;
};
PoleFigures DesignKhnInvertingPass(const StageRecord& stage, StageCircuitRecord& record,
                                   long double (*inputRatio)(long double gain, long double q));

// The Mikhael-Bhattacharyya loop (a = 1.6·Qp^(1/4), b = 1/sqrt(Qp)): the shares of the first
// two op amps in k1 and of the first in k2 are the same in every variant,
// t1 = -(b + 1)/Qp, t2 = (b + 1)·b/2, u1 = -(b + 1)·(2·Qp - 1/Qp); the variants differ in the
// share t3 of the third op amp in k1, and the second and third op amps' shares in k2 are
// u2 = secondQ - t2 and u3 = 2·Qp - t3.
void SetMikhaelBhattacharyyaShifts(StageCircuitRecord& record, long double qp, long double t3, long double secondQ);

// Berka-Herpy lowpass and highpass: wp² = R6/(C1·C2·R5·R7·R9), wp/Qp = 1/(C2·R8), the gain
// fixed at 1 whatever the values, the input dividers R1, R2 and R3, R4 outside the pole pair.
void SetBerkaHerpySlots(StageCircuitRecord& record);

// Akerberg-Mossberg lowpass and bandpass: the first op amp holds the junction of C1 (from the
// inverter R3, R2) and R6 (from the output) at ground and drives the inverter and, through R4,
// the lossy integrator R5 ∥ C2; wp² = R3/(C1·C2·R2·R4·R6), wp/Qp = 1/(C2·R5). Sets R2 to
// R6 for DesignW and DesignQ with R2 = R3 = R4 = 1/(C1·W), R6 = 1/(C2·W), R5 = Q/(C2·W) and
// their pole-frequency and pole-Q slots (gain slots 0); the routine adds the input resistor
// R1 and the gain slots.
void DesignAkerbergMossbergLoop(StageCircuitRecord& record);

}  // namespace tavrel
