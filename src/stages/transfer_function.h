#pragma once
#include <array>
#include <string>

#include "stages/stage_record.h"

namespace tavrel {

// One coefficient of T(s) = To (A s^2 + B s + C) / (D s^2 + E s + F). `literal` is set
// where the type makes it 0 or 1, which the table writes as "0" or "1.0".
struct Coefficient {
    long double value = 0;
    bool literal = false;
};

struct Biquad {
    long double To = 0;
    std::array<Coefficient, 6> abcdef{};  // A, B, C, D, E, F
};

// The biquadratic form of a stage; with hz every frequency is first divided by 2 pi.
Biquad BiquadOf(const StageRecord& stage, bool hz);

// The "Stage Transfer Functions" table: its heads and one row of texts per stage.
std::array<std::string, 11> TransferFunctionHeads(bool hz);
std::array<std::string, 11> TransferFunctionRow(const StageRecord& stage, int stageNumber, bool hz);

}  // namespace tavrel
