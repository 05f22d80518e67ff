#include "analysis/tuning/tuning_report.h"

#include <algorithm>
#include <cmath>
#include <numbers>

#include "analysis/tuning/tuning_texts.h"
#include "circuits/catalog/circuit_definition.h"
#include "core/number_format.h"

namespace tavrel {

namespace {

constexpr long double kSqrt2 = std::numbers::sqrt2_v<long double>;

bool FirstOrder(int type) { return type == StageCode::FLP || type == StageCode::FHP; }
bool Notch(int type) { return type == StageCode::SLPN || type == StageCode::SHPN || type == StageCode::SN; }
bool AllPole(int type) { return type == StageCode::SLP || type == StageCode::SHP || type == StageCode::SBP; }

std::string ParameterName(const TuningStage& t, bool hz) {
    if (FirstOrder(t.stageType)) return hz ? "fc" : "wc";
    return hz ? "fp" : "wp";
}

std::string ZeroName(bool hz) { return hz ? "fz" : "wz"; }

std::string NameOf(TunedParameter p, const TuningStage& t, bool hz) {
    switch (p) {
        case TunedParameter::Corner:
        case TunedParameter::PoleFrequency: return ParameterName(t, hz);
        case TunedParameter::PoleQ: return "Qp";
        case TunedParameter::ZeroFrequency: return ZeroName(hz);
        case TunedParameter::ZeroQ: return "Qz";
    }
    return "";
}

// The slots that the magnitude and the phase sections share.
ReportSlots CommonSlots(const TuningStage& t, bool hz) {
    ReportSlots slots;
    slots[0] = ZeroName(hz);
    slots[1] = ParameterName(t, hz);
    slots[2] = TuningGainText(t.gain);
    if (AllPole(t.stageType)) {
        const FrequencyPair f = FortyFiveDegreeFrequencies(t);
        slots[8] = FormatFrequency(f.lower, hz);
        slots[9] = FormatFrequency(f.upper, hz);
    } else if (Notch(t.stageType)) {
        slots[8] = TrimLeading(Fixed(NotchRatio(t), 1, 4));
        slots[9] = TuningPhaseText(TuningPhase(t, t.wp));
    }
    return slots;
}

std::vector<ReportLine> SectionLines(int type, const char* section, const ReportSlots& slots) {
    return ParseReportMarkup(TuningSection(type, section), slots);
}

ReportLine PlainLine(const std::string& text) { return ReportLine{{ReportRun{text}}}; }

void Append(std::vector<ReportLine>& to, std::vector<ReportLine> lines) {
    to.insert(to.end(), std::make_move_iterator(lines.begin()), std::make_move_iterator(lines.end()));
}

std::vector<ReportLine> Instructions(const TuningStage& t, bool hz) {
    std::vector<ReportLine> lines;
    const auto magnitude = MagnitudeSections(t.stageType);
    if (magnitude.empty()) return lines;
    const bool peak = PeakOf(t).present;
    const ReportSlots magnitudeSlots = MagnitudeSlots(t, hz), phaseSlots = PhaseSlots(t, hz);
    lines.push_back(PlainLine("Adjusting the stage parameters:"));
    lines.push_back(PlainLine("By magnitude:"));
    for (const std::string section : magnitude) {
        if (section == (peak ? "[Qp mag no peak]" : "[Qp mag peak]")) continue;
        Append(lines, SectionLines(t.stageType, section.c_str(), magnitudeSlots));
    }
    lines.push_back(PlainLine("By phase (preferred method):"));
    for (const char* section : PhaseSections(t.stageType)) Append(lines, SectionLines(t.stageType, section, phaseSlots));
    return lines;
}

std::vector<LabelledValue> StageParameters(const TuningStage& t, bool hz) {
    if (FirstOrder(t.stageType)) return {{ParameterName(t, hz), FormatFrequency(t.wc, hz)}};
    std::vector<LabelledValue> values{{ParameterName(t, hz) + ":", FormatFrequency(t.wp, hz)},
                                      {"Qp:", TrimZeros(Fixed(t.qp, 1, 4))}};
    if (Notch(t.stageType)) values.push_back({ZeroName(hz) + ":", FormatFrequency(t.wz, hz)});
    return values;
}

TuningSketch Sketch(const TuningStage& t, const TuningView& view) {
    TuningSketch sketch;
    const std::string name = ParameterName(t, view.hzUnits);
    const long double centre = FirstOrder(t.stageType) ? t.wc : t.wp;
    // A response range that starts far below the stage shows its skirts two decades out.
    const bool wide = FirstOrder(t.stageType) || view.lowestResponseW < 0.05L * t.wp;
    sketch.marks = {{(wide ? "0.01*" : "0.1*") + name, centre * (wide ? 0.01L : 0.1L)},
                    {name, centre},
                    {(wide ? "100*" : "10*") + name, centre * (wide ? 100 : 10)}};
    if (Notch(t.stageType)) sketch.marks.push_back({ZeroName(view.hzUnits), t.wz});
    std::stable_sort(sketch.marks.begin(), sketch.marks.end(),
                     [](const SketchMark& a, const SketchMark& b) { return a.w < b.w; });
    const long double lo = sketch.marks.front().w, hi = sketch.marks.back().w;
    for (int i = 0; i < kSketchPoints; ++i) {
        const long double w = lo * std::pow(hi / lo, static_cast<long double>(i) / (kSketchPoints - 1));
        sketch.w.push_back(w);
        sketch.gain.push_back(std::abs(IdealStageGain(t, w)));
    }
    return sketch;
}

const char* LinkText(StepLink link) {
    switch (link) {
        case StepLink::Plain: return " --> ";
        case StepLink::Alternate: return " <-> ";
        case StepLink::Linked: return " ==> ";
    }
    return "";
}

}  // namespace

std::string TuningGainText(long double gain) {
    // Four significant figures, however small the gain (a 40 dB point of a small-gain stage).
    const long double magnitude = std::fabs(gain);
    int decimals = 4;
    if (magnitude > 0 && magnitude < 1) decimals = std::min(12, 3 - static_cast<int>(std::floor(std::log10(magnitude))));
    return TrimZeros(Fixed(gain, 1, decimals));
}

std::string TuningPhaseText(long double degrees) {
    long double whole = std::fmod(std::round(degrees), 360.0L);
    if (whole > 180) whole -= 360;
    if (whole <= -180) whole += 360;
    if (whole == 0) return "0";
    const std::string digits = TrimLeading(Fixed(std::fabs(whole), 1, 0));
    return (whole > 0 ? "+" : "-") + digits;
}

ReportSlots MagnitudeSlots(const TuningStage& t, bool hz) {
    ReportSlots slots = CommonSlots(t, hz);
    const long double k = t.gain;
    switch (t.stageType) {
        case StageCode::FLP:
        case StageCode::FHP: slots[3] = TuningGainText(k / kSqrt2); break;
        case StageCode::SLP:
        case StageCode::SHP: slots[3] = TuningGainText(k * 0.01L); break;
        case StageCode::SLPN:
        case StageCode::SHPN: slots[3] = TuningGainText(NotchRatio(t) * k); break;
        default: break;
    }
    if (const ResponsePeak peak = PeakOf(t); peak.present) {
        slots[4] = TuningGainText(peak.gain);
        slots[5] = FormatFrequency(peak.w, hz);
    } else {
        const long double level = t.stageType == StageCode::SLPN ? NotchRatio(t) * k : k;
        slots[6] = TuningGainText(level / kSqrt2);
        if (t.stageType != StageCode::SBP && t.stageType != StageCode::SN)
            slots[7] = FormatFrequency(MinusThreeDbFrequency(t), hz);
    }
    return slots;
}

ReportSlots PhaseSlots(const TuningStage& t, bool hz) {
    ReportSlots slots = CommonSlots(t, hz);
    if (FirstOrder(t.stageType)) {
        slots[4] = TuningPhaseText(TuningPhase(t, t.wc));
    } else if (AllPole(t.stageType)) {
        const FrequencyPair f = FortyFiveDegreeFrequencies(t);
        slots[3] = TuningPhaseText(TuningPhase(t, t.wp));
        slots[4] = TuningPhaseText(TuningPhase(t, f.lower));
        slots[5] = TuningPhaseText(TuningPhase(t, f.upper));
    }
    return slots;
}

TuningReport BuildTuningReport(const TuningStage& t, const char* tuningEntry, const TuningView& view) {
    TuningReport report;
    const TuningSequence sequence = ParseTuningEntry(tuningEntry != nullptr && *tuningEntry ? tuningEntry : "NR");
    report.recommended = sequence.rating != "NR";
    for (const TuningStep& step : sequence.steps)
        report.steps.push_back({step.component, NameOf(step.parameter, t, view.hzUnits)});
    report.links = sequence.links;
    report.parameters = StageParameters(t, view.hzUnits);
    report.sketch = Sketch(t, view);
    report.instructions = Instructions(t, view.hzUnits);
    return report;
}

TuningReport TuningReportOf(const Design& design, int s) {
    const CircuitDefinition* circuit = FindCircuit(design.Circuit(s).CircuitNo);
    TuningView view;
    view.hzUnits = design.State.HzUnits;
    const long double lo = design.State.FreqLo;
    view.lowestResponseW = view.hzUnits ? lo * 2 * std::numbers::pi_v<long double> : lo;
    return BuildTuningReport(TuningStageOf(design, s), circuit != nullptr ? circuit->tuningEntry : nullptr, view);
}

std::string TuningReportText(const TuningReport& report) {
    std::string text = "Tuning Sequence\n";
    if (!report.recommended) {
        text += "Not recommended\n";
    } else {
        for (size_t i = 0; i < report.steps.size(); ++i) {
            text += report.steps[i].component + " " + report.steps[i].parameter;
            if (i < report.links.size()) text += LinkText(report.links[i]);
        }
        text += "\n";
    }
    text += "\nStage Parameters\n";
    for (const LabelledValue& value : report.parameters) text += value.label + " " + value.value + "\n";
    if (!report.instructions.empty()) text += "\n" + PlainText(report.instructions);
    return text;
}

}  // namespace tavrel
