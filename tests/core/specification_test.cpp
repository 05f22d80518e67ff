#include "core/specification.h"

#include <gtest/gtest.h>

#include <cmath>

#include "core/math_helpers.h"

namespace tavrel {
namespace {

DesignState StateOf(FilterKind kind) {
    DesignState state;
    state.FilterKind = kind;
    return state;
}

TEST(Specification, DefaultsByKind) {
    struct Case {
        FilterKind kind;
        const char *f1, *f2, *f0;
    };
    for (const Case& c : {Case{FilterKind::Lowpass, "1", "2", ""}, Case{FilterKind::Highpass, "2", "1", ""},
                          Case{FilterKind::Bandpass, "1", "2", "2"}, Case{FilterKind::Bandstop, "2", "1", "2"}}) {
        const SpecEntries e = DefaultEntries(c.kind, false);
        EXPECT_EQ(e.F1, c.f1);
        EXPECT_EQ(e.F2, c.f2);
        EXPECT_EQ(e.F0, c.f0);
        EXPECT_EQ(e.Apb, "0.5");
        EXPECT_EQ(e.Asb, "30");
        EXPECT_FALSE(e.ForceOrder);
        EXPECT_EQ(e.UnitIndex, (std::array<int, 3>{1, 1, 1}));
        EXPECT_EQ(e.Gain, "1.0");
    }
    EXPECT_EQ(DefaultEntries(FilterKind::Lowpass, true).Gain, "0");
    EXPECT_EQ(GainTextForUnit(true), "0");
    EXPECT_EQ(GainTextForUnit(false), "1");
    EXPECT_EQ(UnitBoxItems(true)[1], "kHz");
    EXPECT_EQ(UnitBoxItems(false)[0], "rad/s");
    EXPECT_EQ(FrequencyLabels(FilterKind::Bandpass, false)[2], "Center Frequency (w0):");
    EXPECT_EQ(FrequencyLabels(FilterKind::Lowpass, true)[0], "Passband Frequency (fpb):");
}

struct RejectCase {
    const char* name;
    FilterKind kind;
    SpecEntries entries;
    const char* message;
    SpecField field;
};

SpecEntries With(SpecEntries e, void (*change)(SpecEntries&)) {
    change(e);
    return e;
}

TEST(Specification, RejectedEntriesInTheWindowsOrder) {
    const SpecEntries lp = DefaultEntries(FilterKind::Lowpass, false);
    const SpecEntries bp = DefaultEntries(FilterKind::Bandpass, false);
    const RejectCase cases[] = {
        {"empty order", FilterKind::Lowpass, With(lp, [](SpecEntries& e) { e.ForceOrder = true; }),
         "An integer number must be entered.", SpecField::ForcedOrder},
        {"order text", FilterKind::Lowpass, With(lp, [](SpecEntries& e) { e.ForceOrder = true, e.ForcedOrder = "x"; }),
         "An integer number must be entered.", SpecField::ForcedOrder},
        {"order 0", FilterKind::Lowpass, With(lp, [](SpecEntries& e) { e.ForceOrder = true, e.ForcedOrder = "0"; }),
         "An integer number must be entered.", SpecField::ForcedOrder},
        {"order 21", FilterKind::Lowpass, With(lp, [](SpecEntries& e) { e.ForceOrder = true, e.ForcedOrder = "21"; }),
         "Maximum order is 20.", SpecField::ForcedOrder},
        {"odd bandpass", FilterKind::Bandpass, With(bp, [](SpecEntries& e) { e.ForceOrder = true, e.ForcedOrder = "7"; }),
         "Order must be an even number.", SpecField::ForcedOrder},
        {"apb 0", FilterKind::Lowpass, With(lp, [](SpecEntries& e) { e.Apb = "0"; }), "Invalid Number.", SpecField::Apb},
        {"apb text before bad asb", FilterKind::Lowpass, With(lp, [](SpecEntries& e) { e.Apb = "a", e.Asb = "b"; }),
         "Invalid Number.", SpecField::Apb},
        {"asb empty", FilterKind::Lowpass, With(lp, [](SpecEntries& e) { e.Asb = ""; }), "Invalid Number.", SpecField::Asb},
        {"f1 nan", FilterKind::Lowpass, With(lp, [](SpecEntries& e) { e.F1 = "nan"; }), "Invalid Number.", SpecField::F1},
        {"f2 long", FilterKind::Lowpass, With(lp, [](SpecEntries& e) { e.F2 = std::string(300, '9') + "x"; }),
         "Invalid Number.", SpecField::F2},
        {"f0", FilterKind::Bandpass, With(bp, [](SpecEntries& e) { e.F0 = "0.0"; }), "Invalid Number.", SpecField::F0},
    };
    for (const RejectCase& c : cases) {
        DesignState state = StateOf(c.kind);
        const auto error = ReadEntries(state, c.entries);
        ASSERT_TRUE(error) << c.name;
        EXPECT_EQ(error->message, c.message) << c.name;
        EXPECT_EQ(error->field, c.field) << c.name;
    }
}

TEST(Specification, StopbandBoxesAreNotReadWithAForcedOrder) {
    DesignState state = StateOf(FilterKind::Bandpass);
    SpecEntries e = DefaultEntries(FilterKind::Bandpass, false);
    e.ForceOrder = true;
    e.ForcedOrder = "8";
    e.Asb = "junk";
    e.F2 = "";
    EXPECT_FALSE(ReadEntries(state, e));
    EXPECT_EQ(state.ForcedOrder, 8);
    // The center frequency is read only for bandpass and bandstop.
    DesignState lowpass = StateOf(FilterKind::Lowpass);
    SpecEntries l = DefaultEntries(FilterKind::Lowpass, false);
    l.F0 = "junk";
    EXPECT_FALSE(ReadEntries(lowpass, l));
}

TEST(Specification, ConvertsToRadiansPerSecond) {
    DesignState state = StateOf(FilterKind::Lowpass);
    ASSERT_FALSE(ReadEntries(state, DefaultEntries(FilterKind::Lowpass, false)));
    EXPECT_TRUE(ConvertEntries(state).empty());
    EXPECT_NEAR(state.Wpb, 2000 * kPi, 2000 * kPi * 1e-11);
    EXPECT_NEAR(state.Wsb, 4000 * kPi, 4000 * kPi * 1e-11);
    EXPECT_NEAR(state.Selectivity, 2, 1e-12);

    // The same numbers with rad/s display are 2 pi times smaller.
    DesignState rad = StateOf(FilterKind::Lowpass);
    rad.HzUnits = false;
    SpecEntries e = DefaultEntries(FilterKind::Lowpass, false);
    e.UnitIndex = {0, 1, 1};
    ASSERT_FALSE(ReadEntries(rad, e));
    ConvertEntries(rad);
    EXPECT_NEAR(rad.Wpb, 1, 1e-12);
    EXPECT_NEAR(rad.Wsb, 2000, 1e-8);

    DesignState bs = StateOf(FilterKind::Bandstop);
    ASSERT_FALSE(ReadEntries(bs, DefaultEntries(FilterKind::Bandstop, false)));
    ConvertEntries(bs);
    EXPECT_NEAR(bs.Bpb, 4000 * kPi, 4000 * kPi * 1e-11);
    EXPECT_NEAR(bs.W0, 4000 * kPi, 4000 * kPi * 1e-11);
    EXPECT_NEAR(bs.Selectivity, 2, 1e-12);
}

TEST(Specification, ForcedOrderPutsTheStopbandAnOctaveAway) {
    for (FilterKind kind : {FilterKind::Lowpass, FilterKind::Highpass, FilterKind::Bandpass, FilterKind::Bandstop}) {
        DesignState state = StateOf(kind);
        state.Asb = 77;
        SpecEntries e = DefaultEntries(kind, false);
        e.ForceOrder = true;
        e.ForcedOrder = "4";
        e.F1 = "3";
        ASSERT_FALSE(ReadEntries(state, e));
        EXPECT_TRUE(ConvertEntries(state).empty());
        EXPECT_NEAR(state.Selectivity, 2, 1e-12);
        EXPECT_EQ(state.Asb, 77);  // not taken from the entry
        EXPECT_EQ(state.UnitEdge, 1);
    }
}

TEST(Specification, WarningsDoNotStopTheCalculation) {
    struct Case {
        FilterKind kind;
        const char *apb, *asb, *f1, *f2, *f0;
        std::vector<std::string> warnings;
    };
    const std::string tooHigh = "All edge and center frequencies are limited to a maximum of 100MHz (628Mrad/s).";
    const Case cases[] = {
        {FilterKind::Lowpass, "3", "3", "1", "2", "", {"Stopband attenuation must exceed passband attenuation."}},
        {FilterKind::Lowpass, "1", "30", "2", "1", "", {"Stopband frequency must exceed passband frequency."}},
        {FilterKind::Highpass, "1", "30", "1", "2", "", {"Passband frequency must exceed stopband frequency."}},
        {FilterKind::Bandpass, "1", "30", "2", "1", "2", {"Stopband bandwidth must exceed passband bandwidth."}},
        {FilterKind::Bandstop, "1", "30", "1", "2", "2", {"Passband bandwidth must exceed stopband bandwidth."}},
        {FilterKind::Lowpass, "1", "30", "100000", "200000", "", {tooHigh}},
        {FilterKind::Bandpass, "1", "30", "1", "2", "100100", {tooHigh}},
        {FilterKind::Lowpass, "1", "30", "1", "100100", "", {tooHigh}},
    };
    for (const Case& c : cases) {
        DesignState state = StateOf(c.kind);
        SpecEntries e = DefaultEntries(c.kind, false);
        e.Apb = c.apb, e.Asb = c.asb, e.F1 = c.f1, e.F2 = c.f2, e.F0 = c.f0;
        ASSERT_FALSE(ReadEntries(state, e));
        EXPECT_EQ(ConvertEntries(state), c.warnings) << c.f1 << " " << c.f2;
    }
}

TEST(Specification, CheckGain) {
    struct Case {
        bool db;
        const char* text;
        const char* message;  // nullptr: accepted
        long double gain;
    };
    const Case cases[] = {
        {false, "0.05", "Minimum allowable overall gain is 0.1V/V.", 0},
        {false, "", "Minimum allowable overall gain is 0.1V/V.", 0},
        {false, "abc", "Minimum allowable overall gain is 0.1V/V.", 0},
        {false, "1001", "Maximum allowable overall gain is 60dB (1000V/V).", 0},
        {true, "60.1", "Maximum allowable overall gain is 60dB (1000V/V).", 0},
        {true, "1e400", "Maximum allowable overall gain is 60dB (1000V/V).", 0},
        {false, "0.1", nullptr, 0.1L},
        {false, "1000", nullptr, 1000},
        {true, "-40", nullptr, 0.01L},
        {true, "20", nullptr, 10},
    };
    for (const Case& c : cases) {
        DesignState state;
        SpecEntries e;
        e.GainInDb = c.db;
        e.Gain = c.text;
        const auto error = CheckGain(state, e);
        if (c.message) {
            ASSERT_TRUE(error) << c.text;
            EXPECT_EQ(error->message, c.message);
            EXPECT_EQ(error->field, SpecField::Gain);
            EXPECT_EQ(state.OverallGain, 1);
        } else {
            ASSERT_FALSE(error) << c.text;
            EXPECT_NEAR(state.OverallGain, c.gain, c.gain * 1e-11);
            EXPECT_NEAR(state.ReferenceLevel, c.gain / std::sqrt(2.0L), c.gain * 1e-11);
            EXPECT_NEAR(state.ReferenceLevelDb, 20 * std::log10(c.gain) - 3.0103, 1e-4);
        }
    }
}

}  // namespace
}  // namespace tavrel
