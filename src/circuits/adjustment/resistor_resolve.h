#pragma once
#include "circuits/records/stage_circuit_record.h"

namespace tavrel {

// Why the resistors could not follow capacitors changed by hand.
enum class ResolveFailure {
    None,
    Singular,         // the held parameters' sensitivity matrix is singular
    RatioTooSmall,    // the unity-gain Sallen-Key lowpass cannot reach its Q with this C2/C1
    InvalidSolution,  // the gain-setting resistor of a Sallen-Key or Deliyannis circuit has no value
    NoCircuit,
};

struct ResolveOutcome {
    ResolveFailure failure = ResolveFailure::None;
    long double minimumRatio = 0;  // RatioTooSmall: the smallest C2/C1 the circuit takes
    bool Ok() const { return failure == ResolveFailure::None; }
};

// The resistors re-solved for capacitors that moved by their Delta from PrevValue, so that the
// stage keeps its pole frequency, Q and, where it holds them, gain and zero frequency:
// - the Sallen-Key lowpass I and highpass I (11, 26) and the Deliyannis bandpass I (41) keep
//   wp and Q exactly in closed form;
// - the Sallen-Key lowpass II and highpass II and the Deliyannis bandpass II (12, 27, 42)
//   scale R1 and R2 by sqrt(C1'·C2'/(C1·C2)), which keeps wp, and take the gain-setting
//   resistor of the pair that gives back Q;
// - first-order circuits keep R·C of their listed resistor (with the resistor that sets the
//   gain with it);
// - every other circuit through the linearised re-solve of its adjustment descriptor:
//   Σk S(p, rk)·ΔRk/Rk + Σc S(p, c)·ΔCc/Cc = 0 for every held parameter p, from the
//   components' sensitivity slots; where the gain is not held, ActualGain follows to first
//   order.
// The resistors' PrevValue are the values that go with the capacitors' PrevValue (the
// reference of the change); each re-solved resistor gets Value = its new value and Delta. On
// failure the resistors are as they were.
ResolveOutcome ResolveResistorsForCapacitors(StageCircuitRecord& record);

// The storage slot of a parameter code (1 pole frequency, 2 pole Q, 3 gain, 4 zero frequency,
// 5 third pole, 6 third zero, 7 zero Q); -1 for any other code.
int SlotOfParameterCode(int code);

}  // namespace tavrel
