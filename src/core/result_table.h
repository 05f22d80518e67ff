#pragma once
#include <array>
#include <string>

#include "core/design_state.h"

namespace tavrel {

// The "Calculation results" grid: 10 rows by 7 columns. Rows 0 and 1 hold the two-line
// column heads, rows 2..9 the eight results; column 0 (with column 1 as its overflow)
// holds the row names and columns 2..6 the five approximations.
inline constexpr int kResultRows = 10;
inline constexpr int kResultColumns = 7;

struct ResultCell {
    std::string text;
    bool red = false;  // the "> 300" of an approximation whose pole Q is too high
};
using ResultTable = std::array<std::array<ResultCell, kResultColumns>, kResultRows>;

ResultTable BuildResultTable(const DesignState& state);

}  // namespace tavrel
