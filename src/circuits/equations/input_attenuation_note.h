#pragma once
#include <string>

#include "circuits/records/stage_circuit_record.h"

namespace tavrel {

// The note on a circuit that divides its input signal: "DC input attenuated 6.0dB by
// resistors R5 and R6." with the attenuation 20·log10(InputAttenuation) (one decimal below
// 10 dB, none from 10 dB); empty when the circuit divides nothing (InputAttenuation 0).
std::string InputAttenuationNote(const StageCircuitRecord& record);

}  // namespace tavrel
