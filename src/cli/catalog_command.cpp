#include "cli/catalog_command.h"

#include <cctype>
#include <stdexcept>

#include "circuits/catalog/circuit_definition.h"
#include "circuits/catalog/ease_of_tuning.h"
#include "stages/stage_record.h"

namespace tavrel::cli {

namespace {

// The stage type as the options write it: the code in lower case ("slp", "shpn").
std::string TypeOption(int stageType) {
    std::string text = StageTypeCode(stageType);
    for (char& c : text) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
    return text;
}

nlohmann::json CircuitEntry(const CircuitDefinition& c) {
    return {{"no", c.circuitNo},
            {"type", StageTypeText(c.stageType)},
            {"index", c.circuitIndex},
            {"name", c.name},
            {"resistors", c.resistorCount},
            {"capacitors", c.capacitorCount},
            {"op_amps", c.opAmpCount},
            {"compensated_variant", c.compensated.has_value()},
            {"inverting", c.inverting},
            {"ease_of_tuning", c.easeOfTuning},
            {"ease_of_tuning_text", EaseOfTuningText(c.easeOfTuning)}};
}

}  // namespace

void AddCatalogOptions(CLI::App& command, CatalogOptions& options) {
    command
        .add_option("--type", options.type,
                    "only the circuits of one stage type: flp|fhp|slp|shp|sbp|slpn|shpn|sn "
                    "(default: all)")
        ->type_name("TYPE");
}

nlohmann::json RunCatalog(const CatalogOptions& options) {
    if (options.type) {
        bool known = false;
        for (int type = 0; type < StageCode::Count; ++type) known = known || TypeOption(type) == *options.type;
        if (!known) throw std::invalid_argument("unknown stage type: " + *options.type);
    }
    nlohmann::json circuits = nlohmann::json::array();
    for (const CircuitDefinition& c : Circuits())
        if (!options.type || TypeOption(c.stageType) == *options.type) circuits.push_back(CircuitEntry(c));
    return {{"circuits", circuits}};
}

}  // namespace tavrel::cli
