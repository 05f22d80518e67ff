#pragma once
#include <string>
#include <vector>

#include "analysis/report/report_markup.h"
#include "analysis/tuning/tuning_figures.h"
#include "circuits/catalog/tuning_table.h"

namespace tavrel {

// One step of the "Tuning Sequence" box as drawn: the component and the parameter's name.
struct TuningStepView {
    std::string component;  // "R1"
    std::string parameter;  // "fp", "Qp", "fz", "Qz", "fc" (or the w forms)
};

// A mark on the frequency axis of the sketch.
struct SketchMark {
    std::string label;  // "0.1*fp", "fp", "10*fp", "fz"
    long double w = 0;  // rad/s
};

// The small picture of the stage's gain with the frequencies to measure at: the ideal gain on a
// logarithmic axis from the lowest to the highest mark.
struct TuningSketch {
    std::string xAxis = "Log Frequency";
    std::string yAxis = "Gain (V/V)";
    std::vector<SketchMark> marks;
    std::vector<long double> w;     // rad/s, rising
    std::vector<long double> gain;  // V/V at w
};

struct LabelledValue {
    std::string label;  // "fp:", "Qp:", "fc"
    std::string value;
};

// Everything the "Tune" page shows for a stage, and the printer prints.
struct TuningReport {
    bool recommended = false;  // false: the box says "Not recommended" and shows no steps
    std::vector<TuningStepView> steps;
    std::vector<StepLink> links;  // links[i] joins steps i and i + 1
    std::vector<LabelledValue> parameters;
    TuningSketch sketch;
    std::vector<ReportLine> instructions;  // empty for a type without tuning texts
};

// The display settings the report follows.
struct TuningView {
    bool hzUnits = true;
    long double lowestResponseW = 0;  // rad/s: the lower end of the response frequency range
};

inline constexpr int kSketchPoints = 101;

// The value slots of the magnitude and of the phase sections of the stage's tuning text.
ReportSlots MagnitudeSlots(const TuningStage& stage, bool hzUnits);
ReportSlots PhaseSlots(const TuningStage& stage, bool hzUnits);

// Slot texts: a gain with four decimals, and four significant figures below 1 ("0.7071",
// "0.01", "0.0007071"); a phase as a signed
// whole number of degrees ("+135", "-45", "0").
std::string TuningGainText(long double gain);
std::string TuningPhaseText(long double degrees);

TuningReport BuildTuningReport(const TuningStage& stage, const char* tuningEntry, const TuningView& view);

// The report of stage s of a design, with the design's units and response range.
TuningReport TuningReportOf(const Design& design, int s);

// The report as text: the tuning sequence, the stage parameters and the instructions.
std::string TuningReportText(const TuningReport& report);

}  // namespace tavrel
