#include "geom/shapes.h"

#include <algorithm>
#include <cmath>

#include "arx/render/clip.h"

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

// Does the closed segment a-b touch the closed box?
bool segmentTouchesBox(Point a, Point b, const Box& box) {
  Point p, q;
  return render::clipSegment(a, b, render::ClipBox{box.minX, box.minY, box.maxX, box.maxY}, p, q);
}

// Does the arc meet the box (inside or on its edge)?
bool arcTouchesBox(const ArcPiece& arc, const Box& box) {
  // An arc without crossings lies wholly inside or outside: one of its points decides.
  if (box.contains(onCircle(arc.center, arc.radius, arc.start)) ||
      (!arc.full && box.contains(onCircle(arc.center, arc.radius, arc.end))))
    return true;
  // Where the circle meets each edge line, is that point on the edge and on the arc?
  const double c[2] = {arc.center.x, arc.center.y};
  const double lo[2] = {box.minX, box.minY}, hi[2] = {box.maxX, box.maxY};
  for (int axis = 0; axis < 2; ++axis) {
    const int other = 1 - axis;
    for (double edge : {lo[axis], hi[axis]}) {
      const double d = edge - c[axis];
      const double h2 = arc.radius * arc.radius - d * d;
      if (h2 < 0.0) continue;
      const double h = std::sqrt(h2);
      for (double s : {c[other] - h, c[other] + h}) {
        if (s < lo[other] || s > hi[other]) continue;
        const double ax = axis == 0 ? edge : s, ay = axis == 0 ? s : edge;
        if (arc.full || angleOnArc(arc, std::atan2(ay - arc.center.y, ax - arc.center.x))) return true;
      }
    }
  }
  return false;
}

bool insidePolygon(Point p, const std::vector<Point>& poly) {
  bool inside = false;
  for (std::size_t i = 0, j = poly.size() - 1; i < poly.size(); j = i++) {
    if ((poly[i].y > p.y) != (poly[j].y > p.y) &&
        p.x < (poly[j].x - poly[i].x) * (p.y - poly[i].y) / (poly[j].y - poly[i].y) + poly[i].x)
      inside = !inside;
  }
  return inside;
}

bool outlineTouchesBox(const std::vector<Point>& poly, const Box& box) {
  for (std::size_t i = 0; i < poly.size(); ++i)
    if (segmentTouchesBox(poly[i], poly[(i + 1) % poly.size()], box)) return true;
  return false;
}

bool filledPolygonTouchesBox(const std::vector<Point>& poly, const Box& box) {
  return outlineTouchesBox(poly, box) || insidePolygon({box.minX, box.minY}, poly);
}

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
  };
  std::visit(Visitor{box}, shape);
  return box;
}

bool crossesWindow(const Shape& shape, const Box& w) {
  struct Visitor {
    const Box& w;
    bool operator()(const LineShape& l) const { return segmentTouchesBox(l.start, l.end, w); }
    bool operator()(const PolylineShape& pl) const {
      if (pl.vertices.size() == 1) return w.contains(pl.vertices[0].point);
      bool hit = false;
      forEachSegment(pl, [&](const PolylineVertex& a, const PolylineVertex& b) {
        if (hit) return;
        const bool straight = a.bulge == 0.0 || (a.point.x == b.point.x && a.point.y == b.point.y);
        hit = straight ? segmentTouchesBox(a.point, b.point, w)
                       : arcTouchesBox(arcFromBulge(a.point, b.point, a.bulge), w);
      });
      return hit;
    }
    bool operator()(const CircleShape& c) const { return arcTouchesBox({c.center, c.radius, 0.0, 0.0, true}, w); }
    bool operator()(const ArcShape& a) const { return arcTouchesBox(arcOf(a), w); }
    bool operator()(const TextShape& t) const { return filledPolygonTouchesBox(textBox(t), w); }
    bool operator()(const ImageShape& im) const { return outlineTouchesBox(imageFrame(im), w); }
  };
  return std::visit(Visitor{w}, shape);
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
  };
  Shape copy = shape;
  if (!std::visit(Visitor{m, similar, mirrored, scale, angleAfter}, copy)) return false;
  shape = std::move(copy);
  return true;
}

}  // namespace arx
