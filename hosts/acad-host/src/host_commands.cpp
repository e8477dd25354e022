#include "host_commands.h"

#include "adslib.h"
#include "arx/host.h"
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

bool helpCommand(const std::string&) {
  acutPrintf("\nHost commands: APPLOAD FILE, HELP");
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
    {"HELP", helpCommand},
};

std::string upper(std::string text) {
  for (char& c : text) c = static_cast<char>(c >= 'a' && c <= 'z' ? c - 32 : c);
  return text;
}

bool runRegistered(const char* name, const std::string& posixPath) {
  const arx::HostCommand* command = arx::findHostCommand(name);
  if (command == nullptr) {
    acutPrintf("\nDrawing support not built: no %s command.\n", name);
    return false;
  }
  return command->handler(posixPath);
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

bool openDrawingFile(const std::string& posixPath) { return runRegistered("OPEN", posixPath); }
bool saveDrawingFile(const std::string& posixPath) { return runRegistered("SAVEAS", posixPath); }

}  // namespace acadhost
