#pragma once
#include <QFontMetricsF>
#include <QString>
#include <array>

#include "core/design_state.h"

namespace tavrel::draw {

// The approximation names of the graph legend, each ending in "N". Blanks in front of
// the final "N" of the other four are removed until none is wider than the Butterworth
// text in the given font, so that the "N" columns line up as far as blanks allow.
std::array<QString, kApproxCount> AlignedApproxNames(const QFontMetricsF& metrics);

// The legend line of one approximation: its aligned name, " = " and its order.
QString ApproxLegend(const QString& alignedName, const ApproxRecord& record);

}  // namespace tavrel::draw
