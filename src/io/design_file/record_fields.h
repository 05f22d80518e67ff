#pragma once
#include "circuits/records/design.h"
#include "stages/user_stage_entry.h"

// The field lists of the records the design file holds, in file order. Each is walked by a
// FieldWriter (R const) or a FieldReader (R mutable); the byte size of every record is
// checked by the tests against the file's offset tables.

namespace tavrel::design_file {

inline constexpr std::size_t kShortString255 = 255;

// 314 bytes.
template <class Io, class R>
void ApproxFields(Io& io, R& r) {
    io.Int16(r.Order);
    io.Int16(r.OrderLimit);
    io.Byte(r.OrderTooHigh);
    io.Int16(r.PolePairCount);
    io.Int16(r.ZeroPairCount);
    io.Int16(r.RealZeroCount);
    io.Int16(r.FiniteZeroPairs);
    io.Byte(r.HasRealPole);
    io.Real(r.RealPoleN);
    io.Real(r.RealPole);
    io.Byte(r.HasRealPole2);
    io.Real(r.RealPole2);
    io.Byte(r.HasRealZero);
    io.Real(r.RealZero);
    io.ShortString(r.GainText, kShortString255);
    io.Real(r.GainConst);
    io.Real(r.GainConstN);
    io.Real(r.MaxPoleQ);
}

// 36 bytes.
template <class Io, class R>
void PolePairFields(Io& io, R& r) {
    io.Real(r.B0N);
    io.Real(r.C0N);
    io.Real(r.B0);
    io.Real(r.C0);
    io.Real(r.W0p);
    io.Real(r.Qp);
}

// 12 bytes.
template <class Io, class R>
void ZeroPairFields(Io& io, R& r) {
    io.Real(r.Wz2N);
    io.Real(r.Wz2);
}

// 36 bytes.
template <class Io, class R>
void PoleEntryFields(Io& io, R& r) {
    io.Real(r.SigmaN);
    io.Real(r.OmegaN);
    io.Real(r.Sigma);
    io.Real(r.Omega);
    io.Real(r.ResidueMag);
    io.Real(r.ResidueAngle);
}

// 12 bytes.
template <class Io, class R>
void ZeroEntryFields(Io& io, R& r) {
    io.Real(r.WzN);
    io.Real(r.Wz);
}

// 28 bytes.
template <class Io, class R>
void PairPoleFields(Io& io, R& r) {
    io.Byte(r.Available);
    io.Byte(r.IsPair);
    io.Real(r.Q);
    io.Real(r.Wp);
    io.Real(r.Sigma);
    io.Real(r.Omega);
    io.Int16(r.SourceIndex);
}

// 14 bytes.
template <class Io, class R>
void PairZeroFields(Io& io, R& r) {
    io.Byte(r.Available);
    io.Byte(r.IsPair);
    io.Real(r.Reserved);
    io.Real(r.Wz);
}

// 307 bytes.
template <class Io, class R>
void StageFields(Io& io, R& r) {
    io.Byte(r.StageType);
    io.ShortString(r.TypeName, kShortString255);
    io.Int16(r.Pole1);
    io.Int16(r.Pole2);
    io.Int16(r.Zero1);
    io.Int16(r.Zero2);
    io.Real(r.Wp);
    io.Real(r.Qp);
    io.Real(r.Wz);
    io.Real(r.Wc);
    io.Real(r.Flatness);
    io.Real(r.GainFactor);
    io.Real(r.To);
}

// 43 bytes: the chosen circuit and its gains, taken from the stage circuit record.
template <class Io, class R>
void CircuitSummaryFields(Io& io, R& r) {
    io.Byte(r.NewlySelected);
    io.Int16(r.CircuitNo);
    io.Int16(r.CircuitIndex);
    io.Int16(r.SelectedIndex);
    io.Real(r.DesiredGain);
    io.Real(r.ActualGain);
    io.Real(r.GainRatio);
    io.Real(r.OpAmpGBW);
    io.Real(r.OpAmpGBWTol);
    io.Real(r.OpAmpGBWTC);
}

// 86 bytes: the calculation window's choices of the stage. The two gain-pair resistor values
// are passed apart: the writer gives the values of Rn and Rn-1, the reader takes them into
// GainResDefault and GainRes2Default.
template <class Io, class R, class V>
void CircuitOptionFields(Io& io, R& r, V& lastResistor, V& resistorBefore) {
    io.Real(r.ResetValue);
    io.Real(r.GainBeforeAdjust);
    io.Byte(r.CapsAdjusted);
    io.Byte(r.C2VariableOption);
    io.Byte(r.C2Variable);
    io.Byte(r.EqualApplied);
    io.Byte(r.Compensate);
    io.Byte(r.CompResistors);
    io.Unwritten(1);
    io.Real(r.OpAmpNoise);
    io.Real(r.ScaleFactor);
    io.Real(r.UserGain);
    io.Byte(r.UserGainSet);
    io.Byte(r.GainPair);
    if (r.GainPair != 0) {
        io.Real(lastResistor);
        io.Real(resistorBefore);
    } else {
        io.Unwritten(12);
    }
    io.Unwritten(35);
}

// 18 bytes: the list places of C1 and C2 and their ratio.
template <class Io, class R>
void CapacitorPlaceFields(Io& io, R& r) {
    io.Int16(r.C1Index);
    io.Int32(r.C1Decade);
    io.Int16(r.C2Index);
    io.Int32(r.C2Decade);
    io.Real(r.CapRatio);
}

// 66 bytes.
template <class Io, class R>
void CapacitorSetFields(Io& io, R& r) {
    CapacitorPlaceFields(io, r);
    for (auto& value : r.ExactValues) io.Real(value);
    for (auto& value : r.StandardValues) io.Real(value);
}

// 46 bytes.
template <class Io, class R>
void UserEntryFields(Io& io, R& r) {
    io.Byte(r.Mode);
    for (auto& text : r.Fields) io.ShortString(text, kUserEntryFieldChars);
}

// 12 bytes: per preference its on flag and its priority.
template <class Io, class R>
void PreferenceFields(Io& io, R& prefs) {
    for (auto& pref : prefs) {
        io.Byte(pref.On);
        io.Int16(pref.Priority);
    }
}

}  // namespace tavrel::design_file
