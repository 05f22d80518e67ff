#include "draw/legend_names.h"

namespace tavrel::draw {

namespace {

constexpr const char* kLegendNames[kApproxCount] = {
    "Butterworth               N",
    "Chebyshev                     N",
    "Inverse Chebyshev             N",
    "Elliptic  (Cauer)                 N",
    "Bessel (Thompson)             N",
};

}  // namespace

std::array<QString, kApproxCount> AlignedApproxNames(const QFontMetricsF& metrics) {
    std::array<QString, kApproxCount> names;
    names[Butterworth] = kLegendNames[Butterworth];
    const double limit = metrics.horizontalAdvance(names[Butterworth]);
    for (int approx = 1; approx < kApproxCount; ++approx) {
        QString name = kLegendNames[approx];
        while (metrics.horizontalAdvance(name) > limit && name.size() >= 2 && name[name.size() - 2] == ' ')
            name.remove(name.size() - 2, 1);
        names[approx] = name;
    }
    return names;
}

QString ApproxLegend(const QString& alignedName, const ApproxRecord& record) {
    if (record.OrderTooHigh) return alignedName + " > " + QString::number(kMaxOrder);
    return alignedName + " = " + QString::number(record.Order);
}

}  // namespace tavrel::draw
