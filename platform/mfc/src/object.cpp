// Run-time class information.
#include <afx.h>

BOOL CRuntimeClass::IsDerivedFrom(const CRuntimeClass* pBaseClass) const {
  for (const CRuntimeClass* c = this; c != nullptr; c = c->m_pfnGetBaseClass ? c->m_pfnGetBaseClass() : nullptr)
    if (c == pBaseClass) return TRUE;
  return FALSE;
}

CRuntimeClass* PASCAL CObject::GetThisClass() {
  static CRuntimeClass runtimeClass{"CObject", static_cast<int>(sizeof(CObject)), nullptr};
  return &runtimeClass;
}

CRuntimeClass* CObject::GetRuntimeClass() const { return GetThisClass(); }

BOOL CObject::IsKindOf(const CRuntimeClass* pClass) const { return GetRuntimeClass()->IsDerivedFrom(pClass); }
