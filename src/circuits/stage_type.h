#pragma once
#include <string>

#include "stages/stage_record.h"

namespace tavrel {

// The stage type codes of the stage record (stages/stage_record.h), as ints for the
// circuit tables.
namespace StageType {
inline constexpr int FLP = StageCode::FLP;
inline constexpr int FHP = StageCode::FHP;
inline constexpr int SLP = StageCode::SLP;
inline constexpr int SHP = StageCode::SHP;
inline constexpr int SBP = StageCode::SBP;
inline constexpr int SLPN = StageCode::SLPN;
inline constexpr int SHPN = StageCode::SHPN;
inline constexpr int SN = StageCode::SN;
}  // namespace StageType

inline constexpr int kStageTypeCount = StageCode::Count;

// The four-character code text ("FLP ", "SN  ", ...); empty for an unknown code.
std::string StageTypeName(int stageType);

// The code text without its trailing blanks ("FLP", "SN").
std::string StageTypeCode(int stageType);

inline bool IsFirstOrder(int stageType) { return IsFirstOrderStage(stageType); }
inline bool IsNotch(int stageType) { return IsNotchStage(stageType); }

}  // namespace tavrel
