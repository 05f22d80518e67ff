#include "cli/design_stage_command.h"

#include <stdexcept>

#include "circuits/catalog/circuit_definition.h"
#include "circuits/equations/design_merits.h"
#include "circuits/equations/design_stage.h"
#include "cli/number_option.h"
#include "stages/stage_record.h"

namespace tavrel::cli {

namespace {

nlohmann::json SlotsDocument(const ComponentEntry& e) {
    auto slot = [&](int s) { return static_cast<double>(e.Sens[static_cast<size_t>(s)]); };
    return {{"wp", slot(SensSlot::PoleFrequency)}, {"qp", slot(SensSlot::PoleQ)}, {"gain", slot(SensSlot::Gain)},
            {"wz", slot(SensSlot::ZeroFrequency)}, {"qz", slot(SensSlot::ZeroQ)},  {"t1", slot(SensSlot::ThirdPole)},
            {"t2", slot(SensSlot::ThirdZero)}};
}

nlohmann::json DesignDocument(const StageCircuitRecord& r) {
    auto real = [](const Real48& x) { return static_cast<double>(x); };
    nlohmann::json resistors = nlohmann::json::array(), capacitors = nlohmann::json::array();
    nlohmann::json sens = nlohmann::json::object();
    for (int i = 1; i <= r.ResistorCount; ++i) {
        resistors.push_back(real(r.Resistors[static_cast<size_t>(i - 1)].Value));
        sens["R" + std::to_string(i)] = SlotsDocument(r.Resistors[static_cast<size_t>(i - 1)]);
    }
    for (int j = 1; j <= r.CapacitorCount; ++j) {
        capacitors.push_back(real(r.Capacitors[static_cast<size_t>(j - 1)].Value));
        sens["C" + std::to_string(j)] = SlotsDocument(r.Capacitors[static_cast<size_t>(j - 1)]);
    }
    const DesignMerits merits = MeritsOf(r);
    return {{"no", r.CircuitNo},
            {"invalid", r.Invalid != 0},
            {"gain_forced", r.GainForced != 0},
            {"actual_gain", real(r.ActualGain)},
            {"design_w", real(r.DesignW)},
            {"design_q", real(r.DesignQ)},
            {"cap_ratio", real(r.CapRatio)},
            {"r", resistors},
            {"c", capacitors},
            {"k1", real(r.FreqShiftCoef)},
            {"k2", real(r.QShiftCoef)},
            {"s1", real(r.SpreadCoef1)},
            {"s2", real(r.SpreadCoef2)},
            {"min_gbw", real(r.MinGBW)},
            {"gbw_error", real(r.GBWError)},
            {"aux_pole_w", real(r.AuxPoleW)},
            {"input_attenuation", real(r.InputAttenuation)},
            {"atten_resistors", r.InputAttenuation != 0 ? std::string(r.AttenResistors.begin(), r.AttenResistors.end())
                                                        : std::string()},
            {"resistor_spread", merits.RSpread},
            {"capacitor_spread", merits.CSpread},
            {"sens", sens}};
}

}  // namespace

void AddDesignStageOptions(CLI::App& command, DesignStageOptions& o) {
    command.add_option("--no", o.request.circuitNo, "catalog circuit number (see the catalog command)")
        ->required()
        ->type_name("N");
    auto* wp = command.add_option("--wp", o.wp, "pole frequency, rad/s (second-order circuits)")->type_name("W");
    auto* qp = command.add_option("--qp", o.qp, "pole Q (second-order circuits)")->type_name("Q");
    command.add_option("--wz", o.wz, "zero frequency, rad/s (notch circuits)")->type_name("WZ");
    auto* wc = command.add_option("--wc", o.wc, "corner frequency, rad/s (first-order circuits)")->type_name("WC");
    wp->needs(qp);
    qp->needs(wp);
    wc->excludes(wp)->excludes(qp);
    command.add_option("--gain", o.gain, "desired stage gain, V/V")->required()->type_name("K");
    command.add_option("--c1", o.c1, "C1 in farad (default: the circuit's start value for the frequency)")
        ->type_name("F");
    command.add_option("--cap-ratio", o.capRatio, "C2/C1 (default: the circuit's own)")->type_name("M");
    command.add_flag("--c2-variable", o.request.c2Variable, "the \" C2 variable\" design, where offered");
    command.add_flag("--equal", o.request.equal, "the \" C1=C2 : R1=R2\" design, where offered");
    auto* compensate =
        command.add_flag("--compensate", o.request.compensate, "pre-distort for the op amp's GBW (default off)");
    auto* gbw =
        command.add_option("--gbw", o.gbw, "op amp unity gain-bandwidth, Hz (with --compensate)")->type_name("HZ");
    compensate->needs(gbw);
}

nlohmann::json RunDesignStage(DesignStageOptions& o) {
    DesignRequest& q = o.request;
    const CircuitDefinition* row = FindCircuit(q.circuitNo);
    if (row == nullptr) throw std::invalid_argument("no catalog circuit has the number " + std::to_string(q.circuitNo));
    const bool firstOrder = IsFirstOrderStage(row->stageType);
    if (firstOrder ? !o.wc : !o.wp)
        throw std::invalid_argument(firstOrder ? "a first-order circuit takes --wc" : "a second-order circuit takes --wp and --qp");
    auto number = [](const std::optional<std::string>& text, const char* option) {
        return text ? NumberOption(*text, option) : 0;
    };
    q.wp = number(o.wp, "--wp"), q.qp = number(o.qp, "--qp"), q.wz = number(o.wz, "--wz"), q.wc = number(o.wc, "--wc");
    q.gain = NumberOption(o.gain, "--gain");
    q.gbwHz = number(o.gbw, "--gbw");
    if (firstOrder ? !(q.wc > 0) : !(q.wp > 0 && q.qp > 0))
        throw std::invalid_argument("frequencies and Q must be positive");
    if (IsNotchStage(row->stageType) && !(q.wz > 0))
        throw std::invalid_argument("a notch circuit takes a positive --wz");
    if (!IsNotchStage(row->stageType) && o.wz) throw std::invalid_argument("only a notch circuit takes --wz");
    if (o.c1) {
        q.c1 = NumberOption(*o.c1, "--c1");
        if (!(*q.c1 > 0)) throw std::invalid_argument("--c1 must be positive");
    }
    if (o.capRatio) {
        q.capRatio = NumberOption(*o.capRatio, "--cap-ratio");
        if (!(*q.capRatio > 0)) throw std::invalid_argument("--cap-ratio must be positive");
    }
    PreparedDesign d = PrepareDesign(q).value();
    DesignStage(d.stage, d.record);
    return DesignDocument(d.record);
}

}  // namespace tavrel::cli
