// The automation side of CCmdTarget. Only the COM interface definitions are
// used (AddRef and Release are virtual calls), so no COM runtime is linked.
#include <objbase.h>

#include "mfc/automation.h"

CCmdTarget::~CCmdTarget() {
  if (m_pDispatch) m_pDispatch->Release();
}

LPDISPATCH CCmdTarget::GetIDispatch(BOOL bAddRef) {
  if (m_pDispatch && bAddRef) m_pDispatch->AddRef();
  return m_pDispatch;
}

namespace mfc {

void SetAutomationObject(CCmdTarget& target, LPDISPATCH dispatch) {
  if (target.m_pDispatch) target.m_pDispatch->Release();
  target.m_pDispatch = dispatch;
}

}  // namespace mfc
