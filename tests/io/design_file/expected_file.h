#pragma once
// The design file a design should give, built without the program's writer: a zeroed buffer of
// the file's length and every field placed at the offset the file format's tables give it.
#include <array>
#include <cstdint>
#include <string>
#include <vector>

#include "circuits/records/design.h"

namespace tavrel::design_file_testing {

class Placer {
public:
    explicit Placer(std::size_t size) : bytes_(size, 0) {}
    void Byte(std::size_t at, std::uint8_t v) { bytes_.at(at) = v; }
    void Int16(std::size_t at, std::int16_t v) {
        Byte(at, static_cast<std::uint8_t>(v & 0xFF));
        Byte(at + 1, static_cast<std::uint8_t>((static_cast<std::uint16_t>(v) >> 8) & 0xFF));
    }
    void Int32(std::size_t at, std::int32_t v) {
        for (int i = 0; i < 4; ++i) Byte(at + static_cast<std::size_t>(i), static_cast<std::uint8_t>((static_cast<std::uint32_t>(v) >> (8 * i)) & 0xFF));
    }
    void Real(std::size_t at, const Real48& v) {
        const Real48::Bytes b = v.Encode();
        for (std::size_t i = 0; i < 6; ++i) Byte(at + i, b[i]);
    }
    void Text(std::size_t at, const std::string& text) {
        Byte(at, static_cast<std::uint8_t>(text.size()));
        for (std::size_t i = 0; i < text.size(); ++i) Byte(at + 1 + i, static_cast<std::uint8_t>(text[i]));
    }
    std::vector<std::uint8_t> bytes_;
};

// Offsets of the sections, summed from their sizes in the format's description.
inline constexpr std::size_t kPoleEntryBlock = 227;
inline constexpr std::size_t kZeroEntryBlock = kPoleEntryBlock + 2160;
inline constexpr std::size_t kPolePairBlock = kZeroEntryBlock + 660;
inline constexpr std::size_t kZeroPairBlock = kPolePairBlock + 1980;
inline constexpr std::size_t kApproxBlock = kZeroPairBlock + 660;
inline constexpr std::size_t kPairPoleBlock = kApproxBlock + 1570;
inline constexpr std::size_t kPairZeroBlock = kPairPoleBlock + 308;
inline constexpr std::size_t kFirstStage = kPairZeroBlock + 154;
inline constexpr std::size_t kStageBytes = 548;

inline std::string ExpectedOptionFlags(const Design& d) {
    std::string f(40, '0');
    const auto put = [&f](int k, bool on) { f[static_cast<std::size_t>(k - 1)] = on ? '1' : '0'; };
    put(1, d.State.AutoPairing);
    put(2, d.State.AutoCascading);
    put(3, d.State.DbDisplay);
    put(4, d.State.LogFrequencyAxis);
    put(6, d.State.HzUnits);
    put(8, d.State.ForceOrder);
    put(12, d.State.AllPole);
    put(19, d.Stages.Criteria.UseQ);
    put(21, d.State.DesignModified);
    put(37, d.Options.AllCapsStandard);
    for (int k : {5, 7, 9, 10, 11, 13, 14, 15, 16, 17, 18, 20, 22, 23, 24, 26, 27, 28, 29, 30, 31, 32, 34, 35, 36})
        put(k, d.WindowOptionFlags[static_cast<std::size_t>(k)]);
    put(33, d.WindowOptionFlags[23]);
    bool trims = d.WindowOptionFlags[36];
    for (int s = 1; s <= d.State.StageCount; ++s)
        for (const ComponentEntry& r : d.Circuit(s).Resistors) trims = trims || r.UserFixed || r.UserValue != 0;
    put(36, trims);
    return f;
}

inline std::vector<std::uint8_t> ExpectedFile(const Design& d) {
    const DesignState& s = d.State;
    const std::string flags = ExpectedOptionFlags(d);
    const bool trims = flags[35] == '1';
    const int n = s.StageCount;
    Placer p(224 + 3 + 7492 + static_cast<std::size_t>(n) * kStageBytes + 24 + (trims ? 847 : 0));
    const auto at = [](int i) { return static_cast<std::size_t>(i); };

    // Header.
    for (std::size_t i = 0; i < 4; ++i) p.Byte(i, std::array<std::uint8_t, 4>{0x03, 0x96, 0xAE, 0x96}[i]);
    p.Text(4, "TVR30");
    p.Text(13, flags);
    const struct { std::size_t offset; const Real48& value; } reals[] = {
        {54, s.Asb}, {60, s.Apb}, {66, s.Wsb}, {72, s.Wpb}, {78, s.W0}, {84, s.Bpb}, {90, s.Bsb},
        {96, s.Selectivity}, {102, s.UnitEdge}, {108, s.ApbEntry}, {114, s.AsbEntry}, {120, s.F1Entry},
        {126, s.F2Entry}, {132, s.F0Entry}, {138, s.OverallGain},
        {144, d.Characteristics.RTolerance}, {150, d.Characteristics.CTolerance},
        {156, d.Characteristics.OpTolerance}, {162, d.Characteristics.RTempCoeff},
        {168, d.Characteristics.CTempCoeff}, {174, d.Characteristics.TempRange},
        {180, d.Characteristics.ReservedCharacteristic}, {186, d.Characteristics.OpTempCoeff},
        {192, d.Characteristics.Noise}};
    for (const auto& r : reals) p.Real(r.offset, r.value);
    p.Int16(204, s.StageCount);
    p.Int16(206, s.ChosenApprox);
    p.Int16(208, s.HighestApprox);
    p.Int16(210, s.UnitIndex[0]);
    p.Int16(212, s.UnitIndex[1]);
    p.Int16(214, s.UnitIndex[2]);
    p.Int16(216, s.ForcedOrder);
    p.Int16(218, d.Stages.PoleEntryCount);
    p.Int16(220, d.Stages.ZeroEntryCount);
    p.Byte(224, s.DesignStep);
    p.Byte(225, static_cast<std::uint8_t>(s.FilterKind));
    p.Byte(226, s.ChosenApprox);

    // Fixed blocks.
    for (int a = 0; a < 5; ++a) {
        for (int e = 0; e <= 11; ++e) {
            const PoleEntry& q = s.Pole[at(a)][at(e)];
            const std::size_t o = kPoleEntryBlock + at(a * 12 + e) * 36;
            p.Real(o, q.SigmaN); p.Real(o + 6, q.OmegaN); p.Real(o + 12, q.Sigma);
            p.Real(o + 18, q.Omega); p.Real(o + 24, q.ResidueMag); p.Real(o + 30, q.ResidueAngle);
        }
        for (int e = 1; e <= 11; ++e) {
            const std::size_t o = kZeroEntryBlock + at(a * 11 + e - 1) * 12;
            p.Real(o, s.Zero[at(a)][at(e)].WzN); p.Real(o + 6, s.Zero[at(a)][at(e)].Wz);
            const PolePairRecord& pp = s.PolePair[at(a)][at(e)];
            const std::size_t q = kPolePairBlock + at(a * 11 + e - 1) * 36;
            p.Real(q, pp.B0N); p.Real(q + 6, pp.C0N); p.Real(q + 12, pp.B0);
            p.Real(q + 18, pp.C0); p.Real(q + 24, pp.W0p); p.Real(q + 30, pp.Qp);
            const std::size_t z = kZeroPairBlock + at(a * 11 + e - 1) * 12;
            p.Real(z, s.ZeroPair[at(a)][at(e)].Wz2N); p.Real(z + 6, s.ZeroPair[at(a)][at(e)].Wz2);
        }
        const ApproxRecord& r = s.Approx[at(a)];
        const std::size_t o = kApproxBlock + at(a) * 314;
        p.Int16(o, r.Order); p.Int16(o + 2, r.OrderLimit); p.Byte(o + 4, r.OrderTooHigh);
        p.Int16(o + 5, r.PolePairCount); p.Int16(o + 7, r.ZeroPairCount); p.Int16(o + 9, r.RealZeroCount);
        p.Int16(o + 11, r.FiniteZeroPairs); p.Byte(o + 13, r.HasRealPole); p.Real(o + 14, r.RealPoleN);
        p.Real(o + 20, r.RealPole); p.Byte(o + 26, r.HasRealPole2); p.Real(o + 27, r.RealPole2);
        p.Byte(o + 33, r.HasRealZero); p.Real(o + 34, r.RealZero); p.Text(o + 40, r.GainText);
        p.Real(o + 296, r.GainConst); p.Real(o + 302, r.GainConstN); p.Real(o + 308, r.MaxPoleQ);
    }
    for (int e = 1; e <= 11; ++e) {
        const PairPoleEntry& q = d.Stages.PairPoleList[at(e)];
        const std::size_t o = kPairPoleBlock + at(e - 1) * 28;
        p.Byte(o, q.Available); p.Byte(o + 1, q.IsPair); p.Real(o + 2, q.Q); p.Real(o + 8, q.Wp);
        p.Real(o + 14, q.Sigma); p.Real(o + 20, q.Omega); p.Int16(o + 26, q.SourceIndex);
        const PairZeroEntry& z = d.Stages.PairZeroList[at(e)];
        const std::size_t zo = kPairZeroBlock + at(e - 1) * 14;
        p.Byte(zo, z.Available); p.Byte(zo + 1, z.IsPair); p.Real(zo + 2, z.Reserved); p.Real(zo + 8, z.Wz);
    }

    // Stages.
    for (int k = 1; k <= n; ++k) {
        const std::size_t o = kFirstStage + at(k - 1) * kStageBytes;
        const StageCircuitRecord& c = d.Circuit(k);
        p.Byte(o, c.NewlySelected); p.Int16(o + 1, c.CircuitNo); p.Int16(o + 3, c.CircuitIndex);
        p.Int16(o + 5, c.SelectedIndex); p.Real(o + 7, c.DesiredGain); p.Real(o + 13, c.ActualGain);
        p.Real(o + 19, c.GainRatio); p.Real(o + 25, c.OpAmpGBW); p.Real(o + 31, c.OpAmpGBWTol);
        p.Real(o + 37, c.OpAmpGBWTC);
        const std::size_t op = o + 43;
        p.Real(op, c.ResetValue); p.Real(op + 6, c.GainBeforeAdjust); p.Byte(op + 12, c.CapsAdjusted);
        p.Byte(op + 13, c.C2VariableOption); p.Byte(op + 14, c.C2Variable); p.Byte(op + 15, c.EqualApplied);
        p.Byte(op + 16, c.Compensate); p.Byte(op + 17, c.CompResistors); p.Real(op + 19, c.OpAmpNoise);
        p.Real(op + 25, c.ScaleFactor); p.Real(op + 31, c.UserGain); p.Byte(op + 37, c.UserGainSet);
        p.Byte(op + 38, c.GainPair);
        if (c.GainPair) {
            p.Real(op + 39, c.Resistors[at(c.ResistorCount - 1)].Value);
            p.Real(op + 45, c.Resistors[at(c.ResistorCount - 2)].Value);
        }
        const StageRecord& st = d.Stage(k);
        const std::size_t so = o + 129;
        p.Byte(so, st.StageType); p.Text(so + 1, st.TypeName); p.Int16(so + 257, st.Pole1);
        p.Int16(so + 259, st.Pole2); p.Int16(so + 261, st.Zero1); p.Int16(so + 263, st.Zero2);
        p.Real(so + 265, st.Wp); p.Real(so + 271, st.Qp); p.Real(so + 277, st.Wz); p.Real(so + 283, st.Wc);
        p.Real(so + 289, st.Flatness); p.Real(so + 295, st.GainFactor); p.Real(so + 301, st.To);
        const CapacitorSet& cs = d.Circuits.CapacitorSets[at(k)];
        const std::size_t co = o + 436;
        p.Int16(co, cs.C1Index); p.Int32(co + 2, cs.C1Decade); p.Int16(co + 6, cs.C2Index);
        p.Int32(co + 8, cs.C2Decade); p.Real(co + 12, cs.CapRatio);
        for (int j = 0; j < 4; ++j) {
            const ComponentEntry& cap = c.Capacitors[at(j)];
            p.Real(co + 18 + at(j) * 6, c.CapsAdjusted ? cap.PrevValue : cap.Value);
            p.Real(co + 42 + at(j) * 6, cap.Value);
        }
        const UserStageEntry& u = d.UserEntries[at(k)];
        const std::size_t uo = o + 502;
        p.Byte(uo, u.Mode);
        for (int f = 0; f < 5; ++f) p.Text(uo + 1 + at(f) * 9, u.Fields[at(f)]);
    }

    // Cascading preferences and the resistor-trim block.
    const std::size_t prefs = kFirstStage + at(n) * kStageBytes;
    for (int i = 0; i < 4; ++i) {
        p.Byte(prefs + at(i) * 3, d.Stages.Criteria.FirstStagePrefs[at(i)].On);
        p.Int16(prefs + at(i) * 3 + 1, d.Stages.Criteria.FirstStagePrefs[at(i)].Priority);
        p.Byte(prefs + 12 + at(i) * 3, d.Stages.Criteria.LastStagePrefs[at(i)].On);
        p.Int16(prefs + 12 + at(i) * 3 + 1, d.Stages.Criteria.LastStagePrefs[at(i)].Priority);
    }
    if (trims)
        for (int k = 1; k <= n; ++k) {
            const std::size_t o = prefs + 24 + at(k - 1) * 77;
            for (int r = 0; r < 10; ++r) {
                p.Real(o + at(r) * 6, d.Circuit(k).Resistors[at(r)].UserValue);
                p.Byte(o + 66 + at(r), d.Circuit(k).Resistors[at(r)].UserFixed);
            }
        }
    return p.bytes_;
}

}  // namespace tavrel::design_file_testing
