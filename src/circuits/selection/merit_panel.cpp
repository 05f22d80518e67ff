#include "circuits/selection/merit_panel.h"

#include <algorithm>
#include <cmath>

#include "circuits/catalog/ease_of_tuning.h"
#include "core/number_format.h"

namespace tavrel {

namespace {

// A spread of this much or more is written as ">5000:1".
constexpr std::int32_t kLargeSpread = 5000;
// Above this spread the panel warns.
constexpr std::int32_t kSpreadWarning = 1000;
// Desired and actual gain count as equal within this.
constexpr long double kGainMatch = 0.001L;
// A total within this fraction of the smallest counts as the best.
constexpr long double kBestShare = 0.99L;

std::string SpreadText(const char* prefix, std::int32_t spread, bool invalid, const char* missing) {
    if (invalid) return missing;
    if (spread >= kLargeSpread) return std::string(prefix) + ">5000:1";
    return std::string(prefix) + std::to_string(spread) + ":1";
}

std::string DecimalsOf(long double x, int decimals) { return TrimLeading(Fixed(x, 0, decimals)); }

bool Counts(const MeritEntry& m) { return m.Included && !m.Invalid; }

}  // namespace

std::string ResistorSpreadText(const MeritEntry& e) { return SpreadText("R= ", e.RSpread, e.Invalid, "R= N/A "); }
std::string CapacitorSpreadText(const MeritEntry& e) {
    return SpreadText("    C= ", e.CSpread, e.Invalid, "    C= N/A");
}

std::string ComponentCountText(const MeritEntry& e) {
    return "R:" + std::to_string(e.ResistorCount) + "    C:" + std::to_string(e.CapacitorCount) +
           "    OA:" + std::to_string(e.OpAmpCount);
}

std::string PanelFrequencyText(long double hz) {
    if (hz > 1e9L) return DecimalsOf(hz / 1e9L, 1) + " GHz";
    if (hz >= 1e7L) return DecimalsOf(hz / 1e6L, 0) + " MHz";
    if (hz >= 1e5L) return DecimalsOf(hz / 1e6L, 1) + " MHz";
    return DecimalsOf(hz / 1e6L, 2) + " MHz";
}

std::string MinGbwText(const MeritEntry& e, int stageType) {
    return std::string(kUnityGbwCaption) + (IsFirstOrderStage(stageType) ? "N/A" : PanelFrequencyText(e.MinGBW));
}

std::string SpreadGbwText(const StageCircuitRecord& r) { return "for GBW=" + PanelFrequencyText(r.OpAmpGBW); }

GainTexts GainTextsOf(const MeritEntry& e, const StageRecord& stage) {
    long double desired = e.DesiredGain, actual = e.ActualGain;
    if (stage.StageType == StageCode::SLPN && stage.Wp > 0) {
        const long double dc = (stage.Wz / stage.Wp) * (stage.Wz / stage.Wp);
        desired *= dc;
        actual *= dc;
    }
    GainTexts t;
    t.desired = "Desired gain: " + Fixed(desired, 5, 4);
    t.actual = "Actual gain: " + Fixed(actual, 5, 4);
    t.warn = std::fabs(desired - actual) > kGainMatch;
    t.forced = e.GainForced != 0;
    return t;
}

std::string EaseOfTuningWords(int circuitNo) { return EaseOfTuningText(EaseOfTuningCode(circuitNo)); }

std::vector<std::string> WarningWords(const MeritEntry& e, bool warningsAsked) {
    if (e.Invalid) return {"Circuit", "not", "suitable"};
    if (!warningsAsked) return {};
    if (e.RSpread > kSpreadWarning) return {"Resistor", "spread", "warning"};
    if (e.CSpread > kSpreadWarning) return {"Capacitor", "spread", "warning"};
    return {};
}

SpreadBar SpreadBarOf(const MeritBlock& block, int candidate, int count) {
    const MeritEntry& m = block.Candidates[static_cast<size_t>(candidate - 1)];
    SpreadBar bar;
    if (m.Invalid) return bar;
    bar.shown = true;
    if (!m.Included) {
        bar.excluded = true;
        return bar;
    }
    if (block.MaxSpread > 0) {
        bar.active = m.ActiveSpread / block.MaxSpread;
        bar.passive = (m.TotalSpread - m.ActiveSpread) / block.MaxSpread;
    }
    long double smallest = m.TotalSpread;
    for (int k = 1; k <= count; ++k) {
        const MeritEntry& other = block.Candidates[static_cast<size_t>(k - 1)];
        if (Counts(other)) smallest = std::min<long double>(smallest, other.TotalSpread);
    }
    bar.best = kBestShare * m.TotalSpread <= smallest;
    return bar;
}

bool ActiveSpreadZeroForAll(const MeritBlock& block, int count) {
    for (int k = 1; k <= count; ++k) {
        const MeritEntry& m = block.Candidates[static_cast<size_t>(k - 1)];
        if (Counts(m) && m.ActiveSpread != 0) return false;
    }
    return true;
}

StageHeader StageHeaderOf(const Design& design, int s, const MeritEntry& highlighted) {
    const StageRecord& stage = design.Stage(s);
    const bool hz = design.State.HzUnits;
    const char* f = hz ? "f" : "w";
    StageHeader h;
    h.stage = "Stage " + std::to_string(s) + " of " + std::to_string(design.State.StageCount);
    if (IsFirstOrderStage(stage.StageType)) {
        h.figures = std::string(f) + "c=" + FormatFrequency(stage.Wc, hz);
    } else {
        h.figures = "Q=" + TrimZeros(Fixed(stage.Qp, 0, 4)) + "     " + f + "p=" + FormatFrequency(stage.Wp, hz);
        if (IsNotchStage(stage.StageType)) h.figures += "     " + std::string(f) + "z=" + FormatFrequency(stage.Wz, hz);
    }
    h.inverting = highlighted.Inverting ? "Inverting" : "Non-inverting";
    return h;
}

}  // namespace tavrel
