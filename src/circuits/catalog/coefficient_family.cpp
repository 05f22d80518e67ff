#include "circuits/catalog/coefficient_family.h"

#include <array>

#include "stages/stage_record.h"

namespace tavrel {

namespace {

constexpr CoefficientForm Monic = CoefficientForm::Monic;
constexpr CoefficientForm UnitConstant = CoefficientForm::UnitConstant;

// Type, index, form, third order, inverting output, resistors entering d0 (empty: all).
constexpr std::array<CoefficientFamilyRow, 71> kFamily{{
    {StageCode::FLP,  1, Monic, false, false, ""},  // "First Order Lowpass I"
    {StageCode::FLP,  2, Monic, false, false, ""},  // "First Order Lowpass II"
    {StageCode::FLP,  3, Monic, false, true , ""},  // "First Order Lowpass III"
    {StageCode::FHP,  1, Monic, false, false, ""},  // "First Order Highpass I"
    {StageCode::FHP,  2, Monic, false, false, ""},  // "First Order Highpass II"
    {StageCode::FHP,  3, Monic, false, true , ""},  // "First Order Highpass III"
    {StageCode::FHP,  4, Monic, false, true , ""},  // "First Order Highpass IV"
    {StageCode::SLP,  1, UnitConstant, false, false, ""},  // "Sallen-Key (SK) Second Order Lowpass I"
    {StageCode::SLP,  2, UnitConstant, false, false, ""},  // "Sallen-Key (SK) Second Order Lowpass II"
    {StageCode::SLP,  3, Monic, false, true , ""},  // "Multiple Feedback (MFB) Second Order Lowpass I"
    {StageCode::SLP,  4, Monic, false, true , ""},  // "Multiple Feedback (MFB) Second Order Lowpass II"
    {StageCode::SLP,  5, UnitConstant, false, false, ""},  // "Fliege Second Order Lowpass "
    {StageCode::SLP,  6, Monic, false, false, ""},  // "Bach Second Order Lowpass"
    {StageCode::SLP,  7, Monic, true , false, ""},  // "Twin-T Second Order Lowpass"
    {StageCode::SLP,  8, UnitConstant, false, false, ""},  // "KHN (Non-Inverting Input) Second Order Lowpass"
    {StageCode::SLP,  9, Monic, false, true , ""},  // "KHN (Inverting Input) Second Order Lowpass"
    {StageCode::SLP, 10, Monic, false, false, "R1,R2,R3,R4"},  // "Tow-Thomas (TT) Second Order Lowpass"
    {StageCode::SLP, 11, Monic, false, false, ""},  // "Mikhael-Bhattacharyya (MB) Second Order Lowpass"
    {StageCode::SLP, 12, UnitConstant, false, false, "R5,R6,R7,R8,R9"},  // "Berka-Herpy (BH) Second Order Lowpass"
    {StageCode::SLP, 13, Monic, false, true , ""},  // "Akerberg-Mossberg (AM) Second Order Lowpass "
    {StageCode::SHP,  1, UnitConstant, false, false, ""},  // "Sallen-Key (SK) Second Order Highpass I"
    {StageCode::SHP,  2, UnitConstant, false, false, ""},  // "Sallen-Key (SK) Second Order Highpass II"
    {StageCode::SHP,  3, Monic, false, true , ""},  // "Multiple Feedback (MFB) Second Order Highpass"
    {StageCode::SHP,  4, UnitConstant, false, false, ""},  // "Fliege Second Order Highpass"
    {StageCode::SHP,  5, Monic, true , false, ""},  // "Twin-T Second Order Highpass"
    {StageCode::SHP,  6, UnitConstant, false, false, ""},  // "KHN (Non-Inverting Input) Second Order Highpass"
    {StageCode::SHP,  7, Monic, false, true , ""},  // "KHN (Inverting Input) Second Order Highpass"
    {StageCode::SHP,  8, Monic, false, false, ""},  // "Mikhael-Bhattacharyya (MB) Second Order Highpass"
    {StageCode::SHP,  9, UnitConstant, false, false, "R5,R6,R7,R8,R9"},  // "Berka-Herpy (BH) Second Order Highpass"
    {StageCode::SHP, 10, Monic, false, true , "R2,R3,R4,R5,R6"},  // "Akerberg-Mossberg (AM) Second Order Highpass"
    {StageCode::SBP,  1, UnitConstant, false, true , ""},  // "Deliyannis Second Order Bandpass I"
    {StageCode::SBP,  2, UnitConstant, false, true , ""},  // "Deliyannis Second Order Bandpass II"
    {StageCode::SBP,  3, Monic, false, false, ""},  // "Sallen-Key (SK) Second Order Bandpass"
    {StageCode::SBP,  4, Monic, false, true , ""},  // "Multiple Feedback (MFB) Second Order Bandpass I"
    {StageCode::SBP,  5, Monic, false, true , ""},  // "Multiple Feedback (MFB) Second Order Bandpass II"
    {StageCode::SBP,  6, UnitConstant, false, false, ""},  // "Fliege Second Order Bandpass"
    {StageCode::SBP,  7, Monic, true , true , ""},  // "Twin-T Second Order Bandpass"
    {StageCode::SBP,  8, UnitConstant, false, true , ""},  // "KHN (Non-Inverting Input) Second Order Bandpass"
    {StageCode::SBP,  9, Monic, false, false, ""},  // "KHN (Inverting Input) Second Order Bandpass"
    {StageCode::SBP, 10, Monic, false, true , "R1,R2,R3,R4"},  // "Tow-Thomas (TT) Second Order Bandpass"
    {StageCode::SBP, 11, Monic, false, false, "R1,R3,R4,R5,R6,R7,R8"},  // "Mikhael-Bhattacharyya (MB) Second Order Bandpass"
    {StageCode::SBP, 12, UnitConstant, false, true , ""},  // "Berka-Herpy (BH) Second Order Bandpass", inverting at wp by its netlist
    {StageCode::SBP, 13, Monic, false, true , ""},  // "Akerberg-Mossberg (AM) Second Order Bandpass"
    {StageCode::SLPN,  1, Monic, false, false, ""},  // "Friend's Single Amplifier Biquad (SAB) Second Order Lowpass Notch"
    {StageCode::SLPN,  2, UnitConstant, false, false, ""},  // "Scultety Second Order Lowpass Notch"
    {StageCode::SLPN,  3, Monic, false, false, ""},  // "Boctor Second Order Lowpass Notch"
    {StageCode::SLPN,  4, Monic, false, false, ""},  // "Fliege Second Order Lowpass Notch"
    {StageCode::SLPN,  5, Monic, true , false, ""},  // "Twin-T Second Order Lowpass Notch"
    {StageCode::SLPN,  6, UnitConstant, false, true , ""},  // "KHN (Non-Inverting Input) Second Order Lowpass Notch"
    {StageCode::SLPN,  7, Monic, false, false, ""},  // "KHN (Inverting Input) Second Order Lowpass Notch"
    {StageCode::SLPN,  8, Monic, false, false, ""},  // "Mikhael-Bhattacharyya (MB) Second Order Lowpass Notch"
    {StageCode::SLPN,  9, UnitConstant, false, false, "R3,R4,R5,R6,R7,R8,R9"},  // "Berka-Herpy (BH) Second Order Lowpass Notch"
    {StageCode::SLPN, 10, Monic, false, true , "R2,R3,R4,R5,R7"},  // "Akerberg-Mossberg (AM) Second Order Lowpass Notch"
    {StageCode::SHPN,  1, Monic, false, false, ""},  // "Friend's Single Amplifier Biquad (SAB) Second Order Highpass Notch"
    {StageCode::SHPN,  2, UnitConstant, false, false, ""},  // "Scultety Second Order Highpass Notch"
    {StageCode::SHPN,  3, Monic, false, false, ""},  // "Fliege Second Order Highpass Notch"
    {StageCode::SHPN,  4, Monic, true , false, "R1,R2,R3,R4,R5"},  // "Twin-T Second Order Highpass Notch"
    {StageCode::SHPN,  5, UnitConstant, false, true , ""},  // "KHN (Non-Inverting Input) Second Order Highpass Notch"
    {StageCode::SHPN,  6, Monic, false, false, ""},  // "KHN (Inverting Input) Second Order Highpass Notch"
    {StageCode::SHPN,  7, Monic, false, false, ""},  // "Mikhael-Bhattacharyya (MB) Second Order Highpass Notch"
    {StageCode::SHPN,  8, UnitConstant, false, false, "R3,R4,R5,R6,R7,R8,R9"},  // "Berka-Herpy (BH) Second Order Highpass Notch"
    {StageCode::SHPN,  9, Monic, false, true , "R1,R2,R3,R4,R5,R7"},  // "Akerberg-Mossberg (AM) Second Order Highpass Notch"
    {StageCode::SN,  1, Monic, true , false, ""},  // "Sallen-Key (SK) Second Order Notch"
    {StageCode::SN,  2, Monic, false, false, ""},  // "Fliege Second Order Notch"
    {StageCode::SN,  3, Monic, true , false, ""},  // "Twin-T Second Order Notch I"
    {StageCode::SN,  4, Monic, true , false, ""},  // "Twin-T Second Order Notch II"
    {StageCode::SN,  5, UnitConstant, false, true , ""},  // "KHN (Non-Inverting Input) Second Order Notch"
    {StageCode::SN,  6, Monic, false, false, ""},  // "KHN (Inverting Input) Second Order Notch"
    {StageCode::SN,  7, Monic, false, false, ""},  // "Mikhael-Bhattacharyya (MB) Second Order Notch"
    {StageCode::SN,  8, UnitConstant, false, false, "R2,R3,R4,R5,R6,R7,R8,R9,R10"},  // "Berka-Herpy (BH) Second Order Notch"
    {StageCode::SN,  9, Monic, false, true , "R1,R2,R3,R4,R5,R7"},  // "Akerberg-Mossberg (AM) Second Order Notch"
}};

}  // namespace

std::span<const CoefficientFamilyRow> CoefficientFamily() { return kFamily; }

}  // namespace tavrel
