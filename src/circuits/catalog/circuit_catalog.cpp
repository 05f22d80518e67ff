#include "circuits/catalog/circuit_catalog.h"

#include <array>

#include "stages/stage_record.h"

namespace tavrel {

namespace {

// No., type, index, R, C, op amps, calculation descriptor, adjustment descriptor, name.
constexpr std::array<CatalogRow, kCatalogSize> kCatalog{{
    { 1, StageCode::FLP,  1,  1, 1, 1, "00,000,01,01,00,00,01,01,00,00,00,00", "01,00,01,01,00,00,00,00,00,00,00,00", "First Order Lowpass I"},
    { 2, StageCode::FLP,  2,  3, 1, 1, "00,000,03,01,01,00,00,01,00,00,00,00", "01,00,01,01,00,00,00,00,00,00,00,00", "First Order Lowpass II"},
    { 3, StageCode::FLP,  3,  2, 1, 1, "00,000,02,01,00,00,00,01,00,01,00,00", "01,00,01,02,00,00,00,00,00,00,00,00", "First Order Lowpass III"},
    { 6, StageCode::FHP,  1,  1, 1, 1, "00,000,01,01,00,00,01,01,00,00,00,00", "01,00,01,01,00,00,00,00,00,00,00,00", "First Order Highpass I"},
    { 7, StageCode::FHP,  2,  3, 1, 1, "00,000,03,01,01,00,00,01,00,00,00,00", "01,00,01,01,00,00,00,00,00,00,00,00", "First Order Highpass II"},
    { 8, StageCode::FHP,  3,  1, 2, 1, "00,000,01,02,00,00,00,01,00,01,00,00", "01,00,01,01,00,00,00,00,00,00,00,00", "First Order Highpass III"},
    { 9, StageCode::FHP,  4,  2, 1, 1, "00,000,02,01,00,00,00,01,00,01,00,00", "01,00,01,01,00,00,00,00,00,00,00,00", "First Order Highpass IV"},
    {11, StageCode::SLP,  1,  2, 2, 1, "01,001,02,02,00,01,01,01,00,00,01,01", "01,00,02,01,02,00,00,00,00,00,00,00", "Sallen-Key (SK) Second Order Lowpass I"},
    {12, StageCode::SLP,  2,  4, 2, 1, "01,010,04,02,01,01,01,01,00,00,01,02", "01,00,03,01,02,03,00,00,03,00,00,10", "Sallen-Key (SK) Second Order Lowpass II"},
    {13, StageCode::SLP,  3,  3, 2, 1, "00,100,03,02,00,00,00,01,00,01,01,03", "01,00,02,01,02,00,00,00,00,00,00,00", "Multiple Feedback (MFB) Second Order Lowpass I"},
    {14, StageCode::SLP,  4,  5, 2, 1, "01,010,05,02,01,00,00,01,00,01,01,04", "01,00,03,01,02,03,00,00,03,00,00,00", "Multiple Feedback (MFB) Second Order Lowpass II"},
    {15, StageCode::SLP,  5,  5, 2, 2, "00,001,05,02,00,00,01,02,00,00,00,00", "01,00,02,01,02,00,00,00,00,00,00,00", "Fliege Second Order Lowpass "},
    {16, StageCode::SLP,  6,  2, 2, 2, "01,010,02,02,00,00,01,02,00,00,01,05", "01,01,02,01,02,00,00,00,00,00,00,00", "Bach Second Order Lowpass"},
    {17, StageCode::SLP,  7,  5, 3, 2, "00,001,05,03,01,00,01,02,01,00,00,00", "01,00,03,01,02,03,00,00,03,00,00,00", "Twin-T Second Order Lowpass"},
    {18, StageCode::SLP,  8,  6, 2, 3, "00,001,06,02,00,00,01,03,00,00,00,00", "01,00,03,02,03,06,00,00,03,00,00,00", "KHN (Non-Inverting Input) Second Order Lowpass"},
    {19, StageCode::SLP,  9,  7, 2, 3, "00,001,07,02,00,00,01,03,00,01,00,00", "01,00,02,01,02,00,00,00,00,00,00,00", "KHN (Inverting Input) Second Order Lowpass"},
    {20, StageCode::SLP, 10,  6, 2, 3, "00,001,06,02,01,00,00,03,00,00,00,00", "01,00,02,02,04,00,00,00,00,00,00,00", "Tow-Thomas (TT) Second Order Lowpass"},
    {21, StageCode::SLP, 11,  8, 2, 3, "00,001,08,02,00,00,00,03,00,00,00,00", "01,00,02,06,08,00,00,00,00,00,00,00", "Mikhael-Bhattacharyya (MB) Second Order Lowpass"},
    {22, StageCode::SLP, 12,  9, 2, 3, "00,001,09,02,00,00,01,03,00,00,00,00", "01,00,02,07,08,00,00,00,00,00,00,00", "Berka-Herpy (BH) Second Order Lowpass"},
    {23, StageCode::SLP, 13,  6, 2, 3, "00,001,06,02,00,00,00,03,00,01,00,00", "01,00,02,02,05,00,00,00,00,00,00,00", "Akerberg-Mossberg (AM) Second Order Lowpass "},
    {26, StageCode::SHP,  1,  2, 2, 1, "01,001,02,02,00,00,01,01,00,00,01,06", "01,00,02,01,02,00,00,00,00,00,00,00", "Sallen-Key (SK) Second Order Highpass I"},
    {27, StageCode::SHP,  2,  4, 2, 1, "01,010,04,02,01,01,00,01,00,00,01,07", "01,00,02,01,02,00,00,00,00,00,00,10", "Sallen-Key (SK) Second Order Highpass II"},
    {28, StageCode::SHP,  3,  2, 3, 1, "00,001,02,03,00,00,01,01,00,01,01,08", "01,00,02,01,02,00,00,00,00,00,00,10", "Multiple Feedback (MFB) Second Order Highpass"},
    {29, StageCode::SHP,  4,  5, 2, 2, "00,001,05,02,00,00,01,02,00,00,00,00", "01,00,02,01,02,00,00,00,00,00,00,00", "Fliege Second Order Highpass"},
    {30, StageCode::SHP,  5,  5, 3, 2, "00,001,05,03,01,00,01,02,01,00,00,00", "01,00,03,01,02,03,00,00,03,00,00,00", "Twin-T Second Order Highpass"},
    {31, StageCode::SHP,  6,  6, 2, 3, "00,001,06,02,00,00,01,03,00,00,00,00", "01,00,02,01,02,00,00,00,00,00,00,00", "KHN (Non-Inverting Input) Second Order Highpass"},
    {32, StageCode::SHP,  7,  7, 2, 3, "00,001,07,02,00,00,01,03,00,01,00,00", "01,00,02,01,02,00,00,00,00,00,00,00", "KHN (Inverting Input) Second Order Highpass"},
    {33, StageCode::SHP,  8,  8, 2, 3, "00,001,08,02,00,00,00,03,00,00,00,00", "01,00,02,05,08,00,00,00,00,00,00,00", "Mikhael-Bhattacharyya (MB) Second Order Highpass"},
    {34, StageCode::SHP,  9,  9, 2, 3, "00,001,09,02,00,00,01,03,00,00,00,00", "01,00,02,05,08,00,00,00,00,00,00,00", "Berka-Herpy (BH) Second Order Highpass"},
    {35, StageCode::SHP, 10,  6, 3, 3, "00,001,06,03,00,00,00,03,00,01,00,00", "01,00,02,05,06,00,00,00,00,00,00,10", "Akerberg-Mossberg (AM) Second Order Highpass"},
    {41, StageCode::SBP,  1,  2, 2, 1, "01,010,02,02,00,01,01,01,00,01,01,09", "11,00,02,01,02,00,00,00,00,00,00,10", "Deliyannis Second Order Bandpass I"},
    {42, StageCode::SBP,  2,  4, 2, 1, "01,001,04,02,01,00,00,01,00,01,01,10", "11,00,02,01,02,00,00,00,00,00,00,10", "Deliyannis Second Order Bandpass II"},
    {43, StageCode::SBP,  3,  5, 2, 1, "01,010,05,02,01,01,00,01,00,00,01,11", "01,00,03,01,02,03,00,00,03,00,00,00", "Sallen-Key (SK) Second Order Bandpass"},
    {44, StageCode::SBP,  4,  3, 2, 1, "01,010,03,02,00,00,00,01,00,01,01,12", "01,00,03,01,02,03,00,00,03,00,00,00", "Multiple Feedback (MFB) Second Order Bandpass I"},
    {45, StageCode::SBP,  5,  5, 2, 1, "01,010,05,02,01,01,00,01,00,01,01,13", "01,00,03,01,02,03,00,00,03,00,00,00", "Multiple Feedback (MFB) Second Order Bandpass II"},
    {46, StageCode::SBP,  6,  5, 2, 2, "00,001,05,02,01,00,01,02,00,00,00,00", "01,00,02,01,02,00,00,00,00,00,00,00", "Fliege Second Order Bandpass"},
    {47, StageCode::SBP,  7,  5, 3, 2, "00,001,05,03,01,00,01,02,01,01,00,00", "01,00,03,01,02,03,00,00,03,00,00,00", "Twin-T Second Order Bandpass"},
    {48, StageCode::SBP,  8,  6, 2, 3, "00,001,06,02,00,00,01,03,00,01,00,00", "01,00,02,01,02,00,00,00,00,00,00,00", "KHN (Non-Inverting Input) Second Order Bandpass"},
    {49, StageCode::SBP,  9,  7, 2, 3, "00,001,07,02,00,00,01,03,00,00,00,00", "01,00,02,01,02,00,00,00,00,00,00,00", "KHN (Inverting Input) Second Order Bandpass"},
    {50, StageCode::SBP, 10,  6, 2, 3, "00,001,06,02,01,00,00,03,00,01,00,00", "01,00,03,02,03,04,00,00,03,00,00,00", "Tow-Thomas (TT) Second Order Bandpass"},
    {51, StageCode::SBP, 11,  8, 2, 3, "00,001,08,02,00,00,00,03,00,00,00,00", "01,00,02,06,08,00,00,00,00,00,00,00", "Mikhael-Bhattacharyya (MB) Second Order Bandpass"},
    {52, StageCode::SBP, 12,  7, 2, 3, "00,001,07,02,00,00,00,03,00,00,00,00", "01,00,03,01,02,03,00,00,03,00,00,00", "Berka-Herpy (BH) Second Order Bandpass"},
    {53, StageCode::SBP, 13,  6, 2, 3, "00,001,06,02,00,00,00,03,00,01,00,00", "01,00,03,01,02,05,00,00,03,00,00,00", "Akerberg-Mossberg (AM) Second Order Bandpass"},
    {56, StageCode::SLPN,  1,  7, 2, 1, "01,001,07,02,00,00,00,01,00,00,01,14", "01,00,04,01,02,04,05,00,04,07,00,00", "Friend's Single Amplifier Biquad (SAB) Second Order Lowpass Notch"},
    {57, StageCode::SLPN,  2,  5, 3, 1, "00,001,05,03,00,00,01,01,00,00,00,00", "01,00,04,01,02,04,05,00,04,07,00,10", "Scultety Second Order Lowpass Notch"},
    {58, StageCode::SLPN,  3,  6, 2, 1, "00,000,06,02,01,00,01,01,00,00,01,15", "01,00,04,01,02,03,04,00,04,07,00,00", "Boctor Second Order Lowpass Notch"},
    {59, StageCode::SLPN,  4,  6, 3, 2, "00,001,06,03,00,00,01,02,00,00,00,00", "01,00,03,02,03,05,00,00,04,00,00,00", "Fliege Second Order Lowpass Notch"},
    {60, StageCode::SLPN,  5,  5, 4, 2, "00,002,05,04,01,00,01,02,01,00,00,00", "01,00,03,01,02,03,00,00,04,05,00,00", "Twin-T Second Order Lowpass Notch"},
    {61, StageCode::SLPN,  6,  9, 2, 4, "00,001,09,02,00,00,00,04,00,01,00,00", "01,00,02,01,02,00,00,00,00,00,00,00", "KHN (Non-Inverting Input) Second Order Lowpass Notch"},
    {62, StageCode::SLPN,  7, 10, 2, 4, "00,001,10,02,00,00,00,04,00,00,00,00", "01,00,02,01,02,00,00,00,00,00,00,00", "KHN (Inverting Input) Second Order Lowpass Notch"},
    {63, StageCode::SLPN,  8,  9, 2, 3, "00,001,09,02,00,00,00,03,00,00,00,00", "01,00,02,06,09,00,00,00,00,00,00,00", "Mikhael-Bhattacharyya (MB) Second Order Lowpass Notch"},
    {64, StageCode::SLPN,  9,  9, 2, 3, "00,001,09,02,00,00,01,03,00,00,00,00", "01,00,04,06,07,08,09,00,04,07,00,00", "Berka-Herpy (BH) Second Order Lowpass Notch"},
    {65, StageCode::SLPN, 10,  7, 3, 3, "00,001,07,03,00,00,00,03,00,01,00,00", "01,00,03,01,02,05,00,00,04,00,00,10", "Akerberg-Mossberg (AM) Second Order Lowpass Notch"},
    {71, StageCode::SHPN,  1,  7, 2, 1, "01,001,07,02,00,00,00,01,00,00,01,16", "01,00,04,01,02,04,05,00,04,07,00,00", "Friend's Single Amplifier Biquad (SAB) Second Order Highpass Notch"},
    {72, StageCode::SHPN,  2,  6, 2, 1, "00,001,06,02,00,00,01,01,00,00,00,00", "01,00,04,01,02,03,04,00,03,04,00,00", "Scultety Second Order Highpass Notch"},
    {73, StageCode::SHPN,  3,  7, 2, 2, "00,001,07,02,00,00,01,02,00,00,00,00", "01,00,04,01,02,03,04,00,04,07,00,00", "Fliege Second Order Highpass Notch"},
    {74, StageCode::SHPN,  4,  7, 3, 2, "00,001,07,03,01,00,01,02,01,00,00,00", "01,00,04,02,03,04,05,00,03,04,00,01", "Twin-T Second Order Highpass Notch"},
    {75, StageCode::SHPN,  5,  9, 2, 4, "00,001,09,02,00,00,00,04,00,01,00,00", "01,00,02,01,02,00,00,00,00,00,00,00", "KHN (Non-Inverting Input) Second Order Highpass Notch"},
    {76, StageCode::SHPN,  6, 10, 2, 4, "00,001,10,02,00,00,00,04,00,00,00,00", "01,00,02,01,02,00,00,00,00,00,00,00", "KHN (Inverting Input) Second Order Highpass Notch"},
    {77, StageCode::SHPN,  7,  9, 2, 3, "00,001,09,02,00,00,00,03,00,00,00,00", "01,00,02,06,09,00,00,00,00,00,00,00", "Mikhael-Bhattacharyya (MB) Second Order Highpass Notch"},
    {78, StageCode::SHPN,  8,  9, 2, 3, "00,001,09,02,00,00,01,03,00,00,00,00", "01,00,03,01,06,07,00,00,07,00,00,00", "Berka-Herpy (BH) Second Order Highpass Notch"},
    {79, StageCode::SHPN,  9,  7, 3, 3, "00,001,07,03,00,00,00,03,00,01,00,00", "01,00,03,01,02,05,00,00,04,00,00,10", "Akerberg-Mossberg (AM) Second Order Highpass Notch"},
    {86, StageCode::SN,  1,  5, 3, 1, "01,001,05,03,01,00,01,01,01,00,00,00", "01,00,03,01,02,03,00,00,04,00,00,00", "Sallen-Key (SK) Second Order Notch"},
    {87, StageCode::SN,  2,  6, 2, 2, "00,001,06,02,00,00,01,02,00,00,00,00", "01,00,04,01,02,04,05,00,04,07,00,00", "Fliege Second Order Notch"},
    {88, StageCode::SN,  3,  5, 3, 2, "00,001,05,03,01,00,01,02,01,00,00,00", "01,00,03,01,02,03,00,00,07,00,00,00", "Twin-T Second Order Notch I"},
    {89, StageCode::SN,  4,  5, 3, 2, "00,001,05,03,01,00,01,02,01,00,00,00", "01,00,03,01,02,03,00,00,07,00,00,00", "Twin-T Second Order Notch II"},
    {90, StageCode::SN,  5,  9, 2, 4, "00,001,09,02,00,00,00,04,00,01,00,00", "01,00,02,01,02,00,00,00,00,00,00,00", "KHN (Non-Inverting Input) Second Order Notch"},
    {91, StageCode::SN,  6, 10, 2, 4, "00,001,10,02,00,00,00,04,00,00,00,00", "01,00,02,01,02,00,00,00,00,00,00,00", "KHN (Inverting Input) Second Order Notch"},
    {92, StageCode::SN,  7,  9, 2, 3, "00,001,09,02,00,00,00,03,00,00,00,00", "01,00,02,06,09,00,00,00,00,00,00,00", "Mikhael-Bhattacharyya (MB) Second Order Notch"},
    {93, StageCode::SN,  8, 10, 2, 3, "00,001,10,02,00,00,01,03,00,00,00,00", "01,00,04,07,08,09,10,00,04,07,00,00", "Berka-Herpy (BH) Second Order Notch"},
    {94, StageCode::SN,  9,  7, 3, 3, "00,001,07,03,00,00,00,03,00,01,00,00", "01,00,03,01,02,05,00,00,04,00,00,10", "Akerberg-Mossberg (AM) Second Order Notch"},
}};

constexpr std::array<int, StageCode::Count> kTypeBase{0, 5, 10, 25, 40, 55, 70, 85};
constexpr std::array<int, StageCode::Count> kTypeCircuits{3, 4, 13, 10, 13, 10, 9, 9};

}  // namespace

std::span<const CatalogRow> CatalogRows() { return kCatalog; }

int TypeBase(int stageType) {
    if (stageType < 0 || stageType >= StageCode::Count) return -1;
    return kTypeBase[static_cast<size_t>(stageType)];
}

int CircuitsOfType(int stageType) {
    if (stageType < 0 || stageType >= StageCode::Count) return 0;
    return kTypeCircuits[static_cast<size_t>(stageType)];
}

int CircuitNumber(int stageType, int circuitIndex) { return TypeBase(stageType) + circuitIndex; }

}  // namespace tavrel
