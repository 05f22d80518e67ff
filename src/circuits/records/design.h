#pragma once
#include "circuits/records/stage_circuit_record.h"
#include "core/design_state.h"
#include "stages/stage_tables.h"

namespace tavrel {

// The one design: the specification and the results of the five approximations (State), the
// pairing lists, stage records and their response arrays (Stages), and the circuit of every
// stage with its component values and the choices kept beside it (Circuits). Stages are
// numbered from 1 in all of them. The desktop program owns exactly one; the batch tool and the
// tests make their own. Routines take the whole design or the record they need.
struct Design {
    DesignState State;
    StageTables Stages;
    CircuitTable Circuits;

    StageRecord& Stage(int s) { return Stages.Stage[static_cast<size_t>(s)]; }
    const StageRecord& Stage(int s) const { return Stages.Stage[static_cast<size_t>(s)]; }
    StageCircuitRecord& Circuit(int s) { return Circuits.Record[static_cast<size_t>(s)]; }
    const StageCircuitRecord& Circuit(int s) const { return Circuits.Record[static_cast<size_t>(s)]; }
};

}  // namespace tavrel
