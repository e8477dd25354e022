#pragma once
// The MFC subset the modules use: the application object and the module
// state of an MFC regular DLL. Windows and dialogs build on this later.
#include <windows.h>

#include <string>

#define AFXAPI WINAPI
#define AFX_CDECL

class CWinApp;
struct IDispatch;
typedef IDispatch* LPDISPATCH;
class CCmdTarget;
namespace mfc {
void SetAutomationObject(CCmdTarget& target, LPDISPATCH dispatch);  // <mfc/automation.h>
}

// What MFC keeps per module (the program or one regular DLL): its application
// object and its instance and resource handles.
struct AFX_MODULE_STATE {
  CWinApp* m_pCurrentWinApp = nullptr;
  HINSTANCE m_hCurrentInstanceHandle = nullptr;
  HINSTANCE m_hCurrentResourceHandle = nullptr;
  LPCSTR m_lpszCurrentAppName = nullptr;
  BOOL m_bDLL = FALSE;
};

// The current module state of this thread (the program's when none was made
// current), the program's own, and the calling module's own (defined in each
// MFC regular DLL by the module glue, so every module gets its own).
AFX_MODULE_STATE* AFXAPI AfxGetModuleState();
AFX_MODULE_STATE* AFXAPI AfxGetAppModuleState();
__attribute__((visibility("hidden"))) AFX_MODULE_STATE* AFXAPI AfxGetStaticModuleState();
// Makes `state` current on this thread; returns the one current before.
AFX_MODULE_STATE* AFXAPI AfxSetModuleState(AFX_MODULE_STATE* state);

CWinApp* AFXAPI AfxGetApp();
HINSTANCE AFXAPI AfxGetInstanceHandle();
HINSTANCE AFXAPI AfxGetResourceHandle();
void AFXAPI AfxSetResourceHandle(HINSTANCE hInstResource);

// Keeps a module state current for the life of the object; the previous one
// comes back when it ends, also by an exception.
struct AFX_MAINTAIN_STATE2 {
  explicit AFX_MAINTAIN_STATE2(AFX_MODULE_STATE* pModuleState);
  ~AFX_MAINTAIN_STATE2();
  AFX_MAINTAIN_STATE2(const AFX_MAINTAIN_STATE2&) = delete;
  AFX_MAINTAIN_STATE2& operator=(const AFX_MAINTAIN_STATE2&) = delete;

  AFX_MODULE_STATE* m_pPrevModuleState;
};
#define AFX_MANAGE_STATE(p) AFX_MAINTAIN_STATE2 _ctlState(p)

// Base of the objects that answer commands; here only its automation side.
class CCmdTarget {
 public:
  CCmdTarget() = default;
  virtual ~CCmdTarget();
  CCmdTarget(const CCmdTarget&) = delete;
  CCmdTarget& operator=(const CCmdTarget&) = delete;

  // The object's automation interface, null when it has none; with bAddRef
  // the caller gets a reference of its own and releases it.
  LPDISPATCH GetIDispatch(BOOL bAddRef);

 private:
  friend void mfc::SetAutomationObject(CCmdTarget& target, LPDISPATCH dispatch);
  LPDISPATCH m_pDispatch = nullptr;  // one reference held
};

// The application object. One per module; constructing it registers it with
// the module state current at that time (the module's own while the module's
// static objects are built). The string members are not owned: whoever points
// them at a string keeps it alive while they do.
class CWinApp : public CCmdTarget {
 public:
  explicit CWinApp(LPCSTR lpszAppName = nullptr);
  ~CWinApp() override;
  CWinApp(const CWinApp&) = delete;
  CWinApp& operator=(const CWinApp&) = delete;

  virtual BOOL InitInstance();
  virtual int ExitInstance();

  // With m_pszRegistryKey null these read and write the INI file
  // m_pszProfileName through the private-profile functions; without a profile
  // file, or with a registry key (no registry here), reads give the default
  // and writes fail.
  std::string GetProfileString(LPCSTR lpszSection, LPCSTR lpszEntry,
                               LPCSTR lpszDefault = nullptr);
  BOOL WriteProfileString(LPCSTR lpszSection, LPCSTR lpszEntry, LPCSTR lpszValue);
  UINT GetProfileInt(LPCSTR lpszSection, LPCSTR lpszEntry, int nDefault);
  BOOL WriteProfileInt(LPCSTR lpszSection, LPCSTR lpszEntry, int nValue);

  HINSTANCE m_hInstance = nullptr;
  LPCSTR m_pszAppName = nullptr;
  LPCSTR m_pszRegistryKey = nullptr;
  LPCSTR m_pszProfileName = nullptr;

 private:
  bool UsesProfileFile() const;

  AFX_MODULE_STATE* m_pModuleState;
};
