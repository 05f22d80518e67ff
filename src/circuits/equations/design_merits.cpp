#include "circuits/equations/design_merits.h"

#include <algorithm>
#include <cmath>
#include <span>

namespace tavrel {

namespace {

constexpr long double kSpreadCap = 2000000000;

std::int32_t Spread(std::span<const ComponentEntry> entries) {
    if (entries.empty()) return 0;
    long double lo = entries.front().Value, hi = lo;
    for (const ComponentEntry& e : entries) {
        lo = std::min<long double>(lo, e.Value);
        hi = std::max<long double>(hi, e.Value);
    }
    // A zero or negative smallest value leaves the ratio without meaning; it shows as the cap.
    if (!(lo > 0)) return static_cast<std::int32_t>(kSpreadCap);
    return static_cast<std::int32_t>(std::min(std::trunc(hi / lo), kSpreadCap));
}

}  // namespace

std::int32_t ResistorSpread(const StageCircuitRecord& record) {
    return Spread(std::span(record.Resistors).first(static_cast<size_t>(std::clamp<int>(record.ResistorCount, 0, kMaxResistors))));
}

std::int32_t CapacitorSpread(const StageCircuitRecord& record) {
    return Spread(std::span(record.Capacitors).first(static_cast<size_t>(std::clamp<int>(record.CapacitorCount, 0, kMaxCapacitors))));
}

DesignMerits MeritsOf(const StageCircuitRecord& record) {
    return {record.MinGBW, ResistorSpread(record), CapacitorSpread(record)};
}

}  // namespace tavrel
