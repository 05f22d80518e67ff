#include "draw/building_block_plot.h"

#include <algorithm>
#include <cmath>
#include <tuple>
#include <vector>

#include "stages/stage_record.h"

namespace tavrel::draw {

namespace {

// The example stage: pole (or corner) frequency 1000; the notches put their zero an
// octave above, an octave below, or on the pole frequency.
constexpr double kPole = 1000, kFrom = 10, kTo = 100000;
constexpr int kPoints = 351;

StageRecord ExampleStage(int stageType) {
    StageRecord stage;
    stage.StageType = static_cast<std::uint8_t>(stageType);
    stage.TypeName = StageTypeText(stageType);
    stage.Wc = kPole;
    if (!IsFirstOrderStage(stageType)) {
        stage.Wp = kPole;
        // A bandpass and a symmetric notch are drawn narrow, the others maximally flat.
        stage.Qp = stageType == StageCode::SBP || stageType == StageCode::SN ? 2.0L : 0.7071L;
    }
    if (stageType == StageCode::SLPN) stage.Wz = 2 * kPole;
    if (stageType == StageCode::SHPN) stage.Wz = kPole / 2;
    if (stageType == StageCode::SN) stage.Wz = kPole;
    stage.GainFactor = 1;
    ToFromGain(stage);
    return stage;
}

struct Mark {
    double frequency;
    QString label;
};

std::vector<Mark> Marks(const StageRecord& stage, bool hz) {
    const QString f = hz ? "f" : "w";
    if (IsFirstOrderStage(stage.StageType)) return {{kPole, f + "c"}};
    if (stage.StageType == StageCode::SN) return {{kPole, f + "p = " + f + "z"}};
    std::vector<Mark> marks{{kPole, f + "p"}};
    if (IsNotchStage(stage.StageType)) marks.push_back({static_cast<double>(stage.Wz), f + "z"});
    return marks;
}

}  // namespace

PlotSpec BuildingBlockPlot(int stageType, bool hz) {
    const StageRecord stage = ExampleStage(stageType);
    PlotSpec spec;
    spec.xTitle = hz ? "Log Frequency (Hz)" : "Log Frequency (rad/s)";
    spec.yTitle = "Gain";
    spec.logX = true;
    spec.xLo = kFrom;
    spec.xHi = kTo;
    Curve curve;
    curve.color = QColor(0, 0, 200);
    double highest = 1;
    for (int k = 0; k < kPoints; ++k) {
        const double w = kFrom * std::pow(kTo / kFrom, double(k) / (kPoints - 1));
        const double gain = double(StageMagnitude(stage, w) / stage.To);
        curve.points.emplace_back(w, gain);
        highest = std::max(highest, gain);
    }
    spec.curves.push_back(curve);
    spec.yLo = 0;
    spec.yHi = std::ceil(highest * 1.15 * 2) / 2;
    return spec;
}

void DrawBuildingBlock(QPainter& painter, const QRectF& rect, int stageType, bool hz) {
    const PlotSpec spec = BuildingBlockPlot(stageType, hz);
    DrawPlot(painter, rect, spec);
    painter.save();
    painter.setFont(PlotFont());
    const QFontMetricsF metrics(painter.font());
    const PlotLayout layout(spec, rect, metrics);
    const QRectF& area = layout.Area();
    const QPen dashed(QColor(180, 0, 0), 1, Qt::DashLine);

    // "To" above its line, "0.7*To" below its own, so that the two never overlap.
    for (auto [level, label, above] : {std::tuple{1.0, QString("To"), true}, std::tuple{0.7, QString("0.7*To"), false}}) {
        const double y = layout.ToDevice({spec.xLo, level}).y();
        painter.setPen(dashed);
        painter.drawLine(QPointF(area.left(), y), QPointF(area.right(), y));
        painter.setPen(Qt::black);
        painter.drawText(QPointF(area.left() + 4, above ? y - metrics.descent() - 2 : y + metrics.ascent() + 1), label);
    }
    for (const Mark& mark : Marks(ExampleStage(stageType), hz)) {
        const double x = layout.ToDevice({mark.frequency, spec.yLo}).x();
        painter.setPen(dashed);
        painter.drawLine(QPointF(x, area.top()), QPointF(x, area.bottom()));
        painter.setPen(Qt::black);
        painter.drawText(QPointF(x + 4, area.bottom() - metrics.descent() - 3), mark.label);
    }
    painter.restore();
}

}  // namespace tavrel::draw
