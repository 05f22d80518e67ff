#include "circuits/schematic/schematic_drawing.h"

namespace tavrel::schematic {

std::string SymbolName(const SchematicSymbol& symbol) {
    switch (symbol.kind) {
        case SymbolKind::Resistor: return "R" + std::to_string(symbol.number);
        case SymbolKind::Capacitor: return "C" + std::to_string(symbol.number);
        case SymbolKind::OpAmp: return "XA" + std::to_string(symbol.number);
    }
    return {};
}

}  // namespace tavrel::schematic
