// Window classes and top-level windows.
#include <algorithm>

#include "dialogs/dialog_windows.h"
#include "internal.h"
#include "window_manager.h"

using namespace win32::windowing;
using win32::detail::EqualsNoCase;
using win32::detail::Fail;

namespace {

std::vector<WindowClass>::iterator FindClass(const std::string& name, HINSTANCE instance) {
  auto& classes = state().classes;
  return std::find_if(classes.begin(), classes.end(), [&](const WindowClass& c) {
    return EqualsNoCase(c.name, name) && c.instance == instance;
  });
}

// The class a window is made of: the caller's module's class, else any class
// of that name.
const WindowClass* ClassForWindow(const std::string& name, HINSTANCE instance) {
  auto it = FindClass(name, instance);
  if (it != state().classes.end()) return &*it;
  for (const WindowClass& c : state().classes)
    if (EqualsNoCase(c.name, name)) return &c;
  return nullptr;
}

bool ClassHasWindows(const std::string& name) {
  return std::any_of(state().windows.begin(), state().windows.end(),
                     [&](const auto& entry) { return EqualsNoCase(entry.second.className, name); });
}

}  // namespace

ATOM WINAPI RegisterClassA(const WNDCLASSA* lpWndClass) {
  if (lpWndClass == nullptr || lpWndClass->lpszClassName == nullptr || *lpWndClass->lpszClassName == '\0' ||
      lpWndClass->lpfnWndProc == nullptr)
    return Fail<ATOM>(ERROR_INVALID_PARAMETER, 0);
  std::lock_guard guard(state().lock);
  if (takeInjectedFailure("RegisterClassA")) return Fail<ATOM>(ERROR_NOT_ENOUGH_MEMORY, 0);
  if (FindClass(lpWndClass->lpszClassName, lpWndClass->hInstance) != state().classes.end())
    return Fail<ATOM>(ERROR_CLASS_ALREADY_EXISTS, 0);
  state().classes.push_back(
      {lpWndClass->lpszClassName, lpWndClass->hInstance, lpWndClass->lpfnWndProc, lpWndClass->style});
  return static_cast<ATOM>(0xC000 + state().classes.size());
}

BOOL WINAPI UnregisterClassA(LPCSTR lpClassName, HINSTANCE hInstance) {
  if (lpClassName == nullptr) return Fail(ERROR_CLASS_DOES_NOT_EXIST, FALSE);
  std::lock_guard guard(state().lock);
  auto it = FindClass(lpClassName, hInstance);
  if (it == state().classes.end()) return Fail(ERROR_CLASS_DOES_NOT_EXIST, FALSE);
  if (ClassHasWindows(it->name)) return Fail(ERROR_CLASS_HAS_WINDOWS, FALSE);
  state().classes.erase(it);
  return TRUE;
}

HWND WINAPI CreateWindowExA(DWORD, LPCSTR lpClassName, LPCSTR lpWindowName, DWORD dwStyle, int, int, int, int,
                            HWND hWndParent, HMENU, HINSTANCE hInstance, LPVOID) {
  if (lpClassName != nullptr && EqualsNoCase(lpClassName, "tooltips_class32"))
    return win32::dialogs::CreateTooltip(hWndParent);
  HWND handle = nullptr;
  WNDPROC procedure = nullptr;
  {
    std::lock_guard guard(state().lock);
    if (takeInjectedFailure("CreateWindowExA")) return Fail<HWND>(ERROR_NOT_ENOUGH_MEMORY, nullptr);
    const WindowClass* windowClass = lpClassName ? ClassForWindow(lpClassName, hInstance) : nullptr;
    if (windowClass == nullptr) return Fail<HWND>(ERROR_CANNOT_FIND_WND_CLASS, nullptr);
    ownQueue();
    handle = reinterpret_cast<HWND>(newHandleValue());
    procedure = windowClass->procedure;
    state().windows[handle] = {handle, windowClass->name, lpWindowName ? lpWindowName : "",
                               GetCurrentThreadId(), procedure, (dwStyle & WS_VISIBLE) != 0};
  }
  if (procedure(handle, WM_CREATE, 0, 0) == -1) {
    DestroyWindow(handle);
    return Fail<HWND>(ERROR_INVALID_PARAMETER, nullptr);
  }
  return handle;
}

BOOL WINAPI DestroyWindow(HWND hWnd) {
  if (win32::dialogs::Owns(hWnd)) return win32::dialogs::Destroy(hWnd);
  WNDPROC procedure = nullptr;
  {
    std::lock_guard guard(state().lock);
    Window* window = findWindow(hWnd);
    if (window == nullptr) return Fail(ERROR_INVALID_WINDOW_HANDLE, FALSE);
    if (window->thread != GetCurrentThreadId()) return Fail(ERROR_ACCESS_DENIED, FALSE);
    procedure = window->procedure;
  }
  procedure(hWnd, WM_DESTROY, 0, 0);
  std::lock_guard guard(state().lock);
  Queue& queue = ownQueue();
  std::erase_if(queue.posted, [&](const MSG& m) { return m.hwnd == hWnd; });
  abandonSentMessages(queue, hWnd);
  state().windows.erase(hWnd);
  return TRUE;
}

BOOL WINAPI IsWindow(HWND hWnd) {
  if (win32::dialogs::Owns(hWnd)) return TRUE;
  std::lock_guard guard(state().lock);
  return findWindow(hWnd) != nullptr;
}

BOOL WINAPI ShowWindow(HWND hWnd, int nCmdShow) {
  if (win32::dialogs::Owns(hWnd)) return win32::dialogs::Show(hWnd, nCmdShow);
  std::lock_guard guard(state().lock);
  Window* window = findWindow(hWnd);
  if (window == nullptr) return Fail(ERROR_INVALID_WINDOW_HANDLE, FALSE);
  BOOL wasVisible = window->visible;
  window->visible = nCmdShow != SW_HIDE;
  return wasVisible;
}

BOOL WINAPI IsWindowVisible(HWND hWnd) {
  if (win32::dialogs::Owns(hWnd)) return win32::dialogs::Visible(hWnd);
  std::lock_guard guard(state().lock);
  Window* window = findWindow(hWnd);
  return window != nullptr && window->visible;
}

HWND WINAPI FindWindowA(LPCSTR lpClassName, LPCSTR lpWindowName) {
  std::lock_guard guard(state().lock);
  for (const auto& [handle, window] : state().windows) {
    if (lpClassName != nullptr && !EqualsNoCase(window.className, lpClassName)) continue;
    if (lpWindowName != nullptr && !EqualsNoCase(window.title, lpWindowName)) continue;
    return handle;
  }
  return Fail<HWND>(ERROR_FILE_NOT_FOUND, nullptr);
}

DWORD WINAPI GetWindowThreadProcessId(HWND hWnd, LPDWORD lpdwProcessId) {
  std::lock_guard guard(state().lock);
  Window* window = findWindow(hWnd);
  if (window == nullptr || takeInjectedFailure("GetWindowThreadProcessId"))
    return Fail<DWORD>(ERROR_INVALID_WINDOW_HANDLE, 0);
  if (lpdwProcessId != nullptr) *lpdwProcessId = GetCurrentProcessId();
  return window->thread;
}

int WINAPI GetWindowTextA(HWND hWnd, LPSTR lpString, int nMaxCount) {
  if (win32::dialogs::Owns(hWnd)) return win32::dialogs::GetText(hWnd, lpString, nMaxCount);
  std::lock_guard guard(state().lock);
  Window* window = findWindow(hWnd);
  if (window == nullptr) return Fail(ERROR_INVALID_WINDOW_HANDLE, 0);
  if (lpString == nullptr || nMaxCount <= 0) return 0;
  std::string text = window->title.substr(0, nMaxCount - 1);
  std::copy(text.begin(), text.end(), lpString);
  lpString[text.size()] = '\0';
  return static_cast<int>(text.size());
}

LONG_PTR WINAPI GetWindowLongPtrA(HWND hWnd, int nIndex) {
  std::lock_guard guard(state().lock);
  Window* window = findWindow(hWnd);
  if (window == nullptr) return Fail<LONG_PTR>(ERROR_INVALID_WINDOW_HANDLE, 0);
  if (nIndex != GWLP_WNDPROC) return Fail<LONG_PTR>(ERROR_INVALID_PARAMETER, 0);
  return reinterpret_cast<LONG_PTR>(window->procedure);
}

LONG_PTR WINAPI SetWindowLongPtrA(HWND hWnd, int nIndex, LONG_PTR dwNewLong) {
  std::lock_guard guard(state().lock);
  Window* window = findWindow(hWnd);
  if (window == nullptr) return Fail<LONG_PTR>(ERROR_INVALID_WINDOW_HANDLE, 0);
  if (nIndex != GWLP_WNDPROC || dwNewLong == 0) return Fail<LONG_PTR>(ERROR_INVALID_PARAMETER, 0);
  auto previous = reinterpret_cast<LONG_PTR>(window->procedure);
  window->procedure = reinterpret_cast<WNDPROC>(dwNewLong);
  return previous;
}
