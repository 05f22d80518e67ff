#include "io/ascii_export.h"

#include <algorithm>
#include <cctype>
#include <memory>

#include "core/math_helpers.h"
#include "core/number_format.h"
#include "core/responses.h"
#include "stages/pairing_text.h"
#include "stages/transfer_function.h"

namespace tavrel {

namespace {

constexpr std::size_t At(int i) { return static_cast<std::size_t>(i); }

// Scientific notation with 7 decimals: a blank or a minus sign, the mantissa, "E" and the exponent.
std::string Sci7(long double x) { return Sci(x, 9, 7); }

std::string Upper(std::string text) {
    for (char& c : text)
        if (c >= 'a' && c <= 'z') c = static_cast<char>(c - 'a' + 'A');
    return text;
}

std::string PaddedRight(std::string text, std::size_t width) {
    if (text.size() < width) text.append(width - text.size(), ' ');
    return text;
}

void InputParameters(const DesignState& s, bool hz, std::vector<std::string>& lines) {
    const bool edges = s.FilterKind == FilterKind::Lowpass || s.FilterKind == FilterKind::Highpass;
    lines.push_back("Maximum passband attenuation: " + Fixed(s.Apb, 5, 3) + " dB");
    lines.push_back(edges ? "Passband edge frequency: " + FormatFrequency(s.Wpb, hz)
                          : "Passband bandwidth: " + FormatFrequency(s.Bpb, hz));
    if (!s.ForceOrder) {
        lines.push_back("Minimum stopband attenuation: " + Fixed(s.Asb, 5, 3) + " dB");
        lines.push_back(edges ? "Stopband edge frequency: " + FormatFrequency(s.Wsb, hz)
                              : "Stopband bandwidth: " + FormatFrequency(s.Bsb, hz));
    }
    if (!edges) lines.push_back("Center frequency: " + FormatFrequency(s.W0, hz));
    lines.push_back("");
    lines.push_back("");
}

void TransferFunctions(const Design& design, bool hz, std::vector<std::string>& lines) {
    const int n = design.State.StageCount;
    lines.push_back("BIQUADRATIC TRANSFER FUNCTION(S)");
    lines.push_back("");
    lines.push_back("      T(s) = To * (As^2 + Bs + C)/(Ds^2 + Es + F)");
    lines.push_back("");
    std::string header = "Stage ->    1";
    for (int s = 2; s <= n; ++s) header += std::string(14, ' ') + std::to_string(s);
    lines.push_back(header);
    static constexpr const char* kRows[10] = {"To", "A", "B", "C", "D", "E", "F", "wp", "Qp", "wz"};
    const long double scale = hz ? 1 / (2 * kPi) : 1;
    for (int row = 0; row < 10; ++row) {
        std::string line = PaddedRight(kRows[row], 6);
        for (int s = 1; s <= n; ++s) {
            const StageRecord& stage = design.Stage(s);
            const Biquad biquad = BiquadOf(stage, hz);
            std::string cell;
            if (row == 0) {
                cell = Sci7(design.Circuit(s).ActualGain);
            } else if (row <= 6) {
                const Coefficient& c = biquad.abcdef[At(row - 1)];
                cell = c.literal ? (c.value == 0 ? " 0" : " 1.0") : Sci7(c.value);
            } else if (row == 7) {
                cell = IsFirstOrderStage(stage.StageType) ? " ----" : Sci7(stage.Wp * scale);
            } else if (row == 8) {
                cell = IsFirstOrderStage(stage.StageType) ? " ----" : Sci7(stage.Qp);
            } else {
                cell = IsNotchStage(stage.StageType) ? Sci7(stage.Wz * scale) : " ----";
            }
            line += PaddedRight(cell, 15);
        }
        lines.push_back(line);
    }
    lines.push_back("");
}

void PoleZeroData(const Design& design, bool hz, std::vector<std::string>& lines) {
    const StageTables& t = design.Stages;
    const long double scale = hz ? 1 / (2 * kPi) : 1;
    const std::string unit = hz ? " Hz" : " rad/s";
    lines.push_back("POLES:");
    for (int e = 1; e <= t.PoleEntryCount; ++e) {
        const PairPoleEntry& p = t.PairPoleList[At(e)];
        if (p.IsPair)
            lines.push_back(" PAIR   -" + Sci7(p.Sigma * scale) + "   \xC2\xB1 j   " + Sci7(p.Omega * scale) +
                            (hz ? "   fp: " : "   wp: ") + Sci7(p.Wp * scale) + unit + "   Q: " + Fixed(p.Q, 8, 7));
        else
            lines.push_back(" SNGL   -" + Sci7(p.Sigma * scale) + "   + j   " + Sci7(p.Omega * scale));
    }
    if (t.ZeroEntryCount > 0) {
        lines.push_back("");
        lines.push_back("ZEROS:");
        for (int e = 1; e <= t.ZeroEntryCount; ++e) {
            const PairZeroEntry& z = t.PairZeroList[At(e)];
            lines.push_back(std::string(z.IsPair ? " PAIR" : " SNGL") + (hz ? "   fz: " : "   wz: ") +
                            Sci7(z.Wz * scale));
        }
    }
    lines.push_back("");
}

void FrequencyData(const DesignState& s, std::vector<std::string>& lines) {
    lines.push_back("        FREQUENCY                MAGNITUDE            PHASE        DELAY");
    lines.push_back("    Hz          rad/s         V/V          dB        degrees        sec");
    for (const GridPoint& point : s.FreqGrid) {
        const FrequencyPoint r = IdealResponseAt(s, s.ChosenApprox, point.W);
        lines.push_back(Sci7(point.F) + "   " + Sci7(point.W) + "   " + Sci7(r.gainVv) + "   " + Sci7(r.gainDb) +
                        "   " + Sci7(-r.phaseDeg) + "   " + Sci7(r.delaySec));
    }
}

}  // namespace

bool OffersTransferFunctions(const DesignState& state) {
    return state.DesignStep >=
           (state.FilterKind == FilterKind::UserDefined ? Step::ApproximationChosen : Step::CascadingDone);
}

std::vector<std::string> AsciiExportLines(const Design& design, const AsciiExportOptions& options,
                                          const std::string& dateTime) {
    // The title names the chosen approximation (the state is large: a copy on the heap).
    const auto chosen = std::make_unique<DesignState>(design.State);
    chosen->ApproxIndex = design.State.ChosenApprox;
    std::vector<std::string> lines{dateTime, "", Upper(DesignTitle(*chosen)), ""};
    const bool userDefined = design.State.FilterKind == FilterKind::UserDefined;
    if (options.inputParameters && !userDefined) InputParameters(design.State, options.hz, lines);
    if (options.transferFunctions && OffersTransferFunctions(design.State))
        TransferFunctions(design, options.hz, lines);
    if (options.poleZeroData) PoleZeroData(design, options.hz, lines);
    if (options.frequencyData) FrequencyData(design.State, lines);
    return lines;
}

std::optional<FileWriteError> WriteAsciiExport(const std::filesystem::path& file, const Design& design,
                                               const AsciiExportOptions& options, const std::string& dateTime) {
    return WriteLinesAtomically(file, AsciiExportLines(design, options, dateTime));
}

}  // namespace tavrel
