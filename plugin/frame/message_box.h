#pragma once
// The plug-in's messages: a text of the message catalogue in a message box
// under the plug-in's caption, owned by the main dialog while it is open, or
// as a line on the command line.
#include <afxwin.h>

#include <string>

#include "frame/message_table.h"

// The main dialog title, read from the catalogue at module load: the caption
// of every message box.
extern std::string theMainDialogTitle;

// The main dialog of the latest "TAVO_IMGCREATE" (null before the first one):
// the owner of every message box while it is open. Nothing reads the
// dialog's entries through it.
extern CDialog* CurrentMainDialog;

// The open main dialog's window; nullptr when no main dialog is open.
HWND MainDialogWindow();

// Shows `text`, followed by a line break and `detail` when that is not empty,
// with the buttons and icon of `type`; returns the button pressed.
int ShowCatalogueMessage(const MessageText& text, UINT type = MB_OK, const std::string& detail = "");

// Prints `text`, a blank and `detail` as one line on the command line.
void PrintCatalogueLine(const MessageText& text, const std::string& detail);
