#include "core/specification.h"

#include <cmath>

#include "core/math_helpers.h"
#include "core/number_format.h"

namespace tavrel {

const char* FieldName(SpecField field) {
    switch (field) {
        case SpecField::ForcedOrder: return "force_order";
        case SpecField::Apb: return "apb";
        case SpecField::Asb: return "asb";
        case SpecField::F1: return "f1";
        case SpecField::F2: return "f2";
        case SpecField::F0: return "f0";
        case SpecField::Gain: return "gain";
    }
    return "";
}

bool IsBandKind(FilterKind kind) { return kind == FilterKind::Bandpass || kind == FilterKind::Bandstop; }
bool HasCenterFrequency(FilterKind kind) { return IsBandKind(kind); }

SpecEntries DefaultEntries(FilterKind kind, bool dbDisplay) {
    SpecEntries entries;
    switch (kind) {
        case FilterKind::Highpass: entries.F1 = "2", entries.F2 = "1"; break;
        case FilterKind::Bandpass: entries.F1 = "1", entries.F2 = "2", entries.F0 = "2"; break;
        case FilterKind::Bandstop: entries.F1 = "2", entries.F2 = "1", entries.F0 = "2"; break;
        default: entries.F1 = "1", entries.F2 = "2"; break;
    }
    entries.GainInDb = dbDisplay;
    entries.Gain = dbDisplay ? "0" : "1.0";
    return entries;
}

std::string GainTextForUnit(bool gainInDb) { return gainInDb ? "0" : "1"; }

std::array<std::string, 3> FrequencyLabels(FilterKind kind, bool hzUnits) {
    if (IsBandKind(kind))
        return {"Passband Bandwidth (Bpb):", "Stopband Bandwidth (Bsb):",
                hzUnits ? "Center Frequency (f0):" : "Center Frequency (w0):"};
    if (hzUnits) return {"Passband Frequency (fpb):", "Stopband Frequency (fsb):", ""};
    return {"Passband Frequency (wpb):", "Stopband Frequency (wsb):", ""};
}

std::array<std::string, 2> UnitBoxItems(bool hzUnits) {
    if (hzUnits) return {"Hz", "kHz"};
    return {"rad/s", "krad/s"};
}

long double UnitFactor(bool hzUnits, int unitIndex) {
    const long double base = unitIndex == 0 ? 1 : 1000;
    return hzUnits ? 2 * kPi * base : base;
}

namespace {

bool ReadForcedOrder(const std::string& text, int& order) {
    const std::string s = TrimTrailing(TrimLeading(text));
    if (s.empty() || s.size() > 9) return false;
    for (char c : s)
        if (c < '0' || c > '9') return false;
    order = std::stoi(s);
    return true;
}

}  // namespace

std::optional<EntryError> ReadEntries(DesignState& state, const SpecEntries& entries) {
    const bool band = IsBandKind(state.FilterKind);
    state.ForceOrder = entries.ForceOrder;
    if (entries.ForceOrder) {
        int order = 0;
        // An order of 0 has no filter behind it; it is refused like an empty box.
        if (!ReadForcedOrder(entries.ForcedOrder, order) || order == 0)
            return EntryError{"An integer number must be entered.", SpecField::ForcedOrder};
        state.ForcedOrder = static_cast<std::int16_t>(order);
        if (order >= 21) return EntryError{"Maximum order is 20.", SpecField::ForcedOrder};
        if (band && order % 2 != 0) return EntryError{"Order must be an even number.", SpecField::ForcedOrder};
    }

    struct Box {
        const std::string& text;
        SpecField field;
        bool read;
        Real48& target;
    };
    const Box boxes[] = {
        {entries.Apb, SpecField::Apb, true, state.ApbEntry},
        {entries.Asb, SpecField::Asb, !entries.ForceOrder, state.AsbEntry},
        {entries.F1, SpecField::F1, true, state.F1Entry},
        {entries.F2, SpecField::F2, !entries.ForceOrder, state.F2Entry},
        {entries.F0, SpecField::F0, band, state.F0Entry},
    };
    for (const Box& box : boxes) {
        if (!box.read) continue;
        const long double value = ReadReal(box.text);
        if (value == 0) return EntryError{"Invalid Number.", box.field};
        box.target = value;
    }
    for (int i = 0; i < 3; ++i) state.UnitIndex[i] = static_cast<std::int16_t>(entries.UnitIndex[i] == 0 ? 0 : 1);
    return std::nullopt;
}

std::vector<std::string> ConvertEntries(DesignState& state) {
    std::vector<std::string> warnings;
    const long double u1 = UnitFactor(state.HzUnits, state.UnitIndex[0]);
    const long double u2 = UnitFactor(state.HzUnits, state.UnitIndex[1]);
    const long double u3 = UnitFactor(state.HzUnits, state.UnitIndex[2]);
    const bool forced = state.ForceOrder;
    state.Apb = state.ApbEntry;
    if (!forced) state.Asb = state.AsbEntry;
    state.UnitEdge = 1;

    // With a forced order the stopband edge is put an octave away from the passband.
    switch (state.FilterKind) {
        case FilterKind::Lowpass:
            state.Wpb = state.F1Entry * u1;
            state.Wsb = forced ? 2 * state.Wpb : state.F2Entry * u2;
            state.Selectivity = state.Wsb / state.Wpb;
            break;
        case FilterKind::Highpass:
            state.Wpb = state.F1Entry * u1;
            state.Wsb = forced ? state.Wpb / 2 : state.F2Entry * u2;
            state.Selectivity = state.Wpb / state.Wsb;
            break;
        case FilterKind::Bandpass:
            state.Bpb = state.F1Entry * u1;
            state.Bsb = forced ? 2 * state.Bpb : state.F2Entry * u2;
            state.W0 = state.F0Entry * u3;
            state.Selectivity = state.Bsb / state.Bpb;
            break;
        case FilterKind::Bandstop:
            state.Bpb = state.F1Entry * u1;
            state.Bsb = forced ? state.Bpb / 2 : state.F2Entry * u2;
            state.W0 = state.F0Entry * u3;
            state.Selectivity = state.Bpb / state.Bsb;
            break;
        case FilterKind::UserDefined: break;
    }

    if (!forced && state.Asb <= state.Apb) warnings.push_back("Stopband attenuation must exceed passband attenuation.");
    const bool edges = !IsBandKind(state.FilterKind);
    if (state.FilterKind == FilterKind::Lowpass && state.Wsb <= state.Wpb)
        warnings.push_back("Stopband frequency must exceed passband frequency.");
    if (state.FilterKind == FilterKind::Highpass && state.Wsb >= state.Wpb)
        warnings.push_back("Passband frequency must exceed stopband frequency.");
    if (state.FilterKind == FilterKind::Bandpass && !forced && state.Bsb <= state.Bpb)
        warnings.push_back("Stopband bandwidth must exceed passband bandwidth.");
    if (state.FilterKind == FilterKind::Bandstop && !forced && state.Bsb >= state.Bpb)
        warnings.push_back("Passband bandwidth must exceed stopband bandwidth.");
    constexpr long double kMaxFrequency = 6.284e8L;
    const bool tooHigh = edges ? (state.Wpb > kMaxFrequency || state.Wsb > kMaxFrequency) : state.W0 > kMaxFrequency;
    if (tooHigh)
        warnings.push_back(std::string("All edge and center frequencies are limited to a maximum ") +
                           "of 100MHz (628Mrad/s).");
    return warnings;
}

std::optional<EntryError> CheckGain(DesignState& state, const SpecEntries& entries) {
    const char* kTooHigh = "Maximum allowable overall gain is 60dB (1000V/V).";
    const long double typed = ReadReal(entries.Gain);
    const long double gain = entries.GainInDb ? FromDb(typed) : typed;
    if (!entries.GainInDb && gain < 0.1L) return EntryError{"Minimum allowable overall gain is 0.1V/V.", SpecField::Gain};
    if (gain > 1000) return EntryError{kTooHigh, SpecField::Gain};
    state.OverallGain = gain;
    state.ReferenceLevel = state.OverallGain / std::sqrt(2.0L);
    state.ReferenceLevelDb = ToDb(state.ReferenceLevel);
    return std::nullopt;
}

}  // namespace tavrel
