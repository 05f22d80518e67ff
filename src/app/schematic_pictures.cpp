// Writes a picture of every stage schematic, blank and with made-up component values, so
// the drawings can be looked over; prints every drawing and text fault found on the way.
//
//   tavrel_schematic_pictures <folder> [width height]
#include <QDir>
#include <QGuiApplication>
#include <QImage>
#include <QPainter>
#include <cstdio>
#include <string>

#include "circuits/schematic/schematic_interpreter.h"
#include "circuits/schematic/schematic_layout_check.h"
#include "circuits/schematic/schematic_scripts.h"
#include "draw/schematic_painter.h"
#include "draw/schematic_text_check.h"

namespace {

using tavrel::draw::SchematicComponentValue;
using tavrel::draw::SchematicValues;
namespace schematic = tavrel::schematic;

// Values of every kind the schematic writes: plain, replaced by a standard value (with the
// exact one), fixed by the user, in stock; long enough to show the widest texts.
SchematicValues MadeUpValues() {
    SchematicValues v;
    const double resistors[] = {12345, 2200, 330000, 15800, 1000, 47500, 123456, 8250, 680, 1.5e6};
    for (int i = 0; i < 10; ++i) {
        SchematicComponentValue r{resistors[i], 0, false, 0, i % 3 == 2};
        if (i % 2 == 1) r.exact = resistors[i] * 1.0123;
        if (i == 4) r.userFixed = true, r.userValue = 1234;
        v.resistors.push_back(r);
    }
    const double capacitors[] = {4.7e-9, 100e-9, 1.2e-9, 33e-12};
    for (int i = 0; i < 4; ++i) v.capacitors.push_back({capacitors[i], 0, false, 0, i == 1});
    return v;
}

int Report(const std::string& name, const std::vector<std::string>& faults) {
    for (const std::string& f : faults) std::printf("%s: %s\n", name.c_str(), f.c_str());
    return static_cast<int>(faults.size());
}

}  // namespace

int main(int argc, char** argv) {
    QGuiApplication app(argc, argv);
    if (argc < 2) {
        std::fprintf(stderr, "usage: %s <folder> [width height]\n", argv[0]);
        return 2;
    }
    const QString folder = QString::fromLocal8Bit(argv[1]);
    const int width = argc > 3 ? std::atoi(argv[2]) : 800;
    const int height = argc > 3 ? std::atoi(argv[3]) : 440;
    QDir().mkpath(folder);
    const SchematicValues values = MadeUpValues();
    int faults = 0;
    for (const schematic::ScriptTitle& script : schematic::AllSchematicScripts()) {
        const std::string name = script.code + (script.compensated ? "_compensated" : "");
        const schematic::SchematicDrawing drawing =
            schematic::InterpretSchematicScript(schematic::StageSchematicScript(script.code, script.compensated));
        faults += Report(name, schematic::SchematicLayoutFaults(drawing));
        for (const bool withValues : {false, true}) {
            QImage image(width, height, QImage::Format_RGB32);
            image.fill(Qt::white);
            QPainter painter(&image);
            const QRectF area(0, 0, width, height);
            const SchematicValues* shown = withValues ? &values : nullptr;
            tavrel::draw::PaintSchematic(painter, area, drawing, shown);
            painter.end();
            faults += Report(name + (withValues ? " with values" : ""),
                             tavrel::draw::SchematicTextFaults(&image, area, drawing, shown));
            image.save(folder + "/" + QString::fromStdString(name) + (withValues ? "_values.png" : "_blank.png"));
        }
    }
    std::printf("%d faults\n", faults);
    return faults == 0 ? 0 : 1;
}
