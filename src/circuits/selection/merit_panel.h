#pragma once
#include <array>
#include <string>
#include <vector>

#include "circuits/records/design.h"

namespace tavrel {

// The texts and figures of the merit panel of one candidate of a stage, as the selection
// window draws them.

// "R= 12:1", "R= >5000:1" (from 5000 on), "R= N/A " for an invalid design.
std::string ResistorSpreadText(const MeritEntry& entry);
// "    C= 10:1", "    C= >5000:1", "    C= N/A".
std::string CapacitorSpreadText(const MeritEntry& entry);
// "R:4    C:2    OA:1".
std::string ComponentCountText(const MeritEntry& entry);

// A frequency in Hz as the panel writes GBWs: above 1e9 Hz in GHz with one decimal, from
// 1e7 Hz in MHz without decimals, from 1e5 Hz in MHz with one decimal, below in MHz with two.
std::string PanelFrequencyText(long double hz);

// "Min. Recommended" / "Unity GBW: " and the candidate's recommended GBW, "N/A" for a
// first-order stage.
inline constexpr const char* kMinGbwCaption = "Min. Recommended";
std::string MinGbwText(const MeritEntry& entry, int stageType);
// "for GBW=" and the stage's op-amp GBW.
std::string SpreadGbwText(const StageCircuitRecord& stageCircuit);

// The two gains (4 decimals in a width of 5); for a lowpass-notch stage both are the gains at
// DC, (Wz/Wp)² times the stored ones. warn: they differ by more than 0.001 (the actual gain
// drawn in the warning colour); forced: the candidate forced its own gain (a red "F" after it).
struct GainTexts {
    std::string desired;  // "Desired gain: 1.0000"
    std::string actual;   // "Actual gain: 2.0000"
    bool warn = false;
    bool forced = false;
};
GainTexts GainTextsOf(const MeritEntry& entry, const StageRecord& stage);

// "Ease of Tuning:" and the words of the circuit's code ("Excellent" ...).
inline constexpr const char* kEaseOfTuningCaption = "Ease of Tuning:";
std::string EaseOfTuningWords(int circuitNo);

// The three centred words of the warning box: "Circuit" "not" "suitable" for an invalid
// design; with warnings asked for, "Resistor" "spread" "warning" above a resistor spread of
// 1000, else "Capacitor" "spread" "warning" above a capacitor spread of 1000; none otherwise.
std::vector<std::string> WarningWords(const MeritEntry& entry, bool warningsAsked);

// The spread bar of a candidate, in parts of the largest total spread of the stage's
// candidates: the passive and the active variance (the two add up to the total). best: its
// total is within 0.99 of the smallest included total. An excluded candidate shows
// "Excluded" instead, an invalid one nothing.
struct SpreadBar {
    bool shown = false;
    bool excluded = false;
    long double passive = 0, active = 0;  // fractions of MaxSpread
    bool best = false;
};
SpreadBar SpreadBarOf(const MeritBlock& block, int candidate, int count);
// No included candidate has an active spread: the panel says so.
bool ActiveSpreadZeroForAll(const MeritBlock& block, int count);

inline constexpr const char* kMeritCaptions[] = {"Component Spread", "# Components", "Gain Spread", "Excluded"};
inline constexpr const char* kActiveSpreadZeroText = "At this frequency the active gain spread is zero for all circuits.";
inline constexpr const char* kUnityGbwCaption = "Unity GBW: ";
// The box that toggles Included, and the legends that hide or show a part of the bars.
inline const char* IncludeHint(bool included) { return included ? "Exclude circuit" : "Include circuit"; }
inline constexpr const char* kPassiveLegend = " Passive";
inline constexpr const char* kActiveLegend = " Active";
inline const char* PassiveHint(bool shown) { return shown ? "Hide Passive" : "Show Passive"; }
inline const char* ActiveHint(bool shown) { return shown ? "Hide Active" : "Show Active"; }

// The stage header: "Stage 2 of 5", "Q=0.7071     fp=1.234 KHz" ("     wp=" with angular
// units; "     fz=" for notch stages; "fc=" alone for first-order stages) and "Inverting" or
// "Non-inverting" for the highlighted candidate.
struct StageHeader {
    std::string stage, figures, inverting;
};
StageHeader StageHeaderOf(const Design& design, int stage, const MeritEntry& highlighted);

}  // namespace tavrel
