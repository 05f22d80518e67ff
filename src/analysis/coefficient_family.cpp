#include "analysis/coefficient_family.h"

#include <array>
#include <cstdio>
#include <vector>

#include "circuits/stage_type.h"

namespace tavrel {

namespace {

constexpr CoefficientForm Monic = CoefficientForm::Monic;
constexpr CoefficientForm UnitConstant = CoefficientForm::UnitConstant;

// Type, index, form, third order, inverting output, resistors entering d0 (empty: all).
constexpr std::array<CoefficientFamilyRow, 71> kFamily{{
    {StageType::FLP,  1, Monic, false, false, ""},  // "First Order Lowpass I"
    {StageType::FLP,  2, Monic, false, false, ""},  // "First Order Lowpass II"
    {StageType::FLP,  3, Monic, false, true , ""},  // "First Order Lowpass III"
    {StageType::FHP,  1, Monic, false, false, ""},  // "First Order Highpass I"
    {StageType::FHP,  2, Monic, false, false, ""},  // "First Order Highpass II"
    {StageType::FHP,  3, Monic, false, true , ""},  // "First Order Highpass III"
    {StageType::FHP,  4, Monic, false, true , ""},  // "First Order Highpass IV"
    {StageType::SLP,  1, UnitConstant, false, false, ""},  // "Sallen-Key (SK) Second Order Lowpass I"
    {StageType::SLP,  2, UnitConstant, false, false, ""},  // "Sallen-Key (SK) Second Order Lowpass II"
    {StageType::SLP,  3, Monic, false, true , ""},  // "Multiple Feedback (MFB) Second Order Lowpass I"
    {StageType::SLP,  4, Monic, false, true , ""},  // "Multiple Feedback (MFB) Second Order Lowpass II"
    {StageType::SLP,  5, UnitConstant, false, false, ""},  // "Fliege Second Order Lowpass "
    {StageType::SLP,  6, Monic, false, false, ""},  // "Bach Second Order Lowpass"
    {StageType::SLP,  7, Monic, true , false, ""},  // "Twin-T Second Order Lowpass"
    {StageType::SLP,  8, UnitConstant, false, false, ""},  // "KHN (Non-Inverting Input) Second Order Lowpass"
    {StageType::SLP,  9, Monic, false, true , ""},  // "KHN (Inverting Input) Second Order Lowpass"
    {StageType::SLP, 10, Monic, false, false, "R1,R2,R3,R4"},  // "Tow-Thomas (TT) Second Order Lowpass"
    {StageType::SLP, 11, Monic, false, false, ""},  // "Mikhael-Bhattacharyya (MB) Second Order Lowpass"
    {StageType::SLP, 12, UnitConstant, false, false, "R5,R6,R7,R8,R9"},  // "Berka-Herpy (BH) Second Order Lowpass"
    {StageType::SLP, 13, Monic, false, true , ""},  // "Akerberg-Mossberg (AM) Second Order Lowpass "
    {StageType::SHP,  1, UnitConstant, false, false, ""},  // "Sallen-Key (SK) Second Order Highpass I"
    {StageType::SHP,  2, UnitConstant, false, false, ""},  // "Sallen-Key (SK) Second Order Highpass II"
    {StageType::SHP,  3, Monic, false, true , ""},  // "Multiple Feedback (MFB) Second Order Highpass"
    {StageType::SHP,  4, UnitConstant, false, false, ""},  // "Fliege Second Order Highpass"
    {StageType::SHP,  5, Monic, true , false, ""},  // "Twin-T Second Order Highpass"
    {StageType::SHP,  6, UnitConstant, false, false, ""},  // "KHN (Non-Inverting Input) Second Order Highpass"
    {StageType::SHP,  7, Monic, false, true , ""},  // "KHN (Inverting Input) Second Order Highpass"
    {StageType::SHP,  8, Monic, false, false, ""},  // "Mikhael-Bhattacharyya (MB) Second Order Highpass"
    {StageType::SHP,  9, UnitConstant, false, false, "R5,R6,R7,R8,R9"},  // "Berka-Herpy (BH) Second Order Highpass"
    {StageType::SHP, 10, Monic, false, true , "R2,R3,R4,R5,R6"},  // "Akerberg-Mossberg (AM) Second Order Highpass"
    {StageType::SBP,  1, UnitConstant, false, true , ""},  // "Deliyannis Second Order Bandpass I"
    {StageType::SBP,  2, UnitConstant, false, true , ""},  // "Deliyannis Second Order Bandpass II"
    {StageType::SBP,  3, Monic, false, false, ""},  // "Sallen-Key (SK) Second Order Bandpass"
    {StageType::SBP,  4, Monic, false, true , ""},  // "Multiple Feedback (MFB) Second Order Bandpass I"
    {StageType::SBP,  5, Monic, false, true , ""},  // "Multiple Feedback (MFB) Second Order Bandpass II"
    {StageType::SBP,  6, UnitConstant, false, false, ""},  // "Fliege Second Order Bandpass"
    {StageType::SBP,  7, Monic, true , true , ""},  // "Twin-T Second Order Bandpass"
    {StageType::SBP,  8, UnitConstant, false, true , ""},  // "KHN (Non-Inverting Input) Second Order Bandpass"
    {StageType::SBP,  9, Monic, false, false, ""},  // "KHN (Inverting Input) Second Order Bandpass"
    {StageType::SBP, 10, Monic, false, true , "R1,R2,R3,R4"},  // "Tow-Thomas (TT) Second Order Bandpass"
    {StageType::SBP, 11, Monic, false, false, "R1,R3,R4,R5,R6,R7,R8"},  // "Mikhael-Bhattacharyya (MB) Second Order Bandpass"
    {StageType::SBP, 12, UnitConstant, false, true , ""},  // "Berka-Herpy (BH) Second Order Bandpass", inverting at wp by its netlist
    {StageType::SBP, 13, Monic, false, true , ""},  // "Akerberg-Mossberg (AM) Second Order Bandpass"
    {StageType::SLPN,  1, Monic, false, false, ""},  // "Friend's Single Amplifier Biquad (SAB) Second Order Lowpass Notch"
    {StageType::SLPN,  2, UnitConstant, false, false, ""},  // "Scultety Second Order Lowpass Notch"
    {StageType::SLPN,  3, Monic, false, false, ""},  // "Boctor Second Order Lowpass Notch"
    {StageType::SLPN,  4, Monic, false, false, ""},  // "Fliege Second Order Lowpass Notch"
    {StageType::SLPN,  5, Monic, true , false, ""},  // "Twin-T Second Order Lowpass Notch"
    {StageType::SLPN,  6, UnitConstant, false, true , ""},  // "KHN (Non-Inverting Input) Second Order Lowpass Notch"
    {StageType::SLPN,  7, Monic, false, false, ""},  // "KHN (Inverting Input) Second Order Lowpass Notch"
    {StageType::SLPN,  8, Monic, false, false, ""},  // "Mikhael-Bhattacharyya (MB) Second Order Lowpass Notch"
    {StageType::SLPN,  9, UnitConstant, false, false, "R3,R4,R5,R6,R7,R8,R9"},  // "Berka-Herpy (BH) Second Order Lowpass Notch"
    {StageType::SLPN, 10, Monic, false, true , "R2,R3,R4,R5,R7"},  // "Akerberg-Mossberg (AM) Second Order Lowpass Notch"
    {StageType::SHPN,  1, Monic, false, false, ""},  // "Friend's Single Amplifier Biquad (SAB) Second Order Highpass Notch"
    {StageType::SHPN,  2, UnitConstant, false, false, ""},  // "Scultety Second Order Highpass Notch"
    {StageType::SHPN,  3, Monic, false, false, ""},  // "Fliege Second Order Highpass Notch"
    {StageType::SHPN,  4, Monic, true , false, "R1,R2,R3,R4,R5"},  // "Twin-T Second Order Highpass Notch"
    {StageType::SHPN,  5, UnitConstant, false, true , ""},  // "KHN (Non-Inverting Input) Second Order Highpass Notch"
    {StageType::SHPN,  6, Monic, false, false, ""},  // "KHN (Inverting Input) Second Order Highpass Notch"
    {StageType::SHPN,  7, Monic, false, false, ""},  // "Mikhael-Bhattacharyya (MB) Second Order Highpass Notch"
    {StageType::SHPN,  8, UnitConstant, false, false, "R3,R4,R5,R6,R7,R8,R9"},  // "Berka-Herpy (BH) Second Order Highpass Notch"
    {StageType::SHPN,  9, Monic, false, true , "R1,R2,R3,R4,R5,R7"},  // "Akerberg-Mossberg (AM) Second Order Highpass Notch"
    {StageType::SN,  1, Monic, true , false, ""},  // "Sallen-Key (SK) Second Order Notch"
    {StageType::SN,  2, Monic, false, false, ""},  // "Fliege Second Order Notch"
    {StageType::SN,  3, Monic, true , false, ""},  // "Twin-T Second Order Notch I"
    {StageType::SN,  4, Monic, true , false, ""},  // "Twin-T Second Order Notch II"
    {StageType::SN,  5, UnitConstant, false, true , ""},  // "KHN (Non-Inverting Input) Second Order Notch"
    {StageType::SN,  6, Monic, false, false, ""},  // "KHN (Inverting Input) Second Order Notch"
    {StageType::SN,  7, Monic, false, false, ""},  // "Mikhael-Bhattacharyya (MB) Second Order Notch"
    {StageType::SN,  8, UnitConstant, false, false, "R2,R3,R4,R5,R6,R7,R8,R9,R10"},  // "Berka-Herpy (BH) Second Order Notch"
    {StageType::SN,  9, Monic, false, true , "R1,R2,R3,R4,R5,R7"},  // "Akerberg-Mossberg (AM) Second Order Notch"
}};

std::string TwoDigits(int n) {
    char text[8];
    std::snprintf(text, sizeof text, "%02d", n);
    return text;
}

}  // namespace

std::span<const CoefficientFamilyRow> CoefficientFamily() { return kFamily; }

const CoefficientFamilyRow* FindFamilyRow(int stageType, int circuitIndex) {
    for (const CoefficientFamilyRow& row : kFamily)
        if (row.stageType == stageType && row.circuitIndex == circuitIndex) return &row;
    return nullptr;
}

std::string ResistorListText(const CoefficientFamilyRow& row, int resistorCount) {
    std::vector<int> numbers;
    const std::string listed = row.listed;
    if (listed.empty()) {
        for (int i = 1; i <= resistorCount; ++i) numbers.push_back(i);
    } else {
        for (size_t at = listed.find('R'); at != std::string::npos; at = listed.find('R', at + 1))
            numbers.push_back(std::stoi(listed.substr(at + 1)));
    }
    std::string text = TwoDigits(static_cast<int>(numbers.size()));
    for (int n : numbers) text += "," + TwoDigits(n);
    return text;
}

}  // namespace tavrel
