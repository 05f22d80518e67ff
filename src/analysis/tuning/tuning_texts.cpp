#include "analysis/tuning/tuning_texts.h"

#include <map>
#include <stdexcept>
#include <utility>
#include <vector>

#include "stages/stage_record.h"

namespace tavrel {

namespace {

// The tuning texts as stored: a block per stage type between "{pt<type>}" and "{End}", and in a
// block a section per bracketed name followed by its lines. Value slots: 00 the zero-frequency
// name, 01 the parameter name, 02 the gain where the first magnitude step measures, 03 the gain
// of the second step (in the phase sections of SLP, SHP and SBP the phase at fp), 04 and 05 the
// peak gain and frequency (in the phase sections the phases at 08 and 09; first order: 04 the
// phase at fc), 06 and 07 the -3 dB gain and frequency, 08 and 09 the 45-degree frequencies
// (notch types: 08 the squared ratio (fz/fp)^2 of the low- to the high-frequency gain, 09 the
// phase at fp).
//
// The lowpass and highpass texts measure the passband gain well inside the passband and set the
// frequency by the gain well inside the stopband; a notch stage has a passband on both sides,
// and the ratio of the two passband gains is (fz/fp)^2, so its pole frequency is set by that
// ratio once the zero frequency holds. A bandpass stage is set to its peak and its Q by the two
// -3 dB frequencies, whose ratio to fp does not depend on the gain.
const char* const kStoredTexts[] = {
    "{ptFLP}",
    "[wc mag]",
    "\\und \\blu \\d01 \\unf \\blk ",
    "\\par (1) Determine gain at <0.1* \\bsp \\d01  (theoretical gain = \\d02 ).",
    "\\par (2) Adjust for 3dB attenuation at \\d01  (theoretical gain = \\d03 ).",
    "\\par (3) Repeat (1) and (2) if required.",
    "[wc phase]",
    "\\und \\blu \\d01 \\unf \\blk ",
    "\\par  Adjust for a \\d04 \\186  phase shift at \\d01 . ",
    "{End}",

    "{ptFHP}",
    "[wc mag]",
    "\\und \\blu \\d01 \\unf \\blk ",
    "\\par (1) Determine gain at >10* \\bsp \\d01  (theoretical gain = \\d02 ).",
    "\\par (2) Adjust for 3dB attenuation at \\d01  (theoretical gain = \\d03 ).",
    "\\par (3) Repeat (1) and (2) if required.",
    "[wc phase]",
    "\\und \\blu \\d01 \\unf \\blk ",
    "\\par  Adjust for a \\d04 \\186  phase shift at \\d01 . ",
    "{End}",

    "{ptSLP}",
    "[wp mag]",
    "\\und \\blu \\d01 \\unf \\blk ",
    "\\par (1) Determine gain at <0.1* \\bsp \\d01  (theoretical gain = \\d02 ).",
    "\\par (2) Adjust for 40dB attenuation at 10* \\bsp \\d01  (theoretical gain = \\d03 ).",
    "\\par (3) Repeat (1) and (2) if required.",
    "[Qp mag peak]",
    "\\und \\blu Qp \\unf \\blk ",
    "\\par  Adjust Qp for a peak gain of \\d04  at \\d05 .",
    "[Qp mag no peak]",
    "\\und \\blu Qp \\unf \\blk ",
    "\\par  Adjust Qp for 3dB attenuation (theoretical gain = \\d06 ) at \\d07 .",
    "[wp phase]",
    "\\und \\blu \\d01 \\unf \\blk ",
    "\\par  Adjust for a \\d03 \\186  phase shift at \\d01 . ",
    "[Qp phase]",
    "\\und \\blu Qp \\unf \\blk ",
    "\\par  Adjust for a \\d04 \\186  phase shift at \\d08  or a \\d05 \\186  phase shift at \\d09 .",
    "{End}",

    "{ptSHP}",
    "[wp mag]",
    "\\und \\blu \\d01 \\unf \\blk ",
    "\\par (1) Determine gain at >10* \\bsp \\d01  (theoretical gain = \\d02 ).",
    "\\par (2) Adjust for 40dB attenuation at 0.1* \\bsp \\d01  (theoretical gain = \\d03 ).",
    "\\par (3) Repeat (1) and (2) if required.",
    "[Qp mag peak]",
    "\\und \\blu Qp \\unf \\blk ",
    "\\par  Adjust Qp for a peak gain of \\d04  at \\d05 .",
    "[Qp mag no peak]",
    "\\und \\blu Qp \\unf \\blk ",
    "\\par  Adjust Qp for 3dB attenuation (theoretical gain = \\d06 ) at \\d07 .",
    "[wp phase]",
    "\\und \\blu \\d01 \\unf \\blk ",
    "\\par  Adjust for a \\d03 \\186  phase shift at \\d01 . ",
    "[Qp phase]",
    "\\und \\blu Qp \\unf \\blk ",
    "\\par  Adjust for a \\d04 \\186  phase shift at \\d08  or a \\d05 \\186  phase shift at \\d09 .",
    "{End}",

    "{ptSBP}",
    "[wp mag]",
    "\\und \\blu \\d01 \\unf \\blk ",
    "\\par  At \\d01 , adjust for maximum gain (theoretical gain = \\d02 ).",
    "[Qp mag peak]",
    "\\und \\blu Qp \\unf \\blk ",
    "\\par  Adjust Qp for 3dB attenuation (theoretical gain = \\d06 ) at \\d08  and at \\d09 .",
    "[Qp mag no peak]",
    "\\und \\blu Qp \\unf \\blk ",
    "\\par  Adjust Qp for 3dB attenuation (theoretical gain = \\d06 ) at \\d08  and at \\d09 .",
    "[wp phase]",
    "\\und \\blu \\d01 \\unf \\blk ",
    "\\par  Adjust for a \\d03 \\186  phase shift at \\d01 . ",
    "[Qp phase]",
    "\\und \\blu Qp \\unf \\blk ",
    "\\par  Adjust for a \\d04 \\186  phase shift at \\d08  or a \\d05 \\186  phase shift at \\d09 .",
    "{End}",

    "{ptSLPN}",
    "[wp mag]",
    "\\und \\blu \\d01 \\unf \\blk ",
    "\\par (1) Determine gain at >10* \\bsp \\d00  (theoretical gain = \\d02 ).",
    "\\par (2) Adjust for \\d08  times gain (1) at <0.1* \\bsp \\d01  (theoretical gain = \\d03 ).",
    "\\par (3) Repeat (1) and (2) if required.",
    "[Qp mag peak]",
    "\\und \\blu Qp \\unf \\blk ",
    "\\par  Adjust Qp for a peak gain of \\d04  at \\d05 .",
    "[Qp mag no peak]",
    "\\und \\blu Qp \\unf \\blk ",
    "\\par  Adjust Qp for 3dB attenuation (theoretical gain = \\d06 ) at \\d07 .",
    "[wz mag]",
    "\\und \\blu \\d00 \\unf \\blk ",
    "\\par  At \\d00 , adjust for minimum gain.",
    "[Qz mag]",
    "\\und \\blu Qz \\unf \\blk ",
    "\\par  Adjust Qz for the deepest notch at \\d00  (theoretical gain = 0).",
    "[wp phase]",
    "\\und \\blu \\d01 \\unf \\blk ",
    "\\par  Adjust for a \\d09 \\186  phase shift at \\d01 . ",
    "[wz phase]",
    "\\und \\blu \\d00 \\unf \\blk ",
    "\\par  Adjust for a 180\\186  step of the phase shift at \\d00 . ",
    "{End}",

    "{ptSHPN}",
    "[wp mag]",
    "\\und \\blu \\d01 \\unf \\blk ",
    "\\par (1) Determine gain at >10* \\bsp \\d01  (theoretical gain = \\d02 ).",
    "\\par (2) Adjust for \\d08  times gain (1) at <0.1* \\bsp \\d00  (theoretical gain = \\d03 ).",
    "\\par (3) Repeat (1) and (2) if required.",
    "[Qp mag peak]",
    "\\und \\blu Qp \\unf \\blk ",
    "\\par  Adjust Qp for a peak gain of \\d04  at \\d05 .",
    "[Qp mag no peak]",
    "\\und \\blu Qp \\unf \\blk ",
    "\\par  Adjust Qp for 3dB attenuation (theoretical gain = \\d06 ) at \\d07 .",
    "[wz mag]",
    "\\und \\blu \\d00 \\unf \\blk ",
    "\\par  At \\d00 , adjust for minimum gain.",
    "[Qz mag]",
    "\\und \\blu Qz \\unf \\blk ",
    "\\par  Adjust Qz for the deepest notch at \\d00  (theoretical gain = 0).",
    "[wp phase]",
    "\\und \\blu \\d01 \\unf \\blk ",
    "\\par  Adjust for a \\d09 \\186  phase shift at \\d01 . ",
    "[wz phase]",
    "\\und \\blu \\d00 \\unf \\blk ",
    "\\par  Adjust for a 180\\186  step of the phase shift at \\d00 . ",
    "{End}",
};

// "{ptSLPN}" -> the type code of "SLPN".
int BlockType(const std::string& opener) {
    const std::string code = opener.substr(3, opener.size() - 4);
    for (int type = 0; type < StageCode::Count; ++type)
        if (StageTypeCode(type) == code) return type;
    throw std::logic_error("tuning text for an unknown stage type: " + opener);
}

using SectionKey = std::pair<int, std::string>;

std::map<SectionKey, std::vector<std::string>> ReadStoredTexts() {
    std::map<SectionKey, std::vector<std::string>> sections;
    int type = -1;
    std::vector<std::string>* section = nullptr;
    for (const std::string line : kStoredTexts) {
        if (line.rfind("{pt", 0) == 0) {
            type = BlockType(line);
            section = nullptr;
        } else if (line == "{End}") {
            type = -1;
            section = nullptr;
        } else if (!line.empty() && line.front() == '[') {
            if (type < 0) throw std::logic_error("tuning section outside a block: " + line);
            section = &sections[{type, line}];
        } else {
            if (section == nullptr) throw std::logic_error("tuning text outside a section: " + line);
            section->push_back(line);
        }
    }
    return sections;
}

const std::map<SectionKey, std::vector<std::string>>& StoredTexts() {
    static const auto texts = ReadStoredTexts();
    return texts;
}

constexpr const char* kFirstOrderMagnitude[] = {"[wc mag]"};
constexpr const char* kFirstOrderPhase[] = {"[wc phase]"};
constexpr const char* kSecondOrderMagnitude[] = {"[wp mag]", "[Qp mag peak]", "[Qp mag no peak]"};
constexpr const char* kSecondOrderPhase[] = {"[wp phase]", "[Qp phase]"};
constexpr const char* kNotchMagnitude[] = {"[wp mag]", "[Qp mag peak]", "[Qp mag no peak]", "[wz mag]", "[Qz mag]"};
constexpr const char* kNotchPhase[] = {"[wp phase]", "[wz phase]"};

}  // namespace

std::span<const std::string> TuningSection(int stageType, const std::string& section) {
    const auto& texts = StoredTexts();
    const auto found = texts.find({stageType, section});
    if (found == texts.end()) return {};
    return found->second;
}

std::span<const char* const> MagnitudeSections(int stageType) {
    switch (stageType) {
        case StageCode::FLP:
        case StageCode::FHP: return kFirstOrderMagnitude;
        case StageCode::SLP:
        case StageCode::SHP:
        case StageCode::SBP: return kSecondOrderMagnitude;
        case StageCode::SLPN:
        case StageCode::SHPN: return kNotchMagnitude;
        default: return {};
    }
}

std::span<const char* const> PhaseSections(int stageType) {
    switch (stageType) {
        case StageCode::FLP:
        case StageCode::FHP: return kFirstOrderPhase;
        case StageCode::SLP:
        case StageCode::SHP:
        case StageCode::SBP: return kSecondOrderPhase;
        case StageCode::SLPN:
        case StageCode::SHPN: return kNotchPhase;
        default: return {};
    }
}

}  // namespace tavrel
