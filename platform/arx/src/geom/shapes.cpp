#include "geom/shapes.h"

#include <algorithm>
#include <cmath>


namespace arx {
namespace {

constexpr double kTwoPi = 6.283185307179586476925286766559;

Point transformed(const AcGeMatrix3d& m, Point p) {
  AcGePoint3d q(p.x, p.y, 0.0);
  q.transformBy(m);
  return {q.x, q.y};
}

double normalized(double a) {
  a = std::fmod(a, kTwoPi);
  return a < 0.0 ? a + kTwoPi : a;
}

double angleOf(Point center, Point p) { return std::atan2(p.y - center.y, p.x - center.x); }

Point onCircle(Point c, double r, double a) { return {c.x + r * std::cos(a), c.y + r * std::sin(a)}; }

void addArcExtents(const ArcPiece& arc, Box& box) {
  if (!arc.full) {
    box.add(onCircle(arc.center, arc.radius, arc.start));
    box.add(onCircle(arc.center, arc.radius, arc.end));
  }
  for (int q = 0; q < 4; ++q) {
    const double a = q * kTwoPi / 4.0;
    if (arc.full || angleOnArc(arc, a)) box.add(onCircle(arc.center, arc.radius, a));
  }
}

template <typename F>
void forEachSegment(const PolylineShape& pl, F&& f) {
  const std::size_t n = pl.vertices.size();
  const std::size_t segments = pl.closed ? n : (n ? n - 1 : 0);
  for (std::size_t i = 0; i < segments; ++i) f(pl.vertices[i], pl.vertices[(i + 1) % n]);
}

ArcPiece arcOf(const ArcShape& a) { return {a.center, a.radius, a.startAngle, a.endAngle, false}; }

}  // namespace

void Box::add(Point p) {
  if (empty()) {
    minX = maxX = p.x;
    minY = maxY = p.y;
    return;
  }
  minX = std::min(minX, p.x), maxX = std::max(maxX, p.x);
  minY = std::min(minY, p.y), maxY = std::max(maxY, p.y);
}

ArcPiece arcFromBulge(Point a, Point b, double bulge) {
  const double dx = b.x - a.x, dy = b.y - a.y;
  const double chord = std::hypot(dx, dy);
  const double d = chord * (1.0 - bulge * bulge) / (4.0 * bulge);  // centre's distance left of the chord
  const Point mid{(a.x + b.x) / 2.0, (a.y + b.y) / 2.0};
  const Point center{mid.x - dy / chord * d, mid.y + dx / chord * d};
  ArcPiece arc{center, chord * (1.0 + bulge * bulge) / (4.0 * std::fabs(bulge)), 0.0, 0.0, false};
  arc.start = angleOf(center, bulge > 0.0 ? a : b);
  arc.end = angleOf(center, bulge > 0.0 ? b : a);
  return arc;
}

bool angleOnArc(const ArcPiece& arc, double a) {
  if (arc.full) return true;
  double span = normalized(arc.end - arc.start);
  if (span == 0.0) span = kTwoPi;
  return normalized(a - arc.start) <= span + 1e-12;
}

std::vector<Point> textBox(const TextShape& t) {
  const double width = 0.8 * t.height * static_cast<double>(std::max<std::size_t>(1, t.text.size()));
  const double c = std::cos(t.rotation), s = std::sin(t.rotation);
  const Point p = t.position;
  return {p, {p.x + width * c, p.y + width * s},
          {p.x + width * c - t.height * s, p.y + width * s + t.height * c},
          {p.x - t.height * s, p.y + t.height * c}};
}

std::vector<Point> imageFrame(const ImageShape& im) {
  const Point o = im.origin;
  return {o, {o.x + im.u.x, o.y + im.u.y}, {o.x + im.u.x + im.v.x, o.y + im.u.y + im.v.y}, {o.x + im.v.x, o.y + im.v.y}};
}

Box extentsOf(const Shape& shape) {
  Box box;
  struct Visitor {
    Box& box;
    void operator()(const LineShape& l) { box.add(l.start), box.add(l.end); }
    void operator()(const PolylineShape& pl) {
      for (const auto& v : pl.vertices) box.add(v.point);
      forEachSegment(pl, [&](const PolylineVertex& a, const PolylineVertex& b) {
        if (a.bulge != 0.0 && (a.point.x != b.point.x || a.point.y != b.point.y))
          addArcExtents(arcFromBulge(a.point, b.point, a.bulge), box);
      });
    }
    void operator()(const CircleShape& c) { addArcExtents({c.center, c.radius, 0.0, 0.0, true}, box); }
    void operator()(const ArcShape& a) { addArcExtents(arcOf(a), box); }
    void operator()(const TextShape& t) {
      for (Point p : textBox(t)) box.add(p);
    }
    void operator()(const ImageShape& im) {
      for (Point p : imageFrame(im)) box.add(p);
    }
    void operator()(const KeptShape&) {}  // measured from its groups by the renderer
  };
  std::visit(Visitor{box}, shape);
  return box;
}

bool transformShape(Shape& shape, const AcGeMatrix3d& m) {
  const bool similar = m.isUniScaledOrtho();
  const double scale = m.scale();
  const bool mirrored = m.det() < 0.0;
  auto angleAfter = [&](Point center, double a) {
    const Point c2 = transformed(m, center);
    return angleOf(c2, transformed(m, onCircle(center, 1.0, a)));
  };
  struct Visitor {
    const AcGeMatrix3d& m;
    bool similar, mirrored;
    double scale;
    decltype(angleAfter)& angle;
    bool operator()(LineShape& l) const {
      l.start = transformed(m, l.start), l.end = transformed(m, l.end);
      return true;
    }
    bool operator()(PolylineShape& pl) const {
      const bool curved = std::any_of(pl.vertices.begin(), pl.vertices.end(), [](auto& v) { return v.bulge != 0.0; });
      if (curved && !similar) return false;
      for (auto& v : pl.vertices) {
        v.point = transformed(m, v.point);
        if (mirrored) v.bulge = -v.bulge;
      }
      return true;
    }
    bool operator()(CircleShape& c) const {
      if (!similar) return false;
      c.center = transformed(m, c.center), c.radius *= scale;
      return true;
    }
    bool operator()(ArcShape& a) const {
      if (!similar) return false;
      const double s = angle(a.center, a.startAngle), e = angle(a.center, a.endAngle);
      a.startAngle = normalized(mirrored ? e : s), a.endAngle = normalized(mirrored ? s : e);
      a.center = transformed(m, a.center), a.radius *= scale;
      return true;
    }
    bool operator()(TextShape& t) const {
      if (!similar) return false;
      const Point dir = transformed(m, {t.position.x + std::cos(t.rotation), t.position.y + std::sin(t.rotation)});
      t.position = transformed(m, t.position);
      t.rotation = normalized(std::atan2(dir.y - t.position.y, dir.x - t.position.x));
      t.height *= scale;
      return true;
    }
    bool operator()(ImageShape& im) const {
      const Point o = transformed(m, im.origin);
      const Point u = transformed(m, {im.origin.x + im.u.x, im.origin.y + im.u.y});
      const Point v = transformed(m, {im.origin.x + im.v.x, im.origin.y + im.v.y});
      im.origin = o, im.u = {u.x - o.x, u.y - o.y}, im.v = {v.x - o.x, v.y - o.y};
      return true;
    }
    bool operator()(KeptShape&) const { return false; }  // kept as the file holds it
  };
  Shape copy = shape;
  if (!std::visit(Visitor{m, similar, mirrored, scale, angleAfter}, copy)) return false;
  shape = std::move(copy);
  return true;
}

}  // namespace arx
