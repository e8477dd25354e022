#pragma once
// The wait for the user to finish in Photoshop. A hook procedure of the hook
// library, installed on Photoshop's user-interface thread, reports the user's
// close to a hidden message window of the plug-in; the wait pumps only that
// window. The same message tells Photoshop's window when the plug-in is done
// (the protocol: hooklib/hook_protocol.h).
#include <windows.h>

#include "settings/plugin_settings.h"

// The class of the photo editor's top-level window.
inline constexpr const char* kEditorWindowClass = "Photoshop";

// The state of the latest wait, kept from module load to unload.
struct EditorCloseWait {
  HWND messageWindow = nullptr;
  HOOKPROC hookProcedure = nullptr;
  HWND editorWindow = nullptr;  // stays for SignalEditorWindow after the wait
  DWORD editorProcessId = 0;
  DWORD editorThreadId = 0;
  HHOOK hook = nullptr;
  MSG lastMessage{};
};

extern EditorCloseWait theEditorCloseWait;

// Editor 1 (Photoshop): waits until the hook reports the user's close; true
// when the hook was removed afterwards. Any other editor: true at once.
// A failure shows its message and returns false without waiting.
bool WaitForEditorClose(ProgramKind editor, HMODULE hookLibrary);

// Sends CloseNotifyMessage to the Photoshop window of the latest wait (none
// after a failed wait); the answer is ignored.
void SignalEditorWindow();
