#pragma once
#include "circuits/catalog/circuit_definition.h"
#include "circuits/records/stage_circuit_record.h"
#include "circuits/values/resistor_series.h"

namespace tavrel {

// How the resistors of a stage are rounded to standard values: " Strategy 1" takes each
// resistor's nearer candidate; " Strategy 2" chooses, for the resistors whose values set the
// pole frequency, the combination of upper and lower candidates whose predicted gain deviation
// is smallest, and rounds the others as Strategy 1 does.
enum class RoundingStrategy { Nearest, BestCombination };

// The gain-deviation weights of a stage at its reference frequency, in dB per unit relative
// change of the pole frequency (h1), the pole Q (h2) and the zero frequency (h3), as the merit
// evaluation gives them for the gain spread.
struct GainDeviationWeights {
    long double poleFrequency = 0;
    long double poleQ = 0;
    long double zeroFrequency = 0;
};

// dB per unit relative change of a gain, as the gain figures round it (20 / ln 10).
inline constexpr long double kDbPerUnitGain = 8.68L;

// The gain deviation in dB that a relative change of one component is predicted to cause,
// per unit of the change: S1·h1 + S2·h2 + S4·h3 from its sensitivity slots of pole frequency,
// pole Q and zero frequency, and its slot of the gain itself, which is a plain relative change
// and counts in dB like the weights.
long double GainDeviationPerUnit(const ComponentEntry& component, const GainDeviationWeights& weights);

// Replaces every resistor of the stage that the user has not fixed by a standard value of the
// series: the computed value goes to ExactValue and the resistor is Marked. With
// BestCombination the circuit's listed resistors (the ones whose values enter d0) take the
// combination c = 0 .. 2^N - 1 (listed resistor k upper when bit k - 1 of c is set) whose
// predicted deviation sum (R'k - Rk)/Rk · GainDeviationPerUnit is smallest in magnitude; of
// equal ones the first is kept.
void StandardiseResistors(StageCircuitRecord& record, const CircuitDefinition& circuit, ResistorSeries series,
                          RoundingStrategy strategy, const GainDeviationWeights& weights);

}  // namespace tavrel
