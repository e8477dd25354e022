// Dictionaries: named entries, keys compared without regard to case.
#include "database_impl.h"
#include "dbdict.h"

ACRX_DEFINE_MEMBERS(AcDbDictionary, AcDbObject)

AcDbDictionary::~AcDbDictionary() = default;

Acad::ErrorStatus AcDbDictionary::getAt(const ACHAR* name, AcDbObjectId& id) const {
  id.setNull();
  if (!name) return Acad::eInvalidKey;
  auto it = m_entries.find(arx::upperKey(name));
  if (it == m_entries.end() || it->second.id.isErased()) return Acad::eKeyNotFound;
  id = it->second.id;
  return Acad::eOk;
}

Acad::ErrorStatus AcDbDictionary::getAt(const ACHAR* name, AcDbObject*& object, AcDb::OpenMode mode) const {
  object = nullptr;
  AcDbObjectId id;
  Acad::ErrorStatus es = getAt(name, id);
  return es == Acad::eOk ? acdbOpenAcDbObject(object, id, mode) : es;
}

Acad::ErrorStatus AcDbDictionary::nameAt(AcDbObjectId id, ACHAR*& name) const {
  for (const auto& [key, entry] : m_entries)
    if (entry.id == id) {
      name = arx::newString(entry.name);
      return Acad::eOk;
    }
  return Acad::eKeyNotFound;
}

bool AcDbDictionary::has(const ACHAR* name) const {
  AcDbObjectId id;
  return getAt(name, id) == Acad::eOk;
}

bool AcDbDictionary::has(AcDbObjectId id) const {
  for (const auto& [key, entry] : m_entries)
    if (entry.id == id && !id.isErased()) return true;
  return false;
}

Acad::ErrorStatus AcDbDictionary::setAt(const ACHAR* name, AcDbObject* object, AcDbObjectId& id) {
  id.setNull();
  if (!name || !*name) return Acad::eInvalidKey;
  if (!object) return Acad::eNullObjectPointer;
  if (!database()) return Acad::eNotInDatabase;
  if (!isWriteEnabled()) return Acad::eNotOpenForWrite;
  if (object->database() && object->database() != database()) return Acad::eWrongDatabase;
  if (!object->database()) {
    Acad::ErrorStatus es = arx::addToDatabase(*database(), object, id);
    if (es != Acad::eOk) return es;
  }
  id = object->objectId();
  object->setOwnerId(objectId());
  m_entries[arx::upperKey(name)] = Entry{name, id};
  return Acad::eOk;
}

Acad::ErrorStatus AcDbDictionary::remove(const ACHAR* name, AcDbObjectId& id) {
  if (!isWriteEnabled()) return Acad::eNotOpenForWrite;
  if (!name) return Acad::eInvalidKey;
  auto it = m_entries.find(arx::upperKey(name));
  if (it == m_entries.end()) return Acad::eKeyNotFound;
  id = it->second.id;
  m_entries.erase(it);
  return Acad::eOk;
}

Acad::ErrorStatus AcDbDictionary::remove(const ACHAR* name) {
  AcDbObjectId id;
  return remove(name, id);
}
