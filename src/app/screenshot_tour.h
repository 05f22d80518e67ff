#pragma once
#include <QString>

#include "core/calculate.h"

namespace tavrel::app {

// Runs the program through a standard design of each kind and saves a picture of every
// window and every graph page into the folder. Returns the process exit status.
int RunScreenshotTour(const CalcEnvironment& environment, const QString& folder);

}  // namespace tavrel::app
