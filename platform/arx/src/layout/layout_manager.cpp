#include <strings.h>

#include "acaplmgr.h"
#include "arx/pagesetup.h"
#include "dbdict.h"

namespace arx {
namespace {

// The entry `name` of an open dictionary, made as a new T when missing.
template <class T>
AcDbObjectId entryOrNew(AcDbDictionary* dictionary, const char* name) {
  AcDbObjectId id;
  if (dictionary->getAt(name, id) == Acad::eOk) return id;
  T* object = new T;
  if (dictionary->setAt(name, object, id) == Acad::eOk) return object->close(), id;
  delete object;
  return AcDbObjectId::kNull;
}

}  // namespace

AcDbObjectId modelLayoutId(AcDbDatabase& db) {
  AcDbDictionary* named = nullptr;
  if (db.getNamedObjectsDictionary(named, AcDb::kForWrite) != Acad::eOk) return AcDbObjectId::kNull;
  const AcDbObjectId layoutsId = entryOrNew<AcDbDictionary>(named, "ACAD_LAYOUT");
  named->close();
  AcDbDictionary* layouts = nullptr;
  if (layoutsId.isNull() || acdbOpenObject(layouts, layoutsId, AcDb::kForWrite) != Acad::eOk)
    return AcDbObjectId::kNull;
  const AcDbObjectId layoutId = entryOrNew<AcDbLayout>(layouts, "Model");
  layouts->close();
  return layoutId;
}

}  // namespace arx

const ACHAR* AcDbLayoutManager::findActiveLayout(bool allowModel) {
  static std::string active;
  AcDbDatabase* db = acdbHostApplicationServices()->workingDatabase();
  // Model space is the only sheet of this editor.
  if (!db || !allowModel) return nullptr;
  active = arx::pageSetup(*db).layoutName;
  return active.c_str();
}

AcDbObjectId AcDbLayoutManager::findLayoutId(const ACHAR* name) {
  AcDbDatabase* db = acdbHostApplicationServices()->workingDatabase();
  if (!db || !name || strcasecmp(name, arx::pageSetup(*db).layoutName.c_str()) != 0) return AcDbObjectId::kNull;
  return arx::modelLayoutId(*db);
}

Acad::ErrorStatus AcDbLayoutManager::getLayoutNamed(const ACHAR* name, AcDbLayout*& layout, AcDb::OpenMode mode) {
  layout = nullptr;
  const AcDbObjectId id = findLayoutId(name);
  if (id.isNull()) return Acad::eKeyNotFound;
  return acdbOpenObject(layout, id, mode);
}

AcDbLayout* AcDbLayoutManager::findLayoutNamed(const ACHAR* name, bool leaveRecordOpen) {
  AcDbLayout* layout = nullptr;
  if (getLayoutNamed(name, layout, AcDb::kForRead) != Acad::eOk) return nullptr;
  if (!leaveRecordOpen) layout->close();
  return layout;
}

int AcApLayoutManager::pageSetup(AcDbObjectId, void*, Adesk::Boolean) { return arx::runPageSetupDialog() ? 1 : 0; }
