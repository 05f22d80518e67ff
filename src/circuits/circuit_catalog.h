#pragma once
#include <span>

namespace tavrel {

// One circuit of the catalog, with its two descriptor strings exactly as stored.
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

// All circuits in catalog order.
std::span<const CatalogRow> CircuitCatalog();

// The row of a circuit number, or nullptr for the unused numbers.
const CatalogRow* FindCircuit(int circuitNo);

// The row of a stage type and index, or nullptr.
const CatalogRow* FindCircuit(int stageType, int circuitIndex);

// Offset of a stage type's circuit numbers (0, 5, 10, 25, 40, 55, 70, 85); -1 for an unknown type.
int TypeBase(int stageType);

// How many circuits the catalog holds for a stage type.
int CircuitsOfType(int stageType);

// TypeBase + CircuitIndex.
int CircuitNumber(int stageType, int circuitIndex);

}  // namespace tavrel
