#pragma once
// Stages of every tunable circuit designed for a few targets each, as cases of parametrized
// suites: the tuning report's figures come from the stage's targets, the checks from the stage
// function of the designed values.
#include <cmath>
#include <numbers>
#include <ostream>
#include <vector>

#include "analysis/tuning/tuning_figures.h"
#include "circuits/catalog/circuit_definition.h"
#include "circuits/equations/design_stage.h"
#include "circuits/network/stage_function.h"
#include "circuits/records/design_request.h"

namespace tavrel::testing_support {

inline constexpr long double kTwoPi = 2 * std::numbers::pi_v<long double>;

struct StageTarget {
    long double qp = 0;
    long double zeroRatio = 0;  // wz/wp of a notch stage
    long double gain = 1;
};

struct TuningCase {
    const CircuitDefinition* circuit = nullptr;
    StageTarget target;
    TuningStage stage;       // as the report sees it
    StageFunction realised;  // of the designed values
};

inline void PrintTo(const TuningCase& c, std::ostream* os) {
    *os << c.circuit->Code() << " Qp " << static_cast<double>(c.target.qp);
    if (c.target.zeroRatio > 0) *os << " wz " << static_cast<double>(c.target.zeroRatio);
    *os << " K " << static_cast<double>(c.target.gain);
}

// Qp = 0.5 and a Butterworth pair have no peak; 0.8 peaks for the all-pole types only, the
// zero being close; 1 peaks just so for the highpass notch (its zero at 0.7 wp).
inline std::vector<StageTarget> TargetsOf(int stageType) {
    switch (stageType) {
        case StageCode::FLP:
        case StageCode::FHP: return {{0, 0, 1}, {0, 0, 2.5L}};
        case StageCode::SLP:
        case StageCode::SHP: return {{0.5L}, {0.6L}, {1 / std::numbers::sqrt2_v<long double>}, {2, 0, 2}, {5}};
        case StageCode::SBP: return {{0.7L}, {2, 0, 3}, {10}};
        case StageCode::SLPN: return {{0.6L, 1.5L}, {0.8L, 1.5L}, {3, 1.5L}, {8, 1.2L, 0.5L}};
        case StageCode::SHPN: return {{0.6L, 0.7L}, {0.8L, 0.7L}, {1, 0.7L}, {3, 0.7L, 2}, {8, 0.8L}};
        default: return {};
    }
}

inline constexpr long double kCentre = kTwoPi * 1000;  // fp or fc of 1 kHz

// The stage designed for a target; nullopt when the circuit cannot realise it.
inline std::optional<TuningCase> Designed(const CircuitDefinition& circuit, const StageTarget& target) {
    DesignRequest request;
    request.circuitNo = circuit.circuitNo;
    request.gain = target.gain;
    if (circuit.Order() == 1) {
        request.wc = kCentre;
    } else {
        request.wp = kCentre;
        request.qp = target.qp;
        request.wz = kCentre * target.zeroRatio;
    }
    std::optional<PreparedDesign> p = PrepareDesign(request);
    if (!p) return std::nullopt;
    DesignStage(p->stage, p->record);
    if (p->record.Invalid) return std::nullopt;
    TuningCase c;
    c.circuit = &circuit;
    c.target = target;
    c.stage.stageType = p->stage.StageType;
    c.stage.wp = p->stage.Wp;
    c.stage.qp = p->stage.Qp;
    c.stage.wz = p->stage.Wz;
    c.stage.wc = p->stage.Wc;
    c.stage.gain = p->record.ActualGain;
    c.stage.inverting = circuit.inverting;
    c.realised = StageFunctionOf(circuit, ValuesOf(p->record));
    return c;
}

// Every tunable circuit (all but the symmetric notches, which have no tuning text) with every
// target it can realise.
inline std::vector<TuningCase> TuningCases() {
    std::vector<TuningCase> cases;
    for (const CircuitDefinition& circuit : Circuits())
        for (const StageTarget& target : TargetsOf(circuit.stageType))
            if (const auto c = Designed(circuit, target)) cases.push_back(*c);
    return cases;
}

inline long double RealisedGain(const TuningCase& c, long double w) {
    return std::abs(EvaluateStageFunction(c.realised, Complex(0, w)));
}

// The phase a meter shows at the stage's output, from the stage function: its phase, the sign
// of its constant and the inversion of the circuit, in degrees.
inline long double RealisedPhase(const TuningCase& c, long double w) {
    long double degrees = StagePhase(c.realised, w) * 180 / std::numbers::pi_v<long double>;
    if (c.realised.k < 0) degrees += 180;
    if (c.circuit->inverting) degrees += 180;
    return degrees;
}

// The difference of two angles in degrees, brought into (-180, 180].
inline long double AngleDifference(long double a, long double b) {
    long double d = std::fmod(a - b, 360.0L);
    if (d > 180) d -= 360;
    if (d <= -180) d += 360;
    return d;
}

}  // namespace tavrel::testing_support
