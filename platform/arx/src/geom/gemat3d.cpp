#include "gemat3d.h"

#include <cmath>

#include "gepnt2d.h"

const AcGeVector2d AcGeVector2d::kIdentity(0.0, 0.0);
const AcGeVector2d AcGeVector2d::kXAxis(1.0, 0.0);
const AcGeVector2d AcGeVector2d::kYAxis(0.0, 1.0);
const AcGePoint2d AcGePoint2d::kOrigin(0.0, 0.0);
const AcGeVector3d AcGeVector3d::kIdentity(0.0, 0.0, 0.0);
const AcGeVector3d AcGeVector3d::kXAxis(1.0, 0.0, 0.0);
const AcGeVector3d AcGeVector3d::kYAxis(0.0, 1.0, 0.0);
const AcGeVector3d AcGeVector3d::kZAxis(0.0, 0.0, 1.0);
const AcGePoint3d AcGePoint3d::kOrigin(0.0, 0.0, 0.0);
const AcGeMatrix3d AcGeMatrix3d::kIdentity;

AcGeMatrix3d::AcGeMatrix3d() { setToIdentity(); }

AcGeMatrix3d& AcGeMatrix3d::setToIdentity() {
  for (int r = 0; r < 4; ++r)
    for (int c = 0; c < 4; ++c) entry[r][c] = r == c ? 1.0 : 0.0;
  return *this;
}

AcGeMatrix3d& AcGeMatrix3d::setToTranslation(const AcGeVector3d& v) {
  setToIdentity();
  entry[0][3] = v.x;
  entry[1][3] = v.y;
  entry[2][3] = v.z;
  return *this;
}

AcGeMatrix3d& AcGeMatrix3d::setToScaling(double s, const AcGePoint3d& c) {
  setToIdentity();
  entry[0][0] = entry[1][1] = entry[2][2] = s;
  // Keep the centre fixed: p' = s * (p - c) + c.
  entry[0][3] = c.x * (1.0 - s);
  entry[1][3] = c.y * (1.0 - s);
  entry[2][3] = c.z * (1.0 - s);
  return *this;
}

AcGeMatrix3d& AcGeMatrix3d::setToRotation(double angle, const AcGeVector3d& axis, const AcGePoint3d& c) {
  const AcGeVector3d u = axis.normal();
  const double cs = std::cos(angle), sn = std::sin(angle), t = 1.0 - cs;
  setToIdentity();
  entry[0][0] = t * u.x * u.x + cs;
  entry[0][1] = t * u.x * u.y - sn * u.z;
  entry[0][2] = t * u.x * u.z + sn * u.y;
  entry[1][0] = t * u.x * u.y + sn * u.z;
  entry[1][1] = t * u.y * u.y + cs;
  entry[1][2] = t * u.y * u.z - sn * u.x;
  entry[2][0] = t * u.x * u.z - sn * u.y;
  entry[2][1] = t * u.y * u.z + sn * u.x;
  entry[2][2] = t * u.z * u.z + cs;
  for (int r = 0; r < 3; ++r)
    entry[r][3] = (r == 0 ? c.x : r == 1 ? c.y : c.z) -
                  (entry[r][0] * c.x + entry[r][1] * c.y + entry[r][2] * c.z);
  return *this;
}

AcGeMatrix3d AcGeMatrix3d::operator*(const AcGeMatrix3d& m) const {
  AcGeMatrix3d out;
  for (int r = 0; r < 4; ++r)
    for (int c = 0; c < 4; ++c) {
      double sum = 0.0;
      for (int k = 0; k < 4; ++k) sum += entry[r][k] * m.entry[k][c];
      out.entry[r][c] = sum;
    }
  return out;
}

AcGeMatrix3d& AcGeMatrix3d::preMultiplyBy(const AcGeMatrix3d& left) { return *this = left * *this; }
AcGeMatrix3d& AcGeMatrix3d::postMultiplyBy(const AcGeMatrix3d& right) { return *this = *this * right; }

double AcGeMatrix3d::det() const {
  const auto& e = entry;
  return e[0][0] * (e[1][1] * e[2][2] - e[1][2] * e[2][1]) -
         e[0][1] * (e[1][0] * e[2][2] - e[1][2] * e[2][0]) +
         e[0][2] * (e[1][0] * e[2][1] - e[1][1] * e[2][0]);
}

double AcGeMatrix3d::scale() const { return std::cbrt(std::fabs(det())); }

bool AcGeMatrix3d::isUniScaledOrtho() const {
  // Columns of the linear part must be orthogonal and of equal length.
  const double tol = 1e-9;
  AcGeVector3d col[3];
  for (int c = 0; c < 3; ++c) col[c] = AcGeVector3d(entry[0][c], entry[1][c], entry[2][c]);
  const double l0 = col[0].length();
  for (int c = 0; c < 3; ++c) {
    if (std::fabs(col[c].length() - l0) > tol * (1.0 + l0)) return false;
    for (int d = c + 1; d < 3; ++d)
      if (std::fabs(col[c].dotProduct(col[d])) > tol * (1.0 + l0 * l0)) return false;
  }
  return l0 > 0.0;
}

AcGePoint3d& AcGePoint3d::transformBy(const AcGeMatrix3d& m) {
  const double nx = m.entry[0][0] * x + m.entry[0][1] * y + m.entry[0][2] * z + m.entry[0][3];
  const double ny = m.entry[1][0] * x + m.entry[1][1] * y + m.entry[1][2] * z + m.entry[1][3];
  const double nz = m.entry[2][0] * x + m.entry[2][1] * y + m.entry[2][2] * z + m.entry[2][3];
  x = nx, y = ny, z = nz;
  return *this;
}

AcGeVector3d& AcGeVector3d::transformBy(const AcGeMatrix3d& m) {
  const double nx = m.entry[0][0] * x + m.entry[0][1] * y + m.entry[0][2] * z;
  const double ny = m.entry[1][0] * x + m.entry[1][1] * y + m.entry[1][2] * z;
  const double nz = m.entry[2][0] * x + m.entry[2][1] * y + m.entry[2][2] * z;
  x = nx, y = ny, z = nz;
  return *this;
}
