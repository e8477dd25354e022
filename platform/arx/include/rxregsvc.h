#pragma once
// The system registry: the editor's named services ("DynamicLinker",
// "ACAD_REGISTERED_COMMANDS", ...).
#include <map>
#include <string>

#include "rxobject.h"
#include "rxdefs.h"
#include "rxdlinkr.h"

#define ACRX_DYNAMIC_LINKER "DynamicLinker"

class AcRxDictionary : public AcRxObject {
 public:
  ACRX_DECLARE_MEMBERS(AcRxDictionary);
  // The object registered under `key` (exact name), nullptr when none.
  AcRxObject* at(const char* key) const;
  // Registers `object` under `key` and returns what was there before.
  AcRxObject* atPut(const char* key, AcRxObject* object);
  bool has(const char* key) const;

 private:
  std::map<std::string, AcRxObject*> m_entries;
};

AcRxDictionary* acrxSysRegistry();

#define acrxDynamicLinker AcRxDynamicLinker::cast(acrxSysRegistry()->at(ACRX_DYNAMIC_LINKER))
