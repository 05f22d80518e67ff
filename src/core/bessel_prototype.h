#pragma once
#include <array>
#include <cstdint>
#include <filesystem>
#include <optional>
#include <string>

#include "core/design_state.h"

namespace tavrel {

inline constexpr int kBesselTableBytes = 2400;
using BesselTable = std::array<std::uint8_t, kBesselTableBytes>;

inline constexpr const char* kBesselTableName = "BessRoot.dat";

// The message shown while the root table cannot be read.
std::string BesselTableMissingMessage();

// Reads the first 2400 bytes of the root table; nullopt when the file is missing or short, or
// when a root of some order lies outside the left half-plane (a damaged file: a Bessel filter
// is stable, and the magnitude formula takes the real root's sigma unsquared).
std::optional<BesselTable> LoadBesselTable(const std::filesystem::path& path);

// Whether every root the orders 1..20 use has a positive sigma.
bool AllRootsInLeftHalfPlane(const BesselTable& table);

// Root j (0..9) of order n (1..20): sigma (positive) and omega.
struct BesselRoot {
    long double sigma, omega;
};
BesselRoot BesselTableRoot(const BesselTable& table, int n, int j);

// Apb + 20 log10 |H_n(j w)| with H_n the order-n table polynomial normalized to |H(0)| = 1.
long double BesselMagnitudeDb(const BesselTable& table, int n, long double w, long double apb);

// The frequency where the order-n table filter has the attenuation Apb (to 1e-4 dB). A
// frequency beyond the stored range (a huge Apb) is an overflow.
long double BesselNormalizingFrequency(const BesselTable& table, int n, long double apb);

// The Bessel prototype from the table: order (forced or searched) and normalized poles.
void BesselPrototype(DesignState& state, const BesselTable& table);

}  // namespace tavrel
