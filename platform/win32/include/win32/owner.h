#pragma once
// The title of a message box's owner window. The window manager installs a
// provider; until then a null window has no title and any other is "window".
#include <functional>
#include <string>
#include <windows.h>

namespace win32 {

using WindowTitleProvider = std::function<std::string(HWND)>;
void SetWindowTitleProvider(WindowTitleProvider provider);
std::string WindowTitle(HWND window);

}  // namespace win32
