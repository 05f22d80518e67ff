#pragma once
#include "circuits/records/stage_circuit_record.h"
#include "circuits/values/standardise_resistors.h"
#include "core/design_state.h"
#include "stages/stage_tables.h"
#include "stages/user_stage_entry.h"

namespace tavrel {

// The characteristics of the components that the tolerance and temperature analyses and the
// netlist assume. They outlive a design (the settings file keeps them), and a design file
// carries a copy.
struct ComponentCharacteristics {
    Real48 RTolerance = 1;          // resistor tolerance, percent; also picks the resistor series
    Real48 CTolerance = 1;          // capacitor tolerance, percent
    Real48 OpTolerance = 30;        // op-amp GBW tolerance, percent
    Real48 RTempCoeff = 100e-6L;    // per deg C
    Real48 CTempCoeff = 20e-6L;     // per deg C
    Real48 TempRange = 20;          // deg C
    Real48 OpTempCoeff = 2e-3L;     // op-amp GBW, per deg C
    Real48 Noise = 12;              // op-amp noise density, nV/sqrt(Hz), for the netlist
    Real48 ReservedCharacteristic;  // no analysis reads it; design files carry it and it is kept
};

// The program's choices of how component values are realised, kept across designs.
struct ComponentOptions {
    bool AllCapsStandard = false;  // "&All capacitors standard values"
    RoundingStrategy Strategy = RoundingStrategy::Nearest;  // " Strategy 1" / " Strategy 2"
    bool UseCapInventory = false;  // Inventory > Capacitor > Enable
    bool UseResInventory = false;  // Inventory > Resistor > Enable
};

// The one design: the specification and the results of the five approximations (State), the
// pairing lists, stage records and their response arrays (Stages), and the circuit of every
// stage with its component values and the choices kept beside it (Circuits). Stages are
// numbered from 1 in all of them. The desktop program owns exactly one; the batch tool and the
// tests make their own. Routines take the whole design or the record they need.
struct Design {
    DesignState State;
    StageTables Stages;
    CircuitTable Circuits;
    // The entry texts of a user-defined filter's stages, stage s at index s.
    std::array<UserStageEntry, kMaxStages + 1> UserEntries{};
    // The window options a design file carries beside the design (grid lines, print choices,
    // redraw requests, a few calculation-window choices): no calculation reads them; they are
    // kept so that a reopened design shows its windows as they were. Indexed by the position
    // of the flag in the file's option string, 1..40.
    std::array<bool, 41> WindowOptionFlags{};
    // Not touched by a new design: set from the settings at start.
    ComponentCharacteristics Characteristics;
    ComponentOptions Options;

    StageRecord& Stage(int s) { return Stages.Stage[static_cast<size_t>(s)]; }
    const StageRecord& Stage(int s) const { return Stages.Stage[static_cast<size_t>(s)]; }
    StageCircuitRecord& Circuit(int s) { return Circuits.Record[static_cast<size_t>(s)]; }
    const StageCircuitRecord& Circuit(int s) const { return Circuits.Record[static_cast<size_t>(s)]; }
};

}  // namespace tavrel
