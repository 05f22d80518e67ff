#include "core/band_edges.h"

#include <cmath>
#include <limits>

namespace tavrel {

namespace {

constexpr long double kTop = std::numeric_limits<long double>::infinity();

// The two edges of a band of width b geometrically centered on w0.
FrequencyBand Centered(long double w0, long double b) {
    const long double lo = std::sqrt(w0 * w0 + b * b / 4) - b / 2;
    return {lo, lo + b};
}

}  // namespace

SpecifiedBands SpecificationBands(const DesignState& state) {
    SpecifiedBands bands;
    switch (state.FilterKind) {
        case FilterKind::Lowpass:
            bands.passbands = {{0, state.Wpb}};
            bands.stopbands = {{state.Wsb, kTop}};
            break;
        case FilterKind::Highpass:
            bands.passbands = {{state.Wpb, kTop}};
            bands.stopbands = {{0, state.Wsb}};
            break;
        case FilterKind::Bandpass: {
            bands.passbands = {Centered(state.W0, state.Bpb)};
            const FrequencyBand stop = Centered(state.W0, state.Bsb);
            bands.stopbands = {{0, stop.lo}, {stop.hi, kTop}};
            break;
        }
        case FilterKind::Bandstop: {
            const FrequencyBand pass = Centered(state.W0, state.Bpb);
            bands.passbands = {{0, pass.lo}, {pass.hi, kTop}};
            bands.stopbands = {Centered(state.W0, state.Bsb)};
            break;
        }
        case FilterKind::UserDefined: return bands;
    }
    // A forced order leaves the stopband unspecified.
    if (state.ForceOrder) bands.stopbands.clear();
    return bands;
}

}  // namespace tavrel
