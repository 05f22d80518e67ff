#pragma once
#include <array>
#include <optional>
#include <string>
#include <vector>

#include "core/design_state.h"

namespace tavrel {

// The entry boxes of the specification window, as the user typed them.
enum class SpecField { ForcedOrder, Apb, Asb, F1, F2, F0, Gain };

struct SpecEntries {
    bool ForceOrder = false;
    std::string ForcedOrder;
    std::string Apb = "0.5";
    std::string Asb = "30";
    std::string F1, F2, F0;
    std::array<int, 3> UnitIndex{1, 1, 1};  // 0 = Hz or rad/s, 1 = kHz or krad/s
    bool GainInDb = false;
    std::string Gain = "1.0";
};

// A rejected entry: the program's message and the box that gets the focus.
struct EntryError {
    std::string message;
    SpecField field;
};

const char* FieldName(SpecField field);

bool IsBandKind(FilterKind kind);  // bandpass or bandstop
bool HasCenterFrequency(FilterKind kind);

// The texts written when a design of the kind is started.
SpecEntries DefaultEntries(FilterKind kind, bool dbDisplay);

// The gain text after the gain unit box was switched.
std::string GainTextForUnit(bool gainInDb);

// Labels of the frequency boxes and the items of their unit boxes.
std::array<std::string, 3> FrequencyLabels(FilterKind kind, bool hzUnits);
std::array<std::string, 2> UnitBoxItems(bool hzUnits);
long double UnitFactor(bool hzUnits, int unitIndex);

// Reads and checks the entries in the window's order, storing them in the state.
// Stops at the first failure; the state's results are not touched.
std::optional<EntryError> ReadEntries(DesignState& state, const SpecEntries& entries);

// Converts the stored entries to the working values of the kind and returns the
// specification warnings; the calculation goes on after them.
std::vector<std::string> ConvertEntries(DesignState& state);

// Reads the overall gain and sets the reference level when it is accepted.
std::optional<EntryError> CheckGain(DesignState& state, const SpecEntries& entries);

}  // namespace tavrel
