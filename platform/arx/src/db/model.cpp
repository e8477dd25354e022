// The plain-data view of a drawing and building drawings in code.
#include <cstdlib>

#include "database_impl.h"
#include "dbents.h"
#include "dbsymtb.h"
#include "win32/posix.h"

namespace arx {
namespace {

const AcDbLayerTableRecord& layerRecord(AcDbObjectId id) {
  return *static_cast<const AcDbLayerTableRecord*>(id.stub()->object.get());
}

const AcDbBlockTableRecord& modelSpace(const AcDbDatabase& db) {
  return *static_cast<const AcDbBlockTableRecord*>(db.modelSpaceId().stub()->object.get());
}

const AcDbLayerTable& layerTable(const AcDbDatabase& db) {
  return *static_cast<const AcDbLayerTable*>(db.layerTableId().stub()->object.get());
}

// A new entity of the class that draws `shape` (images need a definition, kept
// entities their file's groups: none).
AcDbEntity* entityFor(const Shape& shape) {
  struct Maker {
    AcDbEntity* operator()(const LineShape&) const { return new AcDbLine; }
    AcDbEntity* operator()(const PolylineShape&) const { return new AcDbPolyline; }
    AcDbEntity* operator()(const CircleShape&) const { return new AcDbCircle; }
    AcDbEntity* operator()(const ArcShape&) const { return new AcDbArc; }
    AcDbEntity* operator()(const TextShape&) const { return new AcDbText; }
    AcDbEntity* operator()(const ImageShape&) const { return nullptr; }
    AcDbEntity* operator()(const KeptShape&) const { return nullptr; }
  };
  return std::visit(Maker{}, shape);
}

}  // namespace

// The shape must be of the entity's own kind.
void setShape(AcDbEntity* entity, const Shape& shape) { entity->m_shape = shape; }

// A database built without the default drawing has no tables yet.
bool hasTables(const AcDbDatabase& db) { return !db.layerTableId().isNull() && !db.modelSpaceId().isNull(); }

std::vector<Layer> layers(const AcDbDatabase& db) {
  std::vector<Layer> out;
  if (!hasTables(db)) return out;
  for (AcDbObjectId id : layerTable(db).recordIds())
    if (!id.isErased()) out.push_back(layerRecord(id).data());
  return out;
}

const Layer* findLayer(const AcDbDatabase& db, std::string_view name) {
  AcDbObjectId id;
  if (!hasTables(db)) return nullptr;
  if (layerTable(db).getAt(std::string(name).c_str(), id) != Acad::eOk) return nullptr;
  return &layerRecord(id).data();
}

void forEachModelEntity(const AcDbDatabase& db, const std::function<void(const EntityView&)>& visit) {
  char handle[32];
  if (!hasTables(db)) return;
  for (AcDbObjectId id : modelSpace(db).entityIds()) {
    if (id.isErased()) continue;
    const auto* entity = static_cast<const AcDbEntity*>(id.stub()->object.get());
    id.handle().getIntoAsciiBuffer(handle);
    visit(EntityView{handle, layerRecord(entity->layerId()).data(), entity->shape()});
  }
}

std::size_t modelEntityCount(const AcDbDatabase& db) {
  std::size_t n = 0;
  if (!hasTables(db)) return 0;
  for (AcDbObjectId id : modelSpace(db).entityIds()) n += id.isErased() ? 0 : 1;
  return n;
}

View& view(AcDbDatabase& db) { return db.impl().view; }
const View& view(const AcDbDatabase& db) { return db.impl().view; }
PageSetup& pageSetup(AcDbDatabase& db) { return db.impl().pageSetup; }
const PageSetup& pageSetup(const AcDbDatabase& db) { return db.impl().pageSetup; }

AcDbObjectId addLayer(AcDbDatabase& db, const Layer& layer) {
  AcDbLayerTable* table = nullptr;
  if (db.getLayerTable(table, AcDb::kForWrite) != Acad::eOk) return AcDbObjectId();
  AcDbObjectId id;
  if (table->getAt(layer.name.c_str(), id) != Acad::eOk) {
    auto* record = new AcDbLayerTableRecord;
    record->setName(layer.name.c_str());
    AcCmColor color;
    color.setColorIndex(static_cast<Adesk::UInt16>(layer.color));
    record->setColor(color);
    record->setIsPlottable(layer.plottable);
    record->setIsOff(!layer.on);
    record->setIsFrozen(layer.frozen);
    if (table->add(id, record) != Acad::eOk) {
      delete record;
      id.setNull();
    } else {
      record->close();
    }
  }
  table->close();
  return id;
}

AcDbObjectId appendEntity(AcDbDatabase& db, AcDbEntity* entity, std::string_view layer, std::uint64_t handle) {
  AcDbObjectId layerId = addLayer(db, Layer{std::string(layer.empty() ? "0" : layer)});
  AcDbBlockTableRecord* space = nullptr;
  if (layerId.isNull() || acdbOpenObject(space, db.modelSpaceId(), AcDb::kForWrite) != Acad::eOk) {
    delete entity;
    return AcDbObjectId();
  }
  entity->setLayer(layerId);
  AcDbObjectId id;
  Acad::ErrorStatus es = arx::addToDatabase(db, entity, id, handle);
  if (es == Acad::eOk) {
    entity->setOwnerId(space->objectId());
    space->entityIds().push_back(id);
    entity->close();
  } else {
    delete entity;
  }
  space->close();
  return id;
}

AcDbObjectId appendShape(AcDbDatabase& db, const Shape& shape, std::string_view layer, std::uint64_t handle) {
  AcDbEntity* entity = entityFor(shape);
  if (!entity) return AcDbObjectId();
  setShape(entity, shape);
  return appendEntity(db, entity, layer, handle);
}

AcDbObjectId addEntity(AcDbDatabase& db, const Shape& shape, std::string_view layer) {
  return appendShape(db, shape, layer, 0);
}

AcDbObjectId idFromHandle(const AcDbDatabase& db, std::string_view handle) {
  const std::string text(handle);
  char* end = nullptr;
  const unsigned long long value = std::strtoull(text.c_str(), &end, 16);
  if (text.empty() || *end != '\0') return AcDbObjectId();
  auto it = db.impl().byHandle.find(value);
  return it == db.impl().byHandle.end() ? AcDbObjectId() : AcDbObjectId(it->second);
}

void setDrawingPath(AcDbDatabase& db, const std::string& windowsPath) { db.impl().windowsPath = windowsPath; }

}  // namespace arx
