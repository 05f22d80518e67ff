#pragma once
#include <cstdint>

#include "core/real48.h"

namespace tavrel {

// One entry of the pairing pole list: a complex pole pair or a single real pole.
struct PairPoleEntry {
    std::uint8_t Available = 1;  // not part of any stage yet
    std::uint8_t IsPair = 0;
    Real48 Q;
    Real48 Wp;
    Real48 Sigma;  // the pole is at -Sigma +- j Omega
    Real48 Omega;
    std::int16_t SourceIndex = 0;  // number of the pair in the design's pole set
};

// One entry of the pairing zero list: a zero pair at +-j Wz or a single zero.
struct PairZeroEntry {
    std::uint8_t Available = 1;
    std::uint8_t IsPair = 0;
    Real48 Reserved;  // the value of the design's extra single zero
    Real48 Wz;
};

}  // namespace tavrel
