#include "draw/response_plots.h"

#include <algorithm>
#include <cmath>
#include <limits>

#include "draw/axis_scale.h"
#include "draw/legend_names.h"

namespace tavrel::draw {

namespace {

constexpr double kNotchFloor = -199;  // notch points (-200 dB) do not set the range

struct Extent {
    double lo = std::numeric_limits<double>::infinity();
    double hi = -std::numeric_limits<double>::infinity();
    void Add(double v) {
        if (!std::isfinite(v)) return;
        lo = std::min(lo, v);
        hi = std::max(hi, v);
    }
    bool Empty() const { return !(hi >= lo); }
};

int DecimalExponent(double x) {
    return x > 0 ? static_cast<int>(std::floor(std::log10(x))) : 0;
}

double Value(const DesignState& s, GraphPage page, int approx, int j, const GraphOptions& o) {
    const ResponsePoint& p = s.IdealResponse[approx][j];
    switch (page) {
        case GraphPage::Gain: return s.DbDisplay ? static_cast<double>(p.GainDb) : static_cast<double>(p.GainVv);
        case GraphPage::Phase: return o.phaseInRadians ? -p.PhaseDeg * M_PI / 180 : -static_cast<double>(p.PhaseDeg);
        case GraphPage::Delay: return p.DelaySec;
        case GraphPage::Step: return p.Step;
        case GraphPage::Impulse: return p.Impulse;
        case GraphPage::PoleZero: break;
    }
    return 0;
}

AxisRange GainRange(const DesignState& s, const Extent& e) {
    if (!s.DbDisplay) return {0, RoundLinearRange(0, std::max(e.hi, 1e-12) * 1.05).hi};
    const double top = std::ceil((e.hi + 0.5) / 10) * 10;
    const double depth = std::max(60.0, 2 * static_cast<double>(s.Asb) + 20);
    const double bottom = std::floor(std::max(e.lo, top - depth) / 10) * 10;
    return {bottom, std::max(top, bottom + 10)};
}

void AddPoleZeroMarkers(const DesignState& s, int approx, PlotSpec& spec, Extent& reach) {
    const ApproxRecord& r = s.Approx[approx];
    auto pole = [&](double re, double im) {
        spec.markers.push_back({QPointF(re, im), Marker::Shape::Cross, ApproxColor(approx)});
        reach.Add(std::fabs(re));
        reach.Add(std::fabs(im));
    };
    auto zero = [&](double im) {
        spec.markers.push_back({QPointF(0, im), Marker::Shape::Circle, ApproxColor(approx)});
        reach.Add(std::fabs(im));
    };
    for (int k = 1; k <= r.PolePairCount; ++k) {
        const PolePairRecord& pair = s.PolePair[approx][k];
        const double sigma = pair.B0 / 2;
        if (pair.B0 * pair.B0 > 4 * pair.C0) {  // two real poles
            const double root = std::sqrt(sigma * sigma - pair.C0);
            pole(-(sigma - root), 0);
            pole(-(sigma + root), 0);
        } else {
            const double omega = s.Pole[approx][k].Omega;
            pole(-static_cast<double>(s.Pole[approx][k].Sigma), omega);
            pole(-static_cast<double>(s.Pole[approx][k].Sigma), -omega);
        }
    }
    if (r.HasRealPole) pole(-r.RealPole, 0);
    if (r.HasRealPole2) pole(-r.RealPole2, 0);
    for (int k = 1; k <= r.ZeroPairCount; ++k) {
        zero(s.Zero[approx][k].Wz);
        zero(-s.Zero[approx][k].Wz);
    }
    if (r.HasRealZero) zero(0);
}

PlotSpec PoleZeroPlot(const DesignState& s, int approx, const GraphOptions& o) {
    PlotSpec spec;
    spec.xTitle = "Re[s]";
    spec.yTitle = "Im[s]";
    spec.grid = o.gridLines;
    spec.originLines = true;
    Extent reach;
    reach.Add(0);
    AddPoleZeroMarkers(s, approx, spec, reach);
    const double r = reach.hi > 0 ? reach.hi : 1;
    const AxisRange x = RoundLinearRange(-1.1 * r, 0.15 * r);
    const AxisRange y = RoundLinearRange(-1.1 * r, 1.1 * r);
    spec.xLo = x.lo, spec.xHi = x.hi, spec.yLo = y.lo, spec.yHi = y.hi;
    return spec;
}

}  // namespace

QColor ApproxColor(int approx) {
    static const QColor kColors[kApproxCount] = {QColor(0, 70, 200), QColor(200, 0, 0), QColor(0, 130, 0),
                                                 QColor(170, 0, 170), QColor(190, 110, 0)};
    return kColors[std::clamp(approx, 0, kApproxCount - 1)];
}

bool IsFrequencyPage(GraphPage page) {
    return page == GraphPage::Gain || page == GraphPage::Phase || page == GraphPage::Delay;
}

PlotSpec ResponsePlot(const DesignState& s, GraphPage page, const std::vector<int>& approxes,
                      const GraphOptions& o, const std::optional<ViewRange>& view) {
    if (page == GraphPage::PoleZero) {
        PlotSpec spec = approxes.empty() ? PlotSpec{} : PoleZeroPlot(s, approxes.front(), o);
        if (approxes.empty()) spec.xTitle = "Re[s]", spec.yTitle = "Im[s]", spec.originLines = true;
        if (view) spec.xLo = view->xLo, spec.xHi = view->xHi, spec.yLo = view->yLo, spec.yHi = view->yHi;
        return spec;
    }
    PlotSpec spec;
    spec.grid = o.gridLines;
    const bool frequency = IsFrequencyPage(page);
    spec.logX = frequency && s.LogFrequencyAxis;

    Extent values;
    for (int approx : approxes)
        for (int j = 0; j < kGridPoints; ++j) {
            const double v = Value(s, page, approx, j, o);
            if (page == GraphPage::Gain && s.DbDisplay && v <= kNotchFloor) continue;
            values.Add(v);
        }
    if (values.Empty()) values.Add(0), values.Add(1);

    // Delay and impulse are shown in units of their decimal exponent.
    int exponent = 0;
    if (page == GraphPage::Delay || page == GraphPage::Impulse)
        exponent = DecimalExponent(std::max(std::fabs(values.lo), std::fabs(values.hi)));
    const double yScale = std::pow(10.0, -exponent);
    const double tScale = std::pow(10.0, -s.TimeExponent);
    const QString e = QString::number(exponent);

    switch (page) {
        case GraphPage::Gain: spec.yTitle = s.DbDisplay ? "Gain  (dB)" : "Gain  (Vo/Vin)"; break;
        case GraphPage::Phase: spec.yTitle = o.phaseInRadians ? "Phase (radians)" : "Phase (degrees)"; break;
        case GraphPage::Delay: spec.yTitle = "Delay (X1e" + e + " s)"; break;
        case GraphPage::Step: spec.yTitle = "Step Response (volts)"; break;
        case GraphPage::Impulse: spec.yTitle = "Impulse Response (X1e" + e + " volts)"; break;
        case GraphPage::PoleZero: break;
    }
    spec.xTitle = frequency ? (s.HzUnits ? "Frequency  (Hz)" : "Frequency  (rad/s)")
                            : "Time (X1e" + QString::number(s.TimeExponent) + " s)";

    const auto names = AlignedApproxNames(QFontMetricsF(PlotFont()));
    for (int approx : approxes) {
        Curve curve;
        curve.color = ApproxColor(approx);
        curve.legend = ApproxLegend(names[approx], s.Approx[approx]);
        curve.points.reserve(kGridPoints);
        for (int j = 0; j < kGridPoints; ++j) {
            const double x = frequency ? (s.HzUnits ? static_cast<double>(s.FreqGrid[j].F)
                                                    : static_cast<double>(s.FreqGrid[j].W))
                                       : s.TimeGrid[j] * tScale;
            curve.points.emplace_back(x, Value(s, page, approx, j, o) * yScale);
        }
        spec.curves.push_back(std::move(curve));
    }

    if (frequency) {
        spec.xLo = s.FreqLo, spec.xHi = s.FreqHi;
    } else {
        spec.xLo = 0, spec.xHi = s.TimeSpan * tScale;
    }
    AxisRange y;
    if (page == GraphPage::Gain) {
        y = GainRange(s, values);
        if (o.show3dB && s.GainAccepted)
            spec.referenceLevel = s.DbDisplay ? static_cast<double>(s.ReferenceLevelDb)
                                              : static_cast<double>(s.ReferenceLevel);
    } else {
        double lo = values.lo * yScale, hi = values.hi * yScale;
        if (page == GraphPage::Step || page == GraphPage::Impulse || page == GraphPage::Delay) lo = std::min(lo, 0.0);
        const double pad = (hi - lo) * 0.04;
        y = RoundLinearRange(page == GraphPage::Delay && lo >= 0 ? lo : lo - pad, hi + pad);
    }
    spec.yLo = y.lo, spec.yHi = y.hi;
    if (view) spec.xLo = view->xLo, spec.xHi = view->xHi, spec.yLo = view->yLo, spec.yHi = view->yHi;
    return spec;
}

}  // namespace tavrel::draw
