#pragma once
#include <QString>

namespace tavrel::app {

// Which picture formats the export writes.
struct ExportFormats {
    bool svg = true;
    bool png = true;
};

// Reads the design file and writes into the folder every graph of its approximations (gain,
// phase, delay, step, impulse, poles and zeros) and the schematic of every stage with its
// values, as SVG and/or PNG; the names of the files written go to standard output. Returns the
// process exit status: 0, or 1 with the reason on standard error.
int ExportDesign(const QString& folder, const QString& designFile, const ExportFormats& formats);

}  // namespace tavrel::app
