// Attaching and detaching an MFC regular DLL.
#include <exception>
#include <string>

#include "mfc/module.h"
#include "ui/driver.h"

namespace mfc {
namespace {

std::string ModuleName(HINSTANCE instance) {
  char name[MAX_PATH * 4] = "";
  GetModuleFileNameA(instance, name, sizeof name);
  return name;
}

// Runs one of the application's handlers; an exception is reported and
// counts as failure, so it never reaches the loader.
template <typename Handler>
bool RunGuarded(HINSTANCE instance, const char* what, Handler handler) {
  try {
    return handler();
  } catch (const std::exception& e) {
    ui::driver().record("error: " + std::string(what) + " of " + ModuleName(instance) +
                        " failed: " + e.what());
  } catch (...) {
    ui::driver().record("error: " + std::string(what) + " of " + ModuleName(instance) +
                        " failed with an unknown exception");
  }
  return false;
}

void RunExitInstance(AFX_MODULE_STATE& state, CWinApp& app) {
  RunGuarded(state.m_hCurrentInstanceHandle, "ExitInstance", [&] {
    app.ExitInstance();
    return true;
  });
}

}  // namespace

void EnterModuleDuringLoad(AFX_MODULE_STATE& state, ModuleGlue& glue) {
  glue.stateBeforeLoad = AfxSetModuleState(&state);
  glue.loading = true;
}

BOOL AttachModule(AFX_MODULE_STATE& state, ModuleGlue& glue, HINSTANCE instance) {
  if (glue.loading) AfxSetModuleState(glue.stateBeforeLoad);
  glue.loading = false;
  state.m_hCurrentInstanceHandle = instance;
  state.m_hCurrentResourceHandle = instance;
  state.m_bDLL = TRUE;
  CWinApp* app = state.m_pCurrentWinApp;
  if (app == nullptr) return TRUE;
  app->m_hInstance = instance;
  AFX_MANAGE_STATE(&state);
  if (RunGuarded(instance, "InitInstance", [&] { return app->InitInstance() != FALSE; })) {
    glue.attached = true;
    return TRUE;
  }
  RunExitInstance(state, *app);
  return FALSE;
}

void DetachModule(AFX_MODULE_STATE& state, ModuleGlue& glue) {
  if (!glue.attached || state.m_pCurrentWinApp == nullptr) return;
  glue.attached = false;
  AFX_MANAGE_STATE(&state);
  RunExitInstance(state, *state.m_pCurrentWinApp);
}

}  // namespace mfc
