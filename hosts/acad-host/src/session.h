#pragma once
// One run of the host: set up the user interface and the drive map, load
// the modules, open the drawing, run the script, save, unload.
#include "options.h"

namespace acadhost {

// The exit code of the run (exit_codes.h).
int runSession(const Options& options);

}  // namespace acadhost
