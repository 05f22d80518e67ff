#pragma once
#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <vector>

#include "circuits/records/design.h"

namespace tavrel {

// The program's message for a file that is not one of its designs (wrong mark, or contents
// no design can have: counts beyond the tables, codes beyond their lists).
inline constexpr const char* kInvalidDesignFile = "Invalid Tavrel design file";
// The message for a file that ends before its sections do.
inline constexpr const char* kReadBeyondEnd = "Read beyond end of file";

// Sizes of the current layout: the header, the three bytes after it, the fixed blocks, the
// records of one stage, the cascading preferences and the resistor-trim block.
inline constexpr std::size_t kDesignHeaderBytes = 224;
inline constexpr std::size_t kDesignStepBytes = 3;
inline constexpr std::size_t kFixedBlockBytes = 7492;
inline constexpr std::size_t kStageSectionBytes = 43 + 86 + 307 + 66 + 46;
inline constexpr std::size_t kPreferenceBytes = 24;
inline constexpr std::size_t kTrimBlockBytes = 847;

// The design file of a design (WriteDesign's content): header, step bytes, fixed blocks, the
// records of stages 1..StageCount, the cascading preferences and, when the option string says
// so, the resistor-trim block. The capacitor set written for a stage carries the capacitor
// values of its circuit record as they stand. Unwritten bytes are zeros.
std::vector<std::uint8_t> DesignFileBytes(const Design& design);

// ReadDesign on the bytes of a file: fills `design`, which the caller has reset to a new
// design (NewDesign, keeping the program's options), and returns nullopt; or returns the
// message that refuses the file, in which case `design` holds whatever was read and must be
// thrown away. Older layouts ("TVR20", "TVR10") are read too; any other version string is
// read as the current layout.
std::optional<std::string> ReadDesignBytes(std::span<const std::uint8_t> bytes, Design& design);

}  // namespace tavrel
