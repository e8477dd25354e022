#pragma once
// Two-dimensional vector.
#include <cmath>

class AcGeVector2d {
 public:
  AcGeVector2d() = default;
  AcGeVector2d(double xx, double yy) : x(xx), y(yy) {}
  static const AcGeVector2d kIdentity;
  static const AcGeVector2d kXAxis;
  static const AcGeVector2d kYAxis;

  double length() const { return std::hypot(x, y); }
  double angle() const { return std::atan2(y, x); }
  AcGeVector2d operator+(const AcGeVector2d& v) const { return {x + v.x, y + v.y}; }
  AcGeVector2d operator-(const AcGeVector2d& v) const { return {x - v.x, y - v.y}; }
  AcGeVector2d operator*(double s) const { return {x * s, y * s}; }
  bool operator==(const AcGeVector2d& v) const { return x == v.x && y == v.y; }

  double x = 0.0;
  double y = 0.0;
};
