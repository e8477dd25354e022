#pragma once
// Three-dimensional vector.
#include <cmath>

class AcGeMatrix3d;

class AcGeVector3d {
 public:
  AcGeVector3d() = default;
  AcGeVector3d(double xx, double yy, double zz) : x(xx), y(yy), z(zz) {}
  static const AcGeVector3d kIdentity;
  static const AcGeVector3d kXAxis;
  static const AcGeVector3d kYAxis;
  static const AcGeVector3d kZAxis;

  double length() const { return std::sqrt(x * x + y * y + z * z); }
  double dotProduct(const AcGeVector3d& v) const { return x * v.x + y * v.y + z * v.z; }
  AcGeVector3d crossProduct(const AcGeVector3d& v) const {
    return {y * v.z - z * v.y, z * v.x - x * v.z, x * v.y - y * v.x};
  }
  AcGeVector3d normal() const {
    const double l = length();
    return l == 0.0 ? *this : AcGeVector3d(x / l, y / l, z / l);
  }
  // Applies the linear part of the matrix (no translation).
  AcGeVector3d& transformBy(const AcGeMatrix3d& m);
  AcGeVector3d operator+(const AcGeVector3d& v) const { return {x + v.x, y + v.y, z + v.z}; }
  AcGeVector3d operator-(const AcGeVector3d& v) const { return {x - v.x, y - v.y, z - v.z}; }
  AcGeVector3d operator-() const { return {-x, -y, -z}; }
  AcGeVector3d operator*(double s) const { return {x * s, y * s, z * s}; }
  bool operator==(const AcGeVector3d& v) const { return x == v.x && y == v.y && z == v.z; }

  double x = 0.0;
  double y = 0.0;
  double z = 0.0;
};
