// The application object and its profile functions.
#include <afxwin.h>

#include <cstdio>

namespace {

// Values beyond this many bytes are cut (a profile line is never this long).
constexpr DWORD kLongestValue = 16u << 20;

std::string ReadPrivateProfile(LPCSTR section, LPCSTR entry, LPCSTR fallback, LPCSTR file) {
  for (DWORD size = 256;; size *= 2) {
    std::string buffer(size, '\0');
    DWORD length = GetPrivateProfileStringA(section, entry, fallback, buffer.data(), size, file);
    if (length + 1 < size || size >= kLongestValue) {
      buffer.resize(length < size ? length : size - 1);
      return buffer;
    }
  }
}

}  // namespace

CWinApp::CWinApp(LPCSTR lpszAppName)
    : m_pszAppName(lpszAppName), m_pModuleState(AfxGetModuleState()) {
  m_pModuleState->m_pCurrentWinApp = this;
  m_pModuleState->m_lpszCurrentAppName = lpszAppName;
}

CWinApp::~CWinApp() {
  if (m_pModuleState->m_pCurrentWinApp == this) m_pModuleState->m_pCurrentWinApp = nullptr;
}

BOOL CWinApp::InitInstance() { return TRUE; }

int CWinApp::ExitInstance() { return 0; }

bool CWinApp::UsesProfileFile() const {
  return m_pszRegistryKey == nullptr && m_pszProfileName != nullptr;
}

std::string CWinApp::GetProfileString(LPCSTR lpszSection, LPCSTR lpszEntry, LPCSTR lpszDefault) {
  const std::string fallback = lpszDefault ? lpszDefault : "";
  if (!UsesProfileFile() || lpszSection == nullptr || lpszEntry == nullptr) return fallback;
  return ReadPrivateProfile(lpszSection, lpszEntry, fallback.c_str(), m_pszProfileName);
}

BOOL CWinApp::WriteProfileString(LPCSTR lpszSection, LPCSTR lpszEntry, LPCSTR lpszValue) {
  if (!UsesProfileFile() || lpszSection == nullptr) {
    SetLastError(ERROR_INVALID_PARAMETER);
    return FALSE;
  }
  return WritePrivateProfileStringA(lpszSection, lpszEntry, lpszValue, m_pszProfileName);
}

UINT CWinApp::GetProfileInt(LPCSTR lpszSection, LPCSTR lpszEntry, int nDefault) {
  if (!UsesProfileFile() || lpszSection == nullptr || lpszEntry == nullptr)
    return static_cast<UINT>(nDefault);
  return GetPrivateProfileIntA(lpszSection, lpszEntry, nDefault, m_pszProfileName);
}

BOOL CWinApp::WriteProfileInt(LPCSTR lpszSection, LPCSTR lpszEntry, int nValue) {
  char text[16];
  std::snprintf(text, sizeof text, "%d", nValue);
  return WriteProfileString(lpszSection, lpszEntry, text);
}

HICON CWinApp::LoadIcon(UINT nIDResource) const { return LoadIcon(MAKEINTRESOURCE(nIDResource)); }

HICON CWinApp::LoadIcon(LPCSTR lpszResourceName) const {
  return ::LoadIconA(AfxGetResourceHandle(), lpszResourceName);
}

CWnd* AFXAPI AfxGetMainWnd() {
  CWinApp* app = AfxGetApp();
  return app ? app->m_pMainWnd : nullptr;
}

LPCSTR AFXAPI AfxGetAppName() {
  const AFX_MODULE_STATE* state = AfxGetModuleState();
  if (state->m_lpszCurrentAppName) return state->m_lpszCurrentAppName;
  CWinApp* app = AfxGetApp();
  return app && app->m_pszAppName ? app->m_pszAppName : "";
}

int AFXAPI AfxMessageBox(LPCSTR lpszText, UINT nType, UINT) {
  return ::MessageBoxA(::GetActiveWindow(), lpszText, AfxGetAppName(), nType);
}
