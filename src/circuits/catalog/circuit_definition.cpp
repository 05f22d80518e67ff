#include "circuits/catalog/circuit_definition.h"

#include <cstdio>
#include <stdexcept>
#include <string>

#include "circuits/catalog/circuit_catalog.h"
#include "circuits/catalog/ease_of_tuning.h"
#include "circuits/catalog/tuning_table.h"
#include "circuits/schematic/schematic_scripts.h"
#include "stages/stage_record.h"

namespace tavrel {

namespace {

std::span<const DesignRoutine> RoutinesOfType(int stageType) {
    switch (stageType) {
        case StageCode::FLP: return FlpDesignRoutines();
        case StageCode::FHP: return FhpDesignRoutines();
        case StageCode::SLP: return SlpDesignRoutines();
        case StageCode::SHP: return ShpDesignRoutines();
        case StageCode::SBP: return SbpDesignRoutines();
        case StageCode::SLPN: return SlpnDesignRoutines();
        case StageCode::SHPN: return ShpnDesignRoutines();
        case StageCode::SN: return SnDesignRoutines();
        default: return {};
    }
}

const CoefficientFamilyRow& FamilyRowOf(const CatalogRow& row) {
    for (const CoefficientFamilyRow& family : CoefficientFamily())
        if (family.stageType == row.stageType && family.circuitIndex == row.circuitIndex) return family;
    throw std::logic_error(std::string("no coefficient row for ") + row.name);
}

// "R1,R2" as numbers; the empty entry stands for all resistors of the circuit.
std::vector<int> ListedResistors(const char* listed, int resistorCount) {
    std::vector<int> numbers;
    const std::string text = listed;
    if (text.empty()) {
        for (int i = 1; i <= resistorCount; ++i) numbers.push_back(i);
        return numbers;
    }
    for (size_t at = text.find('R'); at != std::string::npos; at = text.find('R', at + 1))
        numbers.push_back(std::stoi(text.substr(at + 1)));
    return numbers;
}

std::optional<CircuitVariant> VariantFrom(TemplateLibrary library, const std::string& key, const std::string& code) {
    const auto lines = FindTemplate(library, key);
    if (!lines) return std::nullopt;
    return CircuitVariant{ParseTopology(key, *lines),
                          schematic::StageSchematicScript(code, library == TemplateLibrary::Compensated)};
}

CircuitDefinition Define(const CatalogRow& row) {
    CircuitDefinition d;
    d.circuitNo = row.circuitNo;
    d.stageType = row.stageType;
    d.circuitIndex = row.circuitIndex;
    d.name = row.name;
    d.resistorCount = row.resistorCount;
    d.capacitorCount = row.capacitorCount;
    d.opAmpCount = row.opAmpCount;
    d.calcDescriptor = row.calcDescriptor;
    d.adjustDescriptor = row.adjustDescriptor;
    d.calc = ParseCalcDescriptor(row.calcDescriptor);
    d.adjust = ParseAdjustDescriptor(row.adjustDescriptor);
    const CoefficientFamilyRow& family = FamilyRowOf(row);
    d.form = family.form;
    d.thirdOrder = family.thirdOrder;
    d.inverting = family.inverting;
    d.listedResistors = ListedResistors(family.listed, row.resistorCount);
    const auto routines = RoutinesOfType(row.stageType);
    if (row.circuitIndex < 1 || row.circuitIndex > static_cast<int>(routines.size()))
        throw std::logic_error(std::string("no design routine for ") + row.name);
    d.design = routines[static_cast<size_t>(row.circuitIndex - 1)];
    const std::string key = TemplateKey(row.stageType, row.circuitIndex);
    auto plain = VariantFrom(TemplateLibrary::Plain, key, d.Code());
    if (!plain) throw std::logic_error("no netlist template " + key);
    d.plain = std::move(*plain);
    d.compensated = VariantFrom(TemplateLibrary::Compensated, key, d.Code());
    d.tuningEntry = TuningEntryText(row.circuitNo);
    if (d.tuningEntry == nullptr) throw std::logic_error(std::string("no tuning entry for ") + row.name);
    d.easeOfTuning = EaseOfTuningCode(row.circuitNo);
    if (*d.easeOfTuning == '\0') throw std::logic_error(std::string("no ease of tuning for ") + row.name);
    return d;
}

std::vector<CircuitDefinition> DefineAll() {
    std::vector<CircuitDefinition> all;
    for (const CatalogRow& row : CatalogRows()) all.push_back(Define(row));
    return all;
}

}  // namespace

std::string CircuitDefinition::Code() const {
    const std::string key = plain.topology.key.empty() ? TemplateKey(stageType, circuitIndex) : plain.topology.key;
    return key.substr(1, key.size() - 2);
}

int CircuitDefinition::Order() const {
    if (IsFirstOrderStage(stageType)) return 1;
    return thirdOrder ? 3 : 2;
}

std::span<const CircuitDefinition> Circuits() {
    static const std::vector<CircuitDefinition> all = DefineAll();
    return all;
}

const CircuitDefinition* FindCircuit(int circuitNo) {
    for (const CircuitDefinition& d : Circuits())
        if (d.circuitNo == circuitNo) return &d;
    return nullptr;
}

const CircuitDefinition* FindCircuit(int stageType, int circuitIndex) {
    if (TypeBase(stageType) < 0 || circuitIndex < 1 || circuitIndex > CircuitsOfType(stageType)) return nullptr;
    return FindCircuit(CircuitNumber(stageType, circuitIndex));
}

std::string ResistorListText(const CircuitDefinition& circuit) {
    auto twoDigits = [](int n) {
        char text[8];
        std::snprintf(text, sizeof text, "%02d", n);
        return std::string(text);
    };
    std::string text = twoDigits(static_cast<int>(circuit.listedResistors.size()));
    for (int n : circuit.listedResistors) text += "," + twoDigits(n);
    return text;
}

}  // namespace tavrel
