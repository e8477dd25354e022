#pragma once
// Three-dimensional point.
#include "gevec3d.h"

class AcGePoint3d {
 public:
  AcGePoint3d() = default;
  AcGePoint3d(double xx, double yy, double zz) : x(xx), y(yy), z(zz) {}
  static const AcGePoint3d kOrigin;

  double distanceTo(const AcGePoint3d& p) const { return (p - *this).length(); }
  AcGePoint3d& transformBy(const AcGeMatrix3d& m);
  AcGePoint3d operator+(const AcGeVector3d& v) const { return {x + v.x, y + v.y, z + v.z}; }
  AcGePoint3d operator-(const AcGeVector3d& v) const { return {x - v.x, y - v.y, z - v.z}; }
  AcGeVector3d operator-(const AcGePoint3d& p) const { return {x - p.x, y - p.y, z - p.z}; }
  AcGeVector3d asVector() const { return {x, y, z}; }
  bool operator==(const AcGePoint3d& p) const { return x == p.x && y == p.y && z == p.z; }

  double x = 0.0;
  double y = 0.0;
  double z = 0.0;
};
