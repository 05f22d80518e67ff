#include "stages/pairing.h"

#include "stages/stage_forming.h"

namespace tavrel {

namespace {

// Real poles of the design as pole entries: the second one implies the first.
int RealPoleEntries(const ApproxRecord& record) { return record.HasRealPole2 ? 2 : (record.HasRealPole ? 1 : 0); }

// Indices 1..count in decreasing key order; among equal keys the lower index first.
template <typename Key>
std::vector<int> DecreasingOrder(int count, Key key) {
    std::vector<int> order;
    std::vector<bool> taken(static_cast<size_t>(count) + 1, false);
    for (int k = 1; k <= count; ++k) {
        int choice = 0;
        for (int j = 1; j <= count; ++j)
            if (!taken[static_cast<size_t>(j)] && (choice == 0 || key(j) > key(choice))) choice = j;
        taken[static_cast<size_t>(choice)] = true;
        order.push_back(choice);
    }
    return order;
}

}  // namespace

void BuildPairingLists(DesignState& state, StageTables& tables) {
    const int approx = state.ApproxIndex;
    const ApproxRecord& record = state.Approx[approx];
    const int pairs = record.PolePairCount, zeroPairs = record.ZeroPairCount;
    const int realPoles = RealPoleEntries(record);

    tables.PoleEntryCount = static_cast<std::int16_t>(pairs + realPoles);
    state.StageCount = tables.PoleEntryCount;
    tables.ZeroTaken.fill(0);
    for (int i = 1; i <= tables.PoleEntryCount; ++i) {
        tables.PairPoleList[static_cast<size_t>(i)] = PairPoleEntry{};
        StageRecord& stage = tables.Stage[static_cast<size_t>(i)];
        ClearStagePairing(stage);
        stage.Flatness = stage.GainFactor = 0;
    }
    tables.PairZeroList.fill(PairZeroEntry{});
    tables.PairLines.clear();

    int entry = 1;
    for (int k : DecreasingOrder(pairs, [&](int j) { return static_cast<long double>(state.PolePair[approx][j].Qp); })) {
        PairPoleEntry& pole = tables.PairPoleList[static_cast<size_t>(entry++)];
        pole.IsPair = 1;
        pole.Q = state.PolePair[approx][k].Qp;
        pole.Wp = state.PolePair[approx][k].W0p;
        pole.Sigma = state.Pole[approx][k].Sigma;
        pole.Omega = state.Pole[approx][k].Omega;
        pole.SourceIndex = static_cast<std::int16_t>(k);
    }
    if (realPoles >= 1) tables.PairPoleList[static_cast<size_t>(entry++)].Sigma = record.RealPole;
    if (realPoles == 2) tables.PairPoleList[static_cast<size_t>(entry)].Sigma = record.RealPole2;

    // All-pole bandpass designs have fewer zero pairs (at the origin) than pole pairs:
    // each becomes two single zeros, one for each of two bandpass stages.
    const bool split = 2 * zeroPairs <= pairs;
    entry = 1;
    for (int k : DecreasingOrder(zeroPairs, [&](int j) { return static_cast<long double>(state.Zero[approx][j].Wz); })) {
        for (int copy = 0; copy < (split ? 2 : 1); ++copy) {
            PairZeroEntry& zero = tables.PairZeroList[static_cast<size_t>(entry++)];
            zero.IsPair = split ? 0 : 1;
            zero.Wz = state.Zero[approx][k].Wz;
        }
    }
    if (record.HasRealZero) tables.PairZeroList[static_cast<size_t>(entry++)].Reserved = record.RealZero;
    tables.ZeroEntryCount = static_cast<std::int16_t>(entry - 1);
}

void UndoAllPairing(DesignState& state, StageTables& tables) {
    BuildPairingLists(state, tables);
    state.DesignModified = true;
}

std::vector<int> AvailablePoleEntries(const StageTables& tables) {
    std::vector<int> entries;
    for (int i = 1; i <= tables.PoleEntryCount; ++i)
        if (tables.PairPoleList[static_cast<size_t>(i)].Available) entries.push_back(i);
    return entries;
}

std::vector<int> AvailableZeroEntries(const StageTables& tables) {
    std::vector<int> entries;
    for (int i = 1; i <= tables.ZeroEntryCount; ++i)
        if (tables.PairZeroList[static_cast<size_t>(i)].Available) entries.push_back(i);
    return entries;
}

bool PairingComplete(const StageTables& tables) {
    return AvailablePoleEntries(tables).empty() && AvailableZeroEntries(tables).empty();
}

}  // namespace tavrel
