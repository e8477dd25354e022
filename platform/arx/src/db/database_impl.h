#pragma once
// The database's private state: object records by handle, system tables,
// system variables, the view and the page setup.
#include <cstdint>
#include <deque>
#include <map>
#include <memory>
#include <string>
#include <unordered_map>
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
}

namespace arx {

// A system variable kept in the drawing.
using SysVarValue = std::variant<short, double, std::string, Point>;

}  // namespace arx

struct AcDbDatabase::Impl {
  std::deque<std::unique_ptr<AcDbStub>> stubs;
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
void registerStub(AcDbStub* stub);
void unregisterStub(AcDbStub* stub);

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
