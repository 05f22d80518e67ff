#include "analysis/final_response/without_predistortion.h"

#include "circuits/calculation/recalculate.h"

namespace tavrel {

std::unique_ptr<Design> WithoutPredistortion(const Design& design) {
    bool any = false;
    for (int s = 1; s <= design.State.StageCount; ++s) any = any || design.Circuit(s).Compensate;
    if (!any) return nullptr;
    auto copy = std::make_unique<Design>(design);
    for (int s = 1; s <= copy->State.StageCount; ++s) copy->Circuit(s).Compensate = 0;
    RecalculateAll(*copy, true);
    return copy;
}

}  // namespace tavrel
