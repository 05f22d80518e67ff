#pragma once
#include <QString>

namespace tavrel::draw {

// A unit with an engineering prefix for the values of an axis: the values are divided by
// scale and the title names the unit.
struct ScaledUnit {
    double scale;
    QString name;
};

// Seconds with the prefix that puts `span` between 1 and 1000: "s", "ms", "us", "ns".
ScaledUnit TimeUnit(double span);

// A frequency in Hz ("Hz", "kHz", "MHz", "GHz") or an angular frequency in rad/s ("rad/s",
// "krad/s", ...) with the prefix that puts `magnitude` between 1 and 1000.
ScaledUnit FrequencyUnit(double magnitude, bool hz);

}  // namespace tavrel::draw
