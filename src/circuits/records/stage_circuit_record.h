#pragma once
#include <array>
#include <cstdint>

#include "core/real48.h"
#include "stages/stage_record.h"

namespace tavrel {

inline constexpr int kMaxResistors = 10;
inline constexpr int kMaxCapacitors = 4;
inline constexpr int kSensSlots = 7;
inline constexpr int kSensTotals = 30;

// Storage positions (0-based) of the sensitivity slots of a component.
namespace SensSlot {
inline constexpr int PoleFrequency = 0;   // parameter code 1
inline constexpr int PoleQ = 1;           // code 2
inline constexpr int ThirdPole = 2;       // code 5
inline constexpr int ZeroFrequency = 3;   // code 4
inline constexpr int ZeroQ = 4;           // code 7
inline constexpr int ThirdZero = 5;       // code 6
inline constexpr int Gain = 6;            // code 3
}  // namespace SensSlot

// One resistor or capacitor of a stage.
struct ComponentEntry {
    Real48 Value;
    Real48 PrevValue;
    Real48 ExactValue;
    Real48 UserValue;
    std::uint8_t UserFixed = 0;
    Real48 UserRatio;
    std::uint8_t Marked = 0;
    std::array<Real48, kSensSlots> Sens{};
    Real48 Delta;
    Real48 SpreadShare;
    std::array<std::uint8_t, 6> Spare{};
};

// The circuit chosen for one stage, its component values and the figures derived from them.
struct StageCircuitRecord {
    std::uint8_t NewlySelected = 0;
    std::uint8_t Invalid = 0;
    std::uint8_t SpareFlag = 0;
    Real48 AuxPoleW;
    std::uint8_t TwinT = 0;
    std::uint8_t Inverting = 0;
    std::int16_t CircuitIndex = 0;
    std::int16_t CircuitNo = 0;
    std::int16_t SelectedIndex = 0;
    Real48 DesignQ;
    Real48 DesignW;
    std::int16_t ResistorCount = 0;
    std::int16_t CapacitorCount = 0;
    std::int16_t OpAmpCount = 0;
    Real48 DesiredGain;
    Real48 ActualGain;
    Real48 GainRatio;
    std::uint8_t GainForced = 0;
    Real48 ActualGainCopy;
    Real48 ResetValue;
    Real48 GainBeforeAdjust;
    Real48 UserGain;
    Real48 GainPercent;
    std::uint8_t UserGainSet = 0;
    Real48 InputAttenuation;
    std::array<char, 2> AttenResistors{' ', ' '};
    Real48 ScaleFactor = 1;
    Real48 CapRatio;
    std::int16_t C1Index0 = 0;
    std::int16_t C1Decade0 = 0;
    std::int16_t C1Index = 0;
    std::int32_t C1Decade = 0;
    std::uint8_t C2Adjustable = 0;
    std::int16_t C2Index0 = 0;
    std::int16_t C2Decade0 = 0;
    std::int16_t C2Index = 0;
    std::int32_t C2Decade = 0;
    std::uint8_t CapsAdjusted = 0;
    std::uint8_t GainPair = 0;
    std::int16_t GainResIndex = 0;
    std::int16_t GainResDecade = 0;
    Real48 GainResDefault;
    std::int16_t GainResIndex0 = 0;
    std::int16_t GainResDecade0 = 3;
    std::uint8_t C2VariableOption = 0;
    Real48 GainRes2Default;
    std::uint8_t C2Variable = 0;
    std::uint8_t HasCompVariant = 0;
    std::uint8_t CompResistors = 0;
    std::int16_t CompVariant = 0;
    std::uint8_t Compensate = 0;
    std::uint8_t EqualApplied = 0;
    std::array<ComponentEntry, kMaxResistors> Resistors{};   // R1..R10 at 0..9
    std::array<ComponentEntry, kMaxCapacitors> Capacitors{}; // C1..C4 at 0..3
    Real48 GBWError;
    Real48 OpAmpNoise;
    std::array<Real48, kSensTotals> SensTotals{};
    Real48 FreqShiftCoef;
    Real48 QShiftCoef;
    Real48 OpAmpGBW;
    Real48 OpAmpGBWTol;
    Real48 OpAmpGBWTC = 2e-3L;
    Real48 MinGBW;
    Real48 SpreadCoef1;
    Real48 SpreadCoef2;
};

// The op-amp settings of a stage that survive re-initialisation of its record.
struct SavedOpAmp {
    Real48 GBW;
    Real48 GBWTol;
    Real48 GBWTC = 2e-3L;
    Real48 Noise;
};

// The capacitor choice of a stage, kept across recalculations and circuit changes: C1's and
// C2's place in the E12 list, the ratio, and the capacitor values in two copies (the exact
// values the design gave and the standard values put in their place).
struct CapacitorSet {
    std::int16_t C1Index = 0;
    std::int32_t C1Decade = 0;
    std::int16_t C2Index = 0;
    std::int32_t C2Decade = 0;
    Real48 CapRatio;
    std::array<Real48, kMaxCapacitors> ExactValues{};
    std::array<Real48, kMaxCapacitors> StandardValues{};
};

inline constexpr int kMaxCandidates = 13;

// The merits of one candidate circuit of a stage, as circuit selection compares them.
struct MeritEntry {
    std::uint8_t Included = 1;  // takes part in the gain-spread comparison
    Real48 ActiveSpread;        // gain-spread variance from the op amp's GBW tolerance
    Real48 TotalSpread;         // components and op amp
    Real48 MinGBW;              // Hz
    std::int16_t ResistorCount = 0;
    std::int16_t CapacitorCount = 0;
    std::int16_t OpAmpCount = 0;
    std::int32_t RSpread = 0;
    std::int32_t CSpread = 0;
    Real48 DesiredGain;
    Real48 ActualGain;
    std::uint8_t Invalid = 0;
    std::uint8_t Inverting = 0;
    std::uint8_t GainForced = 0;  // the candidate's GainForced after its design
};

// The merit block of a stage: its reference frequencies and weights, and one entry per
// candidate in CircuitIndex order (entry k - 1 for candidate k).
struct MeritBlock {
    Real48 RefFreq1;  // rad/s, highpass stages
    Real48 RefFreq2;  // rad/s, lowpass, bandpass and notch stages
    std::array<Real48, 3> SpreadWeights{};  // per unit change of pole frequency, pole Q, zero frequency
    Real48 TwinTWeight;
    Real48 MaxSpread;
    std::array<MeritEntry, kMaxCandidates> Candidates{};
};

// The per-stage circuit records and the per-stage choices kept beside them, numbered like the
// stages: stage s at index s (index 0 unused).
struct CircuitTable {
    std::array<StageCircuitRecord, kMaxStages + 1> Record{};
    std::array<std::uint8_t, kMaxStages + 1> SavedC2Variable{};  // the " C2 variable" choice per stage
    std::array<std::uint8_t, kMaxStages + 1> SavedEqual{};       // the " C1=C2 : R1=R2" choice
    std::array<std::uint8_t, kMaxStages + 1> EqualOption{};      // " C1=C2 : R1=R2" offered
    std::array<SavedOpAmp, kMaxStages + 1> SavedOpAmps{};
    std::array<CapacitorSet, kMaxStages + 1> CapacitorSets{};      // the capacitor choice in force
    std::array<CapacitorSet, kMaxStages + 1> CapacitorSetBackup{}; // as first calculated (" Reset")
    std::array<MeritBlock, kMaxStages + 1> Merits{};
    std::array<std::uint8_t, kMaxStages + 1> GBWSetByUser{};  // set in the component characteristics
    bool AllResistorsStandard = false;
};

}  // namespace tavrel
