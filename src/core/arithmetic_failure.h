#pragma once
#include <stdexcept>
#include <string>

namespace tavrel {

// An overflow, a division by zero, an invalid operation or a store outside the
// Real48 range. Thrown from deep inside a computation and caught once per entry
// point, which reports "<text>. Try using smaller numbers." and abandons the event.
struct ArithmeticFailure : std::runtime_error {
    using std::runtime_error::runtime_error;
};

inline constexpr const char* kOverflowText = "Floating point overflow";
inline constexpr const char* kInvalidOperationText = "Invalid floating point operation";

// The text the user sees for an arithmetic failure.
inline std::string ArithmeticFailureMessage(const ArithmeticFailure& failure) {
    return std::string(failure.what()) + ". Try using smaller numbers.";
}

}  // namespace tavrel
