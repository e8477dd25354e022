#pragma once
// What the plug-in's dialogs share: texts from the message catalogue, the
// large icon and error boxes owned by the dialog.
#include <afxwin.h>

#include <initializer_list>

#include "frame/message_table.h"

// Icon group shown as every dialog's large icon.
inline constexpr UINT kDialogIconId = 5;

struct ControlText {
  int id;
  MessageText text;
};

// The dialog's title, then the controls' texts in the order given.
void SetCatalogueTexts(CWnd& dialog, const MessageText& title, std::initializer_list<ControlText> controls);

// Sets icon group 5 as the dialog's large icon.
void SetDialogIcon(CWnd& dialog);

// An error owned by `owner`: the catalogue text under the plug-in's caption,
// with an OK button.
void ShowOwnedMessage(CWnd& owner, const MessageText& text);

// Opens the help file at `topic` ("Main", "Properties", "Gimp", "Edit").
void ShowDialogHelp(const char* topic);

// Size of the older common file dialog's structure, which the plug-in's
// browse buttons ask for.
inline constexpr DWORD kOldFileDialogSize = 76;

// The frame of the small dialogs' templates: a popup with caption, system
// menu and modal frame in "MS Shell Dlg" 8 pt.
inline constexpr DWORD kSmallDialogStyle = DS_SHELLFONT | DS_MODALFRAME | WS_POPUP | WS_CAPTION | WS_SYSMENU;
