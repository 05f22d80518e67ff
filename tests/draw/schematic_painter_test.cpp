#include <QGuiApplication>
#include <QImage>
#include <QPainter>
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "circuits/schematic/schematic_geometry.h"
#include "circuits/schematic/schematic_interpreter.h"
#include "circuits/schematic/schematic_scripts.h"
#include "draw/schematic_painter.h"
#include "draw/schematic_text_check.h"

namespace tavrel::draw {
namespace {

using schematic::SchematicDrawing;
using schematic::SymbolKind;

// Fonts need a running application.
QGuiApplication& App() {
    static int argc = 1;
    static char name[] = "tavrel_draw_tests";
    static char* argv[] = {name, nullptr};
    static QGuiApplication app(argc, argv);
    return app;
}

SchematicDrawing Drawing(const std::string& code, bool compensated = false) {
    return schematic::InterpretSchematicScript(schematic::StageSchematicScript(code, compensated));
}

// Every kind of text a value can take, with the widest values the formatters give.
SchematicValues WidestValues() {
    SchematicValues v;
    for (int i = 0; i < 10; ++i) {
        SchematicComponentValue r{123456, 0, false, 0, true};
        if (i % 2 == 0) r.exact = 123444;
        v.resistors.push_back(r);
    }
    v.capacitors.assign(4, SchematicComponentValue{123e-12, 0, false, 0, true});
    return v;
}

TEST(SchematicGrid, KeepsAMarginOnlyOnWideAreas) {
    const SchematicGrid narrow = SchematicGridFor(QRectF(0, 0, 640, 400));
    EXPECT_EQ(narrow.origin, QPointF(0, 0));
    EXPECT_DOUBLE_EQ(narrow.cellWidth, 640.0 / 70);
    EXPECT_DOUBLE_EQ(narrow.cellHeight, 400.0 / 32);
    const SchematicGrid wide = SchematicGridFor(QRectF(5, 7, 641, 420));
    EXPECT_EQ(wide.origin, QPointF(25, 17));
    EXPECT_DOUBLE_EQ(wide.cellWidth, 601.0 / 70);
    EXPECT_DOUBLE_EQ(wide.cellHeight, 400.0 / 32);
    EXPECT_EQ(wide.At(schematic::GridPoint{70, 32}), QPointF(626, 417));
}

std::vector<std::string> TextsOf(const SchematicDrawing& d, const SchematicValues* values) {
    App();
    QImage image(800, 440, QImage::Format_RGB32);
    std::vector<std::string> texts;
    for (const PlacedSchematicText& t : PlaceSchematicTexts(&image, QRectF(0, 0, 800, 440), d, values)) {
        texts.push_back(t.text.toStdString());
    }
    return texts;
}

TEST(SchematicTexts, NameComponentsAndShowValuesAsTheStageHasThem) {
    const SchematicDrawing d = Drawing("FLP01");
    EXPECT_EQ(TextsOf(d, nullptr), (std::vector<std::string>{"R1", "C1", "V o", "V i"}));
    SchematicValues values;
    values.resistors = {{12000, 12345, false, 0, false}};
    values.capacitors = {{4.7e-9, 0, false, 0, true}};
    EXPECT_EQ(TextsOf(d, &values), (std::vector<std::string>{"R1\n12K\n(12.35K)", "C1\n4.7nF \u2022", "V o", "V i"}));
    // A value the user fixed is shown as the user gave it, without the computed one.
    values.resistors = {{12000, 12345, true, 15000, true}};
    EXPECT_EQ(TextsOf(d, &values)[0], "R1\n15K \u2022");
}

TEST(SchematicPainting, DrawsWiresDotsLabelsAndCompensationInTheirColours) {
    App();
    const QRectF area(0, 0, 800, 440);
    const auto paint = [&](const SchematicDrawing& d) {
        QImage image(800, 440, QImage::Format_RGB32);
        image.fill(Qt::white);
        QPainter painter(&image);
        PaintSchematic(painter, area, d);
        return image;
    };
    const auto count = [](const QImage& image, auto test) {
        int n = 0;
        for (int y = 0; y < image.height(); ++y) {
            for (int x = 0; x < image.width(); ++x) n += test(image.pixelColor(x, y));
        }
        return n;
    };
    const auto green = [](const QColor& c) { return c.green() > 100 && c.red() < 90 && c.blue() < 90; };
    const auto blue = [](const QColor& c) { return c.blue() > 150 && c.red() < 90 && c.green() < 90; };

    const SchematicDrawing plain = Drawing("SLP01");
    const QImage plainImage = paint(plain);
    const QPointF dot = SchematicGridFor(area).At(plain.junctions.front().at);
    EXPECT_EQ(plainImage.pixelColor(dot.toPoint()), QColor(Qt::black));
    EXPECT_GT(count(plainImage, green), 20) << "the terminal labels are green";
    EXPECT_EQ(count(plainImage, blue), 0);
    EXPECT_GT(count(paint(Drawing("SLP01", true)), blue), 100) << "the compensating op amp is blue";
}

// The triangle's back edge stands where the drawing model puts the body, for both sizes and
// both output directions; the signal-ground triangle hangs below its point.
TEST(SchematicPainting, DrawsOpAmpsAndGroundsOverTheirOutlines) {
    App();
    const QRectF area(0, 0, 800, 440);
    const SchematicDrawing d = schematic::InterpretSchematicScript({"M1005 OURUX M4005 ODLUX M1016 OURLX M4016 OULLX Z2028"});
    ASSERT_EQ(d.symbols.size(), 4u);
    QImage image(800, 440, QImage::Format_RGB32);
    image.fill(Qt::white);
    QPainter painter(&image);
    PaintSchematic(painter, area, d);
    painter.end();
    const SchematicGrid grid = SchematicGridFor(area);
    // A line one pixel wide may fall on either pixel next to its exact place.
    const auto dark = [&](QPointF p) {
        for (int dx = -1; dx <= 1; ++dx) {
            if (image.pixelColor(p.toPoint() + QPoint(dx, 0)).lightness() < 128) return true;
        }
        return false;
    };
    for (const schematic::SchematicSymbol& s : d.symbols) {
        const QRectF body = grid.Rect(s.body);
        const double back = s.direction == schematic::Side::Right ? body.left() : body.right();
        EXPECT_TRUE(dark(QPointF(back, body.top() + body.height() * 0.2))) << "op amp " << s.number;
        EXPECT_FALSE(dark(body.center() + QPointF(0, body.height() * 0.4))) << "op amp " << s.number;
    }
    const QRectF ground = grid.Rect(schematic::GroundOutline(d.grounds.front()));
    EXPECT_TRUE(dark(QPointF(ground.center().x(), ground.top() + 2)));
}

TEST(SchematicClicks, FindTheResistorOrCapacitorUnderThePointer) {
    const QRectF area(0, 0, 800, 440);
    const SchematicDrawing d = Drawing("SLP02");
    const SchematicGrid grid = SchematicGridFor(area);
    for (const schematic::SchematicSymbol& s : d.symbols) {
        const auto hit = SchematicComponentAt(area, d, grid.Rect(s.body).center());
        if (s.kind == SymbolKind::OpAmp) {
            EXPECT_FALSE(hit.has_value()) << "op amp " << s.number;
            continue;
        }
        ASSERT_TRUE(hit.has_value());
        EXPECT_EQ(hit->kind, s.kind);
        EXPECT_EQ(hit->number, s.number);
    }
    EXPECT_FALSE(SchematicComponentAt(area, d, QPointF(2, 2)).has_value());
}

using PictureCase = schematic::ScriptTitle;

class SchematicPicture : public ::testing::TestWithParam<PictureCase> {};

// On the calculation window's usual sizes, with the longest values, no text leaves the
// area or touches another text, a symbol or a wire.
TEST_P(SchematicPicture, TextsStayClearOfEachOtherAndOfTheDrawing) {
    App();
    const SchematicDrawing d = Drawing(GetParam().code, GetParam().compensated);
    const SchematicValues values = WidestValues();
    for (const QSize size : {QSize(640, 400), QSize(800, 440), QSize(1200, 700)}) {
        QImage image(size, QImage::Format_RGB32);
        const QRectF area(QPointF(0, 0), QSizeF(size));
        for (const SchematicValues* v : {static_cast<const SchematicValues*>(nullptr), &values}) {
            for (const std::string& fault : SchematicTextFaults(&image, area, d, v)) {
                ADD_FAILURE() << size.width() << "x" << size.height() << (v ? " with values: " : ": ") << fault;
            }
        }
    }
}

INSTANTIATE_TEST_SUITE_P(AllCircuits, SchematicPicture, ::testing::ValuesIn(schematic::AllSchematicScripts()),
                         [](const ::testing::TestParamInfo<PictureCase>& info) {
                             return info.param.code + (info.param.compensated ? "_compensated" : "");
                         });

}  // namespace
}  // namespace tavrel::draw

namespace tavrel::schematic {
// Readable parameters in test reports.
void PrintTo(const ScriptTitle& c, std::ostream* out) { *out << c.code << (c.compensated ? " compensated" : ""); }
}  // namespace tavrel::schematic
