#pragma once
// Points, affine maps, the object coordinate system and curve flattening.
#include <cmath>
#include <vector>

namespace arx::render {

struct Vec2 {
  double x = 0, y = 0;
};
inline Vec2 operator+(Vec2 a, Vec2 b) { return {a.x + b.x, a.y + b.y}; }
inline Vec2 operator-(Vec2 a, Vec2 b) { return {a.x - b.x, a.y - b.y}; }
inline Vec2 operator*(Vec2 a, double s) { return {a.x * s, a.y * s}; }
inline double dot(Vec2 a, Vec2 b) { return a.x * b.x + a.y * b.y; }
inline double length(Vec2 a) { return std::hypot(a.x, a.y); }
inline bool finite(Vec2 a) { return std::isfinite(a.x) && std::isfinite(a.y); }

struct Vec3 {
  double x = 0, y = 0, z = 0;
};
inline Vec3 operator+(Vec3 a, Vec3 b) { return {a.x + b.x, a.y + b.y, a.z + b.z}; }
inline Vec3 operator-(Vec3 a, Vec3 b) { return {a.x - b.x, a.y - b.y, a.z - b.z}; }
inline Vec3 operator*(Vec3 a, double s) { return {a.x * s, a.y * s, a.z * s}; }
inline Vec3 cross(Vec3 a, Vec3 b) { return {a.y * b.z - a.z * b.y, a.z * b.x - a.x * b.z, a.x * b.y - a.y * b.x}; }
inline double length(Vec3 a) { return std::sqrt(a.x * a.x + a.y * a.y + a.z * a.z); }

// A 3D affine map: columns x, y, z and the translation t.
struct Matrix {
  Vec3 x{1, 0, 0}, y{0, 1, 0}, z{0, 0, 1}, t{0, 0, 0};
  Vec3 apply(Vec3 p) const { return x * p.x + y * p.y + z * p.z + t; }
  Vec3 applyVector(Vec3 v) const { return x * v.x + y * v.y + z * v.z; }
  // Plan view: the world point's x and y.
  Vec2 plan(Vec3 p) const {
    const Vec3 w = apply(p);
    return {w.x, w.y};
  }
  Vec2 planVector(Vec3 v) const {
    const Vec3 w = applyVector(v);
    return {w.x, w.y};
  }
  Matrix operator*(const Matrix& m) const {
    return {applyVector(m.x), applyVector(m.y), applyVector(m.z), apply(m.t)};
  }
  // How much lengths in the xy plane grow (for dashes, widths, text sizes).
  double planScale() const { return std::sqrt(std::abs(x.x * y.y - x.y * y.x)); }
};

Matrix translation(Vec3 t);
Matrix scaling(double sx, double sy, double sz);
Matrix rotationZ(double radians);
// The object coordinate system of an extrusion direction (arbitrary axis
// algorithm); a negative Z extrusion mirrors x.
Matrix ocs(Vec3 extrusion);

// 2D affine map: x' = xx*x + xy*y + x0, y' = yx*x + yy*y + y0.
struct Affine2 {
  double xx = 1, yx = 0, xy = 0, yy = 1, x0 = 0, y0 = 0;
  Vec2 apply(Vec2 p) const { return {xx * p.x + xy * p.y + x0, yx * p.x + yy * p.y + y0}; }
  Vec2 applyVector(Vec2 v) const { return {xx * v.x + xy * v.y, yx * v.x + yy * v.y}; }
  Affine2 operator*(const Affine2& m) const {
    return {xx * m.xx + xy * m.yx, yx * m.xx + yy * m.yx, xx * m.xy + xy * m.yy,
            yx * m.xy + yy * m.yy, xx * m.x0 + xy * m.y0 + x0, yx * m.x0 + yy * m.y0 + y0};
  }
  double det() const { return xx * yy - xy * yx; }
};

// An elliptic arc c + u cos t + v sin t for t from t0 to t1 (t1 > t0).
struct EllipseArc {
  Vec2 c, u, v;
  double t0 = 0, t1 = 0;
  Vec2 at(double t) const { return c + u * std::cos(t) + v * std::sin(t); }
};

// The arc of a polyline segment with a bulge, as centre and angles.
struct BulgeArc {
  Vec2 centre;
  double radius = 0, start = 0, sweep = 0;  // sweep negative for clockwise
};
bool bulgeArc(Vec2 from, Vec2 to, double bulge, BulgeArc& arc);

// Points of a NURBS curve, from its degree, control points, knots and weights
// (empty weights: all 1); at most `maxPoints`.
std::vector<Vec3> nurbsPoints(int degree, const std::vector<Vec3>& control, std::vector<double> knots,
                              const std::vector<double>& weights, size_t segments);
// A cubic curve through fit points, with end tangents when given (null: estimated).
std::vector<Vec3> fitPointCurve(std::vector<Vec3> fit, const Vec3* startTangent, const Vec3* endTangent,
                                size_t segmentsPerSpan);

}  // namespace arx::render
