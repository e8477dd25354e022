// Frame windows: top-level windows of the window manager whose messages go
// to their MFC object.
#include "window_map.h"

IMPLEMENT_DYNAMIC(CFrameWnd, CWnd)
IMPLEMENT_DYNAMIC(CMDIFrameWnd, CFrameWnd)

const CRect CFrameWnd::rectDefault(CW_USEDEFAULT, CW_USEDEFAULT, 0, 0);

namespace {

constexpr const char* kFrameClass = "AfxFrameOrView";
// The object whose window is being created: it takes the handle at WM_CREATE.
thread_local CWnd* windowBeingCreated = nullptr;

LRESULT CALLBACK AfxWndProc(HWND hWnd, UINT message, WPARAM wParam, LPARAM lParam) {
  if (message == WM_CREATE && windowBeingCreated != nullptr) {
    windowBeingCreated->Attach(hWnd);
    windowBeingCreated = nullptr;
  }
  CWnd* window = CWnd::FromHandlePermanent(hWnd);
  if (window == nullptr) return DefWindowProcA(hWnd, message, wParam, lParam);
  return mfc::detail::CallWindowProcGuarded(*window, message, wParam, lParam);
}

bool RegisterFrameClass() {
  WNDCLASSA windowClass{};
  windowClass.lpfnWndProc = AfxWndProc;
  windowClass.lpszClassName = kFrameClass;
  return RegisterClassA(&windowClass) != 0 || GetLastError() == ERROR_CLASS_ALREADY_EXISTS;
}

}  // namespace

BOOL CFrameWnd::Create(LPCSTR lpszClassName, LPCSTR lpszWindowName, DWORD dwStyle, const RECT& rect,
                       CWnd* pParentWnd, LPCSTR, DWORD dwExStyle) {
  static const bool registered = RegisterFrameClass();
  if (!registered || m_hWnd != nullptr) return FALSE;
  windowBeingCreated = this;
  const bool placed = rect.left != CW_USEDEFAULT;
  HWND window = CreateWindowExA(dwExStyle, lpszClassName ? lpszClassName : kFrameClass, lpszWindowName, dwStyle,
                                rect.left, rect.top, placed ? rect.right - rect.left : CW_USEDEFAULT,
                                placed ? rect.bottom - rect.top : CW_USEDEFAULT,
                                pParentWnd ? pParentWnd->GetSafeHwnd() : nullptr, nullptr, nullptr, nullptr);
  windowBeingCreated = nullptr;
  return window != nullptr && m_hWnd == window;
}
