#pragma once
// How the plug-in and its hook library "Rasterwerk.dll" meet: the hook
// procedure that the plug-in installs on the photo editor's user-interface
// thread, the plug-in's hidden message window that the hook finds, and the
// message that travels both ways.
#include <windows.h>

// The hook's report of the user's close to the message window, and the
// plug-in's notice to the editor's window that it is done; parameters 0, 0.
inline constexpr UINT CloseNotifyMessage = WM_USER + 510;

// The plug-in's message window, found by the hook by class and title.
inline constexpr const char* kMessageWindowClass = "RasterwerkMsgWindow";
inline constexpr const char* kMessageWindowTitle = "Rasterwerk";

// The export of the hook library installed as a WH_GETMESSAGE hook.
inline constexpr const char* kHookProcedureName = "PshOnCloseHook";
