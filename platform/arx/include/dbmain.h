#pragma once
// The drawing database: objects, entities, the database and its services.
#include <cstddef>
#include <memory>
#include <vector>

#include "acdb.h"
#include "adslib.h"
#include "arx/drawing.h"
#include "dbid.h"
#include "gemat3d.h"
#include "gepnt3d.h"
#include "rxobject.h"

class AcDbBlockTable;
class AcDbLayerTable;
class AcDbEntity;
namespace arx {
void setShape(AcDbEntity* entity, const Shape& shape);
}
class AcDbDictionary;

// Host-heap allocation for objects the host may delete (and vice versa).
class AcHeapOperators {
 public:
  static void* operator new(std::size_t size);
  static void* operator new[](std::size_t size);
  static void operator delete(void* p);
  static void operator delete[](void* p);
};

// A colour: by layer, by block or an ACI index.
class AcCmColor {
 public:
  static const Adesk::UInt16 kByBlock = 0;
  static const Adesk::UInt16 kByLayer = 256;
  AcCmColor() = default;
  Adesk::UInt16 colorIndex() const { return m_index; }
  Acad::ErrorStatus setColorIndex(Adesk::UInt16 index);
  bool isByLayer() const { return m_index == kByLayer; }
  bool isByBlock() const { return m_index == kByBlock; }

 private:
  Adesk::UInt16 m_index = kByLayer;
};

// An axis-aligned box.
class AcDbExtents {
 public:
  AcDbExtents();
  AcDbExtents(const AcGePoint3d& min, const AcGePoint3d& max);
  AcGePoint3d minPoint() const { return m_min; }
  AcGePoint3d maxPoint() const { return m_max; }
  Acad::ErrorStatus set(const AcGePoint3d& min, const AcGePoint3d& max);
  void addPoint(const AcGePoint3d& p);
  void addExt(const AcDbExtents& other);
  bool isEmpty() const { return m_min.x > m_max.x; }

 private:
  AcGePoint3d m_min, m_max;
};

class AcDbObject : public AcRxObject, public AcHeapOperators {
 public:
  ACRX_DECLARE_MEMBERS(AcDbObject)
  AcDbObject();
  ~AcDbObject() override;
  AcDbObject(const AcDbObject&) = delete;
  AcDbObject& operator=(const AcDbObject&) = delete;

  AcDbObjectId objectId() const;
  AcDbObjectId ownerId() const { return m_ownerId; }
  virtual Acad::ErrorStatus setOwnerId(AcDbObjectId owner);
  AcDbDatabase* database() const;
  AcDbHandle handle() const;
  void getAcDbHandle(AcDbHandle& handle) const { handle = this->handle(); }

  Acad::ErrorStatus close();
  Acad::ErrorStatus upgradeOpen();
  Acad::ErrorStatus downgradeOpen();
  Acad::ErrorStatus erase(Adesk::Boolean erasing = true);
  bool isErased() const;
  bool isReadEnabled() const { return m_readers > 0 || m_writer || !m_stub; }
  bool isWriteEnabled() const { return m_writer || !m_stub; }
  bool isNewObject() const { return !m_stub; }
  bool isModified() const { return m_modified; }

  void addPersistentReactor(AcDbObjectId reactor);
  Acad::ErrorStatus removePersistentReactor(AcDbObjectId reactor);
  const std::vector<AcDbObjectId>& persistentReactors() const;

  // Stand-in internals: the database's record of this object and its open state.
  AcDbStub* stub() const { return m_stub; }
  void attach(AcDbStub* stub) { m_stub = stub; }
  Acad::ErrorStatus openAs(AcDb::OpenMode mode);
  bool isOpen() const { return m_readers > 0 || m_writer; }

 protected:
  // Every setter checks this first: a resident object must be open for write.
  bool assertWriteEnabled();

 private:
  AcDbStub* m_stub = nullptr;
  AcDbObjectId m_ownerId;
  std::unique_ptr<std::vector<AcDbObjectId>> m_reactors;  // most objects have none
  int m_readers = 0;
  bool m_writer = false;
  bool m_modified = false;
};

class AcDbEntity : public AcDbObject {
 public:
  ACRX_DECLARE_MEMBERS(AcDbEntity)

  // The layer name, allocated with new[]; the caller releases it (delete[] or acutDelString).
  ACHAR* layer() const;
  AcDbObjectId layerId() const { return m_layerId; }
  Acad::ErrorStatus setLayer(const ACHAR* name, Adesk::Boolean doSubents = true);
  Acad::ErrorStatus setLayer(AcDbObjectId layer, Adesk::Boolean doSubents = true);
  AcCmColor color() const { return m_color; }
  Adesk::UInt16 colorIndex() const { return m_color.colorIndex(); }
  Acad::ErrorStatus setColorIndex(Adesk::UInt16 index);
  void setDatabaseDefaults(AcDbDatabase* db = nullptr);

  virtual Acad::ErrorStatus getGeomExtents(AcDbExtents& extents) const;
  virtual Acad::ErrorStatus transformBy(const AcGeMatrix3d& xform);
  void recordGraphicsModified(Adesk::Boolean setModified = true);
  int graphicsModifiedCount() const { return m_graphicsModified; }

  // Stand-in internals: the geometry in world coordinates.
  virtual const arx::Shape& shape() const { return m_shape; }

 protected:
  friend void arx::setShape(AcDbEntity* entity, const arx::Shape& shape);
  AcDbEntity() = default;
  arx::Shape m_shape;

 private:
  AcDbObjectId m_layerId;
  AcCmColor m_color;
  int m_graphicsModified = 0;
};

class AcDbDatabase : public AcRxObject, public AcHeapOperators {
 public:
  ACRX_DECLARE_MEMBERS(AcDbDatabase)
  // With `buildDefaultDrawing`: layer "0", model and paper space, the named objects dictionary.
  explicit AcDbDatabase(bool buildDefaultDrawing = true, bool noDocument = false);
  ~AcDbDatabase() override;
  AcDbDatabase(const AcDbDatabase&) = delete;
  AcDbDatabase& operator=(const AcDbDatabase&) = delete;

  Acad::ErrorStatus addAcDbObject(AcDbObjectId& id, AcDbObject* object);
  Acad::ErrorStatus addAcDbObject(AcDbObject* object);
  Acad::ErrorStatus getAcDbObjectId(AcDbObjectId& id, bool createIfNotFound, const AcDbHandle& handle,
                                    Adesk::UInt32 reserved = 0);

  Acad::ErrorStatus getBlockTable(AcDbBlockTable*& table, AcDb::OpenMode mode);
  Acad::ErrorStatus getLayerTable(AcDbLayerTable*& table, AcDb::OpenMode mode);
  Acad::ErrorStatus getSymbolTable(AcDbBlockTable*& table, AcDb::OpenMode mode) { return getBlockTable(table, mode); }
  Acad::ErrorStatus getSymbolTable(AcDbLayerTable*& table, AcDb::OpenMode mode) { return getLayerTable(table, mode); }
  Acad::ErrorStatus getNamedObjectsDictionary(AcDbDictionary*& dict, AcDb::OpenMode mode);
  AcDbObjectId blockTableId() const;
  AcDbObjectId layerTableId() const;
  AcDbObjectId namedObjectsDictionaryId() const;
  AcDbObjectId modelSpaceId() const;
  AcDbObjectId clayer() const;
  Acad::ErrorStatus setClayer(AcDbObjectId layer);

  // Stand-in internals.
  struct Impl;
  Impl& impl() const { return *m_impl; }

 private:
  std::unique_ptr<Impl> m_impl;
};

class AcDbLayoutManager;
class AcDbPlotSettingsValidator;

class AcDbHostApplicationServices {
 public:
  virtual ~AcDbHostApplicationServices() = default;
  AcDbDatabase* workingDatabase() const;
  void setWorkingDatabase(AcDbDatabase* db);
  // Page setup services (null when the host has none).
  AcDbLayoutManager* layoutManager() const;
  AcDbPlotSettingsValidator* plotSettingsValidator() const;
};
AcDbHostApplicationServices* acdbHostApplicationServices();

Acad::ErrorStatus acdbOpenAcDbObject(AcDbObject*& object, AcDbObjectId id, AcDb::OpenMode mode,
                                     bool openErasedObject = false);
Acad::ErrorStatus acdbOpenAcDbEntity(AcDbEntity*& entity, AcDbObjectId id, AcDb::OpenMode mode,
                                     bool openErasedEntity = false);
template <typename T>
Acad::ErrorStatus acdbOpenObject(T*& object, AcDbObjectId id, AcDb::OpenMode mode, bool openErased = false) {
  AcDbObject* raw = nullptr;
  Acad::ErrorStatus es = acdbOpenAcDbObject(raw, id, mode, openErased);
  if (es != Acad::eOk) return es;
  object = T::cast(raw);
  if (!object) {
    raw->close();
    return Acad::eNotThatKindOfClass;
  }
  return Acad::eOk;
}

Acad::ErrorStatus acdbGetObjectId(AcDbObjectId& id, const ads_name name);
Acad::ErrorStatus acdbGetAdsName(ads_name name, AcDbObjectId id);
