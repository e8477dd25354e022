// CWnd: the handle maps, the message map dispatch and the window functions.
#include <exception>
#include <map>
#include <memory>
#include <string>
#include <ui/driver.h>
#include <win32/dialogs.h>

#include "window_map.h"

namespace mfc::detail {
namespace {

std::map<HWND, CWnd*>& Permanent() {
  static thread_local std::map<HWND, CWnd*> map;
  return map;
}
std::map<HWND, std::unique_ptr<CWnd>>& Temporary() {
  static thread_local std::map<HWND, std::unique_ptr<CWnd>> map;
  return map;
}
thread_local MSG currentMessage{};

}  // namespace

void MapPermanent(HWND window, CWnd* object) {
  Temporary().erase(window);
  Permanent()[window] = object;
}

void UnmapPermanent(HWND window) { Permanent().erase(window); }

void ForgetDestroyedWindows() {
  auto& permanent = Permanent();
  for (auto it = permanent.begin(); it != permanent.end();) {
    if (IsWindow(it->first)) {
      ++it;
      continue;
    }
    it->second->m_hWnd = nullptr;
    it = permanent.erase(it);
  }
  std::erase_if(Temporary(), [](const auto& entry) { return !IsWindow(entry.first); });
}

CurrentMessage::CurrentMessage(HWND window, UINT message, WPARAM wParam, LPARAM lParam)
    : previous_(currentMessage) {
  currentMessage = MSG{window, message, wParam, lParam, 0, {0, 0}};
}

CurrentMessage::~CurrentMessage() { currentMessage = previous_; }

const MSG& CurrentMessage::Get() { return currentMessage; }

LRESULT CallWindowProc(CWnd& window, UINT message, WPARAM wParam, LPARAM lParam) {
  CurrentMessage scope(window.m_hWnd, message, wParam, lParam);
  return window.WindowProc(message, wParam, lParam);
}

LRESULT CallWindowProcGuarded(CWnd& window, UINT message, WPARAM wParam, LPARAM lParam) {
  const std::string className = window.GetRuntimeClass()->m_lpszClassName;
  try {
    return CallWindowProc(window, message, wParam, lParam);
  } catch (const std::exception& e) {
    ui::driver().record("error: " + className + " failed to handle message 0x" + std::to_string(message) +
                        ": " + e.what());
  } catch (...) {
    ui::driver().record("error: " + className + " failed to handle a message with an unknown exception");
  }
  return 0;
}

}  // namespace mfc::detail

using namespace mfc::detail;

IMPLEMENT_DYNAMIC(CWnd, CCmdTarget)

BEGIN_MESSAGE_MAP(CWnd, CCmdTarget)
END_MESSAGE_MAP()

CWnd::~CWnd() {
  if (m_hWnd != nullptr && FromHandlePermanent(m_hWnd) == this) UnmapPermanent(m_hWnd);
}

CWnd* PASCAL CWnd::FromHandlePermanent(HWND hWnd) {
  auto it = Permanent().find(hWnd);
  return it == Permanent().end() ? nullptr : it->second;
}

CWnd* PASCAL CWnd::FromHandle(HWND hWnd) {
  if (hWnd == nullptr) return nullptr;
  if (CWnd* permanent = FromHandlePermanent(hWnd)) return permanent;
  auto& slot = Temporary()[hWnd];
  if (!slot) {
    slot = std::make_unique<CWnd>();
    slot->m_hWnd = hWnd;
  }
  return slot.get();
}

BOOL CWnd::Attach(HWND hWndNew) {
  if (hWndNew == nullptr || m_hWnd != nullptr || FromHandlePermanent(hWndNew) != nullptr) return FALSE;
  m_hWnd = hWndNew;
  MapPermanent(hWndNew, this);
  return TRUE;
}

HWND CWnd::Detach() {
  HWND window = m_hWnd;
  if (window != nullptr && FromHandlePermanent(window) == this) UnmapPermanent(window);
  m_hWnd = nullptr;
  return window;
}

BOOL CWnd::SubclassWindow(HWND hWnd) { return IsWindow(hWnd) && Attach(hWnd); }

BOOL CWnd::SubclassDlgItem(UINT nID, CWnd* pParent) {
  HWND control = pParent ? ::GetDlgItem(pParent->m_hWnd, static_cast<int>(nID)) : nullptr;
  return control != nullptr && SubclassWindow(control);
}

HWND CWnd::UnsubclassWindow() { return Detach(); }

CWnd* CWnd::GetDlgItem(int nID) const { return FromHandle(::GetDlgItem(m_hWnd, nID)); }
int CWnd::GetDlgCtrlID() const { return ::GetDlgCtrlID(m_hWnd); }

int CWnd::GetDlgItemText(int nID, CString& rString) const {
  CWnd* item = GetDlgItem(nID);
  rString.Empty();
  if (item == nullptr) return 0;
  item->GetWindowText(rString);
  return rString.GetLength();
}

int CWnd::GetDlgItemText(int nID, LPSTR lpStr, int nMaxCount) const {
  return static_cast<int>(::GetDlgItemTextA(m_hWnd, nID, lpStr, nMaxCount));
}

void CWnd::SetDlgItemText(int nID, LPCSTR lpszString) { ::SetDlgItemTextA(m_hWnd, nID, lpszString); }
UINT CWnd::IsDlgButtonChecked(int nIDButton) const { return ::IsDlgButtonChecked(m_hWnd, nIDButton); }
void CWnd::CheckDlgButton(int nIDButton, UINT nCheck) { ::CheckDlgButton(m_hWnd, nIDButton, nCheck); }
void CWnd::SetWindowText(LPCSTR lpszString) { ::SetWindowTextA(m_hWnd, lpszString); }

void CWnd::GetWindowText(CString& rString) const {
  const int length = ::GetWindowTextLengthA(m_hWnd);
  ::GetWindowTextA(m_hWnd, rString.GetBuffer(length), length + 1);
  rString.ReleaseBuffer();
}

int CWnd::GetWindowText(LPSTR lpszStringBuf, int nMaxCount) const {
  return ::GetWindowTextA(m_hWnd, lpszStringBuf, nMaxCount);
}

int CWnd::GetWindowTextLength() const { return ::GetWindowTextLengthA(m_hWnd); }
BOOL CWnd::EnableWindow(BOOL bEnable) { return ::EnableWindow(m_hWnd, bEnable); }
BOOL CWnd::IsWindowEnabled() const { return ::IsWindowEnabled(m_hWnd); }
BOOL CWnd::ShowWindow(int nCmdShow) { return ::ShowWindow(m_hWnd, nCmdShow); }
BOOL CWnd::IsWindowVisible() const { return ::IsWindowVisible(m_hWnd); }
CWnd* CWnd::SetActiveWindow() { return FromHandle(::SetActiveWindow(m_hWnd)); }
CWnd* PASCAL CWnd::GetActiveWindow() { return FromHandle(::GetActiveWindow()); }
CWnd* CWnd::SetFocus() { return FromHandle(::SetFocus(m_hWnd)); }
CWnd* PASCAL CWnd::GetFocus() { return FromHandle(::GetFocus()); }
CWnd* CWnd::GetParent() const { return FromHandle(::GetParent(m_hWnd)); }
void CWnd::GetClientRect(LPRECT lpRect) const { ::GetClientRect(m_hWnd, lpRect); }
void CWnd::GetWindowRect(LPRECT lpRect) const { ::GetWindowRect(m_hWnd, lpRect); }
void CWnd::ScreenToClient(LPPOINT lpPoint) const { ::ScreenToClient(m_hWnd, lpPoint); }
void CWnd::ClientToScreen(LPPOINT lpPoint) const { ::ClientToScreen(m_hWnd, lpPoint); }

void CWnd::ScreenToClient(LPRECT lpRect) const {
  ::ScreenToClient(m_hWnd, reinterpret_cast<LPPOINT>(&lpRect->left));
  ::ScreenToClient(m_hWnd, reinterpret_cast<LPPOINT>(&lpRect->right));
}

void CWnd::ClientToScreen(LPRECT lpRect) const {
  ::ClientToScreen(m_hWnd, reinterpret_cast<LPPOINT>(&lpRect->left));
  ::ClientToScreen(m_hWnd, reinterpret_cast<LPPOINT>(&lpRect->right));
}

void CWnd::Invalidate(BOOL bErase) { ::InvalidateRect(m_hWnd, nullptr, bErase); }
void CWnd::InvalidateRect(LPCRECT lpRect, BOOL bErase) { ::InvalidateRect(m_hWnd, lpRect, bErase); }
void CWnd::UpdateWindow() { ::UpdateWindow(m_hWnd); }

HICON CWnd::SetIcon(HICON hIcon, BOOL bBigIcon) {
  return reinterpret_cast<HICON>(
      ::SendMessageA(m_hWnd, WM_SETICON, bBigIcon ? ICON_BIG : ICON_SMALL, reinterpret_cast<LPARAM>(hIcon)));
}

HICON CWnd::GetIcon(BOOL bBigIcon) const {
  return reinterpret_cast<HICON>(::SendMessageA(m_hWnd, WM_GETICON, bBigIcon ? ICON_BIG : ICON_SMALL, 0));
}

LRESULT CWnd::SendMessage(UINT message, WPARAM wParam, LPARAM lParam) {
  return ::SendMessageA(m_hWnd, message, wParam, lParam);
}

BOOL CWnd::PostMessage(UINT message, WPARAM wParam, LPARAM lParam) {
  return ::PostMessageA(m_hWnd, message, wParam, lParam);
}

int CWnd::MessageBox(LPCSTR lpszText, LPCSTR lpszCaption, UINT nType) {
  return ::MessageBoxA(m_hWnd, lpszText, lpszCaption ? lpszCaption : AfxGetAppName(), nType);
}

BOOL CWnd::DestroyWindow() {
  if (m_hWnd == nullptr) return FALSE;
  const BOOL destroyed = ::DestroyWindow(m_hWnd);
  ForgetDestroyedWindows();
  return destroyed;
}

BOOL CWnd::PreTranslateMessage(MSG*) { return FALSE; }

LRESULT CWnd::WindowProc(UINT message, WPARAM wParam, LPARAM lParam) {
  LRESULT result = 0;
  if (!OnWndMsg(message, wParam, lParam, &result)) result = DefWindowProc(message, wParam, lParam);
  return result;
}

BOOL CWnd::OnWndMsg(UINT message, WPARAM wParam, LPARAM lParam, LRESULT* pResult) {
  const UINT code = message == WM_COMMAND ? HIWORD(wParam) : 0;
  const UINT id = message == WM_COMMAND ? LOWORD(wParam) : 0;
  for (const AFX_MSGMAP* map = GetMessageMap(); map != nullptr;
       map = map->pfnGetBaseMap ? map->pfnGetBaseMap() : nullptr) {
    for (const AFX_MSGMAP_ENTRY* e = map->lpEntries; e->nSig != AfxSig_end; ++e) {
      if (e->nMessage != message) continue;
      if (message == WM_COMMAND && (e->nCode != code || id < e->nID || id > e->nLastID)) continue;
      if (e->nSig == AfxSig_vwp)
        (this->*(e->pfnPoint))(static_cast<UINT>(wParam), CPoint(static_cast<short>(LOWORD(lParam)),
                                                                  static_cast<short>(HIWORD(lParam))));
      else
        (this->*(e->pfn))();
      if (pResult) *pResult = 0;
      return TRUE;
    }
  }
  return FALSE;
}

LRESULT CWnd::DefWindowProc(UINT message, WPARAM wParam, LPARAM lParam) {
  return ::DefWindowProcA(m_hWnd, message, wParam, lParam);
}

LRESULT CWnd::Default() {
  const MSG& m = CurrentMessage::Get();
  return DefWindowProc(m.message, m.wParam, m.lParam);
}

void CWnd::OnPaint() { Default(); }
void CWnd::OnLButtonDown(UINT, CPoint) { Default(); }
void CWnd::OnClose() { Default(); }

// An exception from a handler ends the run (the dialog is destroyed) and goes
// on to the caller of DoModal.
int CWnd::RunModalLoop(DWORD) {
  INT_PTR result = -1;
  try {
    result = win32::RunModalDialog(m_hWnd, [this](MSG& msg) { return PreTranslateMessage(&msg); });
  } catch (...) {
    ForgetDestroyedWindows();
    throw;
  }
  ForgetDestroyedWindows();
  return static_cast<int>(result);
}

void CWnd::EndModalLoop(int nResult) { ::EndDialog(m_hWnd, nResult); }
