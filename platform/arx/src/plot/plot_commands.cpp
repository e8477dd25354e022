// The host's script commands for plotting: PLOT FILE and PREVIEW.
#include <string>

#include "adslib.h"
#include "arx/host.h"
#include "arx/plot.h"
#include "dbmain.h"

namespace arx {
namespace {

// The rest of the line, without surrounding blanks and one pair of quotes.
std::string pathArgument(const std::string& arguments) {
  const size_t first = arguments.find_first_not_of(" \t");
  if (first == std::string::npos) return "";
  std::string path = arguments.substr(first, arguments.find_last_not_of(" \t") - first + 1);
  if (path.size() >= 2 && path.front() == '"' && path.back() == '"') path = path.substr(1, path.size() - 2);
  return path;
}

bool report(const FileResult& result, const char* command) {
  if (!result.ok) acutPrintf("\n%s: %s\n", command, result.error.c_str());
  return result.ok;
}

bool plotCommand(const std::string& arguments) {
  const std::string path = pathArgument(arguments);
  if (path.empty()) return report({false, "the plot file's name is missing"}, "PLOT");
  AcDbDatabase* db = acdbHostApplicationServices()->workingDatabase();
  return report(db ? plotLayout(*db, path) : FileResult{false, "no drawing is open"}, "PLOT");
}

bool previewCommand(const std::string&) {
  AcDbDatabase* db = acdbHostApplicationServices()->workingDatabase();
  return report(db ? previewLayout(*db) : FileResult{false, "no drawing is open"}, "PREVIEW");
}

const bool registered =
    registerHostCommand("PLOT", "PLOT FILE (plots the active layout by its page setup)", plotCommand) &&
    registerHostCommand("PREVIEW", "PREVIEW (full plot preview of the active layout)", previewCommand);

}  // namespace
}  // namespace arx
