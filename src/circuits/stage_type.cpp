#include "circuits/stage_type.h"

#include <array>

#include "core/number_format.h"

namespace tavrel {

std::string StageTypeName(int stageType) {
    static const std::array<const char*, kStageTypeCount> names{"FLP ", "FHP ", "SLP ", "SHP ",
                                                               "SBP ", "SLPN", "SHPN", "SN  "};
    if (stageType < 0 || stageType >= kStageTypeCount) return "";
    return names[static_cast<size_t>(stageType)];
}

std::string StageTypeCode(int stageType) { return TrimTrailing(StageTypeName(stageType)); }

}  // namespace tavrel
