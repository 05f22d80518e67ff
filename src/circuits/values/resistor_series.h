#pragma once
#include <optional>
#include <span>

namespace tavrel {

// The preferred-value series of the resistors; capacitors always use E12 (e12_series.h).
enum class ResistorSeries { E96, E24, E12 };

// The series of a resistor tolerance in percent: up to 1 % E96, up to 5 % E24, else E12.
ResistorSeries SeriesForTolerance(long double percent);

// The tolerance a series is offered for, as its buttons and menu items name it: 1, 5 or 10.
int SeriesPercent(ResistorSeries series);

// One decade of a series as the three-digit mantissas written in the table, ascending.
std::span<const char* const> SeriesEntries(ResistorSeries series);
int SeriesMantissa(ResistorSeries series, int index);

// A resistor as list position and decade: value = mantissa × 10^decade ohm ("100" with
// decade 3 is 100 kOhm; 1 Ohm is decade -2).
struct ResistorStep {
    int index = 0;
    int decade = 0;
    friend bool operator==(const ResistorStep&, const ResistorStep&) = default;
};

long double ResistorFromStep(ResistorSeries series, const ResistorStep& step);

// A value brought into the mantissa range of the tables by whole decades. Resistors are
// multiplied by 10 while below 99.999 and by 0.1 while above 999.99, value = mantissa ×
// 10^decade; capacitors are only multiplied by 10 while below 99.999, counting the
// multiplications, value = mantissa / 10^decade. The value must be positive and finite.
struct NormalisedValue {
    long double mantissa = 0;
    int decade = 0;
};
NormalisedValue NormaliseResistor(long double ohms);
NormalisedValue NormaliseCapacitor(long double farads);

// The entry of the series within 0.001 of the value normalised to 100..999.99, if any.
std::optional<ResistorStep> IsStandardResistor(long double ohms, ResistorSeries series);

}  // namespace tavrel
