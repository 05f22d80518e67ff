#pragma once
#include <span>

namespace tavrel {

// One circuit of the catalog as the table lists it, with its two descriptor strings exactly as
// stored. Everything the program knows of a circuit is reached through its definition
// (circuit_definition.h), which is built from this row and the circuit's other tables.
struct CatalogRow {
    int circuitNo;
    int stageType;
    int circuitIndex;  // 1-based position within the stage type
    int resistorCount;
    int capacitorCount;
    int opAmpCount;
    const char* calcDescriptor;    // 36 characters
    const char* adjustDescriptor;  // 35 characters
    const char* name;
};

inline constexpr int kCatalogSize = 71;

// All rows in catalog order.
std::span<const CatalogRow> CatalogRows();

// Offset of a stage type's circuit numbers (0, 5, 10, 25, 40, 55, 70, 85); -1 for an unknown type.
int TypeBase(int stageType);

// How many circuits the catalog holds for a stage type.
int CircuitsOfType(int stageType);

// TypeBase + CircuitIndex.
int CircuitNumber(int stageType, int circuitIndex);

}  // namespace tavrel
