// Window functions on dialogs, their controls and the window manager's
// windows alike.
#include <mutex>
#include <set>

#include "../internal.h"
#include "../windowing/window_manager.h"
#include "dialog_windows.h"
#include "win32/dialogs.h"

using namespace win32::dialogs;
using win32::detail::Fail;

namespace {

std::mutex stateLock;
std::set<HWND> disabledWindows;  // window-manager windows only
HWND activeWindow = nullptr;

// A window-manager window (lock taken inside).
bool IsManagedWindow(HWND window) {
  std::lock_guard guard(win32::windowing::state().lock);
  return win32::windowing::findWindow(window) != nullptr;
}

// A control's rectangle in its dialog's client pixels; a dialog's client area.
ui::PixelRect ClientArea(const HandleEntry& e) {
  return e.control < 0 ? e.dialog->model->clientRect() : e.dialog->model->controls()[e.control].rect;
}

// Screen position of the client area's top left corner.
POINT Origin(const HandleEntry& e) {
  const ui::PixelRect r = e.control < 0 ? ui::PixelRect{} : ClientArea(e);
  return {win32::kDialogClientLeft + r.left, win32::kDialogClientTop + r.top};
}

constexpr int kFrame = 3, kCaption = 19;
const RECT kManagedWindowRect{0, 0, 1024, 768};

}  // namespace

HWND WINAPI GetDlgItem(HWND hDlg, int nIDDlgItem) {
  HandleEntry* e = Find(hDlg);
  if (e == nullptr || e->control != -1) return Fail<HWND>(ERROR_INVALID_WINDOW_HANDLE, nullptr);
  const int index = e->dialog->model->indexOf(nIDDlgItem);
  if (index < 0) return Fail<HWND>(ERROR_CONTROL_ID_NOT_FOUND, nullptr);
  return e->dialog->controls[index];
}

int WINAPI GetDlgCtrlID(HWND hWnd) {
  HandleEntry* e = Find(hWnd);
  if (e == nullptr || e->control < 0) return Fail(ERROR_INVALID_WINDOW_HANDLE, 0);
  return e->dialog->model->controls()[e->control].id;
}

UINT WINAPI GetDlgItemTextA(HWND hDlg, int nIDDlgItem, LPSTR lpString, int cchMax) {
  HWND control = GetDlgItem(hDlg, nIDDlgItem);
  if (control == nullptr) {
    if (lpString && cchMax > 0) *lpString = '\0';
    return 0;
  }
  return static_cast<UINT>(GetText(control, lpString, cchMax));
}

BOOL WINAPI SetDlgItemTextA(HWND hDlg, int nIDDlgItem, LPCSTR lpString) {
  HWND control = GetDlgItem(hDlg, nIDDlgItem);
  return control != nullptr && SetWindowTextA(control, lpString);
}

LRESULT WINAPI SendDlgItemMessageA(HWND hDlg, int nIDDlgItem, UINT Msg, WPARAM wParam, LPARAM lParam) {
  HWND control = GetDlgItem(hDlg, nIDDlgItem);
  return control ? SendMessageA(control, Msg, wParam, lParam) : 0;
}

BOOL WINAPI CheckDlgButton(HWND hDlg, int nIDButton, UINT uCheck) {
  HWND control = GetDlgItem(hDlg, nIDButton);
  if (control == nullptr) return FALSE;
  SendMessageA(control, BM_SETCHECK, uCheck, 0);
  return TRUE;
}

UINT WINAPI IsDlgButtonChecked(HWND hDlg, int nIDButton) {
  HWND control = GetDlgItem(hDlg, nIDButton);
  return control ? static_cast<UINT>(SendMessageA(control, BM_GETCHECK, 0, 0)) : 0;
}

BOOL WINAPI SetWindowTextA(HWND hWnd, LPCSTR lpString) {
  if (Owns(hWnd)) return static_cast<BOOL>(Send(hWnd, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(lpString)));
  std::lock_guard guard(win32::windowing::state().lock);
  auto* window = win32::windowing::findWindow(hWnd);
  if (window == nullptr) return Fail(ERROR_INVALID_WINDOW_HANDLE, FALSE);
  window->title = lpString ? lpString : "";
  return TRUE;
}

int WINAPI GetWindowTextLengthA(HWND hWnd) {
  if (Owns(hWnd)) return static_cast<int>(Send(hWnd, WM_GETTEXTLENGTH, 0, 0));
  std::lock_guard guard(win32::windowing::state().lock);
  auto* window = win32::windowing::findWindow(hWnd);
  return window ? static_cast<int>(window->title.size()) : Fail(ERROR_INVALID_WINDOW_HANDLE, 0);
}

// Returns nonzero when the window was disabled before.
BOOL WINAPI EnableWindow(HWND hWnd, BOOL bEnable) {
  if (HandleEntry* e = Find(hWnd)) {
    ui::Dialog& model = *e->dialog->model;
    if (e->control == kTooltip) return FALSE;
    if (e->control < 0) {
      const bool was = model.enabled();
      model.enable(bEnable != FALSE);
      return !was;
    }
    const bool was = model.controls()[e->control].enabled;
    model.setEnabled(e->control, bEnable != FALSE);
    return !was;
  }
  if (!IsManagedWindow(hWnd)) return Fail(ERROR_INVALID_WINDOW_HANDLE, FALSE);
  std::lock_guard guard(stateLock);
  const bool wasDisabled = disabledWindows.count(hWnd) != 0;
  if (bEnable) disabledWindows.erase(hWnd);
  else disabledWindows.insert(hWnd);
  return wasDisabled;
}

BOOL WINAPI IsWindowEnabled(HWND hWnd) {
  if (HandleEntry* e = Find(hWnd)) {
    const ui::Dialog& model = *e->dialog->model;
    return e->control < 0 ? model.enabled() : e->control == kTooltip || model.controls()[e->control].enabled;
  }
  if (!IsManagedWindow(hWnd)) return FALSE;
  std::lock_guard guard(stateLock);
  return disabledWindows.count(hWnd) == 0;
}

HWND WINAPI GetFocus() {
  DialogWindow* d = ActiveDialog();
  if (d == nullptr || d->model->focus() < 0) return nullptr;
  return d->controls[d->model->focus()];
}

HWND WINAPI SetFocus(HWND hWnd) {
  HWND previous = GetFocus();
  HandleEntry* e = Find(hWnd);
  if (e == nullptr) return IsManagedWindow(hWnd) || hWnd == nullptr ? previous : Fail<HWND>(ERROR_INVALID_WINDOW_HANDLE, nullptr);
  if (e->control == kTooltip) return previous;
  e->dialog->model->setFocus(e->control);
  return previous;
}

HWND WINAPI SetActiveWindow(HWND hWnd) {
  if (!Owns(hWnd) && !IsManagedWindow(hWnd)) return Fail<HWND>(ERROR_INVALID_WINDOW_HANDLE, nullptr);
  std::lock_guard guard(stateLock);
  HWND previous = activeWindow;
  activeWindow = hWnd;
  return previous;
}

HWND WINAPI GetActiveWindow() {
  {
    std::lock_guard guard(stateLock);
    if (activeWindow != nullptr && (Owns(activeWindow) || IsManagedWindow(activeWindow))) return activeWindow;
  }
  DialogWindow* d = ActiveDialog();
  return d ? d->handle : nullptr;
}

HWND WINAPI GetParent(HWND hWnd) {
  HandleEntry* e = Find(hWnd);
  if (e == nullptr) return nullptr;
  return e->control == -1 ? e->dialog->owner : e->dialog->handle;
}

BOOL WINAPI GetClientRect(HWND hWnd, LPRECT lpRect) {
  if (lpRect == nullptr) return Fail(ERROR_INVALID_PARAMETER, FALSE);
  if (HandleEntry* e = Find(hWnd)) {
    const ui::PixelRect r = ClientArea(*e);
    *lpRect = {0, 0, r.width(), r.height()};
    return TRUE;
  }
  if (!IsManagedWindow(hWnd)) return Fail(ERROR_INVALID_WINDOW_HANDLE, FALSE);
  *lpRect = {0, 0, kManagedWindowRect.right, kManagedWindowRect.bottom};
  return TRUE;
}

BOOL WINAPI GetWindowRect(HWND hWnd, LPRECT lpRect) {
  if (lpRect == nullptr) return Fail(ERROR_INVALID_PARAMETER, FALSE);
  if (HandleEntry* e = Find(hWnd)) {
    const ui::PixelRect r = ClientArea(*e);
    const POINT o = Origin(*e);
    *lpRect = {o.x, o.y, o.x + r.width(), o.y + r.height()};
    if (e->control < 0) *lpRect = {o.x - kFrame, o.y - kFrame - kCaption, lpRect->right + kFrame, lpRect->bottom + kFrame};
    return TRUE;
  }
  if (!IsManagedWindow(hWnd)) return Fail(ERROR_INVALID_WINDOW_HANDLE, FALSE);
  *lpRect = kManagedWindowRect;
  return TRUE;
}

BOOL WINAPI ScreenToClient(HWND hWnd, LPPOINT lpPoint) {
  if (lpPoint == nullptr) return FALSE;
  HandleEntry* e = Find(hWnd);
  if (e == nullptr) return IsManagedWindow(hWnd);
  const POINT o = Origin(*e);
  lpPoint->x -= o.x, lpPoint->y -= o.y;
  return TRUE;
}

BOOL WINAPI ClientToScreen(HWND hWnd, LPPOINT lpPoint) {
  if (lpPoint == nullptr) return FALSE;
  HandleEntry* e = Find(hWnd);
  if (e == nullptr) return IsManagedWindow(hWnd);
  const POINT o = Origin(*e);
  lpPoint->x += o.x, lpPoint->y += o.y;
  return TRUE;
}

BOOL WINAPI InvalidateRect(HWND hWnd, const RECT*, BOOL) {
  HandleEntry* e = Find(hWnd);
  if (e == nullptr) return IsManagedWindow(hWnd);
  e->dialog->model->invalidate();
  return TRUE;
}

BOOL WINAPI UpdateWindow(HWND hWnd) {
  HandleEntry* e = Find(hWnd);
  if (e == nullptr) return IsManagedWindow(hWnd);
  ui::Dialog& model = *e->dialog->model;
  if (model.invalid() && model.visible()) {
    model.beginPaint();
    e->dialog->Call(WM_PAINT, 0, 0);
  }
  return TRUE;
}
