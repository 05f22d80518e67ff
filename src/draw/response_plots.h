#pragma once
#include <optional>
#include <vector>

#include "core/design_state.h"
#include "draw/plot.h"

namespace tavrel::draw {

// The pages of the approximation window.
enum class GraphPage { Gain, Phase, Delay, Step, Impulse, PoleZero };
inline constexpr int kGraphPageCount = 6;

// Display choices of the "Configure Axes" window that are not part of the design.
struct GraphOptions {
    bool gridLines = true;
    bool show3dB = true;
    bool phaseInRadians = false;
    bool showMask = true;  // the specification mask on the gain page
};

// A view range set by zooming; without one the page fits its curves.
struct ViewRange {
    double xLo, xHi, yLo, yHi;
};

QColor ApproxColor(int approx);

// The plot of one page for the given approximations (the pole-zero page shows the
// first of them). Frequencies are shown in the display unit, phase as the negative of
// the stored lag, delay and impulse scaled by their decimal exponent.
PlotSpec ResponsePlot(const DesignState& state, GraphPage page, const std::vector<int>& approxes,
                      const GraphOptions& options, const std::optional<ViewRange>& view = std::nullopt);

// Whether the page's horizontal axis is the frequency grid (zooming there rebuilds it).
bool IsFrequencyPage(GraphPage page);

// Adds the specification mask of a lowpass, highpass, bandpass or bandstop design to a gain
// plot whose frequencies are in the display unit and whose gains are in dB or V/V as the
// state shows them: below -Apb in the passbands and above -Asb in the stopbands, both taken
// from the overall gain.
void AddSpecificationMask(const DesignState& state, PlotSpec& spec);

}  // namespace tavrel::draw
