#include "circuits/stage_type.h"

#include "core/number_format.h"

namespace tavrel {

std::string StageTypeName(int stageType) { return StageTypeText(stageType); }

std::string StageTypeCode(int stageType) { return TrimTrailing(StageTypeName(stageType)); }

}  // namespace tavrel
