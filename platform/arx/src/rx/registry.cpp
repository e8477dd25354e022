// The system registry with the editor's services.
#include "accmd.h"
#include "rxregsvc.h"

ACRX_DEFINE_MEMBERS(AcRxDictionary, AcRxObject)

AcRxObject* AcRxDictionary::at(const char* key) const {
  if (key == nullptr) return nullptr;
  auto it = m_entries.find(key);
  return it == m_entries.end() ? nullptr : it->second;
}

AcRxObject* AcRxDictionary::atPut(const char* key, AcRxObject* object) {
  AcRxObject* previous = at(key);
  m_entries[key] = object;
  return previous;
}

bool AcRxDictionary::has(const char* key) const { return at(key) != nullptr; }

AcRxDictionary* acrxSysRegistry() {
  static AcRxDynamicLinker linker;
  static AcEdCommandStack commands;
  static AcRxDictionary* registry = [] {
    static AcRxDictionary dictionary;
    dictionary.atPut(ACRX_DYNAMIC_LINKER, &linker);
    dictionary.atPut(ACRX_COMMAND_DOCK, &commands);
    return &dictionary;
  }();
  return registry;
}
