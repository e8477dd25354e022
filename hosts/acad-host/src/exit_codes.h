#pragma once
// What acad-host's exit status means (documented in docs/acad-host.md).
namespace acadhost {

enum ExitCode {
  kExitOk = 0,
  kExitUsage = 1,         // bad command line, unreadable answers/script/transcript file
  kExitModule = 2,        // a module could not be loaded or refused to initialise
  kExitDrawing = 3,       // the drawing could not be opened or saved
  kExitScript = 4,        // a script line failed (unknown command, failed call or command)
  kExitUnexpected = 5,    // an error nothing else caught
};

}  // namespace acadhost
