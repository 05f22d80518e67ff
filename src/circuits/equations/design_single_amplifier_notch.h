#pragma once
#include "circuits/records/stage_circuit_record.h"
#include "stages/stage_record.h"

namespace tavrel {

// The single-amplifier notch circuits that divide their input signal: they realise the notch
// by feeding the input in at two places in a fixed proportion, and note the division in
// InputAttenuation and AttenResistors.

// Friend's single-amplifier biquad, lowpass and highpass notch.
void DesignFriendLowpassNotch(const StageRecord& stage, StageCircuitRecord& record);
void DesignFriendHighpassNotch(const StageRecord& stage, StageCircuitRecord& record);
// Scultety lowpass and highpass notch.
void DesignScultetyLowpassNotch(const StageRecord& stage, StageCircuitRecord& record);
void DesignScultetyHighpassNotch(const StageRecord& stage, StageCircuitRecord& record);
// Boctor lowpass notch.
void DesignBoctorLowpassNotch(const StageRecord& stage, StageCircuitRecord& record);

// The division of the input by the resistor series (from the input) against shunt (and
// otherShunt) at the amplifier input it feeds, with the output at signal ground:
// (1/Rseries + 1/Rshunt + 1/RotherShunt)·Rseries, noted with the numbers of series and shunt.
void NoteInputDivider(StageCircuitRecord& record, int series, int shunt, int otherShunt = 0);

}  // namespace tavrel
