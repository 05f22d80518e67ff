#pragma once
#include <initializer_list>

#include "circuits/records/stage_circuit_record.h"
#include "stages/stage_record.h"

namespace tavrel {

// The steps every design routine shares, in the order a routine calls them.

// Gain rules. ActualGain holds the desired gain on entry.
// The circuit's topology fixes the gain: K := k, GainForced set.
void FixGain(StageCircuitRecord& record, long double k);
// The circuit takes the desired gain: GainForced cleared.
void TakeGain(StageCircuitRecord& record);
// When condition holds the gain becomes k (forced), otherwise the desired gain is taken.
void ForceGainIf(StageCircuitRecord& record, bool condition, long double k);
// A desired gain at or above limit becomes factor × limit (forced).
void CapGain(StageCircuitRecord& record, long double limit, long double factor);

// The capacitor ratio of a " C2 variable" design: the smallest power of ten above x, from 10 up
// to 1 000 000.
long double DecadeAbove(long double x);

// k1, k2 (FreqShiftCoef, QShiftCoef) and the two spread coefficients.
void SetOpAmpCoefficients(StageCircuitRecord& record, long double k1, long double k2, long double s1 = 0,
                          long double s2 = 0);

// The same from the op amps' shares: k1 and k2 are the sums of the shares t and u of the
// single op amps, s1 and s2 the sums of their squares.
void SetOpAmpShares(StageCircuitRecord& record, std::initializer_list<long double> t, std::initializer_list<long double> u);

// DesignW and DesignQ: the pole data that the op amps' finite GBW brings back to Wp and Qp when
// Compensate is set, Wp and Qp otherwise; then GBWError and MinGBW. Needs k1 and k2.
void PreDistort(const StageRecord& stage, StageCircuitRecord& record);

// The pole displacement sqrt((k2/(2·Qp))² + k1²)·Wp/(2π·GBW); 0 without a GBW.
long double GBWErrorOf(long double k1, long double k2, long double wp, long double qp, long double gbwHz);

// 20·max(|k1|, |k2|)·Wp/(2π) in Hz, rounded down to a half step of its leading digit.
long double RecommendedGBW(long double k1, long double k2, long double wp);

// m·10^e with m in [1, 10) becomes (m rounded down to a multiple of 0.5)·10^e.
long double RoundDownToHalfStep(long double value);

// First-order stages have no pole pair: DesignW := Wc, and no op-amp coefficients or GBW figures.
void FirstOrderPoleData(const StageRecord& stage, StageCircuitRecord& record);

// The pole-frequency, pole-Q and gain slots of a component.
void SetSensitivities(ComponentEntry& entry, long double s1, long double s2, long double s3);

// Slot `to` of every resistor and capacitor gains factor times its slot `from`: the chain rule
// for a parameter that is another one's function.
void AddScaledSlot(StageCircuitRecord& record, int to, int from, long double factor);

// The validity test that ends every routine: Invalid when a resistor is below 0 (at or below 0
// with zeroResistorInvalid) or a capacitor is at or below 0. A value that is not a number at
// all counts as invalid too.
void CheckComponentValues(StageCircuitRecord& record, bool zeroResistorInvalid = false);

// Value of resistor i / capacitor j (1-based).
inline ComponentEntry& R(StageCircuitRecord& record, int i) { return record.Resistors[static_cast<size_t>(i - 1)]; }
inline ComponentEntry& C(StageCircuitRecord& record, int j) { return record.Capacitors[static_cast<size_t>(j - 1)]; }

}  // namespace tavrel
