#pragma once
#include <nlohmann/json.hpp>
#include <optional>
#include <string>
#include <vector>

#include "circuits/records/design.h"

namespace tavrel::cli {

// The component characteristics the analyses of the design command assume, as typed.
struct CharacteristicsOptions {
    std::optional<std::string> cTol, gbwTol;         // percent
    std::optional<std::string> rTc, cTc, gbwTc;      // ppm/deg C
    std::optional<std::string> tempRange;            // deg C
    std::optional<std::string> atHz;                 // the frequency of the details, Hz
};

// The characteristics into the design (the resistor tolerance comes with the standard series)
// and the op-amp tolerance and coefficient, one for all stages here, into every stage's record.
void ApplyCharacteristics(const CharacteristicsOptions& options, Design& design);

// "--circuits auto": for every stage the valid candidate with the smallest total gain spread
// at the stage's reference frequency (ties to the lower number); the candidates are
// evaluated with the op amp each stage has (gbwHz: one per stage, or empty). No valid
// candidate is bad usage.
std::vector<int> AutoCircuitNumbers(Design& design, const std::vector<long double>& gbwHz);

// Per stage "merits" of its circuit and "candidates" of its type, and the filter's "spread"
// and "temperature" at --at-hz or, without it, at the passband frequency of largest
// attenuation, with their curves over the passband.
void AddAnalysis(const CharacteristicsOptions& options, Design& design, nlohmann::json& doc);

}  // namespace tavrel::cli
