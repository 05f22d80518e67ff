#include "circuits/schematic/schematic_geometry.h"

#include <algorithm>

namespace tavrel::schematic {

namespace {

bool IsAcross(Side direction) { return direction == Side::Left || direction == Side::Right; }

// Half the thickness of a body across its axis and half its length along it, in cells of
// the respective direction. A capacitor is two plates close together; a resistor is a
// zigzag over half of the span at most.
struct BodyHalves {
    double along = 0;
    double across = 0;
};

BodyHalves BodyOf(SymbolKind kind, bool across, int span) {
    if (kind == SymbolKind::Capacitor) return across ? BodyHalves{0.3, 0.8} : BodyHalves{0.25, 1.0};
    const double half = std::min(across ? 1.5 : 1.0, span * 0.25);
    return across ? BodyHalves{half, 0.4} : BodyHalves{half, 0.45};
}

// A label clears the body by this much.
constexpr double kValueGap = 0.3;
// A click hits the body or this close to it; thin bodies get at least kMinClickHalf.
constexpr double kClickMargin = 0.25;
constexpr double kMinClickHalf = 0.6;

}  // namespace

int ComponentSpan(Side direction, int parameter) {
    if (parameter > 0) return parameter;
    return IsAcross(direction) ? kAcrossLength : kDownLength;
}

GridPoint Step(GridPoint p, Side direction, int cells) {
    switch (direction) {
        case Side::Left: return {p.x - cells, p.y};
        case Side::Right: return {p.x + cells, p.y};
        case Side::Up: return {p.x, p.y - cells};
        case Side::Down: return {p.x, p.y + cells};
    }
    return p;
}

SchematicSymbol TwoPoleSymbol(SymbolKind kind, int number, GridPoint start, Side direction, Side valueSide,
                              int span) {
    SchematicSymbol s;
    s.kind = kind;
    s.number = number;
    s.direction = direction;
    s.valueSide = valueSide;
    const GridPoint end = Step(start, direction, span);
    s.pins = {start, end};
    const bool across = IsAcross(direction);
    const BodyHalves half = BodyOf(kind, across, span);
    const double midX = (start.x + end.x) / 2.0;
    const double midY = (start.y + end.y) / 2.0;
    if (across) {
        s.body = {midX - half.along, midY - half.across, midX + half.along, midY + half.across};
    } else {
        s.body = {midX - half.across, midY - half.along, midX + half.across, midY + half.along};
    }
    switch (valueSide) {
        case Side::Up: s.valueSpot = {midX, s.body.top - kValueGap}; break;
        case Side::Down: s.valueSpot = {midX, s.body.bottom + kValueGap}; break;
        case Side::Left: s.valueSpot = {std::min<double>(s.body.left, std::min(start.x, end.x)) - kValueGap, midY}; break;
        case Side::Right: s.valueSpot = {std::max<double>(s.body.right, std::max(start.x, end.x)) + kValueGap, midY}; break;
    }
    const double clickX = across ? kClickMargin : std::max(kClickMargin, kMinClickHalf - half.across);
    const double clickY = across ? std::max(kClickMargin, kMinClickHalf - half.across) : kClickMargin;
    s.clickRect = {s.body.left - clickX, s.body.top - clickY, s.body.right + clickX, s.body.bottom + clickY};
    return s;
}

GridRect GroundOutline(const SchematicGround& ground) {
    const double halfWidth = ground.style == GroundStyle::Bars ? 0.8 : 0.6;
    return {ground.at.x - halfWidth, ground.at.y + 0.3, ground.at.x + halfWidth, ground.at.y + 1.1};
}

SchematicSymbol OpAmpSymbol(GridPoint upperInput, bool plusOnTop, bool outputRight, bool large) {
    SchematicSymbol s;
    s.kind = SymbolKind::OpAmp;
    s.plusOnTop = plusOnTop;
    s.large = large;
    s.direction = outputRight ? Side::Right : Side::Left;
    const int spacing = large ? kLargeOpAmpInputSpacing : kOpAmpInputSpacing;
    const int length = large ? kLargeOpAmpLength : kOpAmpLength;
    const GridPoint lowerInput{upperInput.x, upperInput.y + spacing};
    const GridPoint output = Step({upperInput.x, upperInput.y + spacing / 2}, s.direction, length);
    s.pins = plusOnTop ? std::vector<GridPoint>{upperInput, lowerInput, output}
                       : std::vector<GridPoint>{lowerInput, upperInput, output};
    const double back = upperInput.x + (outputRight ? 0.5 : -0.5);
    const double tip = output.x + (outputRight ? -0.5 : 0.5);
    s.body = {std::min(back, tip), upperInput.y - 1.0, std::max(back, tip), lowerInput.y + 1.0};
    return s;
}

}  // namespace tavrel::schematic
