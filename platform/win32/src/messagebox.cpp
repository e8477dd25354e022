// Message boxes and beeps go to the UI driver.
#include <ui/driver.h>

#include <mutex>

#include "dialogs/dialog_windows.h"
#include "win32/owner.h"

namespace {
std::mutex providerMutex;
win32::WindowTitleProvider titleProvider;
}  // namespace

namespace win32 {

void SetWindowTitleProvider(WindowTitleProvider provider) {
  std::lock_guard lock(providerMutex);
  titleProvider = std::move(provider);
}

std::string WindowTitle(HWND window) {
  {
    std::lock_guard lock(providerMutex);
    if (titleProvider) return titleProvider(window);
  }
  return win32::dialogs::TitleOf(window);
}

}  // namespace win32

int WINAPI MessageBoxA(HWND hWnd, LPCSTR lpText, LPCSTR lpCaption, UINT uType) {
  ui::MessageBoxRequest request;
  request.text = lpText ? lpText : "";
  request.caption = lpCaption ? lpCaption : "Error";  // Windows' caption when none is given
  request.type = uType;
  request.owner = win32::WindowTitle(hWnd);
  return ui::driver().messageBox(request);
}

BOOL WINAPI MessageBeep(UINT uType) {
  ui::driver().beep(uType);
  return TRUE;
}
