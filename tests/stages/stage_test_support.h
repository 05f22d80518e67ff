#pragma once
#include <complex>
#include <string>

#include "core/calculate.h"
#include "core/design_state.h"
#include "core/specification.h"
#include "stages/cascading.h"
#include "stages/pairing.h"
#include "stages/stage_scaling.h"
#include "stages/stage_tables.h"
#include "stages/transfer_function.h"

namespace tavrel::test {

using Complex = std::complex<long double>;

// A design of the kind with its order forced (the entries are the window's defaults).
inline DesignState ForcedOrderDesign(FilterKind kind, int order) {
    DesignState state;
    state.FilterKind = kind;
    SpecEntries entries = DefaultEntries(kind, false);
    entries.ForceOrder = true;
    entries.ForcedOrder = std::to_string(order);
    const CalcEnvironment env{std::string(TAVREL_BIN_DIR) + "/BessRoot.dat"};
    Calculate(state, entries, env);
    return state;
}

// The stages of a calculated design as automatic pairing and cascading form them for the
// approximation: the response grid, the pairing lists, the pairs, the cascade and its gains.
inline void FormStages(DesignState& state, StageTables& tables, int approx) {
    PrepareStageGrid(state, tables);
    state.ApproxIndex = static_cast<std::uint8_t>(approx);
    state.ChosenApprox = static_cast<std::uint8_t>(approx);
    BuildPairingLists(state, tables);
    PairAutomatically(state, tables);
    CascadeStages(state, tables);
    ScaleCascade(state, tables);
}

// A lowpass with Wpb = 175 rad/s: its response grid is w = 0, 1, ..., 350 and its
// flatness band 0..175.
inline void UnitStepGrid(DesignState& state, StageTables& tables) {
    state.FilterKind = FilterKind::Lowpass;
    state.Wpb = 175;
    PrepareStageGrid(state, tables);
}

// The filter's transfer function at jw straight from its pole and zero tables:
// K prod(s^2 + Wz2) (s) / (prod(s^2 + B0 s + C0) (s + RealPole)), up to the constant K.
inline Complex IdealTransferAt(const DesignState& state, int approx, long double w) {
    const Complex s(0, w);
    const ApproxRecord& record = state.Approx[approx];
    Complex h = 1;
    for (int k = 1; k <= record.PolePairCount; ++k) {
        const PolePairRecord& pair = state.PolePair[approx][k];
        h /= s * s + static_cast<long double>(pair.B0) * s + static_cast<long double>(pair.C0);
    }
    for (int k = 1; k <= record.ZeroPairCount; ++k) h *= s * s + static_cast<long double>(state.ZeroPair[approx][k].Wz2);
    if (record.HasRealPole) h /= s + static_cast<long double>(record.RealPole);
    if (record.HasRealPole2) h /= s + static_cast<long double>(record.RealPole2);
    if (record.HasRealZero) h *= s - static_cast<long double>(record.RealZero);
    return h;
}

// The same function from the stored natural frequencies, quality factors and zero
// frequencies of the tables (W0p, Qp, Wz), the values a stage copies: pairing errors
// show up in full while storage rounding cancels.
inline Complex IdealTransferFromStoredValues(const DesignState& state, int approx, long double w) {
    const Complex s(0, w);
    const ApproxRecord& record = state.Approx[approx];
    Complex h = 1;
    for (int k = 1; k <= record.PolePairCount; ++k) {
        const long double w0 = state.PolePair[approx][k].W0p, q = state.PolePair[approx][k].Qp;
        h /= s * s + (w0 / q) * s + w0 * w0;
    }
    for (int k = 1; k <= record.ZeroPairCount; ++k) {
        const long double wz = state.Zero[approx][k].Wz;
        h *= s * s + wz * wz;
    }
    if (record.HasRealPole) h /= s + static_cast<long double>(record.RealPole);
    if (record.HasRealPole2) h /= s + static_cast<long double>(record.RealPole2);
    if (record.HasRealZero) h *= s - static_cast<long double>(record.RealZero);
    return h;
}

// One stage's T(jw) from its biquadratic form.
inline Complex StageTransferAt(const StageRecord& stage, long double w, bool hz = false) {
    const Biquad b = BiquadOf(stage, hz);
    const Complex s(0, w);
    const auto& c = b.abcdef;
    return b.To * (c[0].value * s * s + c[1].value * s + c[2].value) / (c[3].value * s * s + c[4].value * s + c[5].value);
}

}  // namespace tavrel::test
