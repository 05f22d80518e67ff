#pragma once
#include <string>

#include "circuits/records/design.h"

namespace tavrel::cli {

// A design file read for the commands that analyse a saved design: its responses and component
// values as the program shows them after opening it; a design saved with its circuits chosen
// but not yet calculated gets its components now. A file that cannot be read is a
// std::runtime_error with the reason, a design without circuits bad usage.
void OpenSavedDesign(const std::string& file, Design& design);

}  // namespace tavrel::cli
