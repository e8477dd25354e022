#include "host_commands.h"

#include "adslib.h"
#include "arx/drawing.h"
#include "arx/host.h"
#include "arx/pagesetup.h"
#include "rxregsvc.h"
#include "win32/posix.h"

namespace acadhost {
namespace {

bool loadApplicationCommand(const std::string& arguments) {
  if (arguments.empty()) {
    acutPrintf("\nAPPLOAD needs the module's file name.\n");
    return false;
  }
  return acrxDynamicLinker->loadModule(win32::ToWindowsPath(arguments).c_str(), true);
}

// The file of the working drawing: the one opened or last saved.
std::string& drawingFile() {
  static std::string path;
  return path;
}

bool reportFileResult(const arx::FileResult& result, const std::string& path) {
  if (!result.ok) acutPrintf("\n%s\n", result.error.c_str());
  if (!result.warning.empty()) acutPrintf("\n%s\n", result.warning.c_str());
  if (result.ok) drawingFile() = path;
  return result.ok;
}

bool openCommand(const std::string& arguments) {
  if (arguments.empty()) return acutPrintf("\nOPEN needs the drawing's file name.\n"), false;
  return reportFileResult(arx::openDrawing(arguments), arguments);
}

bool saveAsCommand(const std::string& arguments) {
  if (arguments.empty()) return acutPrintf("\nSAVEAS needs a file name.\n"), false;
  return reportFileResult(arx::saveDrawing(arguments), arguments);
}

bool saveCommand(const std::string&) {
  if (drawingFile().empty()) return acutPrintf("\nThe drawing has no file yet: use SAVEAS FILE.\n"), false;
  return saveAsCommand(drawingFile());
}

bool pageSetupCommand(const std::string& arguments) {
  std::string error;
  if (arx::runPageSetupCommand(arguments, error)) return true;
  acutPrintf("\nPAGESETUP: %s\n", error.c_str());
  return false;
}

bool helpCommand(const std::string&) {
  acutPrintf("\nHost commands: APPLOAD FILE, OPEN FILE, SAVE, SAVEAS FILE, PAGESETUP [device=\"NAME\"] "
             "[media=\"NAME\"] [type=window] [window=X1,Y1,X2,Y2], HELP");
  for (const auto& command : arx::hostCommands()) acutPrintf(", %s", command.usage.c_str());
  acutPrintf("\nApplication commands run by name; LISP functions as (NAME ARGUMENTS...).\n");
  return true;
}

// Commands of this program. Commands of the drawing editor itself (opening,
// saving, page setup) belong to the editor library: see arx::registerHostCommand.
struct LocalCommand {
  const char* name;
  bool (*run)(const std::string& arguments);
};
constexpr LocalCommand kLocalCommands[] = {
    {"APPLOAD", loadApplicationCommand},
    {"OPEN", openCommand},
    {"SAVE", saveCommand},
    {"SAVEAS", saveAsCommand},
    {"PAGESETUP", pageSetupCommand},
    {"HELP", helpCommand},
};

std::string upper(std::string text) {
  for (char& c : text) c = static_cast<char>(c >= 'a' && c <= 'z' ? c - 32 : c);
  return text;
}

}  // namespace

HostCommandResult runHostCommand(const std::string& name, const std::string& arguments) {
  for (const auto& local : kLocalCommands) {
    if (upper(name) == local.name) {
      return local.run(arguments) ? HostCommandResult::Done : HostCommandResult::Failed;
    }
  }
  const arx::HostCommand* registered = arx::findHostCommand(name);
  if (registered == nullptr) return HostCommandResult::NotAHostCommand;
  return registered->handler(arguments) ? HostCommandResult::Done : HostCommandResult::Failed;
}

bool openDrawingFile(const std::string& posixPath, std::string& error) {
  const arx::FileResult result = arx::openDrawing(posixPath);
  error = result.error;
  return reportFileResult(result, posixPath);
}

bool saveDrawingFile(const std::string& posixPath, std::string& error) {
  const arx::FileResult result = arx::saveDrawing(posixPath);
  error = result.error;
  return reportFileResult(result, posixPath);
}

}  // namespace acadhost
