#include "io/design_file/design_file_header.h"

#include "io/design_file/option_flags.h"

namespace tavrel::design_file {

Header HeaderOf(const Design& design) {
    const DesignState& s = design.State;
    Header h;
    h.Mark.assign(reinterpret_cast<const char*>(kFileMark + 1), 3);
    h.OptionFlags = OptionFlagsText(design);
    h.Asb = s.Asb;
    h.Apb = s.Apb;
    h.Wsb = s.Wsb;
    h.Wpb = s.Wpb;
    h.W0 = s.W0;
    h.Bpb = s.Bpb;
    h.Bsb = s.Bsb;
    h.Selectivity = s.Selectivity;
    h.UnitEdge = s.UnitEdge;
    h.ApbEntry = s.ApbEntry;
    h.AsbEntry = s.AsbEntry;
    h.F1Entry = s.F1Entry;
    h.F2Entry = s.F2Entry;
    h.F0Entry = s.F0Entry;
    h.OverallGain = s.OverallGain;
    h.Characteristics = design.Characteristics;
    h.StageCount = s.StageCount;
    h.ChosenApprox = s.ChosenApprox;
    h.HighestApprox = s.HighestApprox;
    h.UnitIndex = s.UnitIndex;
    h.ForcedOrder = s.ForcedOrder;
    h.PoleEntryCount = design.Stages.PoleEntryCount;
    h.ZeroEntryCount = design.Stages.ZeroEntryCount;
    return h;
}

void RestoreHeader(const Header& h, Design& design) {
    DesignState& s = design.State;
    s.Asb = h.Asb;
    s.Apb = h.Apb;
    s.Wsb = h.Wsb;
    s.Wpb = h.Wpb;
    s.W0 = h.W0;
    s.Bpb = h.Bpb;
    s.Bsb = h.Bsb;
    s.Selectivity = h.Selectivity;
    s.UnitEdge = h.UnitEdge;
    s.ApbEntry = h.ApbEntry;
    s.AsbEntry = h.AsbEntry;
    s.F1Entry = h.F1Entry;
    s.F2Entry = h.F2Entry;
    s.F0Entry = h.F0Entry;
    s.OverallGain = h.OverallGain;
    design.Characteristics = h.Characteristics;
    s.StageCount = h.StageCount;
    s.ChosenApprox = static_cast<std::uint8_t>(h.ChosenApprox);
    s.HighestApprox = h.HighestApprox;
    s.UnitIndex = h.UnitIndex;
    s.ForcedOrder = h.ForcedOrder;
    design.Stages.PoleEntryCount = h.PoleEntryCount;
    design.Stages.ZeroEntryCount = h.ZeroEntryCount;
}

}  // namespace tavrel::design_file
