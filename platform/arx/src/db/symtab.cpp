// Symbol tables and their records: layers, model and paper space.
#include <algorithm>
#include <cctype>
#include <string_view>

#include "database_impl.h"
#include "dbsymtb.h"

ACRX_DEFINE_MEMBERS(AcDbSymbolTableRecord, AcDbObject)
ACRX_DEFINE_MEMBERS(AcDbSymbolTable, AcDbObject)
ACRX_DEFINE_MEMBERS(AcDbLayerTableRecord, AcDbSymbolTableRecord)
ACRX_DEFINE_MEMBERS(AcDbLayerTable, AcDbSymbolTable)
ACRX_DEFINE_MEMBERS(AcDbBlockTableRecord, AcDbSymbolTableRecord)
ACRX_DEFINE_MEMBERS(AcDbBlockTable, AcDbSymbolTable)

// --- records ---------------------------------------------------------------------

Acad::ErrorStatus AcDbSymbolTableRecord::getName(ACHAR*& name) const {
  name = arx::newString(nameRef());
  return Acad::eOk;
}

Acad::ErrorStatus AcDbSymbolTableRecord::getName(const ACHAR*& name) const {
  name = nameRef().c_str();
  return Acad::eOk;
}

namespace {

// Renames of records in a database so far: a table's name index older than
// the last rename is made again.
std::uint64_t& renames() {
  static std::uint64_t count = 0;
  return count;
}

std::string upperName(std::string_view name) {
  std::string upper(name);
  for (char& c : upper) c = static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
  return upper;
}

}  // namespace

Acad::ErrorStatus AcDbSymbolTableRecord::setName(const ACHAR* name) {
  if (!name || !*name) return Acad::eInvalidInput;
  if (!assertWriteEnabled()) return Acad::eNotOpenForWrite;
  nameRef() = name;
  if (!objectId().isNull()) ++renames();  // a record not yet added is in no table's index
  return Acad::eOk;
}

AcDbLayerTableRecord::AcDbLayerTableRecord() = default;

Acad::ErrorStatus AcDbLayerTableRecord::setIsPlottable(bool plottable) {
  if (!assertWriteEnabled()) return Acad::eNotOpenForWrite;
  m_layer.plottable = plottable;
  return Acad::eOk;
}

void AcDbLayerTableRecord::setIsOff(bool off) {
  if (assertWriteEnabled()) m_layer.on = !off;
}

Acad::ErrorStatus AcDbLayerTableRecord::setIsFrozen(bool frozen) {
  if (!assertWriteEnabled()) return Acad::eNotOpenForWrite;
  m_layer.frozen = frozen;
  return Acad::eOk;
}

AcCmColor AcDbLayerTableRecord::color() const {
  AcCmColor c;
  c.setColorIndex(static_cast<Adesk::UInt16>(m_layer.color));
  return c;
}

void AcDbLayerTableRecord::setColor(const AcCmColor& color) {
  const int index = color.colorIndex();
  if (index >= 1 && index <= 255 && assertWriteEnabled()) m_layer.color = index;
}

AcDbBlockTableRecord::AcDbBlockTableRecord() = default;
AcDbBlockTableRecord::~AcDbBlockTableRecord() = default;

Acad::ErrorStatus AcDbBlockTableRecord::appendAcDbEntity(AcDbEntity* entity) {
  AcDbObjectId id;
  return appendAcDbEntity(id, entity);
}

Acad::ErrorStatus AcDbBlockTableRecord::appendAcDbEntity(AcDbObjectId& id, AcDbEntity* entity) {
  if (!entity) return Acad::eNullEntityPointer;
  if (!database()) return Acad::eNotInDatabase;
  if (!isWriteEnabled()) return Acad::eNotOpenForWrite;
  if (entity->layerId().isNull()) entity->setDatabaseDefaults(database());
  if (entity->layerId().database() != database()) return Acad::eWrongDatabase;
  Acad::ErrorStatus es = arx::addToDatabase(*database(), entity, id);
  if (es != Acad::eOk) return es;
  entity->setOwnerId(objectId());
  m_entities.push_back(id);
  return Acad::eOk;
}

Acad::ErrorStatus AcDbBlockTableRecord::newIterator(AcDbBlockTableRecordIterator*& iterator, bool atBeginning,
                                                    bool skipDeleted) const {
  iterator = new AcDbBlockTableRecordIterator(this);
  iterator->start(atBeginning, skipDeleted);
  return Acad::eOk;
}

// --- iterator --------------------------------------------------------------------------

AcDbBlockTableRecordIterator::AcDbBlockTableRecordIterator(const AcDbBlockTableRecord* record)
    : m_ids(record->entityIds()) {}

void AcDbBlockTableRecordIterator::start(bool atBeginning, bool skipDeleted) {
  m_skipErased = skipDeleted;
  m_index = atBeginning ? 0 : static_cast<long>(m_ids.size()) - 1;
  skipErased(atBeginning);
}

bool AcDbBlockTableRecordIterator::done() const { return m_index < 0 || m_index >= static_cast<long>(m_ids.size()); }

void AcDbBlockTableRecordIterator::step(bool forward, bool skipDeleted) {
  m_skipErased = skipDeleted;
  m_index += forward ? 1 : -1;
  skipErased(forward);
}

void AcDbBlockTableRecordIterator::skipErased(bool forward) {
  while (m_skipErased && !done() && m_ids[m_index].isErased()) m_index += forward ? 1 : -1;
}

Acad::ErrorStatus AcDbBlockTableRecordIterator::getEntityId(AcDbObjectId& id) const {
  if (done()) return Acad::eInvalidInput;
  id = m_ids[m_index];
  return Acad::eOk;
}

Acad::ErrorStatus AcDbBlockTableRecordIterator::getEntity(AcDbEntity*& entity, AcDb::OpenMode mode,
                                                          bool openErased) const {
  entity = nullptr;
  if (done()) return Acad::eInvalidInput;
  return acdbOpenAcDbEntity(entity, m_ids[m_index], mode, openErased);
}

// --- tables --------------------------------------------------------------------------

// Symbol names compare without regard to case: the index is keyed by the upper-case name.
const std::vector<AcDbObjectId>* AcDbSymbolTable::indexed(const std::string& name) const {
  if (m_indexRenames != renames()) {
    m_index.clear();
    for (const AcDbObjectId& record : m_records)
      if (const auto* rec = static_cast<const AcDbSymbolTableRecord*>(record.stub()->object.get()))
        m_index[upperName(rec->name())].push_back(record);
    m_indexRenames = renames();
  }
  const auto it = m_index.find(name);
  return it == m_index.end() ? nullptr : &it->second;
}

Acad::ErrorStatus AcDbSymbolTable::getAt(const ACHAR* name, AcDbObjectId& id, bool getErased) const {
  id.setNull();
  if (!name) return Acad::eInvalidInput;
  if (const std::vector<AcDbObjectId>* records = indexed(upperName(name)))
    for (const AcDbObjectId& record : *records) {
      if (record.isErased() && !getErased) continue;
      id = record;
      return Acad::eOk;
    }
  return Acad::eKeyNotFound;
}

Acad::ErrorStatus AcDbSymbolTable::getAt(const ACHAR* name, AcDbSymbolTableRecord*& record, AcDb::OpenMode mode,
                                         bool openErased) const {
  record = nullptr;
  AcDbObjectId id;
  Acad::ErrorStatus es = getAt(name, id, openErased);
  if (es != Acad::eOk) return es;
  return acdbOpenObject(record, id, mode, openErased);
}

bool AcDbSymbolTable::has(const ACHAR* name) const {
  AcDbObjectId id;
  return getAt(name, id) == Acad::eOk;
}

bool AcDbSymbolTable::has(AcDbObjectId id) const {
  return std::find(m_records.begin(), m_records.end(), id) != m_records.end() && !id.isErased();
}

Acad::ErrorStatus AcDbSymbolTable::add(AcDbSymbolTableRecord* record) {
  AcDbObjectId id;
  return add(id, record);
}

Acad::ErrorStatus AcDbSymbolTable::add(AcDbObjectId& id, AcDbSymbolTableRecord* record) {
  if (!record) return Acad::eNullObjectPointer;
  if (!database()) return Acad::eNotInDatabase;
  if (!isWriteEnabled()) return Acad::eNotOpenForWrite;
  if (!accepts(record)) return Acad::eWrongObjectType;
  if (record->name().empty()) return Acad::eInvalidInput;
  if (has(record->name().c_str())) return Acad::eDuplicateKey;
  Acad::ErrorStatus es = arx::addToDatabase(*database(), record, id);
  if (es != Acad::eOk) return es;
  record->setOwnerId(objectId());
  m_records.push_back(id);
  if (m_indexRenames == renames()) m_index[upperName(record->name())].push_back(id);
  return Acad::eOk;
}

Acad::ErrorStatus AcDbLayerTable::getAt(const ACHAR* name, AcDbLayerTableRecord*& record, AcDb::OpenMode mode,
                                        bool openErased) const {
  AcDbSymbolTableRecord* base = nullptr;
  Acad::ErrorStatus es = AcDbSymbolTable::getAt(name, base, mode, openErased);
  record = static_cast<AcDbLayerTableRecord*>(base);
  return es;
}

bool AcDbLayerTable::accepts(const AcDbSymbolTableRecord* record) const {
  return record->isKindOf(AcDbLayerTableRecord::desc());
}

Acad::ErrorStatus AcDbBlockTable::getAt(const ACHAR* name, AcDbBlockTableRecord*& record, AcDb::OpenMode mode,
                                        bool openErased) const {
  AcDbSymbolTableRecord* base = nullptr;
  Acad::ErrorStatus es = AcDbSymbolTable::getAt(name, base, mode, openErased);
  record = static_cast<AcDbBlockTableRecord*>(base);
  return es;
}

bool AcDbBlockTable::accepts(const AcDbSymbolTableRecord* record) const {
  return record->isKindOf(AcDbBlockTableRecord::desc());
}
