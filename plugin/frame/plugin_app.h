#pragma once
// The module's application object: module load and the working values that
// the commands share.
#include <afxwin.h>

#include <string>

#include "gepnt2d.h"

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
  std::string m_plotterConfigName;
  AcGePoint2d m_plotWindowCorner1;  // lower left
  AcGePoint2d m_plotWindowCorner2;  // upper right
  std::string m_editedImageBasePath;
  std::string m_editedImageExtension;  // without the dot
  std::string m_messageText;  // the last composed message
  std::string m_psdPath;  // "%s.psd" of the plot file's base path
  bool m_settingsLoaded = false;

 private:
  std::string ModuleFileName() const;
  bool LoadHookLibrary();
};

extern PluginApp theApp;
