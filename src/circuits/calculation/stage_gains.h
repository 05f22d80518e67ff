#pragma once
#include <functional>

#include "circuits/records/design.h"

namespace tavrel {

// The stage gains of the component calculation: the overall gain shared equally (in dB) over
// the stages on top of their optimal scaling, the stages whose circuits fix their own gain
// made up by the free ones, and the output level of every stage against the optimal one.

// DesiredGain of every stage without a user gain: To, times OverallGain^(1/StageCount) unless
// the filter is user-defined; then ActualGain := UserGain where one is set, else DesiredGain.
void SetOptimalGains(Design& design);

// Designs stage s with its ActualGain as the target and sets ActualGain to the gain its
// values realise; returns ActualGain as the design left it (before the analysis).
using StageDesigner = std::function<long double(int stage)>;

// The stages that force their own gain are made up by the free ones, until a pass finds no
// stage newly forced: the shortfall of the trailing forced stages is shared by every free
// stage before them; the shortfall of a run of forced stages before a free one is taken by
// that free stage. Every free stage is designed again with its new gain. remembered[s] holds
// ActualGain of stage s right after its first design; a redesign that forces a stage resets
// all gains to the remembered ones and starts over. The product of the gains is the overall
// gain whenever one stage is free.
void CompensateForcedGains(Design& design, std::array<long double, kMaxStages + 1>& remembered,
                           const StageDesigner& redesign);

// GainPercent of every stage and PeakGainExcess: the running product of ActualGain/DesiredGain
// (against UserGain for a first stage with a user gain) peaks at PeakGainExcess in stage p;
// GainPercent is 100 there and each stage's output level in percent of that peak elsewhere.
void RankGainLevels(Design& design);

// The gain report: GainRatio of every stage, ActualOverallGain and ForcedStageCount.
void ReportGains(Design& design);

}  // namespace tavrel
