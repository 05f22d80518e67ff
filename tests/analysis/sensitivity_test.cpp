#include <gtest/gtest.h>

#include <cmath>

#include "circuits/equations/sensitivity.h"
#include "stages/stage_record.h"

namespace tavrel {
namespace {

TEST(SensitivityTransform, DocumentedRow) {
    StageCircuitRecord r;
    r.ResistorCount = 1;
    r.CapacitorCount = 0;
    SensitivityMatrix m{};
    m[0] = {-1, 0, 0, 0, 0, 0};
    SensitivityTransform(r, StageCode::SN, 1, m, true, 1, 1, 1);
    EXPECT_NEAR(r.Resistors[0].Sens[SensSlot::PoleFrequency], 0, 1e-18);
    EXPECT_NEAR(r.Resistors[0].Sens[SensSlot::PoleQ], -1, 1e-18);
    EXPECT_NEAR(r.Resistors[0].Sens[SensSlot::ThirdPole], -1, 1e-18);
}

TEST(SensitivityTransform, ZeroMatrixWritesZeroSlotsOnlyForNotchTypes) {
    SensitivityMatrix m{};
    m[0] = {-1, 0, 0, -1, 0, 0};
    for (int type : {StageCode::SLP, StageCode::SLPN}) {
        StageCircuitRecord r;
        r.ResistorCount = 1;
        r.CapacitorCount = 1;
        SensitivityTransform(r, type, 1, m, false, 1, 1, 1);
        EXPECT_EQ(r.Resistors[0].Sens[SensSlot::ZeroQ], IsNotchStage(type) ? -1 : 0);
        EXPECT_EQ(r.Capacitors[0].Sens[SensSlot::ZeroQ], IsNotchStage(type) ? -1 : 0);
        EXPECT_EQ(r.Resistors[0].Sens[SensSlot::ThirdZero], -1);
        EXPECT_EQ(r.Resistors[0].Sens[SensSlot::PoleQ], 0);
    }
}

// At Q = 0.5 the transform's denominators vanish; the figures stay finite and continue the
// values just above 0.5.
TEST(SensitivityTransform, HalfQStaysFinite) {
    SensitivityMatrix m{};
    m[0] = {-1, 0.5, 0.25, 0, 0, 0};
    StageCircuitRecord at, above;
    at.ResistorCount = above.ResistorCount = 1;
    SensitivityTransform(at, StageCode::SN, 0.5L, m, true, 1, 1, 1);
    SensitivityTransform(above, StageCode::SN, 0.5005L, m, true, 1, 1, 1);
    for (int slot : {SensSlot::PoleFrequency, SensSlot::PoleQ, SensSlot::ThirdPole}) {
        const long double x = at.Resistors[0].Sens[static_cast<size_t>(slot)];
        EXPECT_TRUE(std::isfinite(x));
        EXPECT_NEAR(x, above.Resistors[0].Sens[static_cast<size_t>(slot)], 1e-3L * std::fabs(x));
    }
}

TEST(SensitivitySums, SquaresOnlyForMarkedComponentsAndTwinTSumsOnlyForTwinT) {
    StageCircuitRecord r;
    r.ResistorCount = 2;
    r.CapacitorCount = 1;
    r.Resistors[0].Sens = {0.5, -2, 3, 4, 0, 5, 0};
    r.Resistors[0].Marked = 1;
    r.Resistors[1].Sens = {0.5, 1, 3, 4, 0, 5, 0};
    r.Capacitors[0].Sens = {-1, 1, 1, 1, 0, 1, 0};
    r.Capacitors[0].Marked = 1;
    r.Resistors[2].Sens = {100, 100, 100, 100, 100, 100, 100};  // beyond the count
    SensitivitySums(r, StageCode::SLP);
    const auto& t = r.SensTotals;
    using namespace SensSum;
    EXPECT_EQ(t[PoleFrequency + Resistors], 1);
    EXPECT_EQ(t[PoleFrequency + Capacitors], -1);
    EXPECT_EQ(t[PoleFrequency + Total], 0);
    EXPECT_EQ(t[PoleFrequency + Squares + Resistors], 0.25);
    EXPECT_EQ(t[PoleFrequency + Squares + Total], 1.25);
    EXPECT_EQ(t[PoleQ + Resistors], -1);
    EXPECT_EQ(t[PoleQ + Squares + Resistors], 4);
    EXPECT_EQ(t[ThirdPole + Total], 0);
    EXPECT_EQ(t[ZeroFrequency + Total], 0);
    r.TwinT = 1;
    SensitivitySums(r, StageCode::SN);
    EXPECT_EQ(t[ThirdPole + Resistors], 6);
    EXPECT_EQ(t[ThirdPole + Squares + Total], 10);
    EXPECT_EQ(t[ThirdZero + Total], 11);
    EXPECT_EQ(t[ZeroFrequency + Total], 9);
}

}  // namespace
}  // namespace tavrel
