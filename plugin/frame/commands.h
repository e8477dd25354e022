#pragma once
// The plug-in's two commands and the initialisation that the first of them runs.
#include <windows.h>

class CMoXIDialog;

// The main dialog of the latest "TAVO_IMGCREATE" (null before the first one);
// owner of the plug-in's message boxes while it is open.
extern CMoXIDialog* CurrentMainDialog;

// The open main dialog's window; nullptr when no main dialog is open.
HWND MainDialogWindow();

// "TAVO_IMGCREATE" and "TAVO_IMGEDIT".
void CreateImageCommand();
void EditImageCommand();

// Application key, help file, the user's INI folder and file, then the
// settings. Always true: a failed companion call leaves its path empty and
// the settings take their defaults.
bool InitialiseOnFirstUse();
