#pragma once
#include <array>
#include <cstdint>
#include <string>

namespace tavrel {

// What the user typed for one stage of a user-defined filter: the entry mode it was added in
// and the texts of the five entry fields (the first value, "wp =", "wz =", "+/- j", "To =").
// The design file keeps them so that a reopened design shows the entry window as it was left.
struct UserStageEntry {
    std::uint8_t Mode = 0;  // 0 " Q,wp,wz", 1 " poles"
    std::array<std::string, 5> Fields{};  // at most 8 characters each
};

inline constexpr int kUserEntryFieldChars = 8;

}  // namespace tavrel
