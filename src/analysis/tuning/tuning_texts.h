#pragma once
#include <span>
#include <string>

namespace tavrel {

// The stored lines of one section of a stage type's tuning text ("[wp mag]", "[Qp phase]", ...)
// in the report markup; empty when the type has no such section (SN stages have no text at all).
std::span<const std::string> TuningSection(int stageType, const std::string& section);

// The section names of a type's text in the order the instructions draw them: the magnitude
// sections and the phase sections. The second-order types list both "[Qp mag peak]" and
// "[Qp mag no peak]"; the report draws the one that fits the stage.
std::span<const char* const> MagnitudeSections(int stageType);
std::span<const char* const> PhaseSections(int stageType);

}  // namespace tavrel
