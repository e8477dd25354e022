// CDialog: creation from the module's template, the modal run, data
// exchange with its controls.
#include <cstdlib>
#include <string>
#include <ui/driver.h>

#include "window_map.h"

namespace {

// Ends a data exchange that cannot go on (UpdateData returns FALSE).
struct DataExchangeFailure {};

// The dialog procedure of every MFC dialog: WM_INITDIALOG attaches the
// CDialog given as its parameter; every message goes to the object's
// WindowProc (so everything counts as handled there). Exceptions of the
// handlers go on through the modal run to the caller of DoModal.
INT_PTR CALLBACK AfxDlgProc(HWND hWnd, UINT message, WPARAM wParam, LPARAM lParam) {
  if (message == WM_INITDIALOG) {
    auto* dialog = reinterpret_cast<CDialog*>(lParam);
    if (dialog == nullptr || !dialog->Attach(hWnd)) return FALSE;
    return mfc::detail::CallWindowProc(*dialog, message, wParam, lParam);
  }
  CWnd* window = CWnd::FromHandlePermanent(hWnd);
  if (window == nullptr) return FALSE;
  mfc::detail::CallWindowProc(*window, message, wParam, lParam);
  return TRUE;
}

std::string TemplateName(LPCSTR name) {
  return IS_INTRESOURCE(name) ? std::to_string(reinterpret_cast<ULONG_PTR>(name)) : std::string(name ? name : "");
}

}  // namespace

IMPLEMENT_DYNAMIC(CDialog, CWnd)

BEGIN_MESSAGE_MAP(CDialog, CWnd)
  ON_COMMAND(IDOK, OnOK)
  ON_COMMAND(IDCANCEL, OnCancel)
END_MESSAGE_MAP()

CDialog::CDialog() = default;

CDialog::CDialog(UINT nIDTemplate, CWnd* pParentWnd)
    : m_nIDHelp(nIDTemplate), m_lpszTemplateName(MAKEINTRESOURCE(nIDTemplate)), m_pParentWnd(pParentWnd) {}

CDialog::CDialog(LPCSTR lpszTemplateName, CWnd* pParentWnd)
    : m_pParentWnd(pParentWnd), m_templateName(lpszTemplateName ? lpszTemplateName : "") {
  m_lpszTemplateName = m_templateName.c_str();
}

CDialog::~CDialog() {
  if (m_hWnd != nullptr && IsWindow(m_hWnd)) DestroyWindow();
}

INT_PTR CDialog::DoModal() {
  HINSTANCE resources = AfxGetResourceHandle();
  HRSRC found = FindResourceA(resources, m_lpszTemplateName, RT_DIALOG);
  auto* source = found ? static_cast<LPCDLGTEMPLATEA>(LockResource(LoadResource(resources, found))) : nullptr;
  if (source == nullptr) {
    ui::driver().record("error: dialog template " + TemplateName(m_lpszTemplateName) +
                        " is not among the resources of the current module");
    return -1;
  }
  // Without a parent the application's main window owns the dialog (and is
  // disabled while it runs).
  CWnd* parent = m_pParentWnd ? m_pParentWnd : AfxGetMainWnd();
  HWND owner = parent ? parent->GetSafeHwnd() : nullptr;
  HWND created = nullptr;
  try {
    created = CreateDialogIndirectParamA(resources, source, owner, AfxDlgProc, reinterpret_cast<LPARAM>(this));
  } catch (...) {
    mfc::detail::ForgetDestroyedWindows();
    throw;
  }
  if (created == nullptr) {
    mfc::detail::ForgetDestroyedWindows();
    return -1;
  }
  return RunModalLoop();
}

void CDialog::EndDialog(int nResult) { ::EndDialog(m_hWnd, nResult); }

BOOL CDialog::UpdateData(BOOL bSaveAndValidate) {
  CDataExchange exchange(this, bSaveAndValidate);
  try {
    DoDataExchange(&exchange);
    return TRUE;
  } catch (const DataExchangeFailure&) {
    return FALSE;
  }
}

void CDialog::GotoDlgCtrl(CWnd* pWndCtrl) {
  if (pWndCtrl) ::SetFocus(pWndCtrl->m_hWnd);
}

BOOL CDialog::OnInitDialog() {
  UpdateData(FALSE);
  return TRUE;
}

void CDialog::OnOK() {
  if (UpdateData(TRUE)) EndDialog(IDOK);
}

void CDialog::OnCancel() { EndDialog(IDCANCEL); }
void CDialog::DoDataExchange(CDataExchange*) {}

// Navigation and default buttons are the dialog's own; nothing to do here.
BOOL CDialog::PreTranslateMessage(MSG* pMsg) { return CWnd::PreTranslateMessage(pMsg); }

LRESULT CDialog::DefWindowProc(UINT message, WPARAM wParam, LPARAM lParam) {
  return ::DefDlgProcA(m_hWnd, message, wParam, lParam);
}

// WM_INITDIALOG goes to OnInitDialog.
BOOL CDialog::OnWndMsg(UINT message, WPARAM wParam, LPARAM lParam, LRESULT* pResult) {
  if (message != WM_INITDIALOG) return CWnd::OnWndMsg(message, wParam, lParam, pResult);
  *pResult = OnInitDialog();
  return TRUE;
}

// ---- Data exchange ----

HWND CDataExchange::PrepareCtrl(int nIDC) {
  HWND control = ::GetDlgItem(m_pDlgWnd->m_hWnd, nIDC);
  if (control == nullptr) {
    ui::driver().record("error: dialog " + std::string(m_pDlgWnd->GetRuntimeClass()->m_lpszClassName) +
                        " has no control " + std::to_string(nIDC) + " to exchange data with");
    Fail();
  }
  m_hWndLastControl = control;
  return control;
}

HWND CDataExchange::PrepareEditCtrl(int nIDC) { return PrepareCtrl(nIDC); }

void CDataExchange::Fail() {
  if (m_hWndLastControl) ::SetFocus(m_hWndLastControl);
  throw DataExchangeFailure{};
}

void AFXAPI DDX_Control(CDataExchange* pDX, int nIDC, CWnd& rControl) {
  if (rControl.m_hWnd != nullptr) return;
  HWND control = pDX->PrepareCtrl(nIDC);
  if (!rControl.SubclassWindow(control)) {
    ui::driver().record("error: control " + std::to_string(nIDC) + " is bound to two objects");
    pDX->Fail();
  }
}

void AFXAPI DDX_Text(CDataExchange* pDX, int nIDC, CString& value) {
  HWND control = pDX->PrepareEditCtrl(nIDC);
  if (!pDX->m_bSaveAndValidate) return (void)::SetWindowTextA(control, value);
  CWnd::FromHandle(control)->GetWindowText(value);
}

namespace {

// Number fields: the whole text (blanks around it allowed) must be a number.
template <typename T, typename Parse>
void ExchangeNumber(CDataExchange* pDX, int nIDC, T& value, const char* format, const char* complaint, Parse parse) {
  HWND control = pDX->PrepareEditCtrl(nIDC);
  if (!pDX->m_bSaveAndValidate) {
    CString text;
    text.Format(format, value);
    ::SetWindowTextA(control, text);
    return;
  }
  CString text;
  CWnd::FromHandle(control)->GetWindowText(text);
  text.Trim();
  char* end = nullptr;
  const T parsed = parse(text.GetString(), &end);
  if (text.IsEmpty() || *end != '\0') {
    AfxMessageBox(complaint, MB_ICONEXCLAMATION);
    pDX->Fail();
  }
  value = parsed;
}

}  // namespace

void AFXAPI DDX_Text(CDataExchange* pDX, int nIDC, int& value) {
  ExchangeNumber(pDX, nIDC, value, "%d", "Please enter an integer.",
                 [](const char* s, char** end) { return static_cast<int>(std::strtol(s, end, 10)); });
}

void AFXAPI DDX_Text(CDataExchange* pDX, int nIDC, double& value) {
  ExchangeNumber(pDX, nIDC, value, "%.15g", "Please enter a number.",
                 [](const char* s, char** end) { return std::strtod(s, end); });
}

void AFXAPI DDX_Check(CDataExchange* pDX, int nIDC, int& value) {
  HWND control = pDX->PrepareCtrl(nIDC);
  if (pDX->m_bSaveAndValidate) value = static_cast<int>(::SendMessageA(control, BM_GETCHECK, 0, 0));
  else ::SendMessageA(control, BM_SETCHECK, static_cast<WPARAM>(value), 0);
}
