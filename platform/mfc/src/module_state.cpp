// Module states: the program's own and the current one of each thread.
#include <afxwin.h>

namespace {

constinit AFX_MODULE_STATE programState;
thread_local AFX_MODULE_STATE* currentState = nullptr;

}  // namespace

AFX_MODULE_STATE* AFXAPI AfxGetAppModuleState() { return &programState; }

AFX_MODULE_STATE* AFXAPI AfxGetModuleState() {
  return currentState != nullptr ? currentState : &programState;
}

AFX_MODULE_STATE* AFXAPI AfxSetModuleState(AFX_MODULE_STATE* state) {
  AFX_MODULE_STATE* previous = AfxGetModuleState();
  currentState = state;
  return previous;
}

CWinApp* AFXAPI AfxGetApp() { return AfxGetModuleState()->m_pCurrentWinApp; }

HINSTANCE AFXAPI AfxGetInstanceHandle() { return AfxGetModuleState()->m_hCurrentInstanceHandle; }

HINSTANCE AFXAPI AfxGetResourceHandle() { return AfxGetModuleState()->m_hCurrentResourceHandle; }

void AFXAPI AfxSetResourceHandle(HINSTANCE hInstResource) {
  AfxGetModuleState()->m_hCurrentResourceHandle = hInstResource;
}

AFX_MAINTAIN_STATE2::AFX_MAINTAIN_STATE2(AFX_MODULE_STATE* pModuleState)
    : m_pPrevModuleState(AfxSetModuleState(pModuleState)) {}

AFX_MAINTAIN_STATE2::~AFX_MAINTAIN_STATE2() { AfxSetModuleState(m_pPrevModuleState); }
