#pragma once
// The life of an MFC regular DLL, driven by the module glue (mfc_module) from
// the module's own DllMain and static initialisation.
#include <afxwin.h>

namespace mfc {

struct ModuleGlue {
  AFX_MODULE_STATE* stateBeforeLoad = nullptr;
  bool loading = false;   // the module's state is current while it loads
  bool attached = false;  // InitInstance succeeded; ExitInstance still due
};

// Makes the module's state current while its static objects are built, so
// that its CWinApp registers with it.
void EnterModuleDuringLoad(AFX_MODULE_STATE& state, ModuleGlue& glue);
// Restores the loader's state, records the instance handle and runs the
// application's InitInstance in the module's state; FALSE (after running
// ExitInstance) when it fails or throws.
BOOL AttachModule(AFX_MODULE_STATE& state, ModuleGlue& glue, HINSTANCE instance);
// Runs ExitInstance once for an attached module.
void DetachModule(AFX_MODULE_STATE& state, ModuleGlue& glue);

}  // namespace mfc
