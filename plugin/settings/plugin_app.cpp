#include "settings/plugin_app.h"

#include <vector>

#include "frame/message_box.h"
#include "frame/message_catalogue.h"
#include "frame/text.h"
#include "settings/plugin_settings.h"

PluginApp theApp;

namespace {
constexpr DWORD kNameBufferStep = 254;
constexpr const char* kHookLibrary = "Rasterwerk.dll";
}  // namespace

PluginApp::PluginApp() : CWinApp("Rasterwerk") {}

// The full file name of this module, however long: the buffer grows while
// the name fills it.
std::string PluginApp::ModuleFileName() const {
  std::vector<char> buffer(kNameBufferStep);
  DWORD length = GetModuleFileNameA(m_hInstance, buffer.data(), static_cast<DWORD>(buffer.size()));
  while (length == buffer.size()) {
    buffer.resize(buffer.size() + kNameBufferStep);
    length = GetModuleFileNameA(m_hInstance, buffer.data(), static_cast<DWORD>(buffer.size()));
  }
  return std::string(buffer.data(), length);
}

bool PluginApp::LoadHookLibrary() {
  theSettings.hookLibrary = LoadLibraryA((theSettings.moduleDirectory + kHookLibrary).c_str());
  if (theSettings.hookLibrary != nullptr) return true;
  const std::string text = theCatalogue.GetCatalogueText(msg::kFailedToLoadDll) + " " + kHookLibrary;
  MessageBoxA(nullptr, text.c_str(), theMainDialogTitle.c_str(), MB_OK);
  return false;
}

BOOL PluginApp::InitInstance() {
  m_settingsLoaded = false;
  CWinApp::InitInstance();
  m_pszRegistryKey = nullptr;  // profile calls go to INI files
  const std::string fileName = ModuleFileName();
  const std::string folder = FolderOfPath(fileName);
  theSettings.moduleDirectory = folder.empty() ? fileName : folder;
  theCatalogue.Open(*this, theSettings.moduleDirectory + "Rasterwerk.msg");
  theMainDialogTitle = theCatalogue.GetCatalogueText(msg::kMainDlgTitle);
  return LoadHookLibrary() ? TRUE : FALSE;
}

HostModuleState::HostModuleState()
    : m_previous(theApp.m_pHostModuleState ? AfxSetModuleState(theApp.m_pHostModuleState) : nullptr) {}

HostModuleState::~HostModuleState() {
  if (m_previous) AfxSetModuleState(m_previous);
}
