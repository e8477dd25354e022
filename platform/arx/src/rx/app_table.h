#pragma once
// The applications loaded into the editor and the one whose code is running.
#include <string>

#include <windows.h>

#include "arx/host.h"
#include "rxdefs.h"

namespace arx::detail {

struct Application {
  std::string path;      // as given to the loader
  std::string fileName;  // the name it is known by ("MoXi.arx")
  HMODULE module = nullptr;  // null for the editor's own modules
  AcRxEntryPointFunc entryPoint = nullptr;
  bool locked = true;
  bool mdiAware = false;
};

// The application by appId or by file name; nullptr when not loaded.
Application* findApplication(const void* appId);
Application* findApplicationNamed(const std::string& fileName);

// The application whose code runs now (entry point, command or LISP
// function); nullptr while the host itself runs.
Application* currentApplication();

// Makes `app` the running application for the lifetime of this object.
class RunningApplication {
 public:
  explicit RunningApplication(Application* app);
  ~RunningApplication();
  RunningApplication(const RunningApplication&) = delete;
  RunningApplication& operator=(const RunningApplication&) = delete;

 private:
  Application* m_previous;
};

// Sends `message` to the application's entry point (journalled); an exception
// of the application counts as kRetError.
AcRx::AppRetCode sendMessage(Application& app, AcRx::AppMsgCode message);

LoadResult loadModuleByName(const std::string& path);
// Unloads `app` (unload message, leftovers removed, module freed).
void unloadApplication(Application& app);

}  // namespace arx::detail
