#pragma once
#include <cstdint>
#include <string>

#include "core/real48.h"

namespace tavrel {

inline constexpr int kMaxStages = 11;

// Stage type codes as the stage record stores them in StageType.
namespace StageCode {
inline constexpr std::uint8_t FLP = 0;
inline constexpr std::uint8_t FHP = 1;
inline constexpr std::uint8_t SLP = 2;
inline constexpr std::uint8_t SHP = 3;
inline constexpr std::uint8_t SBP = 4;
inline constexpr std::uint8_t SLPN = 5;
inline constexpr std::uint8_t SHPN = 6;
inline constexpr std::uint8_t SN = 7;
inline constexpr int Count = 8;
}  // namespace StageCode

// One first- or second-order stage of the cascade. Field order and types follow the
// 307-byte record of the design file; the file writer lays them out field by field.
struct StageRecord {
    std::uint8_t StageType = 0;
    std::string TypeName;  // the four-character code text, empty while the stage is not formed
    std::int16_t Pole1 = 0;  // entries of the pairing lists; 0 = none
    std::int16_t Pole2 = 0;
    std::int16_t Zero1 = 0;
    std::int16_t Zero2 = 0;
    Real48 Wp;  // rad/s; 0 for first-order stages
    Real48 Qp;
    Real48 Wz;  // notch types only
    Real48 Wc;  // real-part magnitude of the first pole
    Real48 Flatness;
    Real48 GainFactor;  // G applied to the unscaled N(s)/D(s)
    Real48 To;          // gain constant of the biquadratic form
};

// The code text of a stage type ("FLP ", "SN  ", ...); empty for a code above 7.
std::string StageTypeText(int stageType);

// The code text without its trailing blanks ("FLP", "SN"), as circuit keys and netlists write it.
std::string StageTypeCode(int stageType);

bool IsFirstOrderStage(int stageType);
bool IsNotchStage(int stageType);

// To from GainFactor by the rule of the stage's type.
void ToFromGain(StageRecord& stage);

// |N(jw)/D(jw)| of the unscaled stage function; 0 for an unknown type.
long double StageMagnitude(const StageRecord& stage, long double w);

// The limit of StageMagnitude as w grows without bound: 1 for the types whose numerator has
// the degree of the denominator (highpass and notch types), 0 otherwise.
long double StageMagnitudeAtInfinity(const StageRecord& stage);

}  // namespace tavrel
