#include "cli/schematic_command.h"

#include <map>
#include <memory>
#include <stdexcept>

#include "circuits/catalog/circuit_definition.h"
#include "circuits/network/component_values.h"
#include "cli/saved_design.h"
#include "circuits/schematic/schematic_connectivity.h"
#include "circuits/schematic/schematic_interpreter.h"

namespace tavrel::cli {

namespace {

std::string ElementName(const TemplateElement& e) {
    return (e.kind == 'X' ? std::string("XA") : std::string(1, e.kind)) + std::to_string(e.number);
}

const TemplateElement* Named(const Topology& topology, const std::string& name) {
    for (const TemplateElement& e : topology.elements)
        if (ElementName(e) == name) return &e;
    return nullptr;
}

// The drawing's inner nets in the template's numbering where the elements of the same name say
// which node a net is: op amps pin by pin, resistors and capacitors (drawn either way round)
// from a net already known at one end. A net nothing names keeps a number above the
// template's.
std::map<int, int> TemplateNumbering(const schematic::DrawnCircuit& drawn, const Topology& topology) {
    std::map<int, int> numbering{{0, 0}, {1, 1}, {2, 2}};
    for (const schematic::DrawnElement& element : drawn.elements) {
        const TemplateElement* e = Named(topology, element.name);
        if (e && e->kind == 'X' && element.nodes.size() == e->nodes.size())
            for (size_t k = 0; k < e->nodes.size(); ++k) numbering.emplace(element.nodes[k], e->nodes[k]);
    }
    for (bool found = true; found;) {
        found = false;
        for (const schematic::DrawnElement& element : drawn.elements) {
            const TemplateElement* e = Named(topology, element.name);
            if (!e || e->kind == 'X' || element.nodes.size() != 2) continue;
            for (int k = 0; k < 2; ++k) {
                const auto known = numbering.find(element.nodes[static_cast<size_t>(k)]);
                const int other = element.nodes[static_cast<size_t>(1 - k)];
                if (known == numbering.end() || numbering.count(other)) continue;
                if (known->second == e->nodes[0]) numbering.emplace(other, e->nodes[1]), found = true;
                else if (known->second == e->nodes[1]) numbering.emplace(other, e->nodes[0]), found = true;
            }
        }
    }
    int spare = static_cast<int>(topology.unknownOfNode.size());
    for (const schematic::DrawnElement& element : drawn.elements)
        for (int net : element.nodes)
            if (!numbering.count(net)) numbering.emplace(net, spare++);
    return numbering;
}

// The nodes of a drawn element in the template's numbering, a resistor's or capacitor's in the
// template's order where they are its nodes.
std::vector<int> NodesOf(const schematic::DrawnElement& element, const Topology& topology,
                         const std::map<int, int>& numbering) {
    std::vector<int> nodes;
    for (int net : element.nodes) nodes.push_back(numbering.at(net));
    const TemplateElement* e = Named(topology, element.name);
    if (e && e->kind != 'X' && nodes.size() == 2 && nodes[0] == e->nodes[1] && nodes[1] == e->nodes[0])
        std::swap(nodes[0], nodes[1]);
    return nodes;
}

// The values a stage is built with, as the schematic writes them: R1.. and C1.. in ohm and farad.
nlohmann::json ValuesDocument(const StageCircuitRecord& record) {
    const ComponentValues v = ValuesInForce(record);
    nlohmann::json values = nlohmann::json::object();
    for (int i = 1; i <= record.ResistorCount; ++i)
        values["R" + std::to_string(i)] = static_cast<double>(v.R[static_cast<size_t>(i)]);
    for (int j = 1; j <= record.CapacitorCount; ++j)
        values["C" + std::to_string(j)] = static_cast<double>(v.C[static_cast<size_t>(j)]);
    return values;
}

}  // namespace

void AddSchematicOptions(CLI::App& command, SchematicOptions& options) {
    auto* no = command.add_option("--no", options.no, "circuit number of the catalog (1..94)");
    command.add_flag("--compensated", options.compensated, "the actively compensated variant");
    auto* open = command.add_option("--open", options.open, "a design file: the circuit of one of its stages")
                     ->type_name("FILE.tv3");
    auto* stage = command.add_option("--stage", options.stage, "the stage of the design file")->type_name("S");
    no->excludes(open);
    open->needs(stage);
    stage->needs(open);
    open->excludes("--compensated");
}

nlohmann::json RunSchematic(const SchematicOptions& given) {
    SchematicOptions options = given;
    std::optional<nlohmann::json> values;
    if (options.open) {
        const auto design = std::make_unique<Design>();
        OpenSavedDesign(*options.open, *design);
        const int n = design->State.StageCount;
        if (options.stage < 1 || options.stage > n)
            throw std::invalid_argument("--stage: the design has stages 1 to " + std::to_string(n) + ", not " +
                                        std::to_string(options.stage));
        const StageCircuitRecord& record = design->Circuit(options.stage);
        options.no = record.CircuitNo;
        options.compensated = record.CompResistors != 0;
        values = ValuesDocument(record);
    } else if (options.no == 0) {
        throw std::invalid_argument("--no or --open is required");
    }
    const CircuitDefinition* circuit = FindCircuit(options.no);
    if (circuit == nullptr) throw std::invalid_argument("no circuit number " + std::to_string(options.no) + " in the catalog");
    if (options.compensated && !circuit->compensated)
        throw std::invalid_argument("circuit " + std::to_string(options.no) + " has no actively compensated variant");
    const CircuitVariant& variant = circuit->VariantOf(options.compensated);
    const schematic::DrawnCircuit drawn =
        schematic::TraceCircuit(schematic::InterpretSchematicScript(variant.schematicScript));
    const std::map<int, int> numbering = TemplateNumbering(drawn, variant.topology);
    nlohmann::json elements = nlohmann::json::array();
    for (const schematic::DrawnElement& element : drawn.elements) {
        elements.push_back({{"name", element.name}, {"nodes", NodesOf(element, variant.topology, numbering)}});
    }
    nlohmann::json doc = {{"no", circuit->circuitNo}, {"code", circuit->Code()}, {"compensated", options.compensated},
                          {"elements", elements}, {"input", 1}, {"output", 2}, {"ground", 0}};
    if (!drawn.problems.empty()) doc["problems"] = drawn.problems;
    if (values) doc["stage"] = options.stage, doc["values"] = *values;
    return doc;
}

}  // namespace tavrel::cli
