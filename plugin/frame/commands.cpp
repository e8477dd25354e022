#include "frame/commands.h"

#include <afxwin.h>

#include "frame/plugin_app.h"

CMoXIDialog* CurrentMainDialog = nullptr;

HWND MainDialogWindow() {
  return nullptr;  // no main dialog yet
}

namespace {

// Once per module load, whichever command comes first.
void InitialiseOnce() {
  if (theApp.m_settingsLoaded) return;
  InitialiseOnFirstUse();
  theApp.m_settingsLoaded = true;
}

}  // namespace

void CreateImageCommand() {
  theApp.m_pHostModuleState = AfxGetModuleState();
  AFX_MANAGE_STATE(AfxGetStaticModuleState());
  InitialiseOnce();
  // The main dialog (template 12000, no owner) is created here, made
  // CurrentMainDialog and run modally; the create workflow runs inside it.
  // Until the dialogs exist the command ends after the initialisation.
}

void EditImageCommand() {
  AFX_MANAGE_STATE(AfxGetStaticModuleState());
  InitialiseOnce();
  // The edit workflow runs here once it exists; until then the command ends
  // after the initialisation.
}
