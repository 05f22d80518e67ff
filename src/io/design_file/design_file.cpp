#include "io/design_file/design_file.h"

#include <algorithm>
#include <cmath>
#include <numbers>

#include "circuits/catalog/circuit_definition.h"
#include "io/design_file/design_file_header.h"
#include "io/design_file/field_stream.h"
#include "io/design_file/option_flags.h"
#include "io/design_file/record_fields.h"

namespace tavrel {

namespace {

using namespace design_file;

constexpr std::size_t kIndex(int i) { return static_cast<std::size_t>(i); }

// The layouts a file can have, from the version digits of its application code.
enum class Layout { Current, Version20, Version10 };

Layout LayoutOf(const std::string& version) {
    if (version != kVersionText && version.size() >= 5) {
        const std::string digits = version.substr(3, 2);
        if (digits == "20") return Layout::Version20;
        if (digits == "10") return Layout::Version10;
    }
    return Layout::Current;
}

// Version 10 kept one capacitor block per circuit of the stage type, 13 entries of 42 bytes:
// the list places as in a capacitor set, then the four capacitor values.
constexpr int kOldCapacitorEntries = 13;
using OldCapacitorBlock = std::array<CapacitorSet, kOldCapacitorEntries>;

void OldCapacitorFields(FieldReader& io, OldCapacitorBlock& block) {
    for (CapacitorSet& entry : block) {
        CapacitorPlaceFields(io, entry);
        for (Real48& value : entry.ExactValues) io.Real(value);
        entry.StandardValues = entry.ExactValues;
    }
}

// The pole and zero tables of the five approximations and the pairing lists, 7492 bytes.
template <class Io, class D>
void FixedBlockFields(Io& io, D& design) {
    auto& state = design.State;
    for (auto& entries : state.Pole)
        for (int e = 0; e <= kMaxPairs; ++e) PoleEntryFields(io, entries[kIndex(e)]);
    for (auto& entries : state.Zero)
        for (int e = 1; e <= kMaxPairs; ++e) ZeroEntryFields(io, entries[kIndex(e)]);
    for (auto& pairs : state.PolePair)
        for (int p = 1; p <= kMaxPairs; ++p) PolePairFields(io, pairs[kIndex(p)]);
    for (auto& pairs : state.ZeroPair)
        for (int p = 1; p <= kMaxPairs; ++p) ZeroPairFields(io, pairs[kIndex(p)]);
    for (auto& record : state.Approx) ApproxFields(io, record);
    for (int e = 1; e <= kMaxStages; ++e) PairPoleFields(io, design.Stages.PairPoleList[kIndex(e)]);
    for (int e = 1; e <= kMaxStages; ++e) PairZeroFields(io, design.Stages.PairZeroList[kIndex(e)]);
}

// The hand-typed resistor values, 11 entries of 77 bytes; entries of stages the design does
// not have are left unwritten (and are skipped when read).
template <class Io, class D>
void TrimBlockFields(Io& io, D& design, int stageCount) {
    for (int s = 1; s <= kMaxStages; ++s) {
        if (s > stageCount) {
            io.Unwritten(77);
            continue;
        }
        auto& resistors = design.Circuit(s).Resistors;
        for (auto& r : resistors) io.Real(r.UserValue);
        io.Unwritten(6);
        for (auto& r : resistors) io.Byte(r.UserFixed);
        io.Unwritten(1);
    }
}

// The capacitor set written for a stage: its list places as kept, the values as the circuit
// record holds them now (the exact value of an adjusted capacitor is its value before the
// adjustment).
CapacitorSet CapacitorSetToWrite(const Design& design, int s) {
    CapacitorSet set = design.Circuits.CapacitorSets[kIndex(s)];
    const StageCircuitRecord& r = design.Circuit(s);
    for (int j = 0; j < kMaxCapacitors; ++j) {
        const ComponentEntry& c = r.Capacitors[kIndex(j)];
        set.StandardValues[kIndex(j)] = c.Value;
        set.ExactValues[kIndex(j)] = r.CapsAdjusted ? c.PrevValue : c.Value;
    }
    return set;
}

Real48 ResistorValue(const StageCircuitRecord& r, int number) {
    return number >= 1 && number <= kMaxResistors ? r.Resistors[kIndex(number - 1)].Value : Real48{};
}

int StagesToWrite(const DesignState& state) { return std::clamp<int>(state.StageCount, 0, kMaxStages); }

bool InRange(long long value, long long lo, long long hi) { return value >= lo && value <= hi; }

// Contents no design of the program can have: they would index past its tables.
bool HeaderPlausible(const Header& h) {
    return InRange(h.StageCount, 0, kMaxStages) && InRange(h.PoleEntryCount, 0, kMaxStages) &&
           InRange(h.ZeroEntryCount, 0, kMaxStages) && InRange(h.ChosenApprox, 0, kApproxCount - 1) &&
           InRange(h.HighestApprox, 0, kApproxCount - 1) &&
           std::all_of(h.UnitIndex.begin(), h.UnitIndex.end(), [](std::int16_t i) { return InRange(i, 0, 1); });
}

bool StepBytesPlausible(std::uint8_t step, std::uint8_t kind, std::uint8_t approx) {
    return step <= Step::FinalResponses && kind <= static_cast<std::uint8_t>(FilterKind::UserDefined) &&
           approx < kApproxCount;
}

bool ApproximationsPlausible(const DesignState& state) {
    return std::all_of(state.Approx.begin(), state.Approx.end(), [](const ApproxRecord& a) {
        return InRange(a.PolePairCount, 0, kMaxPairs) && InRange(a.ZeroPairCount, 0, kMaxPairs);
    });
}

bool StagePlausible(const StageRecord& stage) {
    return stage.StageType < StageCode::Count && InRange(stage.Pole1, 0, kMaxStages) &&
           InRange(stage.Pole2, 0, kMaxStages) && InRange(stage.Zero1, 0, kMaxStages) &&
           InRange(stage.Zero2, 0, kMaxStages);
}

// A chosen circuit must be one of the catalog's, of the stage's type, at its own index.
bool CircuitPlausible(const StageCircuitRecord& r, const StageRecord& stage) {
    if (r.CircuitNo == 0) return r.CircuitIndex == 0;
    const CircuitDefinition* circuit = FindCircuit(r.CircuitNo);
    return circuit != nullptr && circuit == FindCircuit(stage.StageType, r.CircuitIndex);
}

bool CapacitorPlacesPlausible(const CapacitorSet& set) {
    constexpr int kE12Places = 12;
    return InRange(set.C1Index, 0, kE12Places - 1) && InRange(set.C2Index, 0, kE12Places - 1);
}

bool PreferencesPlausible(const StagePreferences& prefs) {
    return std::all_of(prefs.begin(), prefs.end(),
                       [](const StagePreference& p) { return p.On <= 1 && InRange(p.Priority, 0, 4); });
}

// The calculation re-initialises a stage's record from the choices kept beside it (the op amp,
// " C2 variable", " C1=C2 : R1=R2"); they are not in the file, so they are taken from the record
// the file gave, and a recalculation of the opened design keeps what was saved.
void KeepStageChoices(Design& design, int s) {
    const StageCircuitRecord& r = design.Circuit(s);
    CircuitTable& table = design.Circuits;
    table.SavedOpAmps[kIndex(s)] = {r.OpAmpGBW, r.OpAmpGBWTol, r.OpAmpGBWTC, r.OpAmpNoise};
    table.SavedC2Variable[kIndex(s)] = r.C2Variable;
    table.SavedEqual[kIndex(s)] = r.EqualApplied;
}

// A gain-pair resistor value the calculation cannot start from is dropped.
Real48 UsableGainResistor(const Real48& value) { return value < 0 || value > 1e7L ? Real48{} : value; }

// Files written before the entries were stored hold 0 for the attenuations and 1 or 2 for the
// frequencies: those are taken from the values the calculation used, in the unit of their box.
void RepairEntries(DesignState& s) {
    if (s.ApbEntry == 0) s.ApbEntry = s.Apb;
    if (s.AsbEntry == 0) s.AsbEntry = s.Asb;
    const auto inBoxUnit = [&s](long double w, int box) {
        long double f = w / std::pow(10.0L, 3 * s.UnitIndex[kIndex(box)]);
        if (s.HzUnits) f /= 2 * std::numbers::pi_v<long double>;
        return f;
    };
    const auto typedAsPlaceholder = [](const Real48& entry) { return entry == 1 || entry == 2; };
    if (typedAsPlaceholder(s.F1Entry)) s.F1Entry = inBoxUnit(s.Wpb, 0);
    if (typedAsPlaceholder(s.F2Entry)) s.F2Entry = inBoxUnit(s.Wsb, 1);
    if (typedAsPlaceholder(s.F0Entry)) s.F0Entry = inBoxUnit(s.W0, 2);
    if (s.FilterKind == FilterKind::Bandpass || s.FilterKind == FilterKind::Bandstop) {
        if (s.F1Entry == 0) s.F1Entry = inBoxUnit(s.Bpb, 0);
        if (s.F2Entry == 0) s.F2Entry = inBoxUnit(s.Bsb, 1);
    }
}

}  // namespace

std::vector<std::uint8_t> DesignFileBytes(const Design& design) {
    const DesignState& state = design.State;
    FieldWriter w;
    const Header header = HeaderOf(design);
    HeaderFields(w, header);
    w.Byte(state.DesignStep);
    w.Byte(static_cast<std::uint8_t>(state.FilterKind));
    w.Byte(state.ChosenApprox);
    FixedBlockFields(w, design);
    const int stages = StagesToWrite(state);
    for (int s = 1; s <= stages; ++s) {
        const StageCircuitRecord& r = design.Circuit(s);
        CircuitSummaryFields(w, r);
        // A record not calculated since its design was opened has no resistors yet: the pair is
        // still the one the file gave.
        const bool calculated = r.ResistorCount >= 2;
        const Real48 last = calculated ? ResistorValue(r, r.ResistorCount) : r.GainResDefault;
        const Real48 before = calculated ? ResistorValue(r, r.ResistorCount - 1) : r.GainRes2Default;
        CircuitOptionFields(w, r, last, before);
        StageFields(w, design.Stage(s));
        const CapacitorSet set = CapacitorSetToWrite(design, s);
        CapacitorSetFields(w, set);
        UserEntryFields(w, design.UserEntries[kIndex(s)]);
    }
    PreferenceFields(w, design.Stages.Criteria.FirstStagePrefs);
    PreferenceFields(w, design.Stages.Criteria.LastStagePrefs);
    if (header.OptionFlags[kIndex(kTrimBlockFlag - 1)] == '1') TrimBlockFields(w, design, stages);
    return w.Take();
}

std::optional<std::string> ReadDesignBytes(std::span<const std::uint8_t> bytes, Design& design) {
    FieldReader r(bytes);
    Header header;
    HeaderFields(r, header);
    if (r.Short()) return kReadBeyondEnd;
    if (!std::equal(std::begin(kFileMark), std::end(kFileMark), bytes.begin())) return kInvalidDesignFile;
    const Layout layout = LayoutOf(header.Version);
    if (!HeaderPlausible(header)) return kInvalidDesignFile;

    DesignState& state = design.State;
    std::uint8_t step = 0, kind = 0, approx = 0;
    r.Byte(step);
    r.Byte(kind);
    r.Byte(approx);
    if (r.Short()) return kReadBeyondEnd;
    if (!StepBytesPlausible(step, kind, approx)) return kInvalidDesignFile;
    state.DesignStep = step;
    state.FilterKind = static_cast<FilterKind>(kind);
    state.ChosenApprox = approx;
    state.ApproxIndex = approx;
    FixedBlockFields(r, design);
    if (r.Short()) return kReadBeyondEnd;
    if (!ApproximationsPlausible(state)) return kInvalidDesignFile;

    const int stages = header.StageCount;
    std::array<OldCapacitorBlock, kMaxStages + 1> oldCapacitors{};
    for (int s = 1; s <= stages; ++s) {
        StageCircuitRecord circuit = design.Circuit(s);
        CircuitSummaryFields(r, circuit);
        if (layout != Layout::Version10) {
            Real48 last = circuit.GainResDefault, before = circuit.GainRes2Default;
            CircuitOptionFields(r, circuit, last, before);
            if (circuit.GainPair != 0) {
                circuit.GainResDefault = UsableGainResistor(last);
                circuit.GainRes2Default = UsableGainResistor(before);
            }
            if (layout == Layout::Version20) circuit.UserGainSet = 0;
        }
        StageFields(r, design.Stage(s));
        CapacitorSet& set = design.Circuits.CapacitorSets[kIndex(s)];
        if (layout == Layout::Version10)
            OldCapacitorFields(r, oldCapacitors[kIndex(s)]);
        else
            CapacitorSetFields(r, set);
        design.Circuits.CapacitorSetBackup[kIndex(s)] = set;
        UserEntryFields(r, design.UserEntries[kIndex(s)]);
        if (r.Short()) return kReadBeyondEnd;
        if (!StagePlausible(design.Stage(s)) || !CapacitorPlacesPlausible(set)) return kInvalidDesignFile;
        if (step > Step::ApproximationChosen) {
            if (!CircuitPlausible(circuit, design.Stage(s))) return kInvalidDesignFile;
            design.Circuit(s) = circuit;
            KeepStageChoices(design, s);
        }
    }
    PreferenceFields(r, design.Stages.Criteria.FirstStagePrefs);
    PreferenceFields(r, design.Stages.Criteria.LastStagePrefs);
    if (r.Short()) return kReadBeyondEnd;
    if (!PreferencesPlausible(design.Stages.Criteria.FirstStagePrefs) ||
        !PreferencesPlausible(design.Stages.Criteria.LastStagePrefs))
        return kInvalidDesignFile;

    ApplyOptionFlags(header.OptionFlags, design);
    RestoreHeader(header, design);
    state.ApproxIndex = state.ChosenApprox;
    RepairEntries(state);
    state.Recalculated = false;
    state.DesignModified = false;
    for (int s = 1; s <= stages; ++s) {
        CapacitorSet& set = design.Circuits.CapacitorSets[kIndex(s)];
        if (layout == Layout::Version10) {
            const int index = design.Circuit(s).CircuitIndex;
            if (InRange(index, 1, kOldCapacitorEntries)) set = oldCapacitors[kIndex(s)][kIndex(index - 1)];
            if (!CapacitorPlacesPlausible(set)) return kInvalidDesignFile;
            design.Circuits.CapacitorSetBackup[kIndex(s)] = set;
        }
        StageCircuitRecord& circuit = design.Circuit(s);
        for (int j = 0; j < kMaxCapacitors; ++j) {
            circuit.Capacitors[kIndex(j)].Value = set.StandardValues[kIndex(j)];
            circuit.Capacitors[kIndex(j)].PrevValue = set.ExactValues[kIndex(j)];
        }
    }
    if (design.WindowOptionFlags[kTrimBlockFlag]) {
        TrimBlockFields(r, design, stages);
        if (r.Short()) return kReadBeyondEnd;
    }
    return std::nullopt;
}

}  // namespace tavrel
