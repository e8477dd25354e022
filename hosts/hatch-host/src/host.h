#pragma once
// hatch-host: calls DoSchraff of the hatch-dialog library and carries out
// the action codes it returns, as a drawing program's add-on would.
#include <string>
#include <vector>

namespace hatchhost {

struct Options {
  std::string ui = "script";  // or "windows": a person answers at windows
  std::string recordAnswers;  // where a windowed run writes the answers given
  std::string answers;
  std::string transcript;
  std::string recordFile;
  std::vector<std::string> sets;  // "Field=Value"
  std::string library = "dfelmar2.dll";
  int maxCalls = 100;
  bool help = false;
};

// Exit codes.
enum { kExitApplied = 0, kExitCancelled = 1, kExitUsage = 2, kExitFailed = 3 };

// Reads the command line; false with `error` set when it is malformed.
// Without --ui the windows are chosen when there is a display and no
// answers file.
bool ParseOptions(const std::vector<std::string>& args, Options& options, std::string& error);
std::string Usage();

// Installs the scripted driver, loads the library, fills the record and
// calls DoSchraff until the user applies or cancels; prints the final
// record on standard output. Returns an exit code.
int Run(const Options& options);

}  // namespace hatchhost
