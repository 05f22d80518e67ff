#include "analysis/tuning/tuning_figures.h"

#include <cmath>
#include <numbers>

#include "circuits/catalog/circuit_definition.h"

namespace tavrel {

namespace {

constexpr long double kPeakLimit = 1.00001L / std::numbers::sqrt2_v<long double>;

using Complex = std::complex<long double>;

// The real roots of a·x² + b·x + c = 0 (a may be 0), smaller first; NaN where there is none.
FrequencyPair QuadraticRoots(long double a, long double b, long double c) {
    const long double nan = std::nanl("");
    if (a == 0) {
        const long double x = b != 0 ? -c / b : nan;
        return {x, x};
    }
    const long double discriminant = b * b - 4 * a * c;
    if (discriminant < 0) return {nan, nan};
    // The root that does not cancel first, the other from the product of the roots.
    const long double q = -0.5L * (b + std::copysign(std::sqrt(discriminant), b));
    long double x1 = q / a, x2 = q != 0 ? c / q : 0;
    if (x1 > x2) std::swap(x1, x2);
    return {x1, x2};
}

}  // namespace

TuningStage TuningStageOf(const Design& design, int s) {
    const StageRecord& stage = design.Stage(s);
    const StageCircuitRecord& record = design.Circuit(s);
    const CircuitDefinition* circuit = FindCircuit(record.CircuitNo);
    TuningStage t;
    t.stageType = stage.StageType;
    t.wp = stage.Wp;
    t.qp = stage.Qp;
    t.wz = stage.Wz;
    t.wc = stage.Wc;
    t.gain = record.ActualGain;
    t.inverting = circuit != nullptr && circuit->inverting;
    return t;
}

std::complex<long double> IdealStageGain(const TuningStage& t, long double w) {
    const Complex s(0, w);
    const long double k = t.gain;
    switch (t.stageType) {
        case StageCode::FLP: return k * t.wc / (s + t.wc);
        case StageCode::FHP: return k * s / (s + t.wc);
        default: break;
    }
    const Complex d = s * s + s * (t.wp / t.qp) + t.wp * t.wp;
    switch (t.stageType) {
        case StageCode::SLP: return k * t.wp * t.wp / d;
        case StageCode::SHP: return k * s * s / d;
        case StageCode::SBP: return k * (t.wp / t.qp) * s / d;
        default: return k * (s * s + t.wz * t.wz) / d;
    }
}

long double TuningPhase(const TuningStage& t, long double w) {
    long double degrees = std::arg(IdealStageGain(t, w)) * 180 / std::numbers::pi_v<long double>;
    if (t.inverting) degrees += 180;
    while (degrees > 180) degrees -= 360;
    while (degrees <= -180) degrees += 360;
    return degrees;
}

long double NotchRatio(const TuningStage& t) { return (t.wz / t.wp) * (t.wz / t.wp); }

ResponsePeak PeakOf(const TuningStage& t) {
    ResponsePeak peak;
    if (!(t.qp > kPeakLimit)) return peak;
    const long double q2 = t.qp * t.qp, a = 1 / (2 * q2);
    switch (t.stageType) {
        case StageCode::SLP:
            peak = {true, t.wp * std::sqrt(1 - a), t.gain * 2 * q2 / std::sqrt(4 * q2 - 1)};
            break;
        case StageCode::SHP:
            // The mirror image of the lowpass in log frequency (u -> 1/u): the same peak gain at
            // wp/sqrt(1 - a). The first-order forms wp·sqrt(1 + a) and K·(2·Qp² + 1)/sqrt(4·Qp² + 3)
            // are 0.8 % and 0.04 % off already at Qp = 2, more than a trimmer can be read to.
            peak = {true, t.wp / std::sqrt(1 - a), t.gain * 2 * q2 / std::sqrt(4 * q2 - 1)};
            break;
        case StageCode::SLPN:
        case StageCode::SHPN: {
            // |T|² = (z − u²)²/((1 − u²)² + u²/Qp²) is stationary in u² only at
            // ((1 − a)·z − 1)/(z + a − 1); a negative value there means the gain falls (SLPN) or
            // rises (SHPN) monotonically towards the notch and the passband.
            const long double z = NotchRatio(t);
            const long double u2 = ((1 - a) * z - 1) / (z + a - 1);
            if (!(u2 > 0)) break;
            const long double u = std::sqrt(u2);
            peak = {true, t.wp * u, std::fabs(t.gain * (z - u2) / std::sqrt(u2 / q2 + (1 - u2) * (1 - u2)))};
            break;
        }
        default: break;
    }
    return peak;
}

long double MinusThreeDbFrequency(const TuningStage& t) {
    if (t.stageType == StageCode::FLP || t.stageType == StageCode::FHP) return t.wc;
    const long double a = 1 / (2 * t.qp * t.qp);
    switch (t.stageType) {
        case StageCode::SLP: return t.wp * std::sqrt(1 - a + std::sqrt((a - 1) * (a - 1) + 1));
        case StageCode::SHP: return t.wp * std::sqrt(std::sqrt((a - 1) * (a - 1) + 1) + a - 1);
        case StageCode::SLPN:
        case StageCode::SHPN: {
            // (z − x)² = g·((1 − x)² + 2a·x) with x = u² and g the squared -3 dB level over K:
            // z²/2 below an SLPN's notch, 1/2 above an SHPN's. The edge lies between the notch
            // and the passband: below z for SLPN, above it for SHPN.
            const long double z = NotchRatio(t);
            const long double g = t.stageType == StageCode::SLPN ? z * z / 2 : 0.5L;
            const FrequencyPair x = QuadraticRoots(1 - g, 2 * (g - z - g * a), z * z - g);
            const auto inside = [&](long double r) {
                return t.stageType == StageCode::SLPN ? r > 0 && r < z : r > z;
            };
            const long double edge = inside(x.lower) ? x.lower : x.upper;
            return inside(edge) ? t.wp * std::sqrt(edge) : std::nanl("");
        }
        default: return std::nanl("");
    }
}

FrequencyPair FortyFiveDegreeFrequencies(const TuningStage& t) {
    const long double root = std::sqrt(4 * t.qp * t.qp + 1);
    return {t.wp * (root - 1) / (2 * t.qp), t.wp * (root + 1) / (2 * t.qp)};
}

}  // namespace tavrel
