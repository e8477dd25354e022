#pragma once
// Dialog windows: the handles of dialogs, their controls and tooltips, and
// the dialog models behind them. Used by the window manager's functions for
// handles that are not its own. Dialogs live on the thread that made them.
#include <functional>
#include <map>
#include <memory>
#include <string>
#include <ui/dialog.h>
#include <vector>
#include <windows.h>
#include <commctrl.h>

namespace win32::dialogs {

struct DialogWindow;

// What a handle stands for: a dialog (control -1), one of its controls
// (its index) or its tooltip window (kTooltip).
struct HandleEntry {
  DialogWindow* dialog = nullptr;
  int control = -1;
};
inline constexpr int kTooltip = -2;

struct DialogWindow : ui::DialogListener {
  std::unique_ptr<ui::Dialog> model;
  HWND handle = nullptr;
  HWND owner = nullptr;
  HINSTANCE instance = nullptr;
  DLGPROC procedure = nullptr;
  std::vector<HWND> controls;           // by control index
  std::map<int, HANDLE> images;         // control index -> HBITMAP / HICON shown
  std::map<int, HIMAGELIST> imageLists;  // control index -> image list
  HICON bigIcon = nullptr, smallIcon = nullptr;
  HWND tooltip = nullptr;
  bool tooltipActive = true;
  int relayedToTooltip = 0;
  std::function<BOOL(MSG&)> filter;
  bool running = false;

  // ui::DialogListener: events become messages to the dialog procedure.
  void onEvent(const ui::DialogEvent& event) override;
  bool preTranslate(const ui::DialogInput& input) override;
  // Sends a message to the dialog procedure; unhandled WM_CLOSE goes on to
  // DefDlgProcA.
  LRESULT Call(UINT message, WPARAM wParam, LPARAM lParam);
};

// The entry of `window`, nullptr when it is not a dialog window.
HandleEntry* Find(HWND window);
bool Owns(HWND window);
// The dialog the running modal loops show on top (visible, last started),
// nullptr when none.
DialogWindow* ActiveDialog();

// Versions of window functions for dialog handles (the window manager's own
// functions call them).
BOOL Show(HWND window, int command);
BOOL Visible(HWND window);
int GetText(HWND window, LPSTR buffer, int size);
BOOL Destroy(HWND window);
LRESULT Send(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
HWND CreateTooltip(HWND parent);
// The title a message box shows for its owner: a dialog's caption, a
// window's title, "" for none.
std::string TitleOf(HWND window);

// Control messages (controls.cpp).
LRESULT ControlMessage(DialogWindow& dialog, int index, UINT message, WPARAM wParam, LPARAM lParam);
LRESULT TooltipMessage(DialogWindow& dialog, UINT message, WPARAM wParam, LPARAM lParam);

}  // namespace win32::dialogs

namespace win32::gdi {

// The picture behind a bitmap or icon handle; empty for anything else.
ui::Picture PictureOf(HANDLE image);
bool IsBitmap(HANDLE image);
bool IsIcon(HANDLE image);
// Makes a bitmap or icon object (resources.cpp makes them from files).
HANDLE MakeImage(bool icon, const ui::Picture& picture, int bitsPerPixel);

}  // namespace win32::gdi

namespace win32::imagelists {

// The pictures an image list holds; empty for an invalid handle.
std::vector<ui::Picture> PicturesOf(HIMAGELIST list);
bool IsImageList(HIMAGELIST list);

}  // namespace win32::imagelists
