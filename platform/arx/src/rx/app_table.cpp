// Loading, messaging and unloading application modules.
#include "rx/app_table.h"

#include <exception>
#include <memory>
#include <vector>

#include "accmd.h"
#include "adslib.h"
#include "ads/lisp_table.h"
#include "arx/journal.h"
#include "rx/failures.h"
#include "rx/names.h"
#include "win32/modules.h"

namespace arx::detail {
namespace {

// Modules of the editor itself: they load without a file.
constexpr const char* kBuiltinModules[] = {"acISMobj16.dbx"};

std::vector<std::unique_ptr<Application>>& applications() {
  static std::vector<std::unique_ptr<Application>> apps;
  return apps;
}

Application*& runningApplication() {
  static Application* running = nullptr;
  return running;
}

bool isBuiltin(const std::string& fileName) {
  for (const char* name : kBuiltinModules) {
    if (sameName(name, fileName)) return true;
  }
  return false;
}

const char* messageName(AcRx::AppMsgCode message) {
  switch (message) {
    case AcRx::kInitAppMsg: return "kInitAppMsg";
    case AcRx::kUnloadAppMsg: return "kUnloadAppMsg";
    case AcRx::kInvkSubrMsg: return "kInvkSubrMsg";
    case AcRx::kLoadDwgMsg: return "kLoadDwgMsg";
    case AcRx::kUnloadDwgMsg: return "kUnloadDwgMsg";
    case AcRx::kQuitMsg: return "kQuitMsg";
    default: return "message";
  }
}

Application& addRecord(const std::string& path, HMODULE module, AcRxEntryPointFunc entry) {
  auto app = std::make_unique<Application>();
  app->path = path;
  app->fileName = fileNameOf(path);
  app->module = module;
  app->entryPoint = entry;
  applications().push_back(std::move(app));
  return *applications().back();
}

void removeRecord(Application& app) {
  auto& apps = applications();
  for (auto it = apps.begin(); it != apps.end(); ++it) {
    if (it->get() == &app) {
      apps.erase(it);
      return;
    }
  }
}

// Commands and LISP functions the application left behind would point into
// freed code: they go with it.
void forgetRegistrations(Application& app) {
  if (auto* commands = AcEdCommandStack::cast(acrxSysRegistry()->at(ACRX_COMMAND_DOCK))) {
    commands->removeCommandsOf(&app);
  }
  forgetLispFunctionsOf(&app);
}

void release(Application& app) {
  forgetRegistrations(app);
  if (app.module != nullptr) FreeLibrary(app.module);
  removeRecord(app);
}

LoadResult initialise(Application& app) {
  if (sendMessage(app, AcRx::kInitAppMsg) == AcRx::kRetOK) return {true, ""};
  std::string error = app.fileName + ": the application failed to initialise (kInitAppMsg returned kRetError)";
  release(app);
  return {false, error};
}

// Why a module of another API release cannot run here ("" when it can).
std::string releaseRefusal(HMODULE module, const std::string& path) {
  auto version = reinterpret_cast<AcRxApiVersionFunc>(
      reinterpret_cast<void*>(GetProcAddress(module, "acrxGetApiVersion")));
  if (version == nullptr || version() == ACRX_API_VERSION) return "";
  return path + " is built for API release " + std::to_string(version()) + ", this editor runs release " +
         std::to_string(ACRX_API_VERSION);
}

}  // namespace

Application* findApplication(const void* appId) {
  for (auto& app : applications()) {
    if (app.get() == appId) return app.get();
  }
  return nullptr;
}

Application* findApplicationNamed(const std::string& fileName) {
  for (auto& app : applications()) {
    if (sameName(app->fileName, fileNameOf(fileName))) return app.get();
  }
  return nullptr;
}

Application* currentApplication() { return runningApplication(); }

RunningApplication::RunningApplication(Application* app) : m_previous(runningApplication()) {
  runningApplication() = app;
}

RunningApplication::~RunningApplication() { runningApplication() = m_previous; }

AcRx::AppRetCode sendMessage(Application& app, AcRx::AppMsgCode message) {
  if (app.entryPoint == nullptr) return AcRx::kRetOK;  // the editor's own modules
  journal().add(std::string("acrxEntryPoint ") + app.fileName + " " + messageName(message));
  RunningApplication running(&app);
  try {
    return app.entryPoint(message, &app);
  } catch (const std::exception& error) {
    acutPrintf("\n%s: %s\n", app.fileName.c_str(), error.what());
  } catch (...) {
    acutPrintf("\n%s: unexpected error\n", app.fileName.c_str());
  }
  return AcRx::kRetError;
}

LoadResult loadModuleByName(const std::string& path) {
  const std::string fileName = fileNameOf(path);
  journal().add("loadModule " + fileName);
  if (consumeFailure("loadModule")) return {false, "Unable to load " + fileName + ": load refused"};
  if (findApplicationNamed(fileName) != nullptr) return {true, ""};
  if (isBuiltin(fileName)) {
    addRecord(fileName, nullptr, nullptr);
    return {true, ""};
  }
  HMODULE module = LoadLibraryA(path.c_str());
  if (module == nullptr) {
    return {false, "Unable to load " + path + ": " + win32::LastLoadErrorText()};
  }
  if (const std::string refusal = releaseRefusal(module, path); !refusal.empty()) {
    FreeLibrary(module);
    return {false, refusal};
  }
  auto entry = reinterpret_cast<AcRxEntryPointFunc>(
      reinterpret_cast<void*>(GetProcAddress(module, "acrxEntryPoint")));
  if (entry == nullptr) {
    FreeLibrary(module);
    return {false, path + " is not an application module: it exports no acrxEntryPoint"};
  }
  return initialise(addRecord(path, module, entry));
}

void unloadApplication(Application& app) {
  sendMessage(app, AcRx::kUnloadAppMsg);
  release(app);
}

}  // namespace arx::detail

namespace arx {

LoadResult loadApplication(const std::string& windowsPath) {
  return detail::loadModuleByName(windowsPath);
}

void unloadAllApplications() {
  auto& apps = detail::applications();
  while (!apps.empty()) detail::unloadApplication(*apps.back());
}

std::vector<std::string> loadedApplications() {
  std::vector<std::string> names;
  for (const auto& app : detail::applications()) names.push_back(app->fileName);
  return names;
}

}  // namespace arx
