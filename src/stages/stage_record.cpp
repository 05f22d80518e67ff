#include "stages/stage_record.h"

#include <cmath>

#include "stages/stage_types.h"

namespace tavrel {

std::string StageTypeText(int stageType) {
    const StageTypeRow* row = FindStageType(stageType);
    return row ? row->typeName : "";
}

std::string StageTypeCode(int stageType) {
    std::string text = StageTypeText(stageType);
    while (!text.empty() && text.back() == ' ') text.pop_back();
    return text;
}

bool IsFirstOrderStage(int stageType) {
    const StageTypeRow* row = FindStageType(stageType);
    return row && row->order == 1;
}

bool IsNotchStage(int stageType) {
    const StageTypeRow* row = FindStageType(stageType);
    return row && row->numerator == Numerator::SSquaredPlusWz2;
}

void ToFromGain(StageRecord& stage) {
    const StageTypeRow* row = FindStageType(stage.StageType);
    if (!row) return;
    const long double g = stage.GainFactor, wp = stage.Wp;
    switch (row->to) {
        case ToRule::GOverWc: stage.To = g / stage.Wc; break;
        case ToRule::G: stage.To = g; break;
        case ToRule::GOverWpSquared: stage.To = g / (wp * wp); break;
        case ToRule::GTimesQpOverWp: stage.To = g * stage.Qp / wp; break;
    }
}

long double StageMagnitude(const StageRecord& stage, long double w) {
    const StageTypeRow* row = FindStageType(stage.StageType);
    if (!row) return 0;
    // The grid of a band design may start below zero; a magnitude depends on |w| only.
    w = std::fabs(w);
    long double denominator;
    if (row->order == 1) {
        denominator = std::sqrt(stage.Wc * stage.Wc + w * w);
    } else {
        const long double wp = stage.Wp;
        const long double damping = w * wp / stage.Qp, distance = wp * wp - w * w;
        denominator = std::sqrt(damping * damping + distance * distance);
    }
    switch (row->numerator) {
        case Numerator::One: return 1 / denominator;
        case Numerator::S: return w / denominator;
        case Numerator::SSquared: return w * w / denominator;
        case Numerator::SSquaredPlusWz2: return std::fabs(stage.Wz * stage.Wz - w * w) / denominator;
    }
    return 0;
}

long double StageMagnitudeAtInfinity(const StageRecord& stage) {
    const StageTypeRow* row = FindStageType(stage.StageType);
    if (!row) return 0;
    switch (row->numerator) {
        case Numerator::One: return 0;
        case Numerator::S: return row->order == 1 ? 1 : 0;
        case Numerator::SSquared:
        case Numerator::SSquaredPlusWz2: return 1;
    }
    return 0;
}

}  // namespace tavrel
