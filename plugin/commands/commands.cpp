#include "commands/commands.h"

#include <afxwin.h>

#include <memory>

#include "dialogs/image_source_dialog.h"
#include "dialogs/main_dialog.h"
#include "frame/message_box.h"
#include "settings/plugin_app.h"
#include "settings/plugin_settings.h"
#include "workflow/edit_workflow.h"

namespace {

// The latest main dialog, released when the next one replaces it.
std::unique_ptr<CMoXIDialog> theMainDialog;

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
  theMainDialog = std::make_unique<CMoXIDialog>();
  CurrentMainDialog = theMainDialog.get();
  CurrentMainDialog->DoModal();  // the create workflow runs inside; the result is not needed
}

void EditImageCommand() {
  AFX_MANAGE_STATE(AfxGetStaticModuleState());
  InitialiseOnce();
  runEditWorkflow(EditJobWithDialogs(theSettings.program));
}
