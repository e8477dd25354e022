#include "photoshop/editor_close_wait.h"

#include "frame/message_box.h"
#include "hooklib/hook_protocol.h"

EditorCloseWait theEditorCloseWait;

namespace {

EditorCloseWait& wait = theEditorCloseWait;

LRESULT CALLBACK MessageWindowProcedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  if (message == CloseNotifyMessage) {
    PostQuitMessage(0);
    return 0;
  }
  return DefWindowProcA(window, message, wParam, lParam);
}

bool RegisterMessageWindowClass(HMODULE hookLibrary) {
  WNDCLASSA windowClass{};
  windowClass.style = CS_HREDRAW | CS_VREDRAW;
  windowClass.lpfnWndProc = MessageWindowProcedure;
  windowClass.hInstance = hookLibrary;
  windowClass.hbrBackground = reinterpret_cast<HBRUSH>(static_cast<INT_PTR>(COLOR_WINDOW + 1));
  windowClass.lpszClassName = kMessageWindowClass;
  return RegisterClassA(&windowClass) != 0;
}

// Removes the message window and its class, so that the next wait can
// register the class again.
void RemoveMessageWindow(HMODULE hookLibrary) {
  if (wait.messageWindow != nullptr) DestroyWindow(wait.messageWindow);
  wait.messageWindow = nullptr;
  UnregisterClassA(kMessageWindowClass, hookLibrary);
}

bool Fail(const MessageText& text, HMODULE hookLibrary) {
  RemoveMessageWindow(hookLibrary);
  ShowCatalogueMessage(text);
  return false;
}

// Installs the hook on Photoshop's user-interface thread; the failure's
// message when a step does not work.
const MessageText* InstallHook(HMODULE hookLibrary) {
  wait.hookProcedure =
      reinterpret_cast<HOOKPROC>(reinterpret_cast<void*>(GetProcAddress(hookLibrary, kHookProcedureName)));
  if (wait.hookProcedure == nullptr) return &msg::kFailedToGetFuncAddress;
  wait.editorWindow = FindWindowA(kEditorWindowClass, nullptr);
  if (wait.editorWindow == nullptr) return &msg::kFailedToGetPshWndHandle;
  wait.editorThreadId = GetWindowThreadProcessId(wait.editorWindow, &wait.editorProcessId);
  if (wait.editorThreadId == 0) return &msg::kFailedToGetPshThreadId;
  wait.hook = SetWindowsHookExA(WH_GETMESSAGE, wait.hookProcedure, hookLibrary, wait.editorThreadId);
  if (wait.hook == nullptr) return &msg::kFailedToSetHook;
  return nullptr;
}

// Pumps the message window until the close is reported. A message window
// that has gone (GetMessageA answering -1) ends the wait as well.
void PumpUntilClosed() {
  while (GetMessageA(&wait.lastMessage, wait.messageWindow, 0, 0) > 0) {
    if (wait.lastMessage.message == CloseNotifyMessage) break;
    DispatchMessageA(&wait.lastMessage);
  }
}

}  // namespace

bool WaitForEditorClose(ProgramKind editor, HMODULE hookLibrary) {
  if (editor != kProgramPhotoshop) return true;
  wait = EditorCloseWait{};
  if (!RegisterMessageWindowClass(hookLibrary)) {
    ShowCatalogueMessage(msg::kFailedToRegClass);
    return false;
  }
  wait.messageWindow = CreateWindowExA(0, kMessageWindowClass, kMessageWindowTitle, WS_OVERLAPPEDWINDOW,
                                       CW_USEDEFAULT, 0, CW_USEDEFAULT, 0, nullptr, nullptr, hookLibrary, nullptr);
  if (wait.messageWindow == nullptr) return Fail(msg::kFailedToCreateWnd, hookLibrary);
  if (const MessageText* failure = InstallHook(hookLibrary)) return Fail(*failure, hookLibrary);
  PumpUntilClosed();
  RemoveMessageWindow(hookLibrary);
  return UnhookWindowsHookEx(wait.hook) != FALSE;
}

void SignalEditorWindow() { SendMessageA(theEditorCloseWait.editorWindow, CloseNotifyMessage, 0, 0); }
