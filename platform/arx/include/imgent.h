#pragma once
// The raster image entity.
#include "dbmain.h"
#include "gepnt3d.h"
#include "gevec2d.h"
#include "gevec3d.h"

class AcDbRasterImage : public AcDbEntity {
 public:
  ACRX_DECLARE_MEMBERS(AcDbRasterImage)
  enum ImageDisplayOpt { kShow = 1, kShowUnAligned = 2, kClip = 4, kTransparent = 8 };

  AcDbRasterImage();

  Acad::ErrorStatus setImageDefId(AcDbObjectId def);
  AcDbObjectId imageDefId() const { return m_def; }
  void setReactorId(AcDbObjectId reactor);
  AcDbObjectId reactorId() const { return m_reactor; }
  void setDisplayOpt(ImageDisplayOpt option, Adesk::Boolean value);
  Adesk::Boolean isSetDisplayOpt(ImageDisplayOpt option) const { return (m_display & option) != 0; }
  int displayOptions() const { return m_display; }
  // Size in pixels, from the definition.
  AcGeVector2d imageSize(Adesk::Boolean getCachedValue = false) const;
  // Lower-left corner and the vectors along the whole bottom and left edges.
  Adesk::Boolean getOrientation(AcGePoint3d& origin, AcGeVector3d& u, AcGeVector3d& v) const;
  Adesk::Boolean setOrientation(const AcGePoint3d& origin, const AcGeVector3d& u, const AcGeVector3d& v);

  Acad::ErrorStatus getGeomExtents(AcDbExtents& extents) const override;
  Acad::ErrorStatus transformBy(const AcGeMatrix3d& xform) override;
  const arx::Shape& shape() const override;

  // Stand-in internals: the vectors of one pixel.
  void setPixelVectors(const AcGePoint3d& origin, const AcGeVector3d& uPixel, const AcGeVector3d& vPixel);

 private:
  AcDbObjectId m_def;
  AcDbObjectId m_reactor;
  int m_display = kShow | kShowUnAligned;
  AcGePoint3d m_origin;
  AcGeVector3d m_uPixel{1.0, 0.0, 0.0};
  AcGeVector3d m_vPixel{0.0, 1.0, 0.0};
};
