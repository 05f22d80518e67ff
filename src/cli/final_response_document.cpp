#include "cli/final_response_document.h"

#include <vector>

#include "analysis/final_response/final_grid.h"
#include "analysis/final_response/final_response.h"
#include "core/math_helpers.h"

namespace tavrel::cli {

nlohmann::json FinalResponseDocument(const Design& design) {
    const std::vector<GridPoint> grid = FinalGrid(FinalAxisOf(design.State));
    VersionChoice choice;
    choice.userValues = AvailabilityOf(design).userResistors;
    const FinalStageFunctions f = FinalStageFunctionsOf(design, AllStages(design), choice);
    FinalResponseTable gain, phase, delay;
    GainCurves(f, grid, gain);
    PhaseCurves(f, grid, phase);
    DelayCurves(f, grid, delay);

    std::vector<double> hz;
    for (const GridPoint& p : grid) hz.push_back(static_cast<double>(static_cast<long double>(p.F)));
    nlohmann::json versions = nlohmann::json::array(), gainDb = nlohmann::json::array(),
                   phaseDeg = nlohmann::json::array(), delayS = nlohmann::json::array();
    for (size_t v = 0; v < kVersionCount; ++v) {
        if (!f.computed[v]) continue;
        versions.push_back(v + 1);
        std::vector<double> g, p, t;
        for (size_t k = 0; k < grid.size(); ++k) {
            g.push_back(static_cast<double>(ToDb(gain[k].gain[v])));
            p.push_back(static_cast<double>(phase[k].phase[v] * 180 / kPi));
            t.push_back(static_cast<double>(static_cast<long double>(delay[k].delay[v])));
        }
        gainDb.push_back(g);
        phaseDeg.push_back(p);
        delayS.push_back(t);
    }
    return {{"f_hz", hz}, {"versions", versions}, {"gain_db", gainDb}, {"phase_deg", phaseDeg}, {"delay_s", delayS}};
}

}  // namespace tavrel::cli
