#include "core/calculate.h"

#include <algorithm>
#include <array>

#include "core/arithmetic_failure.h"
#include "core/bessel_prototype.h"
#include "core/prototypes.h"
#include "core/responses.h"
#include "core/transform.h"

namespace tavrel {

namespace {

constexpr long double kMaxUsableQ = 300;

// Computes the prototype of slot ApproxIndex. Returns false when the approximation
// cannot be built.
bool ComputePrototype(DesignState& state, const BesselTable& table) {
    switch (state.ApproxIndex) {
        case Butterworth: ButterworthPrototype(state); return true;
        case Chebyshev: ChebyshevPrototype(state); return true;
        case InverseChebyshev: InverseChebyshevPrototype(state); return true;
        case Elliptic: return EllipticPrototype(state);
        default: BesselPrototype(state, table); return true;
    }
}

void CountZeros(DesignState& state, int approx) {
    ApproxRecord& record = state.Approx[approx];
    record.RealZeroCount = record.HasRealZero ? 1 : 0;
    record.FiniteZeroPairs = 0;
    for (int k = 1; k <= record.ZeroPairCount; ++k) {
        if (state.Zero[approx][k].Wz == 0)
            record.RealZeroCount = static_cast<std::int16_t>(record.RealZeroCount + 2);
        else
            ++record.FiniteZeroPairs;
    }
}

void FindMaxPoleQ(DesignState& state, int approx) {
    ApproxRecord& record = state.Approx[approx];
    if (record.OrderTooHigh || record.PolePairCount < 1) return;
    long double q = 0;
    for (int k = 1; k <= record.PolePairCount; ++k) q = std::max(q, static_cast<long double>(state.PolePair[approx][k].Qp));
    record.MaxPoleQ = q;
    if (q > kMaxUsableQ) state.ApproxFailed[approx] = true;
}

}  // namespace

std::optional<std::string> CalculateQuestion(const DesignState& state) {
    if (state.DesignStep >= Step::CircuitsSelected) return std::string("This will re-initialize your design.");
    return std::nullopt;
}

bool AnyUsable(const DesignState& state) {
    for (int approx = 0; approx <= state.HighestApprox && approx < kApproxCount; ++approx)
        if (IsUsable(state, approx)) return true;
    return false;
}

CalcOutcome Calculate(DesignState& state, const SpecEntries& entries, const CalcEnvironment& env) {
    CalcOutcome outcome;
    state.DesignModified = true;
    state.ResultsValid = false;
    if (auto rejected = ReadEntries(state, entries)) {
        state.InputRejected = false;
        outcome.rejected = rejected;
        return outcome;
    }
    ClearAllApproximations(state);
    state.ComputationFailed.fill(false);
    outcome.warnings = ConvertEntries(state);

    const auto table = LoadBesselTable(env.bessRootFile);
    const FilterKind kind = state.FilterKind;
    for (int approx = 0; approx < kApproxCount; ++approx) {
        state.ApproxIndex = static_cast<std::uint8_t>(approx);
        state.AllPole = IsAllPole(approx);
        if (approx == Bessel && !table) {
            outcome.error = BesselTableMissingMessage();
            return outcome;
        }
        // An arithmetic failure ends this approximation only; it is marked failed rather
        // than offered with half its poles.
        try {
            bool built = ComputePrototype(state, table ? *table : BesselTable{});
            if (built && state.Approx[approx].Order >= 1 && !state.Approx[approx].OrderTooHigh) {
                if (kind == FilterKind::Bandstop) {
                    state.FilterKind = FilterKind::Bandpass;
                    state.BandstopPass = true;
                }
                Transform(state);
            }
            if (!built) state.ComputationFailed[approx] = true;
        } catch (const ArithmeticFailure&) {
            state.ComputationFailed[approx] = true;
        }
        state.FilterKind = kind;
        state.BandstopPass = false;
    }

    // An approximation whose computation failed has no poles: it is failed whether or not
    // another one gives results (frequencies of 1e20 Hz fail all five).
    for (int approx = 0; approx < kApproxCount; ++approx) {
        if (state.ComputationFailed[approx]) state.ApproxFailed[approx] = true;
        if (!state.Approx[approx].OrderTooHigh && !state.ComputationFailed[approx]) state.ResultsValid = true;
    }
    if (!state.ResultsValid) return outcome;

    for (int approx = 0; approx < kApproxCount; ++approx) {
        if (state.ComputationFailed[approx]) continue;
        CountZeros(state, approx);
        FindMaxPoleQ(state, approx);
    }
    if (!AnyUsable(state)) return outcome;
    outcome.nextEnabled = true;
    PrepareRanges(state);
    state.GainAccepted = false;
    if (auto gainError = CheckGain(state, entries)) {
        outcome.gainRejected = gainError;
        return outcome;
    }
    state.GainAccepted = true;
    for (int approx = 0; approx < kApproxCount; ++approx)
        if (IsUsable(state, approx)) ComputeResponses(state, approx);
    state.Recalculated = true;
    return outcome;
}

}  // namespace tavrel
