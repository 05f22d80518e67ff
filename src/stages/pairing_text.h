#pragma once
#include <array>
#include <string>

#include "core/design_state.h"
#include "stages/stage_tables.h"

namespace tavrel {

// The texts of the pairing and cascading windows. Frequencies are shown in Hz (fp, fz,
// divided by 2 pi) or rad/s (wp, wz); the pole coordinates sigma and omega stay in rad/s.
// Every value carries its unit.

// A line of the "Poles:" list for pole entry `entry`.
std::string PoleListLine(const StageTables& tables, int entry, bool hz);
// A line of the "Zeros:" list: kind, a tab, the zero frequency.
std::string ZeroListLine(const StageTables& tables, int entry, bool hz);

// The columns of a "Pole-Zero Pairs" line: type, pole kind, pole frequency, Q, zero kind,
// zero frequency. Columns a stage does not have are empty.
using PairsLineFields = std::array<std::string, 6>;
PairsLineFields PairsListFields(const StageTables& tables, int stage, bool hz);
// The same line with its fields separated by tabs.
std::string PairsListLine(const StageTables& tables, int stage, bool hz);

// A line of the "Flatness" list.
std::string FlatnessLine(const StageRecord& stage);

// What a stage type is, for the tooltip of its code ("SLPN: lowpass notch, ..."); empty for
// a code that is not a stage type.
std::string StageTypeExplanation(int stageType);
// What the flatness of a stage measures, for the tooltip of the "Flatness" list.
extern const char* const kFlatnessExplanation;

// The description of the design that heads the transfer-function page and the printed
// pages, e.g. "Butterworth Lowpass Filter  N=5".
std::string DesignTitle(const DesignState& state);

}  // namespace tavrel
