// Linked into every MFC regular DLL: the module's own state and its DllMain.
#include <afxwin.h>

#include "mfc/module.h"

namespace {

constinit AFX_MODULE_STATE moduleState;
constinit mfc::ModuleGlue glue;

// Built before any other static object of the module.
struct EnterDuringLoad {
  EnterDuringLoad() { mfc::EnterModuleDuringLoad(moduleState, glue); }
};
__attribute__((init_priority(101))) EnterDuringLoad enterDuringLoad;

}  // namespace

AFX_MODULE_STATE* AFXAPI AfxGetStaticModuleState() { return &moduleState; }

extern "C" __attribute__((visibility("default"))) BOOL WINAPI DllMain(HINSTANCE instance,
                                                                     DWORD reason, LPVOID) {
  if (reason == DLL_PROCESS_ATTACH) return mfc::AttachModule(moduleState, glue, instance);
  if (reason == DLL_PROCESS_DETACH) mfc::DetachModule(moduleState, glue);
  return TRUE;
}
