#pragma once
#include <array>
#include <cstdint>
#include <string>

#include "core/real48.h"

namespace tavrel {

enum class FilterKind : std::uint8_t { Lowpass = 0, Highpass = 1, Bandpass = 2, Bandstop = 3, UserDefined = 4 };

enum ApproxIndex : std::uint8_t { Butterworth = 0, Chebyshev = 1, InverseChebyshev = 2, Elliptic = 3, Bessel = 4 };

inline constexpr int kApproxCount = 5;
inline constexpr int kMaxPairs = 11;
inline constexpr int kMaxOrder = 20;
inline constexpr int kGridPoints = 351;

// How far a design has progressed; later windows compare it with these thresholds.
namespace Step {
inline constexpr std::uint8_t NoDesign = 0;
inline constexpr std::uint8_t UserEntryOpened = 1;
inline constexpr std::uint8_t SpecificationDone = 2;
inline constexpr std::uint8_t ApproximationChosen = 3;
inline constexpr std::uint8_t PairingDone = 4;
inline constexpr std::uint8_t CascadingDone = 5;
inline constexpr std::uint8_t CircuitsSelected = 6;
inline constexpr std::uint8_t ComponentsCalculated = 7;
inline constexpr std::uint8_t FinalResponses = 8;
}  // namespace Step

inline bool IsAllPole(int approx) { return approx == Butterworth || approx == Chebyshev || approx == Bessel; }

// Results of one approximation. Field order and types follow the 314-byte record of
// the design file; the file writer lays them out field by field.
struct ApproxRecord {
    std::int16_t Order = 0;
    std::int16_t OrderLimit = kMaxOrder;
    std::uint8_t OrderTooHigh = 0;
    std::int16_t PolePairCount = 0;
    std::int16_t ZeroPairCount = 0;
    std::int16_t RealZeroCount = 0;
    std::int16_t FiniteZeroPairs = 0;
    std::uint8_t HasRealPole = 0;
    Real48 RealPoleN;
    Real48 RealPole;
    std::uint8_t HasRealPole2 = 0;
    Real48 RealPole2;
    std::uint8_t HasRealZero = 0;
    Real48 RealZero;
    std::string GainText;  // short string, at most 255 characters
    Real48 GainConst;
    Real48 GainConstN;
    Real48 MaxPoleQ;
};

struct PolePairRecord {
    Real48 B0N, C0N, B0, C0, W0p, Qp;
};

struct ZeroPairRecord {
    Real48 Wz2N, Wz2;
};

struct PoleEntry {
    Real48 SigmaN, OmegaN, Sigma, Omega, ResidueMag, ResidueAngle;
};

struct ZeroEntry {
    Real48 WzN, Wz;
};

// One frequency point of a response grid.
struct GridPoint {
    Real48 F;  // Hz
    Real48 W;  // rad/s
};

// Ideal response of one approximation at one grid point.
struct ResponsePoint {
    Real48 GainDb, GainVv, PhaseDeg, DelaySec, Step, Impulse;
};

// The one design of the program. Names are those of the design's own vocabulary.
struct DesignState {
    tavrel::FilterKind FilterKind = tavrel::FilterKind::Lowpass;
    std::uint8_t ApproxIndex = 0;
    std::uint8_t ChosenApprox = 0;
    std::uint8_t DesignStep = Step::NoDesign;
    std::int16_t HighestApprox = 4;
    bool ForceOrder = false;
    std::int16_t ForcedOrder = 0;
    bool HzUnits = true;
    bool DbDisplay = true;
    bool AutoPairing = true;
    bool AutoCascading = true;
    bool DesignModified = false;
    bool Recalculated = false;
    std::string DesignFileName;

    Real48 ApbEntry = 0.5L, AsbEntry = 30;
    Real48 F1Entry = 1, F2Entry = 2, F0Entry = 2;
    std::array<std::int16_t, 3> UnitIndex{1, 1, 1};  // unit boxes of frequencies 1..3
    Real48 Apb, Asb, Wpb, Wsb, W0, Bpb, Bsb, Selectivity;
    Real48 UnitEdge = 1;
    Real48 Epsilon;
    Real48 OverallGain = 1;
    Real48 ReferenceLevel;    // OverallGain / sqrt 2, the 3 dB marker of the graphs
    Real48 ReferenceLevelDb;
    bool InputRejected = false;
    bool BandstopPass = false;
    bool AllPole = false;
    bool ResultsValid = false;
    bool GainAccepted = false;
    std::array<bool, kApproxCount> ApproxFailed{};
    // The approximation could not be built (an arithmetic failure, or an elliptic filter
    // whose real pole would not be stable); it is also ApproxFailed.
    std::array<bool, kApproxCount> ComputationFailed{};
    std::int16_t StageCount = 0;
    std::int16_t CurrentStage = 0;

    // The gain report of the stage gains: the overall gain the circuits realise, how many of
    // them force their own gain, and the largest cumulative excess over the optimal levels.
    Real48 ActualOverallGain;
    std::int16_t ForcedStageCount = 0;
    Real48 PeakGainExcess;

    std::array<ApproxRecord, kApproxCount> Approx{};
    // Pole pairs and zero pairs are numbered from 1; pole entry 0 is the origin pole
    // of the step response and entries after the last pair hold the real poles.
    std::array<std::array<PolePairRecord, kMaxPairs + 1>, kApproxCount> PolePair{};
    std::array<std::array<ZeroPairRecord, kMaxPairs + 1>, kApproxCount> ZeroPair{};
    std::array<std::array<PoleEntry, kMaxPairs + 1>, kApproxCount> Pole{};
    std::array<std::array<ZeroEntry, kMaxPairs + 1>, kApproxCount> Zero{};

    // Ideal responses on the 351-point grids.
    bool LogFrequencyAxis = true;
    Real48 FreqLo, FreqHi;  // in the display unit (Hz or rad/s)
    Real48 TimeSpan;
    std::int16_t TimeExponent = 0;
    std::array<GridPoint, kGridPoints> FreqGrid{};
    std::array<Real48, kGridPoints> TimeGrid{};
    std::array<std::array<ResponsePoint, kGridPoints + 1>, kApproxCount> IdealResponse{};
};

// Whether an approximation can be offered and chosen: its order is within the limit and at
// least 1 (a specification whose stopband asks for less than its passband gives orders of
// 0 and below, which have no poles to realize), and its poles are not beyond a Q of 300.
inline bool IsUsable(const DesignState& state, int approx) {
    const ApproxRecord& record = state.Approx[approx];
    return record.Order >= 1 && !record.OrderTooHigh && !state.ApproxFailed[approx];
}

void ClearApproximation(DesignState& state, int approx);
void ClearAllApproximations(DesignState& state);

}  // namespace tavrel
