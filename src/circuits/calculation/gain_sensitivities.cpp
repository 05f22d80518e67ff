#include "circuits/calculation/gain_sensitivities.h"

#include <cmath>

namespace tavrel {

namespace {

constexpr long double kNeper = 8.68L;

}  // namespace

GainSensitivities GainSensitivitiesAt(const StageRecord& stage, long double auxPoleW, long double w) {
    GainSensitivities g;
    const long double wp = stage.Wp, q = stage.Qp, wc = stage.Wc;
    switch (stage.StageType) {
        case StageCode::FLP: g.w = kNeper / ((wc / w) * (wc / w) + 1); break;
        case StageCode::FHP: g.w = -kNeper / ((w / wc) * (w / wc) + 1); break;
        default: {
            const long double u = w / wp;
            const long double f = q * q * (1 / u - u) * (1 / u - u) + 1;
            if (stage.StageType == StageCode::SHP) {
                g.w = -kNeper * (1 - (1 - 1 / (u * u)) * 2 * q * q) / f;
                g.q = kNeper / f;
            } else if (stage.StageType == StageCode::SBP) {
                g.w = kNeper * q * q * (u * u - 1 / (u * u)) / f;
                g.q = -kNeper * q * q * (1 / u - u) * (1 / u - u) / f;
            } else {
                g.w = kNeper * (1 - (1 - u * u) * 2 * q * q) / f;
                g.q = kNeper / f;
            }
            // The zero pair enters the gain as |1 - (w/wz)²| against the DC level the pole terms
            // also hold: a higher wz lifts the gain below the notch and lowers it above, as
            // a uniform change of all frequencies (the temperature drift) shows. GZ =
            // 17.36/((wz/w)² - 1) is that slope; the squared terms of the spread do not see
            // its sign, the signed temperature change and Strategy 2's prediction do.
            if (IsNotchStage(stage.StageType)) {
                const long double z = stage.Wz / w;
                g.z = 2 * kNeper / (z * z - 1);
            }
        }
    }
    if (auxPoleW > 0) g.third = kNeper / ((auxPoleW / w) * (auxPoleW / w) + 1);
    return g;
}

void SetReferenceFrequencies(Design& design, int s) {
    const DesignState& state = design.State;
    const StageTables& t = design.Stages;
    MeritBlock& merits = design.Circuits.Merits[static_cast<size_t>(s)];
    const StageRecord& stage = design.Stage(s);
    const long double own = IsFirstOrderStage(stage.StageType) ? static_cast<long double>(stage.Wc)
                                                                : static_cast<long double>(stage.Wp);
    switch (state.FilterKind) {
        case FilterKind::Lowpass:
        case FilterKind::Highpass: merits.RefFreq1 = merits.RefFreq2 = state.Wpb; break;
        case FilterKind::Bandpass:
            merits.RefFreq1 = t.FlatBandLo;  // highpass stages shape the lower edge
            merits.RefFreq2 = t.FlatBandHi;
            break;
        case FilterKind::Bandstop:
            merits.RefFreq1 = t.StopEdgeHi;  // the passband above the stopband
            merits.RefFreq2 = t.StopEdgeLo;
            break;
        default: merits.RefFreq1 = merits.RefFreq2 = own; break;
    }
    if (!(merits.RefFreq1 > 0)) merits.RefFreq1 = own;
    if (!(merits.RefFreq2 > 0)) merits.RefFreq2 = own;
}

long double ReferenceFrequency(const Design& design, int s) {
    const StageRecord& stage = design.Stage(s);
    if (IsFirstOrderStage(stage.StageType)) return stage.Wc;
    const MeritBlock& merits = design.Circuits.Merits[static_cast<size_t>(s)];
    return stage.StageType == StageCode::SHP ? merits.RefFreq1 : merits.RefFreq2;
}

GainDeviationWeights DeviationWeights(const Design& design, int s) {
    const GainSensitivities g =
        GainSensitivitiesAt(design.Stage(s), design.Circuit(s).AuxPoleW, ReferenceFrequency(design, s));
    return {g.w, g.q, g.z};
}

}  // namespace tavrel
