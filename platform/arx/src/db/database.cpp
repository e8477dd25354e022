// The database: object records, the default drawing, the working database.
#include <algorithm>
#include <memory>

#include "database_impl.h"
#include "dbdict.h"
#include "dbsymtb.h"

ACRX_DEFINE_MEMBERS(AcDbDatabase, AcRxObject)

namespace {

struct Working {
  AcDbDatabase* current = nullptr;
  std::unique_ptr<AcDbDatabase> owned;
};
Working& working() {
  static Working w;
  return w;
}

}  // namespace

AcDbStub* AcDbDatabase::Impl::addStub(AcDbDatabase* db, AcDbObject* object, std::uint64_t handle) {
  if (handle == 0 || byHandle.count(handle)) handle = nextHandle;
  if (handle >= nextHandle) nextHandle = handle + 1;
  AcDbStub* stub = stubs.add();
  stub->db = db;
  stub->handle = handle;
  stub->object.reset(object);
  byHandle[handle] = stub;
  return stub;
}

namespace arx {

StubStore::StubStore(StubStore&& other) noexcept : m_blocks(std::move(other.m_blocks)), m_size(other.m_size) {
  other.m_blocks.clear();
  other.m_size = 0;
}

StubStore& StubStore::operator=(StubStore&& other) noexcept {
  if (this == &other) return *this;
  release();
  m_blocks = std::move(other.m_blocks);
  m_size = other.m_size;
  other.m_blocks.clear();
  other.m_size = 0;
  return *this;
}

StubStore::~StubStore() { release(); }

void StubStore::release() {
  for (const auto& block : m_blocks) unregisterStubs(block.get(), kBlock);
  m_blocks.clear();
  m_size = 0;
}

AcDbStub* StubStore::add() {
  if (m_size == m_blocks.size() * kBlock) {
    m_blocks.push_back(std::make_unique<AcDbStub[]>(kBlock));
    registerStubs(m_blocks.back().get(), kBlock);
  }
  return at(m_size++);
}

}  // namespace arx

namespace arx {

bool rehandle(AcDbDatabase& db, AcDbStub* stub, std::uint64_t handle) {
  auto& byHandle = db.impl().byHandle;
  if (handle == 0 || stub->handle == handle) return handle != 0;
  if (byHandle.count(handle)) return false;
  byHandle.erase(stub->handle);
  stub->handle = handle;
  byHandle[handle] = stub;
  db.impl().nextHandle = std::max(db.impl().nextHandle, handle + 1);
  return true;
}

Acad::ErrorStatus addToDatabase(AcDbDatabase& db, AcDbObject* object, AcDbObjectId& id, std::uint64_t handle) {
  if (!object) return Acad::eNullObjectPointer;
  if (object->stub()) return Acad::eAlreadyInDb;
  AcDbStub* stub = db.impl().addStub(&db, object, handle);
  object->attach(stub);
  object->openAs(AcDb::kForWrite);
  id = AcDbObjectId(stub);
  return Acad::eOk;
}

}  // namespace arx

namespace {

// Adds a closed object owned by `owner`.
AcDbObjectId addClosed(AcDbDatabase& db, AcDbObject* object, AcDbObjectId owner) {
  AcDbObjectId id;
  arx::addToDatabase(db, object, id);
  object->setOwnerId(owner);
  object->close();
  return id;
}

AcDbObjectId addBlockRecord(AcDbBlockTable* table, const char* name) {
  auto* record = new AcDbBlockTableRecord;
  record->setName(name);
  AcDbObjectId id;
  table->add(id, record);
  record->close();
  return id;
}

}  // namespace

AcDbDatabase::AcDbDatabase(bool buildDefaultDrawing, bool) : m_impl(std::make_unique<Impl>()) {
  if (!buildDefaultDrawing) return;
  Impl& d = *m_impl;
  d.namedObjects = addClosed(*this, new AcDbDictionary, AcDbObjectId());
  d.blockTable = addClosed(*this, new AcDbBlockTable, AcDbObjectId());
  d.layerTable = addClosed(*this, new AcDbLayerTable, AcDbObjectId());

  AcDbBlockTable* blocks = nullptr;
  getBlockTable(blocks, AcDb::kForWrite);
  d.modelSpace = addBlockRecord(blocks, ACDB_MODEL_SPACE);
  d.paperSpace = addBlockRecord(blocks, ACDB_PAPER_SPACE);
  blocks->close();
  d.clayer = arx::addLayer(*this, arx::Layer{"0", 7, true, true, false});
}

AcDbDatabase::~AcDbDatabase() {
  if (working().current == this) working().current = nullptr;
}

Acad::ErrorStatus AcDbDatabase::addAcDbObject(AcDbObjectId& id, AcDbObject* object) {
  return arx::addToDatabase(*this, object, id);
}

Acad::ErrorStatus AcDbDatabase::addAcDbObject(AcDbObject* object) {
  AcDbObjectId id;
  return addAcDbObject(id, object);
}

Acad::ErrorStatus AcDbDatabase::getAcDbObjectId(AcDbObjectId& id, bool, const AcDbHandle& handle, Adesk::UInt32) {
  auto it = m_impl->byHandle.find(handle.value());
  if (it == m_impl->byHandle.end()) return Acad::eKeyNotFound;
  id = AcDbObjectId(it->second);
  return Acad::eOk;
}

Acad::ErrorStatus AcDbDatabase::getBlockTable(AcDbBlockTable*& table, AcDb::OpenMode mode) {
  return acdbOpenObject(table, m_impl->blockTable, mode);
}
Acad::ErrorStatus AcDbDatabase::getLayerTable(AcDbLayerTable*& table, AcDb::OpenMode mode) {
  return acdbOpenObject(table, m_impl->layerTable, mode);
}
Acad::ErrorStatus AcDbDatabase::getNamedObjectsDictionary(AcDbDictionary*& dict, AcDb::OpenMode mode) {
  return acdbOpenObject(dict, m_impl->namedObjects, mode);
}

AcDbObjectId AcDbDatabase::blockTableId() const { return m_impl->blockTable; }
AcDbObjectId AcDbDatabase::layerTableId() const { return m_impl->layerTable; }
AcDbObjectId AcDbDatabase::namedObjectsDictionaryId() const { return m_impl->namedObjects; }
AcDbObjectId AcDbDatabase::modelSpaceId() const { return m_impl->modelSpace; }
AcDbObjectId AcDbDatabase::clayer() const { return m_impl->clayer; }

Acad::ErrorStatus AcDbDatabase::setClayer(AcDbObjectId layer) {
  AcDbLayerTableRecord* record = nullptr;
  Acad::ErrorStatus es = acdbOpenObject(record, layer, AcDb::kForRead);
  if (es != Acad::eOk) return es;
  const bool usable = record->database() == this && !record->isFrozen();
  record->close();
  if (!usable) return Acad::eInvalidInput;
  m_impl->clayer = layer;
  return Acad::eOk;
}


AcDbDatabase* AcDbHostApplicationServices::workingDatabase() const { return &arx::workingDrawing(); }
void AcDbHostApplicationServices::setWorkingDatabase(AcDbDatabase* db) { working().current = db; }

AcDbHostApplicationServices* acdbHostApplicationServices() {
  static AcDbHostApplicationServices services;
  return &services;
}

namespace arx {

AcDbDatabase& workingDrawing() {
  if (!working().current) newDrawing();
  return *working().current;
}

void newDrawing() { adoptDrawing(std::make_unique<AcDbDatabase>()); }

void adoptDrawing(std::unique_ptr<AcDbDatabase> db) {
  Working& w = working();
  auto old = std::move(w.owned);
  w.owned = std::move(db);
  w.current = w.owned.get();
  old.reset();
}

}  // namespace arx
