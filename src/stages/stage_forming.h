#pragma once
#include <cstdint>

#include "stages/stage_tables.h"

namespace tavrel {

// The stage type of a group of pairing-list entries (entry numbers, 0 = absent).
std::uint8_t ClassifyStage(const StageTables& tables, int pole1, int pole2, int zero1, int zero2);

// Fills stage record `stage` from the pairing lists and marks the entries used.
void FormStage(StageTables& tables, int stage, int pole1, int pole2, int zero1, int zero2);

// The values a stage of two real poles takes: wp = sqrt(s1 s2), Qp = wp / (s1 + s2).
void CombineRealPoles(StageRecord& stage, long double sigma1, long double sigma2);

// Clears what pairing put into a stage record (type text, entries, frequencies).
void ClearStagePairing(StageRecord& stage);

}  // namespace tavrel
