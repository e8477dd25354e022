// Objects, their open state, object ids and entity names.
#include <algorithm>
#include <cctype>
#include <cstring>
#include <map>
#include <new>
#include <cstdint>

#include "database_impl.h"

namespace {

// Blocks of object records of live databases: first record -> number of records.
// Never destroyed: databases held in statics unregister at exit.
std::map<const AcDbStub*, std::size_t, std::less<>>& liveBlocks() {
  static auto* blocks = new std::map<const AcDbStub*, std::size_t, std::less<>>;
  return *blocks;
}

struct Refusal {
  AcDb::OpenMode mode;
  Acad::ErrorStatus status;
};
std::map<AcDbStub*, Refusal>& refusals() {
  static auto* r = new std::map<AcDbStub*, Refusal>;
  return *r;
}

}  // namespace

namespace arx {

// A pointer is a live record when it points exactly at a used record of a live block.
bool isLiveStub(const AcDbStub* stub) {
  if (!stub) return false;
  auto& blocks = liveBlocks();
  auto it = blocks.upper_bound(stub);
  if (it == blocks.begin()) return false;
  --it;
  const auto offset = reinterpret_cast<std::uintptr_t>(stub) - reinterpret_cast<std::uintptr_t>(it->first);
  return offset < it->second * sizeof(AcDbStub) && offset % sizeof(AcDbStub) == 0 && stub->db != nullptr;
}

void registerStubs(const AcDbStub* first, std::size_t count) { liveBlocks()[first] = count; }

void unregisterStubs(const AcDbStub* first, std::size_t count) {
  liveBlocks().erase(first);
  auto& r = refusals();
  r.erase(r.lower_bound(const_cast<AcDbStub*>(first)), r.lower_bound(const_cast<AcDbStub*>(first + count)));
}

std::string upperKey(std::string_view name) {
  std::string key(name);
  for (char& c : key) c = static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
  return key;
}

ACHAR* newString(const std::string& text) {
  ACHAR* copy = new ACHAR[text.size() + 1];
  std::memcpy(copy, text.c_str(), text.size() + 1);
  return copy;
}

void refuseOpen(AcDbObjectId id, AcDb::OpenMode mode, Acad::ErrorStatus status) {
  if (id.stub()) refusals()[id.stub()] = {mode, status};
}
void clearRefusals() { refusals().clear(); }

}  // namespace arx

// --- AcDbObjectId / AcDbHandle ---------------------------------------------

const AcDbObjectId AcDbObjectId::kNull;

AcDbDatabase* AcDbObjectId::database() const { return arx::isLiveStub(m_stub) ? m_stub->db : nullptr; }
AcDbHandle AcDbObjectId::handle() const { return arx::isLiveStub(m_stub) ? AcDbHandle(m_stub->handle) : AcDbHandle(); }
bool AcDbObjectId::isErased() const { return arx::isLiveStub(m_stub) && m_stub->erased; }

bool AcDbHandle::getIntoAsciiBuffer(ACHAR* buffer) const {
  std::snprintf(buffer, 17, "%llX", static_cast<unsigned long long>(m_value));
  return true;
}

// --- AcHeapOperators ---------------------------------------------------------

void* AcHeapOperators::operator new(std::size_t size) { return ::operator new(size); }
void* AcHeapOperators::operator new[](std::size_t size) { return ::operator new[](size); }
void AcHeapOperators::operator delete(void* p) { ::operator delete(p); }
void AcHeapOperators::operator delete[](void* p) { ::operator delete[](p); }

// --- AcDbObject ----------------------------------------------------------------

ACRX_DEFINE_MEMBERS(AcDbObject, AcRxObject)

AcDbObject::AcDbObject() = default;
AcDbObject::~AcDbObject() = default;

AcDbObjectId AcDbObject::objectId() const { return AcDbObjectId(m_stub); }
AcDbDatabase* AcDbObject::database() const { return m_stub ? m_stub->db : nullptr; }
AcDbHandle AcDbObject::handle() const { return m_stub ? AcDbHandle(m_stub->handle) : AcDbHandle(); }
bool AcDbObject::isErased() const { return m_stub && m_stub->erased; }

Acad::ErrorStatus AcDbObject::setOwnerId(AcDbObjectId owner) {
  if (!assertWriteEnabled()) return Acad::eNotOpenForWrite;
  m_ownerId = owner;
  return Acad::eOk;
}

bool AcDbObject::assertWriteEnabled() {
  if (!isWriteEnabled()) return false;
  m_modified = true;
  return true;
}

Acad::ErrorStatus AcDbObject::openAs(AcDb::OpenMode mode) {
  if (m_writer) return Acad::eWasOpenForWrite;
  if (mode == AcDb::kForWrite) {
    if (m_readers > 0) return Acad::eWasOpenForRead;
    m_writer = true;
    return Acad::eOk;
  }
  if (m_readers >= 256) return Acad::eAtMaxReaders;
  ++m_readers;
  return Acad::eOk;
}

Acad::ErrorStatus AcDbObject::close() {
  if (m_writer)
    m_writer = false;
  else if (m_readers > 0)
    --m_readers;
  return Acad::eOk;
}

Acad::ErrorStatus AcDbObject::upgradeOpen() {
  if (m_writer) return Acad::eWasOpenForWrite;
  if (m_readers != 1) return Acad::eWasOpenForRead;
  m_readers = 0;
  m_writer = true;
  return Acad::eOk;
}

Acad::ErrorStatus AcDbObject::downgradeOpen() {
  if (!m_writer) return Acad::eNotOpenForWrite;
  m_writer = false;
  m_readers = 1;
  return Acad::eOk;
}

Acad::ErrorStatus AcDbObject::erase(Adesk::Boolean erasing) {
  if (!m_stub) return Acad::eNotInDatabase;
  if (!assertWriteEnabled()) return Acad::eNotOpenForWrite;
  m_stub->erased = erasing;
  return Acad::eOk;
}

const std::vector<AcDbObjectId>& AcDbObject::persistentReactors() const {
  static const std::vector<AcDbObjectId> none;
  return m_reactors ? *m_reactors : none;
}

void AcDbObject::addPersistentReactor(AcDbObjectId reactor) {
  if (!assertWriteEnabled() || reactor.isNull()) return;
  if (!m_reactors) m_reactors = std::make_unique<std::vector<AcDbObjectId>>();
  if (std::find(m_reactors->begin(), m_reactors->end(), reactor) == m_reactors->end()) m_reactors->push_back(reactor);
}

Acad::ErrorStatus AcDbObject::removePersistentReactor(AcDbObjectId reactor) {
  if (!assertWriteEnabled()) return Acad::eNotOpenForWrite;
  if (!m_reactors) return Acad::eKeyNotFound;
  auto it = std::find(m_reactors->begin(), m_reactors->end(), reactor);
  if (it == m_reactors->end()) return Acad::eKeyNotFound;
  m_reactors->erase(it);
  return Acad::eOk;
}

// --- opening by id -------------------------------------------------------------

Acad::ErrorStatus acdbOpenAcDbObject(AcDbObject*& object, AcDbObjectId id, AcDb::OpenMode mode,
                                     bool openErasedObject) {
  object = nullptr;
  AcDbStub* stub = id.stub();
  if (!stub) return Acad::eNullObjectId;
  if (!arx::isLiveStub(stub) || !stub->object) return Acad::eInvalidInput;
  if (stub->erased && !openErasedObject) return Acad::eWasErased;
  auto refused = refusals().find(stub);
  if (refused != refusals().end() && (refused->second.mode == mode || refused->second.mode == AcDb::kForRead))
    return refused->second.status;
  Acad::ErrorStatus es = stub->object->openAs(mode);
  if (es == Acad::eOk) object = stub->object.get();
  return es;
}

Acad::ErrorStatus acdbOpenAcDbEntity(AcDbEntity*& entity, AcDbObjectId id, AcDb::OpenMode mode,
                                     bool openErasedEntity) {
  return acdbOpenObject(entity, id, mode, openErasedEntity);
}

// An entity name is the address of the object's record; only live records are accepted.
Acad::ErrorStatus acdbGetObjectId(AcDbObjectId& id, const ads_name name) {
  id.setNull();
  if (!name) return Acad::eInvalidAdsName;
  auto* stub = reinterpret_cast<AcDbStub*>(name[0]);
  if (!arx::isLiveStub(stub) || name[1] != 0) return Acad::eInvalidAdsName;
  id = AcDbObjectId(stub);
  return Acad::eOk;
}

Acad::ErrorStatus acdbGetAdsName(ads_name name, AcDbObjectId id) {
  if (!arx::isLiveStub(id.stub())) return Acad::eNullObjectId;
  name[0] = reinterpret_cast<Adesk::LongPtr>(id.stub());
  name[1] = 0;
  return Acad::eOk;
}
