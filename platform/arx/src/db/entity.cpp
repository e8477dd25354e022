// Entities in general: layer, colour, extents, transformation; colours and boxes.
#include <limits>

#include "database_impl.h"
#include "dbsymtb.h"
#include "geom/shapes.h"

ACRX_DEFINE_MEMBERS(AcDbEntity, AcDbObject)

Acad::ErrorStatus AcCmColor::setColorIndex(Adesk::UInt16 index) {
  if (index > 256) return Acad::eInvalidInput;
  m_index = index;
  return Acad::eOk;
}

AcDbExtents::AcDbExtents()
    : m_min(std::numeric_limits<double>::max(), std::numeric_limits<double>::max(), std::numeric_limits<double>::max()),
      m_max(-std::numeric_limits<double>::max(), -std::numeric_limits<double>::max(),
            -std::numeric_limits<double>::max()) {}

AcDbExtents::AcDbExtents(const AcGePoint3d& min, const AcGePoint3d& max) : m_min(min), m_max(max) {}

Acad::ErrorStatus AcDbExtents::set(const AcGePoint3d& min, const AcGePoint3d& max) {
  if (min.x > max.x || min.y > max.y || min.z > max.z) return Acad::eInvalidInput;
  m_min = min, m_max = max;
  return Acad::eOk;
}

void AcDbExtents::addPoint(const AcGePoint3d& p) {
  m_min = {std::min(m_min.x, p.x), std::min(m_min.y, p.y), std::min(m_min.z, p.z)};
  m_max = {std::max(m_max.x, p.x), std::max(m_max.y, p.y), std::max(m_max.z, p.z)};
}

void AcDbExtents::addExt(const AcDbExtents& other) {
  if (other.isEmpty()) return;
  addPoint(other.minPoint());
  addPoint(other.maxPoint());
}

// --- AcDbEntity --------------------------------------------------------------------

namespace {

AcDbDatabase* databaseFor(const AcDbEntity* entity) {
  return entity->database() ? entity->database() : acdbHostApplicationServices()->workingDatabase();
}

}  // namespace

ACHAR* AcDbEntity::layer() const {
  const AcDbStub* stub = m_layerId.stub();
  if (!arx::isLiveStub(stub) || !stub->object) return arx::newString("");
  return arx::newString(static_cast<const AcDbLayerTableRecord*>(stub->object.get())->name());
}

Acad::ErrorStatus AcDbEntity::setLayer(const ACHAR* name, Adesk::Boolean doSubents) {
  if (!name) return Acad::eInvalidInput;
  AcDbLayerTable* table = nullptr;
  Acad::ErrorStatus es = databaseFor(this)->getLayerTable(table, AcDb::kForRead);
  if (es != Acad::eOk) return es;
  AcDbObjectId id;
  es = table->getAt(name, id);
  table->close();
  return es == Acad::eOk ? setLayer(id, doSubents) : es;
}

Acad::ErrorStatus AcDbEntity::setLayer(AcDbObjectId layer, Adesk::Boolean) {
  const AcDbStub* stub = layer.stub();
  if (!arx::isLiveStub(stub) || !stub->object || !stub->object->isKindOf(AcDbLayerTableRecord::desc()))
    return Acad::eInvalidInput;
  if (database() && layer.database() != database()) return Acad::eWrongDatabase;
  if (!assertWriteEnabled()) return Acad::eNotOpenForWrite;
  m_layerId = layer;
  return Acad::eOk;
}

Acad::ErrorStatus AcDbEntity::setColorIndex(Adesk::UInt16 index) {
  if (!assertWriteEnabled()) return Acad::eNotOpenForWrite;
  return m_color.setColorIndex(index);
}

void AcDbEntity::setDatabaseDefaults(AcDbDatabase* db) {
  if (!db) db = databaseFor(this);
  if (m_layerId.isNull() && assertWriteEnabled()) m_layerId = db->clayer();
}

Acad::ErrorStatus AcDbEntity::getGeomExtents(AcDbExtents& extents) const {
  const arx::Box box = arx::extentsOf(shape());
  if (box.empty()) return Acad::eInvalidExtents;
  extents = AcDbExtents({box.minX, box.minY, 0.0}, {box.maxX, box.maxY, 0.0});
  return Acad::eOk;
}

Acad::ErrorStatus AcDbEntity::transformBy(const AcGeMatrix3d& xform) {
  if (!assertWriteEnabled()) return Acad::eNotOpenForWrite;
  return arx::transformShape(m_shape, xform) ? Acad::eOk : Acad::eCannotScaleNonUniformly;
}

void AcDbEntity::recordGraphicsModified(Adesk::Boolean setModified) {
  if (setModified && assertWriteEnabled()) ++m_graphicsModified;
}
