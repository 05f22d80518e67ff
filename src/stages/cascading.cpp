#include "stages/cascading.h"

#include <algorithm>
#include <cmath>
#include <utility>
#include <vector>

namespace tavrel {

namespace {

constexpr long double kNoCandidate = 1e8L;
constexpr long double kTieTolerance = 1e-5L;
constexpr long double kFirstStageQBound = 1000;

// The working state of one cascading run. Order[p] is the stage record to be placed
// at position p; Placed is indexed by stage record.
struct CascadeRun {
    const DesignState& state;
    StageTables& tables;
    int count = 0;
    int start = 1, end = 0;  // the positions left to fill
    std::array<int, kMaxStages + 1> order{};
    std::array<bool, kMaxStages + 1> placed{};
};

long double QpOf(const StageTables& tables, int stage) { return tables.Stage[static_cast<size_t>(stage)].Qp; }

// The stage of a preferred type with the smallest Qp (first) or the largest (last);
// equal values go to the lower stage number. 0 when there is none.
int FindPreferredStage(const CascadeRun& run, std::uint8_t type, bool smallest) {
    int choice = 0;
    // The bound of the largest-Qp search lies below 0 so that first-order stages
    // (Qp = 0) can be found at all.
    long double bound = smallest ? kFirstStageQBound : -1;
    for (int i = 1; i <= run.count; ++i) {
        if (run.tables.Stage[static_cast<size_t>(i)].StageType != type) continue;
        const long double q = QpOf(run.tables, i);
        if (smallest ? q < bound : q > bound) {
            bound = q;
            choice = i;
        }
    }
    return choice;
}

// Applies the first preference (by priority, then panel order) that finds a stage:
// that stage is swapped into `position`. Returns whether one was found.
bool FixByPreference(CascadeRun& run, const StagePreferences& prefs, std::uint8_t (*typeOf)(int), bool smallest,
                     int position) {
    for (int priority = 1; priority <= 4; ++priority) {
        for (int index = 0; index < 4; ++index) {
            const StagePreference& pref = prefs[static_cast<size_t>(index)];
            if (!pref.On || pref.Priority != priority) continue;
            const int stage = FindPreferredStage(run, typeOf(index), smallest);
            if (stage == 0) continue;
            SwapStages(run.tables, stage, position);
            run.placed[static_cast<size_t>(position)] = true;
            return true;
        }
    }
    return false;
}

void OrderByIncreasingQ(CascadeRun& run) {
    if (run.end - run.start + 1 < 2) return;
    for (int p = run.start; p <= run.end; ++p) {
        int choice = 0;
        long double best = kFirstStageQBound;
        for (int k = p; k <= run.end; ++k) {
            const int stage = run.order[static_cast<size_t>(k)];
            const long double q = QpOf(run.tables, stage);
            const bool lowerWp = choice != 0 && q == best &&
                                 run.tables.Stage[static_cast<size_t>(stage)].Wp <
                                     run.tables.Stage[static_cast<size_t>(run.order[static_cast<size_t>(choice)])].Wp;
            if (q < best || lowerWp) {
                best = q;
                choice = k;
            }
        }
        if (choice != 0) std::swap(run.order[static_cast<size_t>(p)], run.order[static_cast<size_t>(choice)]);
    }
}

// A candidate continuation: the stages for positions first..first+size-1.
using Path = std::vector<int>;

int PredecessorAt(const CascadeRun& run, int position, int stage) {
    return position == 1 ? stage : run.order[static_cast<size_t>(position - 1)];
}

// Recomputes the response arrays along a path starting at position `first`.
void ScalePath(CascadeRun& run, int first, const Path& path) {
    for (size_t k = 0; k < path.size(); ++k) {
        const int position = first + static_cast<int>(k);
        const int pred = k == 0 ? PredecessorAt(run, position, path[0]) : path[k - 1];
        ScaleStage(run.state, run.tables, path[k], pred);
    }
}

struct Candidate {
    size_t prefix;  // which prefix path it continues
    int stage;
};

// Chooses the stage for position p behind each prefix path (candidate stages of the
// positions before p that are still tied), or behind the placed stages when there is
// none. Returns the chosen path from the first unsettled position through the last
// position it settles.
Path SearchPosition(CascadeRun& run, int p, const std::vector<Path>& prefixes) {
    const std::vector<Path> passes = prefixes.empty() ? std::vector<Path>{Path{}} : prefixes;
    long double best = kNoCandidate;
    std::vector<Candidate> ties;
    Candidate fallback{0, 0};
    for (size_t pass = 0; pass < passes.size(); ++pass) {
        const Path& prefix = passes[pass];
        const int first = p - static_cast<int>(prefix.size());
        ScalePath(run, first, prefix);
        for (int j = 1; j <= run.count; ++j) {
            if (run.placed[static_cast<size_t>(j)] || std::find(prefix.begin(), prefix.end(), j) != prefix.end())
                continue;
            if (fallback.stage == 0) fallback = {pass, j};
            const int pred = prefix.empty() ? PredecessorAt(run, p, j) : prefix.back();
            ScaleStage(run.state, run.tables, j, pred);
            const long double flatness = run.tables.Stage[static_cast<size_t>(j)].Flatness;
            if (std::fabs(flatness - best) < kTieTolerance) {
                ties.push_back({pass, j});
            } else if (flatness < best) {
                best = flatness;
                ties.assign(1, {pass, j});
            }
        }
    }
    // Every candidate at 10^8 or more: the first free stage goes here.
    if (ties.empty()) ties.push_back(fallback);
    auto extended = [&](const Candidate& c) {
        Path path = passes[c.prefix];
        if (c.stage != 0) path.push_back(c.stage);
        return path;
    };
    if (ties.size() == 1) return extended(ties[0]);
    const Candidate& a = ties[ties.size() - 2];
    const Candidate& b = ties[ties.size() - 1];
    // The last two equally good candidates are judged by the next position; at the last
    // free position there is none to judge by and the earlier one stays.
    if (p >= run.end) return extended(a);
    return SearchPosition(run, p + 1, {extended(a), extended(b)});
}

void OrderByFlatness(CascadeRun& run) {
    int p = run.start;
    while (p <= run.end) {
        const Path path = SearchPosition(run, p, {});
        if (path.empty()) break;
        for (size_t k = 0; k < path.size(); ++k) {
            run.order[static_cast<size_t>(p) + k] = path[k];
            run.placed[static_cast<size_t>(path[k])] = true;
        }
        ScalePath(run, p, path);
        p += static_cast<int>(path.size());
    }
}

void ApplyOrder(CascadeRun& run) {
    for (int p = 1; p <= run.count; ++p) {
        const int from = run.order[static_cast<size_t>(p)];
        if (from == p) continue;
        SwapStages(run.tables, p, from);
        for (int later = p + 1; later <= run.count; ++later)
            if (run.order[static_cast<size_t>(later)] == p) run.order[static_cast<size_t>(later)] = from;
    }
}

}  // namespace

void SwapStages(StageTables& tables, int a, int b) {
    if (a == b) return;
    std::swap(tables.Stage[static_cast<size_t>(a)], tables.Stage[static_cast<size_t>(b)]);
    std::swap(tables.StageResp[static_cast<size_t>(a)], tables.StageResp[static_cast<size_t>(b)]);
    std::swap(tables.CascadeResp[static_cast<size_t>(a)], tables.CascadeResp[static_cast<size_t>(b)]);
}

void CascadeStages(DesignState& state, StageTables& tables) {
    state.Recalculated = true;
    CascadeRun run{state, tables};
    run.count = std::min<int>(state.StageCount, kMaxStages);
    for (int i = 1; i <= run.count; ++i) run.order[static_cast<size_t>(i)] = i;
    const CascadeCriteria& criteria = tables.Criteria;
    const bool firstFixed = FixByPreference(run, criteria.FirstStagePrefs, FirstStagePrefType, true, 1);
    const bool lastFixed = FixByPreference(run, criteria.LastStagePrefs, LastStagePrefType, false, run.count);
    if (firstFixed) ScaleStage(state, tables, 1, 1);
    run.start = firstFixed ? 2 : 1;
    run.end = lastFixed ? run.count - 1 : run.count;
    if (criteria.UseQ)
        OrderByIncreasingQ(run);
    else
        OrderByFlatness(run);
    ApplyOrder(run);
}

bool CascadeWindowOpened(DesignState& state, StageTables& tables) {
    if (!state.Recalculated && state.DesignStep >= Step::CascadingDone) return false;
    CascadeStages(state, tables);
    ScaleCascade(state, tables);
    return true;
}

namespace {

int MoveStage(DesignState& state, StageTables& tables, int stage, int target) {
    if (target >= 1 && target <= state.StageCount) {
        SwapStages(tables, stage, target);
        stage = target;
    }
    state.DesignModified = true;
    state.Recalculated = true;
    ScaleCascade(state, tables);
    return stage;
}

}  // namespace

int MoveStageUp(DesignState& state, StageTables& tables, int stage) { return MoveStage(state, tables, stage, stage - 1); }
int MoveStageDown(DesignState& state, StageTables& tables, int stage) {
    return MoveStage(state, tables, stage, stage + 1);
}

void CascadeAgain(DesignState& state, StageTables& tables) {
    state.DesignModified = true;
    CascadeStages(state, tables);
    ScaleCascade(state, tables);
}

void CascadingNext(DesignState& state) { state.DesignStep = Step::CascadingDone; }

}  // namespace tavrel
