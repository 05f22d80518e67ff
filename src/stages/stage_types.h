#pragma once
#include <array>
#include <cstdint>

namespace tavrel {

// The eight stage types as one table, row by row as the types are defined:
// code text, order, unscaled N(s)/D(s), the rule giving To from G, and the
// biquadratic coefficients A..F of T(s) = To (A s^2 + B s + C) / (D s^2 + E s + F).

enum class Numerator : std::uint8_t { One, S, SSquared, SSquaredPlusWz2 };  // N(s)
enum class ToRule : std::uint8_t { GOverWc, G, GOverWpSquared, GTimesQpOverWp };
// A coefficient of the biquadratic form, in terms of the stage's values.
enum class Term : std::uint8_t { Zero, One, Wc, WpOverQp, WpSquared, WzSquared };

struct StageTypeRow {
    const char* typeName;
    int order;  // D(s) is s + wc (order 1) or s^2 + (wp/Qp) s + wp^2 (order 2)
    Numerator numerator;
    ToRule to;
    std::array<Term, 6> abcdef;
};

using T = Term;
inline constexpr std::array<StageTypeRow, 8> kStageTypes{{
    //  TypeName order N(s)                        To from G
    {"FLP ", 1, Numerator::One, ToRule::GOverWc, {T::Zero, T::Zero, T::Wc, T::Zero, T::One, T::Wc}},
    {"FHP ", 1, Numerator::S, ToRule::G, {T::Zero, T::One, T::Zero, T::Zero, T::One, T::Wc}},
    {"SLP ", 2, Numerator::One, ToRule::GOverWpSquared,
     {T::Zero, T::Zero, T::WpSquared, T::One, T::WpOverQp, T::WpSquared}},
    {"SHP ", 2, Numerator::SSquared, ToRule::G, {T::One, T::Zero, T::Zero, T::One, T::WpOverQp, T::WpSquared}},
    {"SBP ", 2, Numerator::S, ToRule::GTimesQpOverWp,
     {T::Zero, T::WpOverQp, T::Zero, T::One, T::WpOverQp, T::WpSquared}},
    {"SLPN", 2, Numerator::SSquaredPlusWz2, ToRule::G,
     {T::One, T::Zero, T::WzSquared, T::One, T::WpOverQp, T::WpSquared}},
    {"SHPN", 2, Numerator::SSquaredPlusWz2, ToRule::G,
     {T::One, T::Zero, T::WzSquared, T::One, T::WpOverQp, T::WpSquared}},
    {"SN  ", 2, Numerator::SSquaredPlusWz2, ToRule::G,
     {T::One, T::Zero, T::WzSquared, T::One, T::WpOverQp, T::WpSquared}},
}};

inline const StageTypeRow* FindStageType(int stageType) {
    if (stageType < 0 || stageType >= static_cast<int>(kStageTypes.size())) return nullptr;
    return &kStageTypes[static_cast<std::size_t>(stageType)];
}

}  // namespace tavrel
