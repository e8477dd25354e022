// The hook procedure of Rasterwerk.dll. It runs on the photo editor's
// user-interface thread and watches the messages that thread retrieves.
// When the user closes (WM_CLOSE for the editor's window) it holds the close
// back and reports it to the plug-in's message window ("RasterwerkMsgWindow",
// titled "Rasterwerk") with CloseNotifyMessage. The editor's window procedure
// is wrapped meanwhile: the held close is carried out when the plug-in sends
// CloseNotifyMessage to the editor's window, so the document stays available
// to automation until then.
#include <windows.h>

#include "hooklib/hook_protocol.h"

namespace {

HWND heldWindow = nullptr;           // the editor window whose close is held
WNDPROC editorProcedure = nullptr;   // its own window procedure

LRESULT CALLBACK HoldingProcedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  WNDPROC original = editorProcedure;
  if (message == CloseNotifyMessage && window == heldWindow) {
    SetWindowLongPtrA(window, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(original));
    heldWindow = nullptr;
    editorProcedure = nullptr;
    CallWindowProcA(original, window, WM_CLOSE, 0, 0);
    return 0;
  }
  return CallWindowProcA(original, window, message, wParam, lParam);
}

// Holds the close of `window` back until the plug-in's notice (once per
// window: a close repeated meanwhile is held as well).
void HoldClose(HWND window) {
  if (window == heldWindow) return;
  heldWindow = window;
  editorProcedure = reinterpret_cast<WNDPROC>(
      SetWindowLongPtrA(window, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(HoldingProcedure)));
}

}  // namespace

extern "C" LRESULT CALLBACK PshOnCloseHook(int code, WPARAM wParam, LPARAM lParam) {
  auto* message = reinterpret_cast<MSG*>(lParam);
  if (code == HC_ACTION && wParam == PM_REMOVE && message != nullptr && message->message == WM_CLOSE &&
      message->hwnd != nullptr) {
    // Without the plug-in's message window nobody waits: the close goes ahead.
    if (HWND notify = FindWindowA(kMessageWindowClass, kMessageWindowTitle)) {
      HoldClose(message->hwnd);
      PostMessageA(notify, CloseNotifyMessage, 0, 0);
      message->message = WM_NULL;  // the editor sees nothing until the plug-in is done
    }
  }
  return CallNextHookEx(nullptr, code, wParam, lParam);
}
