#pragma once
#include <array>
#include <cstdint>
#include <string>

#include "circuits/records/design.h"

namespace tavrel::design_file {

inline constexpr std::size_t kHeaderBytes = 224;
// The file mark: a short string of three characters.
inline constexpr std::uint8_t kFileMark[4] = {0x03, 0x96, 0xAE, 0x96};
inline constexpr const char* kVersionText = "TVR30";

// The 224-byte header as it stands in the file: the version, the option string, the
// specification with its results, the component characteristics and the counts.
struct Header {
    std::string Mark;  // the three characters after the mark's length byte
    std::string Version = kVersionText;
    std::string OptionFlags;
    Real48 Asb, Apb, Wsb, Wpb, W0, Bpb, Bsb, Selectivity, UnitEdge;
    Real48 ApbEntry, AsbEntry, F1Entry, F2Entry, F0Entry, OverallGain;
    ComponentCharacteristics Characteristics;
    std::int16_t StageCount = 0;
    std::int16_t ChosenApprox = 0;
    std::int16_t HighestApprox = 0;
    std::array<std::int16_t, 3> UnitIndex{};
    std::int16_t ForcedOrder = 0;
    std::int16_t PoleEntryCount = 0;
    std::int16_t ZeroEntryCount = 0;
};

// 224 bytes.
template <class Io, class H>
void HeaderFields(Io& io, H& h) {
    io.ShortString(h.Mark, 3);
    io.ShortString(h.Version, 8);
    io.ShortString(h.OptionFlags, 40);
    for (auto* value : {&h.Asb, &h.Apb, &h.Wsb, &h.Wpb, &h.W0, &h.Bpb, &h.Bsb, &h.Selectivity, &h.UnitEdge,
                        &h.ApbEntry, &h.AsbEntry, &h.F1Entry, &h.F2Entry, &h.F0Entry, &h.OverallGain})
        io.Real(*value);
    auto& c = h.Characteristics;
    for (auto* value : {&c.RTolerance, &c.CTolerance, &c.OpTolerance, &c.RTempCoeff, &c.CTempCoeff, &c.TempRange,
                        &c.ReservedCharacteristic, &c.OpTempCoeff, &c.Noise})
        io.Real(*value);
    io.Unwritten(6);
    io.Int16(h.StageCount);
    io.Int16(h.ChosenApprox);
    io.Int16(h.HighestApprox);
    for (auto& index : h.UnitIndex) io.Int16(index);
    io.Int16(h.ForcedOrder);
    io.Int16(h.PoleEntryCount);
    io.Int16(h.ZeroEntryCount);
    io.Unwritten(2);
}

// The header of a design about to be written.
Header HeaderOf(const Design& design);

// Step 7 of opening: the header's values into the design (the option string is applied apart).
void RestoreHeader(const Header& header, Design& design);

}  // namespace tavrel::design_file
