#include "circuits/calculation/stage_gains.h"

#include <cmath>

namespace tavrel {

namespace {

// x^(1/n) as the gain distribution writes it, 10 to the power log10(x)/n.
long double Root(long double x, int n) { return std::pow(10.0L, std::log10(x) / n); }

bool Forced(const Design& design, int s) { return design.Circuit(s).GainForced != 0; }

long double Shortfall(const Design& design, int s) {
    const StageCircuitRecord& r = design.Circuit(s);
    return static_cast<long double>(r.DesiredGain) / static_cast<long double>(r.ActualGain);
}

// One pass of the compensation. A redesign that forces a stage that was free stores the
// circuit's own gain in remembered and ends the pass (returns true).
bool CompensationPass(Design& design, std::array<long double, kMaxStages + 1>& remembered,
                      const StageDesigner& redesign) {
    const int n = design.State.StageCount;
    // Trailing forced stages, made up by the free stages before them.
    int m = 0;
    long double trailing = 1;
    for (int s = n; s >= 1 && Forced(design, s); --s) {
        ++m;
        trailing *= Shortfall(design, s);
    }
    int forcedBefore = 0;
    for (int s = 1; s <= n - m; ++s) forcedBefore += Forced(design, s);
    const int free = n - m - forcedBefore;
    if (m > 0 && free > 0) {
        const long double share = Root(trailing, free);
        for (int s = 1; s <= n - m; ++s)
            if (!Forced(design, s)) design.Circuit(s).ActualGain = design.Circuit(s).ActualGain * share;
    }
    // A run of forced stages is made up by the first free stage after it.
    long double run = 1;
    for (int s = 1; s <= n - m; ++s) {
        if (Forced(design, s)) run *= Shortfall(design, s);
        if (s > 1 && Forced(design, s - 1) && !Forced(design, s)) {
            design.Circuit(s).ActualGain = design.Circuit(s).ActualGain * run;
            run = 1;
        }
        if (Forced(design, s)) continue;
        design.Circuit(s).Invalid = 0;
        const long double designed = redesign(s);
        if (Forced(design, s)) {
            remembered[static_cast<size_t>(s)] = designed;
            return true;
        }
    }
    return false;
}

}  // namespace

void SetOptimalGains(Design& design) {
    const int n = design.State.StageCount;
    const bool userDefined = design.State.FilterKind == FilterKind::UserDefined;
    for (int s = 1; s <= n; ++s) {
        StageCircuitRecord& r = design.Circuit(s);
        if (!r.UserGainSet) {
            const long double to = design.Stage(s).To;
            r.DesiredGain = userDefined ? to : to * Root(design.State.OverallGain, n);
        }
        r.ActualGain = r.UserGainSet ? r.UserGain : r.DesiredGain;
    }
}

void CompensateForcedGains(Design& design, std::array<long double, kMaxStages + 1>& remembered,
                           const StageDesigner& redesign) {
    const int n = design.State.StageCount;
    // Each restart forces one more stage, so there are at most n of them.
    for (int attempt = 0; attempt <= n; ++attempt) {
        if (!CompensationPass(design, remembered, redesign)) return;
        for (int s = 1; s <= n; ++s) design.Circuit(s).ActualGain = remembered[static_cast<size_t>(s)];
    }
}

void RankGainLevels(Design& design) {
    const int n = design.State.StageCount;
    long double level = 1, peak = 0;
    int p = 1;
    for (int s = 1; s <= n; ++s) {
        const StageCircuitRecord& r = design.Circuit(s);
        const long double reference = s == 1 && r.UserGainSet ? r.UserGain : r.DesiredGain;
        level *= static_cast<long double>(r.ActualGain) / reference;
        if (level > peak) peak = level, p = s;
    }
    design.State.PeakGainExcess = peak;
    if (n < 1) return;
    design.Circuit(p).GainPercent = 100;
    for (int s = p - 1; s >= 1; --s)
        design.Circuit(s).GainPercent = design.Circuit(s + 1).GainPercent * Shortfall(design, s + 1);
    for (int s = p + 1; s <= n; ++s)
        design.Circuit(s).GainPercent = design.Circuit(s - 1).GainPercent / Shortfall(design, s);
}

void ReportGains(Design& design) {
    long double overall = design.State.OverallGain;
    int forced = 0;
    for (int s = 1; s <= design.State.StageCount; ++s) {
        StageCircuitRecord& r = design.Circuit(s);
        r.GainRatio = static_cast<long double>(r.ActualGain) / static_cast<long double>(r.DesiredGain);
        r.SpareFlag = 0;
        overall *= r.GainRatio;
        forced += r.GainForced != 0;
    }
    design.State.ActualOverallGain = overall;
    design.State.ForcedStageCount = static_cast<std::int16_t>(forced);
}

}  // namespace tavrel
