#pragma once
#include <array>

#include "circuits/records/stage_circuit_record.h"

namespace tavrel {

// Row i (0-based, component i + 1): three classical sensitivities of resistor i in columns
// 0..2 and three of capacitor i in columns 3..5. There is a row for every resistor a circuit
// can have, so the ten-resistor notch circuits are covered too.
using SensitivityMatrix = std::array<std::array<long double, 6>, kMaxResistors>;

// Turns the classical sensitivities into the component slots of a stage with pole quality q.
// With poleFlag the pole-frequency, pole-Q and third-pole slots are written; otherwise the
// zero-frequency and zero-Q slots (notch types only) and the third-zero slot.
void SensitivityTransform(StageCircuitRecord& record, int stageType, long double q, const SensitivityMatrix& matrix,
                          bool poleFlag, long double w1, long double w2, long double w3);

// Positions in SensTotals (0-based) of the sums of one slot: signed over resistors,
// capacitors and both, then the sums of squares over the same three sets.
namespace SensSum {
inline constexpr int PoleFrequency = 0;
inline constexpr int PoleQ = 6;
inline constexpr int ZeroFrequency = 12;
inline constexpr int ThirdPole = 18;
inline constexpr int ThirdZero = 24;
inline constexpr int Resistors = 0;
inline constexpr int Capacitors = 1;
inline constexpr int Total = 2;
inline constexpr int Squares = 3;  // added to the three above
}  // namespace SensSum

// Recomputes every sum of a stage from its component slots.
void SensitivitySums(StageCircuitRecord& record, int stageType);

}  // namespace tavrel
