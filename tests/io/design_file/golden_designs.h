#pragma once
// Designs of every kind a design file can hold, each with values that tell its fields apart.
#include <memory>
#include <numbers>
#include <string>

#include "circuits/calculation/calculation_fixture.h"
#include "circuits/calculation/recalculate.h"
#include "circuits/records/design.h"
#include "stages/stage_record.h"

namespace tavrel::design_file_testing {

inline constexpr long double kTwoPi = 2 * std::numbers::pi_v<long double>;

// Right after Calculate and Next: the specification and the five approximations, no stages.
// Frequency 1 is typed as "1" kHz, so that opening the file runs the repair of placeholder
// entries and must give the same 1 back.
inline std::unique_ptr<Design> SpecificationDesign() {
    auto design = std::make_unique<Design>();
    DesignState& s = design->State;
    s.FilterKind = FilterKind::Lowpass;
    s.DesignStep = Step::SpecificationDone;
    s.ChosenApprox = Chebyshev;
    s.ApproxIndex = Chebyshev;
    s.HighestApprox = 4;
    s.Apb = 0.5L;
    s.Asb = 40;
    s.Wpb = kTwoPi * 1000;
    s.Wsb = kTwoPi * 3000;
    s.Selectivity = 3;
    s.ApbEntry = 0.5L;
    s.AsbEntry = 40;
    s.F1Entry = 1;
    s.F2Entry = 3;
    s.F0Entry = 5;
    s.UnitIndex = {1, 1, 0};
    s.OverallGain = 2;
    s.ForcedOrder = 7;
    s.DesignModified = true;
    s.AutoCascading = false;
    design->Characteristics.RTolerance = 5;
    design->Characteristics.ReservedCharacteristic = 7;
    design->WindowOptionFlags[10] = true;
    design->WindowOptionFlags[29] = true;
    design->WindowOptionFlags[23] = true;  // also written at position 33
    ApproxRecord& a = s.Approx[Chebyshev];
    a.Order = 4;
    a.PolePairCount = 2;
    a.RealZeroCount = 0;
    a.GainText = "0.2505";
    a.GainConst = 0.2505L;
    a.GainConstN = 0.5L;
    a.MaxPoleQ = 2.18L;
    s.Approx[Elliptic].OrderTooHigh = 1;
    s.Approx[Elliptic].Order = 23;
    s.Approx[InverseChebyshev].ZeroPairCount = 1;
    s.Approx[InverseChebyshev].HasRealPole = 1;
    s.Approx[InverseChebyshev].RealPole = 1234.5L;
    for (int p = 1; p <= 2; ++p) {
        PolePairRecord& pair = s.PolePair[Chebyshev][static_cast<size_t>(p)];
        pair.B0N = 0.1L * p;
        pair.C0N = 0.9L + p;
        pair.B0 = 600.0L * p;
        pair.C0 = 3.9e7L * p;
        pair.W0p = 6200.0L * p;
        pair.Qp = 2.18L / p;
        PoleEntry& pole = s.Pole[Chebyshev][static_cast<size_t>(p)];
        pole.SigmaN = 0.2L * p;
        pole.OmegaN = 0.95L / p;
        pole.Sigma = 300.0L * p;
        pole.Omega = -6100.0L * p;
        pole.ResidueMag = 1e-3L;
        pole.ResidueAngle = -1.5L;
    }
    s.Pole[Bessel][0].ResidueMag = 1;
    s.Pole[Bessel][11].Sigma = 4444;
    s.Zero[InverseChebyshev][1] = {1.7L, kTwoPi * 3000};
    s.Zero[Butterworth][11] = {0.25L, 0.5L};
    s.ZeroPair[InverseChebyshev][1] = {2.89L, 3.55e8L};
    s.PolePair[Bessel][11].Qp = 0.577L;
    design->Stages.Criteria.FirstStagePrefs[2] = {0, 3};
    design->Stages.Criteria.LastStagePrefs[1] = {1, 2};
    return design;
}

// Pairing and cascading done: three stages with their pairing lists; no circuits yet.
inline std::unique_ptr<Design> StagesDesign() {
    auto design = SpecificationDesign();
    DesignState& s = design->State;
    s.DesignStep = Step::CascadingDone;
    s.DesignModified = false;
    s.StageCount = 3;
    design->Stages.PoleEntryCount = 3;
    design->Stages.ZeroEntryCount = 1;
    const StageRecord stages[3] = {
        {StageCode::FLP, "FLP ", 3, 0, 0, 0, 0, 0, 0, 2500, 1.02L, 2500, 1},
        {StageCode::SLP, "SLP ", 2, 0, 0, 0, 5800, 0.9L, 0, 3222, 1.4L, 3.36e7L, 0.998L},
        {StageCode::SLPN, "SLPN", 1, 0, 1, 0, 6200, 2.18L, 9000, 1422, 1.9L, 1.5L, 1.5L},
    };
    for (int k = 1; k <= 3; ++k) {
        design->Stage(k) = stages[k - 1];
        PairPoleEntry& pole = design->Stages.PairPoleList[static_cast<size_t>(k)];
        pole = {0, static_cast<std::uint8_t>(k < 3), 0.9L * k, 5800.0L + k, 300.0L * k, k < 3 ? 4000.0L * k : 0, static_cast<std::int16_t>(k)};
    }
    design->Stages.PairZeroList[1] = {0, 1, 0, 9000};
    design->Stages.PairZeroList[2] = {1, 0, 77, 0};
    return design;
}

// A user-defined filter whose stages were entered: the entry texts of every stage are kept.
inline std::unique_ptr<Design> UserDefinedDesign() {
    auto design = std::make_unique<Design>();
    DesignState& s = design->State;
    s.FilterKind = FilterKind::UserDefined;
    s.HighestApprox = 0;
    s.DesignStep = Step::ApproximationChosen;
    s.StageCount = 2;
    s.OverallGain = 3;
    // No specification: entries of 1 or 2 would be taken for placeholders of an old file.
    s.F1Entry = s.F2Entry = s.F0Entry = 0;
    s.Approx[0].Order = 3;
    s.Approx[0].PolePairCount = 1;
    s.Approx[0].HasRealPole = 1;
    s.Approx[0].RealPole = 1000;
    s.Approx[0].GainConst = 3;
    design->Stage(1) = {StageCode::FLP, "FLP ", 0, 0, 0, 0, 0, 0, 0, 1000, 0, 0, 1.5L};
    design->Stage(2) = {StageCode::SBP, "SBP ", 1, 0, 0, 0, 2000, 4, 0, 250, 0, 0, 2};
    design->UserEntries[1] = {1, {"1000", "", "", "", "1.5"}};
    design->UserEntries[2] = {0, {"4", "2000", "", "", "2"}};
    return design;
}

// Components calculated: a multiple-feedback lowpass II with its gain pair and a first-order lowpass,
// one resistor typed by hand (so the resistor-trim block follows).
inline std::unique_ptr<Design> ComponentsDesign() {
    using calculation_testing::HandDesign;
    auto design = HandDesign({{StageCode::SLP, 10000, 1.3L, 0, 1.5L}, {StageCode::FLP, 20000}}, 1.5L);
    calculation_testing::SelectAndCalculate(*design, {14, 1});
    design->State.DesignStep = Step::ComponentsCalculated;
    design->State.ChosenApprox = Butterworth;
    design->State.Wpb = kTwoPi * 1000;
    design->State.F1Entry = 1;
    design->State.F2Entry = 4;
    design->State.F0Entry = 0;  // unused by a lowpass; a 2 would be taken for a placeholder
    design->State.UnitIndex = {1, 1, 1};
    StageCircuitRecord& first = design->Circuit(1);
    first.Resistors[1].UserValue = 12000;
    first.Resistors[1].UserFixed = 1;
    first.UserGain = 1.25L;
    first.UserGainSet = 1;
    first.ResetValue = 0.75L;
    RecalculateAll(*design, true);
    design->UserEntries[2].Fields[4] = "ignored";
    return design;
}

}  // namespace tavrel::design_file_testing
