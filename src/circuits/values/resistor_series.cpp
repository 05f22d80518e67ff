#include "circuits/values/resistor_series.h"

#include <array>
#include <cmath>
#include <cstdlib>

namespace tavrel {

namespace {

// The three series as the mantissas of one decade, written as the tables of preferred values
// write them (E12 also serves the capacitors).
constexpr std::array<const char*, 96> kE96{
    "100", "102", "105", "107", "110", "113", "115", "118", "121", "124", "127", "130", "133", "137", "140", "143",
    "147", "150", "154", "158", "162", "165", "169", "174", "178", "182", "187", "191", "196", "200", "205", "210",
    "215", "221", "226", "232", "237", "243", "249", "255", "261", "267", "274", "280", "287", "294", "301", "309",
    "316", "324", "332", "340", "348", "357", "365", "374", "383", "392", "402", "412", "422", "432", "442", "453",
    "464", "475", "487", "499", "511", "523", "536", "549", "562", "576", "590", "604", "619", "634", "649", "665",
    "681", "698", "715", "732", "750", "768", "787", "806", "825", "845", "866", "887", "909", "931", "953", "976"};
constexpr std::array<const char*, 24> kE24{"100", "110", "120", "130", "150", "160", "180", "200",
                                           "220", "240", "270", "300", "330", "360", "390", "430",
                                           "470", "510", "560", "620", "680", "750", "820", "910"};
constexpr std::array<const char*, 12> kE12{"100", "120", "150", "180", "220", "270",
                                           "330", "390", "470", "560", "680", "820"};

// The normalisation limits: a value that rounds to the next decade's "100" stays in its own
// decade, so the 0.001 match still finds it.
constexpr long double kMantissaLow = 99.999L;
constexpr long double kMantissaHigh = 999.99L;

}  // namespace

ResistorSeries SeriesForTolerance(long double percent) {
    if (percent <= 1) return ResistorSeries::E96;
    if (percent <= 5) return ResistorSeries::E24;
    return ResistorSeries::E12;
}

int SeriesPercent(ResistorSeries series) {
    switch (series) {
        case ResistorSeries::E96: return 1;
        case ResistorSeries::E24: return 5;
        case ResistorSeries::E12: return 10;
    }
    return 10;
}

std::span<const char* const> SeriesEntries(ResistorSeries series) {
    switch (series) {
        case ResistorSeries::E96: return kE96;
        case ResistorSeries::E24: return kE24;
        case ResistorSeries::E12: return kE12;
    }
    return {};
}

int SeriesMantissa(ResistorSeries series, int index) {
    return std::atoi(SeriesEntries(series)[static_cast<size_t>(index)]);
}

long double ResistorFromStep(ResistorSeries series, const ResistorStep& step) {
    // Dividing by an exact power of ten keeps 4.7 Ohm as near to 4.7 as the type allows.
    const long double mantissa = SeriesMantissa(series, step.index);
    const long double scale = std::pow(10.0L, static_cast<long double>(std::abs(step.decade)));
    return step.decade < 0 ? mantissa / scale : mantissa * scale;
}

NormalisedValue NormaliseResistor(long double ohms) {
    NormalisedValue n{ohms, 0};
    while (n.mantissa < kMantissaLow) {
        n.mantissa *= 10;
        --n.decade;
    }
    while (n.mantissa > kMantissaHigh) {
        n.mantissa *= 0.1L;
        ++n.decade;
    }
    return n;
}

NormalisedValue NormaliseCapacitor(long double farads) {
    NormalisedValue n{farads, 0};
    while (n.mantissa < kMantissaLow) {
        n.mantissa *= 10;
        ++n.decade;
    }
    return n;
}

std::optional<ResistorStep> IsStandardResistor(long double ohms, ResistorSeries series) {
    if (!(ohms > 0) || !std::isfinite(ohms)) return std::nullopt;
    const NormalisedValue n = NormaliseResistor(ohms);
    const auto entries = SeriesEntries(series);
    for (size_t i = 0; i < entries.size(); ++i)
        if (std::fabs(n.mantissa - std::atoi(entries[i])) <= 0.001L) return ResistorStep{static_cast<int>(i), n.decade};
    return std::nullopt;
}

}  // namespace tavrel
