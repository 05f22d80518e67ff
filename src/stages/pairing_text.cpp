#include "stages/pairing_text.h"

#include <iterator>

#include "core/math_helpers.h"
#include "core/number_format.h"

namespace tavrel {

namespace {

constexpr const char* kGap = "   ";
constexpr const char* kPlusMinus = "\u00B1";

std::string Scientific(long double x) { return TrimLeading(Sci(x, 5, 3)); }
std::string QText(long double q) { return "Q: " + TrimLeading(Fixed(q, 4, 2)); }
long double InUnit(long double w, bool hz) { return hz ? w / (2 * kPi) : w; }
std::string Unit(bool hz) { return hz ? " Hz" : " rad/s"; }
std::string PoleFrequency(long double w, bool hz) {
    return (hz ? "fp: " : "wp: ") + Scientific(InUnit(w, hz)) + Unit(hz);
}
std::string ZeroFrequency(long double w, bool hz) {
    return (hz ? "fz: " : "wz: ") + Scientific(InUnit(w, hz)) + Unit(hz);
}

// The meaning of each stage type code, in the order of the type codes.
constexpr const char* kStageTypeExplanations[] = {
    "FLP: first-order lowpass, one real pole and no zero",
    "FHP: first-order highpass, one real pole and a zero at the origin",
    "SLP: second-order lowpass, a pole pair and no finite zero",
    "SHP: second-order highpass, a pole pair and two zeros at the origin",
    "SBP: second-order bandpass, a pole pair and one zero at the origin",
    "SLPN: lowpass notch, a pole pair and a zero pair above the pole frequency (wz > wp)",
    "SHPN: highpass notch, a pole pair and a zero pair below the pole frequency (wz < wp)",
    "SN: symmetric notch, a pole pair and a zero pair at the pole frequency (wz = wp)",
};

}  // namespace

std::string PoleListLine(const StageTables& tables, int entry, bool hz) {
    const PairPoleEntry& pole = tables.PairPoleList[static_cast<size_t>(entry)];
    const std::string sigma = "-" + Scientific(pole.Sigma), omega = Scientific(pole.Omega) + Unit(false);
    if (!pole.IsPair) return std::string(" SNGL") + kGap + sigma + kGap + "+ j" + kGap + omega;
    return std::string(" PAIR") + kGap + sigma + kGap + kPlusMinus + " j" + kGap + omega + kGap +
           PoleFrequency(pole.Wp, hz) + kGap + QText(pole.Q);
}

std::string ZeroListLine(const StageTables& tables, int entry, bool hz) {
    const PairZeroEntry& zero = tables.PairZeroList[static_cast<size_t>(entry)];
    return std::string(zero.IsPair ? " PAIR" : " SNGL") + "\t" + ZeroFrequency(zero.Wz, hz);
}

PairsLineFields PairsListFields(const StageTables& tables, int stageNumber, bool hz) {
    const StageRecord& stage = tables.Stage[static_cast<size_t>(stageNumber)];
    PairsLineFields fields;
    fields[0] = stage.TypeName;
    const PairPoleEntry& pole = tables.PairPoleList[static_cast<size_t>(stage.Pole1)];
    if (stage.Pole2 != 0) {
        fields[1] = "TWO SNGL";
        fields[2] = PoleFrequency(stage.Wp, hz);
        fields[3] = QText(stage.Qp);
    } else if (pole.IsPair) {
        fields[1] = "POLE PAIR";
        fields[2] = PoleFrequency(pole.Wp, hz);
        fields[3] = QText(pole.Q);
    } else {
        fields[1] = "SNGL POLE";
    }
    if (stage.Zero1 != 0) {
        const bool pair = stage.Zero2 != 0 || tables.PairZeroList[static_cast<size_t>(stage.Zero1)].IsPair;
        fields[4] = pair ? "ZERO PAIR" : "SNGL ZERO";
        fields[5] = ZeroFrequency(stage.Wz, hz);
    }
    return fields;
}

std::string PairsListLine(const StageTables& tables, int stage, bool hz) {
    std::string line;
    for (const std::string& field : PairsListFields(tables, stage, hz)) {
        if (field.empty()) continue;
        if (!line.empty()) line += '\t';
        line += field;
    }
    return line;
}

std::string FlatnessLine(const StageRecord& stage) { return TrimLeading(Fixed(stage.Flatness, 4, 2)); }

std::string StageTypeExplanation(int stageType) {
    if (stageType < 0 || stageType >= static_cast<int>(std::size(kStageTypeExplanations))) return {};
    return kStageTypeExplanations[stageType];
}

const char* const kFlatnessExplanation =
    "Flatness: the peak of the response from the filter input to this stage's output, divided by "
    "its lowest value in the passband, with the gains spread over the stages. 1.00 is flat; a "
    "larger value means that this stage's output swings above the passband level, which costs "
    "dynamic range.";

std::string DesignTitle(const DesignState& state) {
    // The approximation names as the radio buttons show them, cut at the first double blank.
    static constexpr const char* kApproxNames[kApproxCount] = {"Butterworth", "Chebyshev", "Inverse Chebyshev",
                                                               "Elliptic", "Bessel (Thompson)"};
    static constexpr const char* kKindNames[4] = {" Lowpass", " Highpass", " Bandpass", " Bandstop"};
    const int approx = state.ApproxIndex < kApproxCount ? state.ApproxIndex : 0;
    std::string title;
    if (state.FilterKind == FilterKind::UserDefined)
        title = "User Defined Filter";
    else
        title = std::string(kApproxNames[approx]) + kKindNames[static_cast<int>(state.FilterKind)] + " Filter";
    return title + "  N=" + std::to_string(state.Approx[approx].Order);
}

}  // namespace tavrel
