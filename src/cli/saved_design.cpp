#include "cli/saved_design.h"

#include <stdexcept>

#include "analysis/workflow.h"
#include "circuits/calculation/recalculate.h"
#include "circuits/calculation/stage_gains.h"
#include "io/design_file/design_commands.h"

namespace tavrel::cli {

void OpenSavedDesign(const std::string& file, Design& design) {
    if (const auto refused = ReadDesign(file, design)) throw std::runtime_error(file + ": " + *refused);
    DesignOpened(design);
    const int step = design.State.DesignStep;
    if (step < Step::CircuitsSelected)
        throw std::invalid_argument(file + ": the design has no circuits yet (it was saved at design step " +
                                    std::to_string(step) + ")");
    if (step < Step::ComponentsCalculated) {
        RecalculateAll(design, false);
        ReportGains(design);
    }
    ComponentsCalculated(design);
}

}  // namespace tavrel::cli
