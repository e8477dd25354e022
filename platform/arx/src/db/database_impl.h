#pragma once
// The database's private state: object records by handle, system tables,
// system variables, the view and the page setup.
#include <cstdint>
#include <deque>
#include <map>
#include <memory>
#include <string>
#include <unordered_map>
#include <vector>
#include <variant>

#include "arx/drawing.h"
#include "dbmain.h"

struct AcDbStub {
  AcDbDatabase* db = nullptr;
  std::uint64_t handle = 0;
  std::unique_ptr<AcDbObject> object;  // null for an object of the file the database does not model
  bool erased = false;
  // Where the object stands in the drawing file: section and record, and how
  // many records it takes (a POLYLINE with its VERTEX and SEQEND records).
  int section = -1;
  std::uint32_t record = 0;
  std::uint32_t records = 0;
};

namespace arx {
struct DrawingFile;

// The object records of one database, in blocks that never move (so object
// ids stay valid) and that the live-record check knows.
class StubStore {
 public:
  StubStore() = default;
  StubStore(StubStore&& other) noexcept;
  StubStore& operator=(StubStore&& other) noexcept;
  ~StubStore();

  AcDbStub* add();
  std::size_t size() const { return m_size; }
  AcDbStub* at(std::size_t i) const { return &m_blocks[i / kBlock][i % kBlock]; }

  class iterator {
   public:
    iterator(const StubStore* store, std::size_t i) : m_store(store), m_i(i) { load(); }
    AcDbStub* const& operator*() const { return m_stub; }
    iterator& operator++() { return ++m_i, load(), *this; }
    bool operator!=(const iterator& o) const { return m_i != o.m_i; }

   private:
    void load() { m_stub = m_i < m_store->m_size ? m_store->at(m_i) : nullptr; }
    const StubStore* m_store;
    std::size_t m_i;
    AcDbStub* m_stub = nullptr;
  };
  iterator begin() const { return {this, 0}; }
  iterator end() const { return {this, m_size}; }

  static constexpr std::size_t kBlock = 1024;

 private:
  void release();
  std::vector<std::unique_ptr<AcDbStub[]>> m_blocks;
  std::size_t m_size = 0;
};

}  // namespace arx

namespace arx {

// A system variable kept in the drawing.
using SysVarValue = std::variant<short, double, std::string, Point>;

}  // namespace arx

struct AcDbDatabase::Impl {
  arx::StubStore stubs;
  std::unordered_map<std::uint64_t, AcDbStub*> byHandle;
  std::uint64_t nextHandle = 1;
  AcDbObjectId blockTable, layerTable, namedObjects, modelSpace, paperSpace, clayer;
  std::map<std::string, arx::SysVarValue> sysvars;  // upper-case names
  arx::View view;
  arx::PageSetup pageSetup;
  std::string windowsPath;  // "" for an unnamed drawing
  std::shared_ptr<arx::DrawingFile> file;  // the document read; made at the first save of a new drawing

  // A new record for `object` under `handle` (0: the next free handle).
  AcDbStub* addStub(AcDbDatabase* db, AcDbObject* object, std::uint64_t handle = 0);
};

namespace arx {

// Gives the object of `stub` the handle `handle` when no other object has it.
bool rehandle(AcDbDatabase& db, AcDbStub* stub, std::uint64_t handle);

// Whether a stub pointer belongs to a live database (for ads_name checks).
bool isLiveStub(const AcDbStub* stub);
void registerStubs(const AcDbStub* first, std::size_t count);
void unregisterStubs(const AcDbStub* first, std::size_t count);

// Makes `object` resident in `db` and leaves it open for write.
Acad::ErrorStatus addToDatabase(AcDbDatabase& db, AcDbObject* object, AcDbObjectId& id, std::uint64_t handle = 0);

// Appends a new entity to model space on `layer` (created when missing);
// deletes it and returns a null id on failure.
AcDbObjectId appendEntity(AcDbDatabase& db, AcDbEntity* entity, std::string_view layer, std::uint64_t handle);
void setShape(AcDbEntity* entity, const Shape& shape);
// Appends a new entity of the class that draws `shape` (not an image).
AcDbObjectId appendShape(AcDbDatabase& db, const Shape& shape, std::string_view layer, std::uint64_t handle);

// Case-insensitive key for tables and dictionaries.
std::string upperKey(std::string_view name);
// A new[] copy of `text` for API calls that hand out strings.
ACHAR* newString(const std::string& text);

}  // namespace arx
