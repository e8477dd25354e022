#pragma once
// Stand-in extras for the host program: loading applications, running
// commands, the host's own script commands and the editor's objects.
#include <functional>
#include <string>
#include <vector>

#include "rxdefs.h"

class CWinApp;
class CMDIFrameWnd;

namespace arx {

struct LoadResult {
  bool ok = false;
  std::string error;  // why the module could not be loaded or initialised
};

// Loads the module at `windowsPath` with LoadLibraryA, finds its
// acrxEntryPoint and sends kInitAppMsg. A module whose initialisation returns
// kRetError (or throws) is freed again, with everything it registered.
LoadResult loadApplication(const std::string& windowsPath);
// Sends kUnloadAppMsg to every loaded application, newest first, and frees them.
void unloadAllApplications();
// File names of the loaded modules, in load order.
std::vector<std::string> loadedApplications();

// Runs the registered command `name` (global or local name, any letter case).
// False when no such command exists. Exceptions of the command pass through.
bool runCommand(const std::string& name);

// Whether a LISP function of that name (any letter case) is defined.
bool isLispFunctionDefined(const std::string& name);

// Commands of the host program itself (open a drawing, save, page setup, ...),
// which take the rest of the script line as their argument. The handler
// returns false after explaining the failure on the command line. Parts of the
// stand-in register theirs when the library starts, e.g.
//   static const bool registered = arx::registerHostCommand("PAGESETUP", usage, handler);
using HostCommandHandler = std::function<bool(const std::string& arguments)>;
struct HostCommand {
  std::string name;
  std::string usage;  // one line for the host's help
  HostCommandHandler handler;
};
bool registerHostCommand(const std::string& name, const std::string& usage,
                         HostCommandHandler handler);
const HostCommand* findHostCommand(const std::string& name);
std::vector<HostCommand> hostCommands();

// The objects acedGetAcadWinApp / acedGetAcadFrame return.
void setAcadWinApp(CWinApp* app);
void setAcadFrame(CMDIFrameWnd* frame);

// The user's own folder (Windows path ending with a backslash) where
// applications keep per-user settings; "" until the host sets it.
void setUserDirectory(const std::string& windowsPath);
std::string userDirectory();

}  // namespace arx
