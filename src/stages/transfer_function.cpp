#include "stages/transfer_function.h"

#include "core/math_helpers.h"
#include "core/number_format.h"
#include "stages/stage_types.h"

namespace tavrel {

namespace {

constexpr const char* kNotShown = "----";

std::string Scientific(long double x, int decimals) { return Sci(x, decimals + 2, decimals); }

}  // namespace

Biquad BiquadOf(const StageRecord& stage, bool hz) {
    Biquad biquad;
    const StageTypeRow* row = FindStageType(stage.StageType);
    if (!row) return biquad;
    const long double unit = hz ? 2 * kPi : 1;
    const long double wp = stage.Wp / unit, wz = stage.Wz / unit, wc = stage.Wc / unit;
    biquad.To = stage.To;
    for (size_t k = 0; k < row->abcdef.size(); ++k) {
        Coefficient& c = biquad.abcdef[k];
        switch (row->abcdef[k]) {
            case Term::Zero: c = {0, true}; break;
            case Term::One: c = {1, true}; break;
            case Term::Wc: c.value = wc; break;
            case Term::WpOverQp: c.value = wp / stage.Qp; break;
            case Term::WpSquared: c.value = wp * wp; break;
            case Term::WzSquared: c.value = wz * wz; break;
        }
    }
    return biquad;
}

std::array<std::string, 11> TransferFunctionHeads(bool hz) {
    return {"Stage", "To", "A", "B", "C", "D", "E", "F", hz ? "fp" : "wp", "Qp", hz ? "fz" : "wz"};
}

std::array<std::string, 11> TransferFunctionRow(const StageRecord& stage, int stageNumber, bool hz) {
    std::array<std::string, 11> row;
    if (!FindStageType(stage.StageType)) return row;
    const Biquad biquad = BiquadOf(stage, hz);
    const long double unit = hz ? 2 * kPi : 1;
    row[0] = std::to_string(stageNumber);
    row[1] = Scientific(biquad.To, 8);
    for (size_t k = 0; k < 6; ++k) {
        const Coefficient& c = biquad.abcdef[k];
        row[k + 2] = c.literal ? (c.value == 0 ? "0" : "1.0") : Scientific(c.value, 7);
    }
    const bool firstOrder = IsFirstOrderStage(stage.StageType);
    row[8] = firstOrder ? kNotShown : Scientific(stage.Wp / unit, 7);
    row[9] = firstOrder ? kNotShown : Scientific(stage.Qp, 7);
    row[10] = IsNotchStage(stage.StageType) ? Scientific(stage.Wz / unit, 7) : kNotShown;
    return row;
}

}  // namespace tavrel
