// The automation side of CCmdTarget. Only the COM interface definitions are
// used (AddRef and Release are virtual calls), so no COM runtime is linked.
#include <objbase.h>

#include "mfc/automation.h"

IMPLEMENT_DYNAMIC(CCmdTarget, CObject)

// The root of every message map: no entries, no base.
const AFX_MSGMAP* PASCAL CCmdTarget::GetThisMessageMap() {
  static const AFX_MSGMAP_ENTRY noEntries[] = {{0, 0, 0, 0, AfxSig_end, nullptr, nullptr}};
  static const AFX_MSGMAP messageMap = {nullptr, &noEntries[0]};
  return &messageMap;
}

const AFX_MSGMAP* CCmdTarget::GetMessageMap() const { return GetThisMessageMap(); }

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
