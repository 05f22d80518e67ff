#include "app/design_export.h"

#include <QDir>
#include <QFileInfo>
#include <QImage>
#include <QPainter>
#include <QSvgGenerator>
#include <QTextStream>
#include <functional>
#include <memory>
#include <vector>

#include "analysis/workflow.h"
#include "circuits/catalog/circuit_definition.h"
#include "circuits/schematic/schematic_interpreter.h"
#include "core/design_state.h"
#include "draw/response_plots.h"
#include "draw/schematic_painter.h"
#include "draw/stage_schematic_values.h"
#include "io/design_file/design_commands.h"

namespace tavrel::app {

namespace {

// The sizes a picture is drawn at: a graph as the approximation page shows it on a desktop, a
// schematic as the calculation window draws it.
constexpr QSize kGraphSize(900, 600);
constexpr QSize kSchematicSize(800, 440);

const char* const kPageNames[draw::kGraphPageCount] = {"gain", "phase", "delay", "step", "impulse", "poles_zeros"};

using Drawing = std::function<void(QPainter&, const QRectF&)>;

// One picture in each format asked for; the names written are appended to `written`.
bool WritePicture(const QString& path, const QSize& size, const ExportFormats& formats, const Drawing& draw,
                  QStringList& written) {
    const QRectF area(QPointF(0, 0), QSizeF(size));
    if (formats.png) {
        QImage image(size, QImage::Format_RGB32);
        image.fill(Qt::white);
        QPainter painter(&image);
        draw(painter, area);
        painter.end();
        if (!image.save(path + ".png")) return false;
        written << path + ".png";
    }
    if (formats.svg) {
        QSvgGenerator svg;
        svg.setFileName(path + ".svg");
        svg.setSize(size);
        svg.setViewBox(area);
        svg.setTitle(QFileInfo(path).fileName());
        QPainter painter;
        if (!painter.begin(&svg)) return false;
        painter.fillRect(area, Qt::white);
        draw(painter, area);
        if (!painter.end()) return false;
        written << path + ".svg";
    }
    return true;
}

}  // namespace

int ExportDesign(const QString& folder, const QString& designFile, const ExportFormats& formats) {
    QTextStream err(stderr);
    const auto design = std::make_unique<Design>();
    if (const auto refused = ReadDesign(designFile.toStdString(), *design)) {
        err << "tavrel: " << designFile << ": " << QString::fromStdString(*refused) << "\n";
        return 1;
    }
    DesignOpened(*design);
    if (!QDir().mkpath(folder)) {
        err << "tavrel: cannot create " << folder << "\n";
        return 1;
    }
    const DesignState& state = design->State;
    QStringList written;
    auto fail = [&](const QString& path) {
        err << "tavrel: cannot write " << path << "\n";
        return 1;
    };

    std::vector<int> usable;
    for (int approx = 0; approx < kApproxCount; ++approx)
        if (IsUsable(state, approx)) usable.push_back(approx);
    if (state.DesignStep >= Step::ApproximationChosen && !usable.empty()) {
        // The pole-zero page shows one approximation: the chosen one.
        std::vector<int> chosen{state.ChosenApprox};
        for (int page = 0; page < draw::kGraphPageCount; ++page) {
            const auto graph = static_cast<draw::GraphPage>(page);
            const draw::PlotSpec spec =
                draw::ResponsePlot(state, graph, graph == draw::GraphPage::PoleZero ? chosen : usable, {});
            const QString path = QDir(folder).filePath(QString("graph_") + kPageNames[page]);
            if (!WritePicture(path, kGraphSize, formats,
                              [&](QPainter& p, const QRectF& r) { draw::DrawPlot(p, r, spec); }, written))
                return fail(path);
        }
    }
    if (state.DesignStep >= Step::CircuitsSelected) {
        for (int s = 1; s <= state.StageCount; ++s) {
            const StageCircuitRecord& record = design->Circuit(s);
            const CircuitDefinition* circuit = FindCircuit(record.CircuitNo);
            if (circuit == nullptr) continue;
            const schematic::SchematicDrawing drawing = schematic::InterpretSchematicScript(
                circuit->VariantOf(record.CompResistors != 0).schematicScript);
            // Values only once the components were calculated.
            const bool calculated = state.DesignStep >= Step::ComponentsCalculated && !record.Invalid;
            const draw::SchematicValues values = draw::SchematicValuesOf(record);
            const QString path = QDir(folder).filePath(QString("stage%1_%2").arg(s).arg(
                QString::fromStdString(circuit->Code())));
            if (!WritePicture(path, kSchematicSize, formats,
                              [&](QPainter& p, const QRectF& r) {
                                  draw::PaintSchematic(p, r, drawing, calculated ? &values : nullptr);
                              },
                              written))
                return fail(path);
        }
    }
    QTextStream out(stdout);
    for (const QString& name : written) out << name << "\n";
    return 0;
}

}  // namespace tavrel::app
