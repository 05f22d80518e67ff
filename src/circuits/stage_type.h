#pragma once
#include <string>

namespace tavrel {

// Stage type codes as the stage record stores them.
namespace StageType {
inline constexpr int FLP = 0;
inline constexpr int FHP = 1;
inline constexpr int SLP = 2;
inline constexpr int SHP = 3;
inline constexpr int SBP = 4;
inline constexpr int SLPN = 5;
inline constexpr int SHPN = 6;
inline constexpr int SN = 7;
}  // namespace StageType

inline constexpr int kStageTypeCount = 8;

// The four-character code text ("FLP ", "SN  ", ...); empty for an unknown code.
std::string StageTypeName(int stageType);

// The code text without its trailing blanks ("FLP", "SN").
std::string StageTypeCode(int stageType);

inline bool IsFirstOrder(int stageType) { return stageType == StageType::FLP || stageType == StageType::FHP; }
inline bool IsNotch(int stageType) {
    return stageType == StageType::SLPN || stageType == StageType::SHPN || stageType == StageType::SN;
}

}  // namespace tavrel
