#pragma once
// 4 x 4 transformation matrix acting on column vectors: p' = M * p.
#include "gepnt3d.h"
#include "gevec3d.h"

class AcGeMatrix3d {
 public:
  AcGeMatrix3d();  // identity
  static const AcGeMatrix3d kIdentity;

  AcGeMatrix3d& setToIdentity();
  AcGeMatrix3d& setToTranslation(const AcGeVector3d& vector);
  AcGeMatrix3d& setToScaling(double scale, const AcGePoint3d& center = AcGePoint3d::kOrigin);
  // Rotation by `angle` (radians, right-handed) about `axis` through `center`.
  AcGeMatrix3d& setToRotation(double angle, const AcGeVector3d& axis,
                              const AcGePoint3d& center = AcGePoint3d::kOrigin);

  AcGeMatrix3d operator*(const AcGeMatrix3d& m) const;
  AcGeMatrix3d& preMultiplyBy(const AcGeMatrix3d& left);    // this = left * this
  AcGeMatrix3d& postMultiplyBy(const AcGeMatrix3d& right);  // this = this * right
  double det() const;
  bool isUniScaledOrtho() const;
  // The uniform scale factor of the linear part (1 for a pure rotation).
  double scale() const;
  double operator()(unsigned row, unsigned column) const { return entry[row][column]; }
  double& operator()(unsigned row, unsigned column) { return entry[row][column]; }

  double entry[4][4];
};

inline AcGePoint3d operator*(const AcGeMatrix3d& m, const AcGePoint3d& p) {
  return AcGePoint3d(p).transformBy(m);
}
