#include "draw/response_plots.h"

#include <algorithm>
#include <cmath>
#include <limits>

#include "core/band_edges.h"
#include "core/math_helpers.h"
#include "draw/axis_scale.h"
#include "draw/engineering_units.h"
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

// The poles and zeros of the approximation in rad/s; repeated roots (the zeros at the origin
// of a highpass, the coinciding zeros of a bandstop) are kept once with their count.
std::vector<Marker> PoleZeroMarkers(const DesignState& s, int approx) {
    const ApproxRecord& r = s.Approx[approx];
    std::vector<Marker> roots;
    auto pole = [&](double re, double im) { roots.push_back({QPointF(re, im), Marker::Shape::Cross, ApproxColor(approx)}); };
    auto zero = [&](double im) { roots.push_back({QPointF(0, im), Marker::Shape::Circle, ApproxColor(approx)}); };
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

    double reach = 0;
    for (const Marker& m : roots) reach = std::max({reach, std::fabs(m.at.x()), std::fabs(m.at.y())});
    const double same = 1e-7 * reach;
    std::vector<Marker> merged;
    for (const Marker& m : roots) {
        auto twin = std::find_if(merged.begin(), merged.end(), [&](const Marker& other) {
            return other.shape == m.shape && std::fabs(other.at.x() - m.at.x()) <= same &&
                   std::fabs(other.at.y() - m.at.y()) <= same;
        });
        if (twin != merged.end())
            ++twin->multiplicity;
        else
            merged.push_back(m);
    }
    return merged;
}

// The s-plane of the approximation with equal scales, fitted to its roots with a margin
// of a tenth of their extent, in the prefixed unit of the display (s / 2 pi in Hz).
PlotSpec PoleZeroPlot(const DesignState& s, int approx, const GraphOptions& o) {
    PlotSpec spec;
    spec.grid = o.gridLines;
    spec.originLines = true;
    spec.equalScales = true;
    spec.markers = approx >= 0 ? PoleZeroMarkers(s, approx) : std::vector<Marker>{};
    const double toDisplay = s.HzUnits ? 1 / (2 * M_PI) : 1;
    double left = 0, right = 0, top = 0;
    for (const Marker& m : spec.markers) {
        left = std::min(left, m.at.x());
        right = std::max(right, m.at.x());
        top = std::max(top, std::fabs(m.at.y()));
    }
    const double extent = std::max({right - left, 2 * top});
    const ScaledUnit unit = FrequencyUnit(extent > 0 ? extent * toDisplay : 1, s.HzUnits);
    const double scale = toDisplay / unit.scale;
    for (Marker& m : spec.markers) m.at *= scale;
    const double margin = extent > 0 ? 0.1 * extent * scale : 1;
    spec.xLo = left * scale - margin, spec.xHi = right * scale + margin;
    spec.yLo = -top * scale - margin, spec.yHi = top * scale + margin;
    const QString over = s.HzUnits ? QString("/2") + QChar(0x03C0) : QString();
    spec.xTitle = "Re[s]" + over + "  (" + unit.name + ")";
    spec.yTitle = "Im[s]" + over + "  (" + unit.name + ")";
    return spec;
}

}  // namespace

QColor ApproxColor(int approx) {
    static const QColor kColors[kApproxCount] = {QColor(0, 70, 200), QColor(200, 0, 0), QColor(0, 130, 0),
                                                 QColor(170, 0, 170), QColor(190, 110, 0)};
    return kColors[std::clamp(approx, 0, kApproxCount - 1)];
}

void AddSpecificationMask(const DesignState& s, PlotSpec& spec) {
    if (s.FilterKind == FilterKind::UserDefined || !s.ResultsValid) return;
    const SpecifiedBands bands = SpecificationBands(s);
    const double toDisplay = s.HzUnits ? 1 / (2 * kPi) : 1;
    const double gain = s.GainAccepted ? static_cast<double>(s.OverallGain) : 1.0;
    auto level = [&](double loss) { return s.DbDisplay ? 20 * std::log10(gain) - loss : gain * std::pow(10.0, -loss / 20); };
    for (const FrequencyBand& b : bands.passbands)
        spec.mask.push_back({static_cast<double>(b.lo * toDisplay), static_cast<double>(b.hi * toDisplay), level(s.Apb), true});
    for (const FrequencyBand& b : bands.stopbands)
        spec.mask.push_back({static_cast<double>(b.lo * toDisplay), static_cast<double>(b.hi * toDisplay), level(s.Asb), false});
}

bool IsFrequencyPage(GraphPage page) {
    return page == GraphPage::Gain || page == GraphPage::Phase || page == GraphPage::Delay;
}

PlotSpec ResponsePlot(const DesignState& s, GraphPage page, const std::vector<int>& approxes,
                      const GraphOptions& o, const std::optional<ViewRange>& view) {
    if (page == GraphPage::PoleZero) {
        PlotSpec spec = PoleZeroPlot(s, approxes.empty() ? -1 : approxes.front(), o);
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

    // Times are shown in seconds with an engineering prefix, the impulse response in units of
    // its decimal exponent.
    const double largest = std::max(std::fabs(values.lo), std::fabs(values.hi));
    const int exponent = page == GraphPage::Impulse ? DecimalExponent(largest) : 0;
    const ScaledUnit delayUnit = TimeUnit(largest), timeUnit = TimeUnit(s.TimeSpan);
    const double yScale = page == GraphPage::Delay ? 1 / delayUnit.scale : std::pow(10.0, -exponent);
    const double tScale = 1 / timeUnit.scale;
    const QString e = QString::number(exponent);

    switch (page) {
        case GraphPage::Gain: spec.yTitle = s.DbDisplay ? "Gain  (dB)" : "Gain  (Vo/Vin)"; break;
        case GraphPage::Phase: spec.yTitle = o.phaseInRadians ? "Phase (radians)" : "Phase (degrees)"; break;
        case GraphPage::Delay: spec.yTitle = "Delay  (" + delayUnit.name + ")"; break;
        case GraphPage::Step: spec.yTitle = "Step Response (volts)"; break;
        case GraphPage::Impulse: spec.yTitle = "Impulse Response (X1e" + e + " volts)"; break;
        case GraphPage::PoleZero: break;
    }
    spec.xTitle = frequency ? (s.HzUnits ? "Frequency  (Hz)" : "Frequency  (rad/s)") : "Time  (" + timeUnit.name + ")";

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
        if (o.showMask) AddSpecificationMask(s, spec);
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
