// The main dialog that owns the plug-in's message boxes, apart from the
// commands so that code reaching it needs no command of its own.
#include "dialogs/main_dialog.h"
#include "frame/commands.h"

CMoXIDialog* CurrentMainDialog = nullptr;

HWND MainDialogWindow() { return CurrentMainDialog ? CurrentMainDialog->GetSafeHwnd() : nullptr; }
