#pragma once
// The module's application object: module load and the working values that
// the commands share.
#include <afxwin.h>

#include <string>

class PluginApp : public CWinApp {
 public:
  PluginApp();

  // Module load: module folder, message catalogue, main dialog title and the
  // hook library "Rasterwerk.dll"; FALSE (the module is refused) when the
  // hook library cannot be loaded.
  BOOL InitInstance() override;

  // The host's module state, current when "TAVO_IMGCREATE" was entered;
  // made current again around calls into host dialogs and commands.
  AFX_MODULE_STATE* m_pHostModuleState = nullptr;
  bool m_settingsLoaded = false;

 private:
  std::string ModuleFileName() const;
  bool LoadHookLibrary();
};

extern PluginApp theApp;

// Makes the host's module state that "TAVO_IMGCREATE" saved current for the
// life of the object (nothing changes while none is saved).
class HostModuleState {
 public:
  HostModuleState();
  ~HostModuleState();
  HostModuleState(const HostModuleState&) = delete;
  HostModuleState& operator=(const HostModuleState&) = delete;

 private:
  AFX_MODULE_STATE* m_previous;
};
