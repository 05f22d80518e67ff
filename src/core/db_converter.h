#pragma once
#include <optional>
#include <string>

namespace tavrel {

// The dB <-> V/V converter of the Tools menu. The box holds a dB value at first;
// each conversion replaces the text and switches the state.
struct DbConverter {
    enum class Holds { Db, VoltsPerVolt };
    Holds holds = Holds::Db;
    std::string text = "0.0000";
};

inline constexpr const char* kDbLimitMessage = "dB limited here to +/- 700";
inline constexpr const char* kNegativeSignMessage = "Negative sign ignored";

// Each returns the information message to show first, if any. A conversion that does
// not apply to the current state changes nothing.
std::optional<std::string> ConvertDbToVv(DbConverter& converter);
std::optional<std::string> ConvertVvToDb(DbConverter& converter);

// Whether the number box accepts a typed character (Enter and characters that are
// not part of a number are swallowed).
bool DbConverterAcceptsChar(char c);

}  // namespace tavrel
