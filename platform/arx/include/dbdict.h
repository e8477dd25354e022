#pragma once
// Dictionaries: objects stored under names (case-insensitive).
#include <map>
#include <string>

#include "dbmain.h"

class AcDbDictionary : public AcDbObject {
 public:
  ACRX_DECLARE_MEMBERS(AcDbDictionary)
  ~AcDbDictionary() override;

  Acad::ErrorStatus getAt(const ACHAR* name, AcDbObject*& object, AcDb::OpenMode mode) const;
  Acad::ErrorStatus getAt(const ACHAR* name, AcDbObjectId& id) const;
  Acad::ErrorStatus nameAt(AcDbObjectId id, ACHAR*& name) const;  // new[] copy
  bool has(const ACHAR* name) const;
  bool has(AcDbObjectId id) const;
  Adesk::UInt32 numEntries() const { return static_cast<Adesk::UInt32>(m_entries.size()); }
  // Stores `object` under `name` (replacing an entry of that name); a new
  // object becomes resident in the dictionary's database, open for write.
  Acad::ErrorStatus setAt(const ACHAR* name, AcDbObject* object, AcDbObjectId& id);
  Acad::ErrorStatus remove(const ACHAR* name);
  Acad::ErrorStatus remove(const ACHAR* name, AcDbObjectId& id);

  // Stand-in internals: entries by upper-case key, with the name as given.
  struct Entry {
    std::string name;
    AcDbObjectId id;
  };
  const std::map<std::string, Entry>& entries() const { return m_entries; }

 private:
  std::map<std::string, Entry> m_entries;
};
