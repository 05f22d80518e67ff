#include "stages/stage_forming.h"

#include <cmath>

namespace tavrel {

std::uint8_t ClassifyStage(const StageTables& tables, int pole1, int pole2, int zero1, int zero2) {
    std::uint8_t type;
    const PairPoleEntry& pole = tables.PairPoleList[static_cast<size_t>(pole1)];
    const PairZeroEntry& zero = tables.PairZeroList[static_cast<size_t>(zero1)];
    if (pole.IsPair) {
        if (zero1 == 0)
            type = StageCode::SLP;
        else if (!zero.IsPair && zero2 == 0)
            type = StageCode::SBP;
        else if (zero2 != 0 || zero.Wz == 0)
            type = StageCode::SHP;
        else if (zero.Wz == pole.Wp)
            type = StageCode::SN;
        else
            type = zero.Wz < pole.Wp ? StageCode::SHPN : StageCode::SLPN;
    } else {
        type = zero1 == 0 ? StageCode::FLP : StageCode::FHP;
    }
    return pole2 != 0 ? StageCode::SN : type;
}

void CombineRealPoles(StageRecord& stage, long double sigma1, long double sigma2) {
    stage.Wp = std::sqrt(sigma1 * sigma2);
    stage.Qp = stage.Wp / (sigma1 + sigma2);
}

void FormStage(StageTables& tables, int stage, int pole1, int pole2, int zero1, int zero2) {
    StageRecord& record = tables.Stage[static_cast<size_t>(stage)];
    PairPoleEntry& first = tables.PairPoleList[static_cast<size_t>(pole1)];
    record.StageType = ClassifyStage(tables, pole1, pole2, zero1, zero2);
    record.TypeName = StageTypeText(record.StageType);
    record.Pole1 = static_cast<std::int16_t>(pole1);
    record.Pole2 = static_cast<std::int16_t>(pole2);
    record.Zero1 = static_cast<std::int16_t>(zero1);
    record.Zero2 = static_cast<std::int16_t>(zero2);
    if (pole2 != 0) {
        CombineRealPoles(record, first.Sigma, tables.PairPoleList[static_cast<size_t>(pole2)].Sigma);
    } else {
        record.Wp = first.Wp;
        record.Qp = first.Q;
    }
    record.Wz = zero1 != 0 ? tables.PairZeroList[static_cast<size_t>(zero1)].Wz : Real48(0);
    record.Wc = first.Sigma;
    for (int pole : {pole1, pole2})
        if (pole != 0) tables.PairPoleList[static_cast<size_t>(pole)].Available = 0;
    for (int zero : {zero1, zero2})
        if (zero != 0) tables.PairZeroList[static_cast<size_t>(zero)].Available = 0;
}

void ClearStagePairing(StageRecord& stage) {
    stage.TypeName.clear();
    stage.Pole1 = stage.Pole2 = stage.Zero1 = stage.Zero2 = 0;
    stage.Wp = stage.Qp = stage.Wz = stage.Wc = 0;
}

}  // namespace tavrel
