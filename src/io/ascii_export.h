#pragma once
#include <filesystem>
#include <optional>
#include <string>
#include <vector>

#include "circuits/records/design.h"
#include "io/atomic_file.h"

namespace tavrel {

// The four sections of the ASCII data file, as the "Save Ascii data" dialog chooses them.
struct AsciiExportOptions {
    bool inputParameters = true;  // " Include input parameters" (never for a user-defined filter)
    bool poleZeroData = true;     // " Include pole-zero data"
    bool frequencyData = true;    // " Include frequency data (350 points)"
    bool transferFunctions = false;  // " Include biquadratic transfer function(s)"
    bool hz = false;  // the unit last chosen in the Stage Transfer Functions window
};

// Whether the dialog offers the transfer functions: once the stages are cascaded (a
// user-defined filter once its approximation slot was shown).
bool OffersTransferFunctions(const DesignState& state);

// The lines of the file: the date line as given, the title, then the chosen sections. The
// responses are those of the chosen approximation on the design's frequency grid.
std::vector<std::string> AsciiExportLines(const Design& design, const AsciiExportOptions& options,
                                          const std::string& dateTime);

std::optional<FileWriteError> WriteAsciiExport(const std::filesystem::path& file, const Design& design,
                                               const AsciiExportOptions& options, const std::string& dateTime);

}  // namespace tavrel
