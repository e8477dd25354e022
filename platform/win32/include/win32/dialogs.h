#pragma once
// Dialog extras no real platform has: the modal run with a message filter
// (what a class library's PreTranslateMessage needs) and the model behind a
// dialog window.
#include <functional>
#include <ui/dialog.h>
#include <windows.h>

namespace win32 {

// Runs a dialog made by CreateDialogIndirectParamA until EndDialog; each
// input goes through `filter` first as the message it would be (a mouse
// press or a key on the control under it); TRUE swallows it. The dialog is
// destroyed at the end; returns the EndDialog result, -1 for a handle that
// is not a dialog that is waiting to run.
INT_PTR RunModalDialog(HWND dialog, std::function<BOOL(MSG&)> filter = {});

// The model of a dialog window, or of the dialog holding a control window;
// nullptr for any other handle.
ui::Dialog* DialogModel(HWND window);

// Screen position of every dialog's client area (dialogs are not moved).
inline constexpr int kDialogClientLeft = 100;
inline constexpr int kDialogClientTop = 100;

}  // namespace win32
