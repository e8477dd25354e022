// The host's own commands, the editor's objects and application registration.
#include <map>

#include "aced.h"
#include "arx/host.h"
#include "arx/journal.h"
#include "rx/app_table.h"
#include "rx/failures.h"
#include "rx/names.h"

namespace arx {
namespace {

std::map<std::string, HostCommand>& hostCommandTable() {
  static std::map<std::string, HostCommand> table;  // by upper-case name
  return table;
}

struct EditorObjects {
  CWinApp* app = nullptr;
  CMDIFrameWnd* frame = nullptr;
  std::string userDirectory;
};

EditorObjects& editorObjects() {
  static EditorObjects objects;
  return objects;
}

}  // namespace

bool registerHostCommand(const std::string& name, const std::string& usage, HostCommandHandler handler) {
  if (name.empty() || !handler) return false;
  return hostCommandTable().emplace(detail::upperCase(name), HostCommand{name, usage, std::move(handler)}).second;
}

const HostCommand* findHostCommand(const std::string& name) {
  auto it = hostCommandTable().find(detail::upperCase(name));
  return it == hostCommandTable().end() ? nullptr : &it->second;
}

std::vector<HostCommand> hostCommands() {
  std::vector<HostCommand> commands;
  for (const auto& [key, command] : hostCommandTable()) commands.push_back(command);
  return commands;
}

void setAcadWinApp(CWinApp* app) { editorObjects().app = app; }
void setAcadFrame(CMDIFrameWnd* frame) { editorObjects().frame = frame; }

void setUserDirectory(const std::string& windowsPath) {
  std::string folder = windowsPath;
  if (!folder.empty() && folder.back() != '\\') folder += '\\';
  editorObjects().userDirectory = folder;
}

std::string userDirectory() { return editorObjects().userDirectory; }

}  // namespace arx

CWinApp* acedGetAcadWinApp() { return arx::editorObjects().app; }
CMDIFrameWnd* acedGetAcadFrame() { return arx::editorObjects().frame; }

namespace {

Acad::ErrorStatus registerMdiAwareness(void* appId, bool aware, const char* call) {
  arx::detail::Application* app = arx::detail::findApplication(appId);
  arx::journal().add(std::string(call) + " " + (app ? app->fileName : std::string("?")));
  if (app == nullptr) return Acad::eInvalidInput;
  if (arx::detail::consumeFailure(call)) return Acad::eNotApplicable;
  app->mdiAware = aware;
  return Acad::eOk;
}

}  // namespace

Acad::ErrorStatus acrxRegisterAppMDIAware(void* appId) {
  return registerMdiAwareness(appId, true, "acrxRegisterAppMDIAware");
}

Acad::ErrorStatus acrxRegisterAppNotMDIAware(void* appId) {
  return registerMdiAwareness(appId, false, "acrxRegisterAppNotMDIAware");
}
