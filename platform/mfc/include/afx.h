#pragma once
// MFC's core: strings, run-time class information and the module state.
// Windows, dialogs and the application object: <afxwin.h>.
#include <windows.h>

#include <afxstr.h>

#define AFXAPI WINAPI
#define AFX_CDECL
#define PASCAL
#define afx_msg

// ---- Run-time class information ----
class CObject;

struct CRuntimeClass {
  LPCSTR m_lpszClassName;
  int m_nObjectSize;
  CRuntimeClass* (*m_pfnGetBaseClass)();
  BOOL IsDerivedFrom(const CRuntimeClass* pBaseClass) const;
};

#define RUNTIME_CLASS(class_name) (class_name::GetThisClass())

#define DECLARE_DYNAMIC(class_name)          \
 public:                                     \
  static CRuntimeClass* PASCAL GetThisClass(); \
  virtual CRuntimeClass* GetRuntimeClass() const;

#define IMPLEMENT_DYNAMIC(class_name, base_class_name)                                      \
  CRuntimeClass* PASCAL class_name::GetThisClass() {                                        \
    static CRuntimeClass runtimeClass{#class_name, static_cast<int>(sizeof(class_name)),    \
                                      &base_class_name::GetThisClass};                      \
    return &runtimeClass;                                                                   \
  }                                                                                         \
  CRuntimeClass* class_name::GetRuntimeClass() const { return GetThisClass(); }

class CObject {
 public:
  virtual ~CObject() = default;
  static CRuntimeClass* PASCAL GetThisClass();
  virtual CRuntimeClass* GetRuntimeClass() const;
  BOOL IsKindOf(const CRuntimeClass* pClass) const;

 protected:
  CObject() = default;
  CObject(const CObject&) = default;
  CObject& operator=(const CObject&) = default;
};

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

// Windows, dialogs and the application object.
#include <afxwin.h>
