#pragma once
#include "circuits/records/stage_circuit_record.h"

namespace tavrel {

// The resistors of the circuit's adjustment descriptor re-solved for capacitors that moved by
// their Delta from PrevValue, so that the held parameters (pole frequency, pole Q, then the
// descriptor's further codes) stay as they were to first order:
//   Σk S(p, rk)·ΔRk/Rk + Σc S(p, c)·ΔCc/Cc = 0 for every held p,
// solved through the components' sensitivity slots. Each re-solved resistor gets PrevValue,
// Value = PrevValue·(1 - x) and Delta. Where the gain is not held, ActualGain follows the
// moved components to first order through their gain slots. Returns false, leaving the
// resistors as they were, when the slots make the system singular. The unity-gain Sallen-Key
// lowpass and highpass are re-solved exactly instead; false when the lowpass cannot reach its
// Q with the new capacitor ratio.
bool ResolveResistorsForCapacitors(StageCircuitRecord& record);

// The storage slot of a parameter code (1 pole frequency, 2 pole Q, 3 gain, 4 zero frequency,
// 5 third pole, 6 third zero, 7 zero Q); -1 for any other code.
int SlotOfParameterCode(int code);

}  // namespace tavrel
