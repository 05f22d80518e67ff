#include "cli/standard_command.h"

#include "circuits/values/standard_candidates.h"
#include "cli/number_option.h"

namespace tavrel::cli {

namespace {

constexpr const char* kCapacitors = "c";

ResistorSeries SeriesOfOption(const std::string& series) {
    if (series == "1") return ResistorSeries::E96;
    if (series == "5") return ResistorSeries::E24;
    return ResistorSeries::E12;
}

nlohmann::json Entry(long double value, bool standard, long double lower, long double upper, long double nearest,
                     int position, int decade) {
    return {{"value", static_cast<double>(value)},    {"standard", standard},
            {"lower", static_cast<double>(lower)},    {"upper", static_cast<double>(upper)},
            {"nearest", static_cast<double>(nearest)}, {"position", position},
            {"decade", decade}};
}

nlohmann::json ResistorEntry(long double ohms, ResistorSeries series) {
    const ResistorCandidates c = *StandardResistorCandidates(ohms, series);
    const ResistorStep nearest = *NearestStandardResistor(ohms, series);
    return Entry(ohms, c.exact, ResistorFromStep(series, c.lower), ResistorFromStep(series, c.upper),
                 ResistorFromStep(series, nearest), nearest.index, nearest.decade);
}

nlohmann::json CapacitorEntry(long double farads) {
    const CapacitorCandidates c = *StandardCapacitorCandidates(farads);
    const CapacitorStep nearest = *NearestStandardCapacitor(farads);
    return Entry(farads, c.exact, CapacitorFromStep(c.lower), CapacitorFromStep(c.upper), CapacitorFromStep(nearest),
                 nearest.index, nearest.decade);
}

}  // namespace

void AddStandardOptions(CLI::App& command, StandardOptions& options) {
    command.add_option("--series", options.series, "1|5|10 (resistors, E96/E24/E12) or c (capacitors, E12)")
        ->required()
        ->check(CLI::IsMember({"1", "5", "10", kCapacitors}));
    command.add_option("values", options.values, "values in ohm (resistors) or farad (capacitors)")->required();
}

nlohmann::json RunStandard(const StandardOptions& options) {
    nlohmann::json doc = nlohmann::json::array();
    for (const std::string& text : options.values) {
        const long double value = PositiveNumber(text, "value");
        doc.push_back(options.series == kCapacitors ? CapacitorEntry(value)
                                                    : ResistorEntry(value, SeriesOfOption(options.series)));
    }
    return doc;
}

}  // namespace tavrel::cli
