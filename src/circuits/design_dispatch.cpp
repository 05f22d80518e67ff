#include "circuits/design_routine.h"

#include "circuits/stage_type.h"

namespace tavrel {

namespace {

// A type whose design file is not part of the build has no routines yet (see CMakeLists.txt).
std::span<const DesignRoutine> RoutinesOfType(int stageType) {
    switch (stageType) {
#ifdef TAVREL_DESIGN_FLP
        case StageType::FLP: return FlpDesignRoutines();
#endif
#ifdef TAVREL_DESIGN_FHP
        case StageType::FHP: return FhpDesignRoutines();
#endif
#ifdef TAVREL_DESIGN_SLP
        case StageType::SLP: return SlpDesignRoutines();
#endif
#ifdef TAVREL_DESIGN_SHP
        case StageType::SHP: return ShpDesignRoutines();
#endif
#ifdef TAVREL_DESIGN_SBP
        case StageType::SBP: return SbpDesignRoutines();
#endif
#ifdef TAVREL_DESIGN_SLPN
        case StageType::SLPN: return SlpnDesignRoutines();
#endif
#ifdef TAVREL_DESIGN_SHPN
        case StageType::SHPN: return ShpnDesignRoutines();
#endif
#ifdef TAVREL_DESIGN_SN
        case StageType::SN: return SnDesignRoutines();
#endif
        default: return {};
    }
}

}  // namespace

DesignRoutine FindDesignRoutine(int stageType, int circuitIndex) {
    const auto routines = RoutinesOfType(stageType);
    if (circuitIndex < 1 || circuitIndex > static_cast<int>(routines.size())) return nullptr;
    return routines[static_cast<size_t>(circuitIndex - 1)];
}

}  // namespace tavrel
