#include <cmath>
#include <limits>

#include "stages/pairing.h"
#include "stages/stage_forming.h"

namespace tavrel {

namespace {

// The free zero nearest to wp; the lowest entry among equally near ones; 0 when none. The
// search has no distance limit, so designs far above 100 MHz keep every zero.
int NearestFreeZero(const StageTables& tables, long double wp) {
    int choice = 0;
    long double best = std::numeric_limits<long double>::infinity();
    for (int j = 1; j <= tables.ZeroEntryCount; ++j) {
        if (tables.ZeroTaken[static_cast<size_t>(j)]) continue;
        const long double distance = std::fabs(wp - tables.PairZeroList[static_cast<size_t>(j)].Wz);
        if (distance < best) {
            best = distance;
            choice = j;
        }
    }
    return choice;
}

// Two real poles and a zero in one stage, typed by where the zero lies against wp.
void FormRealPoleNotch(StageTables& tables, int stage, int zero) {
    StageRecord& record = tables.Stage[static_cast<size_t>(stage)];
    PairPoleEntry& first = tables.PairPoleList[static_cast<size_t>(stage)];
    PairPoleEntry& second = tables.PairPoleList[static_cast<size_t>(stage + 1)];
    CombineRealPoles(record, first.Sigma, second.Sigma);
    record.Wz = tables.PairZeroList[static_cast<size_t>(zero)].Wz;
    record.Wc = first.Sigma;
    record.StageType = record.Wz == record.Wp ? StageCode::SN
                       : record.Wz > record.Wp ? StageCode::SLPN
                                               : StageCode::SHPN;
    record.TypeName = StageTypeText(record.StageType);
    record.Pole1 = static_cast<std::int16_t>(stage);
    record.Pole2 = static_cast<std::int16_t>(stage + 1);
    record.Zero1 = static_cast<std::int16_t>(zero);
    first.Available = second.Available = 0;
    tables.PairZeroList[static_cast<size_t>(zero)].Available = 0;
    tables.ZeroTaken[static_cast<size_t>(zero)] = 1;
}

}  // namespace

void PairAutomatically(DesignState& state, StageTables& tables) {
    const ApproxRecord& record = state.Approx[state.ApproxIndex];
    // Earlier joins are discarded: every entry and stage starts free.
    tables.ZeroTaken.fill(0);
    for (int i = 1; i <= tables.PoleEntryCount; ++i) {
        tables.PairPoleList[static_cast<size_t>(i)].Available = 1;
        ClearStagePairing(tables.Stage[static_cast<size_t>(i)]);
    }
    for (int j = 1; j <= tables.ZeroEntryCount; ++j) tables.PairZeroList[static_cast<size_t>(j)].Available = 1;
    tables.PairLines.clear();

    int lastPole = tables.PoleEntryCount;
    const bool twoRealPoles = record.HasRealPole2 && lastPole >= 2;
    if (twoRealPoles && record.ZeroPairCount > record.PolePairCount && record.ZeroPairCount <= tables.ZeroEntryCount) {
        lastPole -= 2;
        FormRealPoleNotch(tables, lastPole + 1, record.ZeroPairCount);
    }
    for (int i = 1; i <= lastPole; ++i) {
        const PairPoleEntry& pole = tables.PairPoleList[static_cast<size_t>(i)];
        const int zero = NearestFreeZero(tables, pole.Wp);
        if (zero != 0) tables.ZeroTaken[static_cast<size_t>(zero)] = 1;
        FormStage(tables, i, i, 0, zero, 0);
    }
    const int stages = lastPole == tables.PoleEntryCount ? lastPole : lastPole + 1;
    for (int i = 1; i <= stages; ++i) tables.PairLines.push_back(static_cast<std::int16_t>(i));
    state.StageCount = static_cast<std::int16_t>(stages);
}

void AutoAddAll(DesignState& state, StageTables& tables) {
    PairAutomatically(state, tables);
    state.DesignStep = Step::PairingDone;
    state.DesignModified = true;
    state.Recalculated = true;
}

}  // namespace tavrel
