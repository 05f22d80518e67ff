#pragma once
#include <array>
#include <string>

#include "circuits/stage_circuit_record.h"

namespace tavrel {

// The work arrays the coefficient routines read (1-based: R[i] is Ri, C[j] is Cj) and the
// two outputs they leave beside their value.
struct CoefficientWork {
    std::array<long double, 12> R{};
    std::array<long double, 12> G{};  // 1/R
    std::array<long double, 5> C{};
    std::array<long double, 5> D{};   // 1/C
    bool UnitConstantForm = false;    // the last routine returned a·s^2 + b·s + 1 coefficients
    std::string ResistorList;         // resistors entering d0, written on request
};

// Fills the work arrays from the current values of a stage's components.
void LoadComponentValues(CoefficientWork& work, const StageCircuitRecord& record);

namespace CoefficientKind {
inline constexpr int Denominator = 0;
inline constexpr int Numerator = 1;
inline constexpr int GainConstant = 2;
}  // namespace CoefficientKind

// One coefficient of a circuit's transfer function with ideal op amps, from the work arrays.
// Clears UnitConstantForm, then sets it for the circuits that answer in unit-constant form.
// With recordList, kind 0 and power 0 also write ResistorList. An unknown circuit gives 0.
long double StageCoefficient(CoefficientWork& work, int stageType, int circuitIndex, int kind, int power,
                             bool recordList = false);

}  // namespace tavrel
