#pragma once
#include <string>

namespace tavrel {

// How easily a built stage of a circuit is tuned: the two-letter code its tuning entry starts
// with: "EX", "GO", "FA", "PO" or "NR"; "" for a number the table does not hold.
const char* EaseOfTuningCode(int circuitNo);

// The words of a code: "Excellent", "Good", "Fair", "Poor", "Not Recommended"; "" for others.
std::string EaseOfTuningText(const std::string& code);

}  // namespace tavrel
