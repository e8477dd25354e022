#pragma once
// The title of a message box's owner window: a dialog's caption or a
// window's title, "" for no window and "window" for a handle that is none.
// A test may install a provider that answers instead.
#include <functional>
#include <string>
#include <windows.h>

namespace win32 {

using WindowTitleProvider = std::function<std::string(HWND)>;
void SetWindowTitleProvider(WindowTitleProvider provider);
std::string WindowTitle(HWND window);

}  // namespace win32
