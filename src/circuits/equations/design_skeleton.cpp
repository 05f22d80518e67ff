#include "circuits/equations/design_skeleton.h"

#include <algorithm>
#include <cmath>
#include <numbers>

namespace tavrel {

namespace {

constexpr long double kTwoPi = 2 * std::numbers::pi_v<long double>;

// The factor 2π between a GBW in Hz and rad/s leaves a pole data product such as
// 2π·10 kHz / 2π a few units in the last place off the decimal value it stands for.
constexpr long double kDecimalNoise = 1e-9L;

}  // namespace

void FixGain(StageCircuitRecord& record, long double k) {
    record.ActualGain = k;
    record.ActualGainCopy = k;
    record.GainForced = 1;
}

void TakeGain(StageCircuitRecord& record) {
    record.ActualGainCopy = record.ActualGain;
    record.GainForced = 0;
}

void ForceGainIf(StageCircuitRecord& record, bool condition, long double k) {
    if (condition)
        FixGain(record, k);
    else
        TakeGain(record);
}

void CapGain(StageCircuitRecord& record, long double limit, long double factor) {
    // The desired gain is a stored value: a limit typed as a literal is compared as stored.
    ForceGainIf(record, record.ActualGain >= Real48::Round(limit), factor * limit);
}

long double DecadeAbove(long double x) {
    long double m = 10;
    while (m <= x && m < 1e6L) m *= 10;
    return m;
}

void SetOpAmpCoefficients(StageCircuitRecord& record, long double k1, long double k2, long double s1,
                          long double s2) {
    record.FreqShiftCoef = k1;
    record.QShiftCoef = k2;
    record.SpreadCoef1 = s1;
    record.SpreadCoef2 = s2;
}

void SetOpAmpShares(StageCircuitRecord& record, std::initializer_list<long double> t, std::initializer_list<long double> u) {
    long double k1 = 0, k2 = 0, s1 = 0, s2 = 0;
    for (long double x : t) k1 += x, s1 += x * x;
    for (long double x : u) k2 += x, s2 += x * x;
    SetOpAmpCoefficients(record, k1, k2, s1, s2);
}

long double GBWErrorOf(long double k1, long double k2, long double wp, long double qp, long double gbwHz) {
    if (!(gbwHz > 0) || !(qp > 0)) return 0;
    const long double q = k2 / (2 * qp);
    return std::sqrt(q * q + k1 * k1) * wp / (kTwoPi * gbwHz);
}

long double RoundDownToHalfStep(long double value) {
    if (!(value > 0) || !std::isfinite(value)) return value;
    long double m = value, scale = 1;
    while (m * (1 + kDecimalNoise) >= 10) {
        m /= 10;
        scale *= 10;
    }
    return std::floor(2 * m * (1 + kDecimalNoise)) / 2 * scale;
}

long double RecommendedGBW(long double k1, long double k2, long double wp) {
    return RoundDownToHalfStep(20 * std::max(std::fabs(k1), std::fabs(k2)) * wp / kTwoPi);
}

void PreDistort(const StageRecord& stage, StageCircuitRecord& record) {
    const long double wp = stage.Wp, qp = stage.Qp, gbw = record.OpAmpGBW;
    const long double k1 = record.FreqShiftCoef, k2 = record.QShiftCoef;
    // Without an op amp GBW there is nothing to pre-distort for.
    if (record.Compensate && gbw > 0) {
        record.DesignW = wp + k1 * wp * wp / (kTwoPi * gbw);
        record.DesignQ = qp + k2 * wp * qp / (kTwoPi * gbw);
    } else {
        record.DesignW = wp;
        record.DesignQ = qp;
    }
    record.GBWError = GBWErrorOf(k1, k2, wp, qp, gbw);
    record.MinGBW = RecommendedGBW(k1, k2, wp);
}

void FirstOrderPoleData(const StageRecord& stage, StageCircuitRecord& record) {
    SetOpAmpCoefficients(record, 0, 0);
    record.DesignW = stage.Wc;
    record.DesignQ = 0;
    record.GBWError = 0;
    record.MinGBW = 0;
}

void SetSensitivities(ComponentEntry& entry, long double s1, long double s2, long double s3) {
    entry.Sens[SensSlot::PoleFrequency] = s1;
    entry.Sens[SensSlot::PoleQ] = s2;
    entry.Sens[SensSlot::Gain] = s3;
}

void AddScaledSlot(StageCircuitRecord& record, int to, int from, long double factor) {
    const auto add = [&](ComponentEntry& e) {
        e.Sens[static_cast<size_t>(to)] = e.Sens[static_cast<size_t>(to)] + factor * e.Sens[static_cast<size_t>(from)];
    };
    for (int i = 1; i <= record.ResistorCount; ++i) add(R(record, i));
    for (int j = 1; j <= record.CapacitorCount; ++j) add(C(record, j));
}

void CheckComponentValues(StageCircuitRecord& record, bool zeroResistorInvalid) {
    record.Invalid = 0;
    for (int i = 1; i <= record.ResistorCount; ++i) {
        const long double r = R(record, i).Value;
        if (zeroResistorInvalid ? !(r > 0) : !(r >= 0)) record.Invalid = 1;
    }
    for (int j = 1; j <= record.CapacitorCount; ++j)
        if (!(C(record, j).Value > 0)) record.Invalid = 1;
}

}  // namespace tavrel
