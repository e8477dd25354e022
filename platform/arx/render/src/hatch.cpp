// HATCH (boundary paths, solid, pattern and gradient fills), IMAGE and WIPEOUT.
#include <algorithm>
#include <cmath>
#include <numbers>

#include "decoder.h"
#include "tag_reading.h"

namespace arx::render {
namespace {

constexpr double kDegree = std::numbers::pi / 180;
constexpr double kTwoPi = 2 * std::numbers::pi;
constexpr double kMaxPatternLines = 20000;  // per pattern line family

// One boundary path in object coordinates.
struct Loop {
  Path path;  // OCS x, y
  bool external = false;
};

// Reads the edges of a non-polyline boundary path.
void readEdges(TagCursor& cur, Path& path) {
  const long long count = cur.takeInteger(93, 0);
  for (long long k = 0; k < count && cur.at(72); ++k) {
    const long long type = cur.takeInteger(72, 0);
    if (type == 1) {
      const Vec2 a{cur.take(10), cur.take(20)};
      const Vec2 b{cur.take(11), cur.take(21)};
      path.lineTo(a);
      path.lineTo(b);
    } else if (type == 2 || type == 3) {
      const Vec2 c{cur.take(10), cur.take(20)};
      Vec2 u, v;
      if (type == 2) {
        const double r = cur.take(40);
        u = {r, 0}, v = {0, r};
      } else {
        u = {cur.take(11), cur.take(21)};
        const double ratio = cur.take(40, 1);
        v = Vec2{-u.y, u.x} * ratio;
      }
      double t0 = cur.take(50) * kDegree, t1 = cur.take(51, 360) * kDegree;
      const bool ccw = cur.takeInteger(73, 1) != 0;
      if (!ccw) v = v * -1;  // clockwise edges keep their angles mirrored
      if (!(std::abs(t0) < 1e6) || !(std::abs(t1) < 1e6)) continue;
      if (std::abs(t1 - t0) >= kTwoPi - 1e-9) t1 = t0 + kTwoPi;
      while (t1 <= t0) t1 += kTwoPi;
      path.arcTo({c, u, v, t0, t1});
    } else if (type == 4) {
      const int degree = static_cast<int>(cur.takeInteger(94, 3));
      cur.takeInteger(73, 0);
      cur.takeInteger(74, 0);
      cur.takeInteger(95, 0);
      cur.takeInteger(96, 0);
      std::vector<double> knots, weights;
      std::vector<Vec3> control, fit;
      while (cur.at(40)) knots.push_back(cur.take(40));
      while (cur.at(10)) {
        control.push_back({cur.take(10), cur.take(20), 0});
        if (cur.at(42)) weights.push_back(cur.take(42, 1));
      }
      if (cur.at(97)) {
        cur.next();
        while (cur.at(11)) fit.push_back({cur.take(11), cur.take(21), 0});
        if (cur.at(12)) cur.takePoint(12);
        if (cur.at(13)) cur.takePoint(13);
      }
      const std::vector<Vec3> pts = control.size() >= 2
                                        ? nurbsPoints(degree, control, knots, weights, std::min<size_t>(control.size() * 16, 20000))
                                        : fitPointCurve(fit, nullptr, nullptr, 16);
      for (const Vec3& p : pts) path.lineTo({p.x, p.y});
    } else {
      break;
    }
  }
}

std::vector<Loop> readBoundary(Tags e) {
  std::vector<Loop> loops;
  TagCursor cur(e);
  if (!cur.seek(91)) return loops;
  cur.next();
  while (cur.at(92) && loops.size() < 100000) {
    const long long flags = cur.takeInteger(92, 0);
    Loop loop;
    loop.external = flags & 1;
    if (flags & 2) {
      cur.takeInteger(72, 0);
      const bool closed = cur.takeInteger(73, 1) != 0;
      (void)closed;
      cur.takeInteger(93, 0);
      std::vector<std::pair<Vec2, double>> vertices;
      while (cur.at(10)) {
        const Vec2 p{cur.take(10), cur.take(20)};
        vertices.push_back({p, cur.at(42) ? cur.take(42) : 0});
      }
      for (size_t i = 0; i < vertices.size(); ++i) {
        const auto [p, bulge] = vertices[i];
        const Vec2 q = vertices[(i + 1) % vertices.size()].first;
        loop.path.lineTo(p);
        BulgeArc arc;
        if (bulge != 0 && bulgeArc(p, q, bulge, arc)) {
          const Vec2 u{arc.radius, 0}, v{0, arc.radius};
          if (arc.sweep > 0) loop.path.arcTo({arc.centre, u, v, arc.start, arc.start + arc.sweep});
          else loop.path.arcTo({arc.centre, u, v * -1, -arc.start, -arc.start - arc.sweep});
        }
      }
    } else {
      readEdges(cur, loop.path);
    }
    // Source boundary objects.
    const long long sources = cur.takeInteger(97, 0);
    for (long long k = 0; k < sources && cur.at(330); ++k) cur.next();
    loop.path.closed = true;
    if (!loop.path.empty()) loops.push_back(std::move(loop));
    // Anything unexpected before the next path ends the boundary.
  }
  return loops;
}

struct PatternLine {
  double angle = 0;
  Vec2 base, offset;
  std::vector<double> dashes;
};

std::vector<PatternLine> readPattern(Tags e) {
  std::vector<PatternLine> lines;
  TagCursor cur(e);
  if (!cur.seek(78)) return lines;
  cur.next();
  while (cur.at(53)) {
    PatternLine line;
    line.angle = cur.take(53) * kDegree;
    line.base = {cur.take(43), cur.take(44)};
    line.offset = {cur.take(45), cur.take(46)};
    const long long count = cur.takeInteger(79, 0);
    for (long long k = 0; k < count && cur.at(49); ++k) line.dashes.push_back(cur.take(49));
    lines.push_back(std::move(line));
  }
  return lines;
}

// The intervals of the line q + t*u inside the loops (even-odd).
std::vector<double> crossings(const std::vector<std::vector<Vec2>>& loops, Vec2 q, Vec2 u, Vec2 n) {
  std::vector<double> ts;
  for (const auto& loop : loops)
    for (size_t i = 0; i + 1 < loop.size(); ++i) {
      const Vec2 a = loop[i], b = loop[i + 1];
      const double da = dot(a - q, n), db = dot(b - q, n);
      if ((da > 0) == (db > 0)) continue;
      const Vec2 p = a + (b - a) * (da / (da - db));
      ts.push_back(dot(p - q, u));
    }
  std::sort(ts.begin(), ts.end());
  return ts;
}

}  // namespace

void Decoder::hatch(Tags e, const Context& c, const Style& s) {
  const std::vector<Loop> boundary = readBoundary(e);
  if (boundary.empty()) return;
  const double elevation = pointOf(e, 10).z;
  const Matrix m = c.toWorld * ocs(pointOf(e, 210, {0, 0, 1}));
  const long long style = integerOf(e, 75, 0);
  bool anyExternal = false;
  for (const Loop& l : boundary) anyExternal = anyExternal || l.external;
  // World loops for the fill; "ignore" style fills the outer loops only.
  auto toWorld = [&](const Path& p) {
    Path w;
    w.closed = p.closed;
    for (const PathPiece& piece : p.pieces) {
      if (piece.arc) {
        const EllipseArc& a = piece.ellipse;
        w.arcTo({m.plan({a.c.x, a.c.y, elevation}), m.planVector({a.u.x, a.u.y, 0}), m.planVector({a.v.x, a.v.y, 0}), a.t0, a.t1});
      } else {
        for (Vec2 q : piece.points) w.lineTo(m.plan({q.x, q.y, elevation}));
      }
    }
    return w;
  };
  std::vector<Path> world;
  std::vector<std::vector<Vec2>> flat;  // object coordinates, for the pattern
  const double tolerance = sink_.worldPerPixel() > 0 ? 0.3 * sink_.worldPerPixel() / std::max(m.planScale(), 1e-300) : 0;
  for (const Loop& l : boundary) {
    if (style == 2 && anyExternal && !l.external) continue;
    if (!spend(static_cast<double>(l.path.pieces.size()))) return;
    world.push_back(toWorld(l.path));
    flat.push_back(flatten(l.path, tolerance, 4096));
  }
  Paint paint = s.paint;
  const bool solid = integerOf(e, 70, 0) == 1;
  if (integerOf(e, 450, 0) != 0) {
    // A gradient plots as its first colour.
    TagCursor cur(e);
    if (cur.seek(453)) {
      while (!cur.done() && !cur.at(421) && !cur.at(63)) cur.next();
      if (cur.at(421)) {
        const long long rgb = cur.integer(0);
        paint = {((rgb >> 16) & 0xff) / 255.0, ((rgb >> 8) & 0xff) / 255.0, (rgb & 0xff) / 255.0, s.paint.a};
      } else if (cur.at(63)) {
        const Paint aci = aciPaint(cur.integer(7));
        paint = {aci.r, aci.g, aci.b, s.paint.a};
      }
    }
    sink_.fill(world, paint);
    return;
  }
  if (solid) {
    sink_.fill(world, paint);
    return;
  }
  // Pattern: each line family crosses the boundary; the dashes run from the
  // family's base point. Scale and angle are already in the stored lines.
  Pen pn = pen(s, e, c);
  pn.dashes.clear();
  double minX = 1e300, minY = 1e300, maxX = -1e300, maxY = -1e300;
  for (const auto& loop : flat)
    for (Vec2 p : loop) minX = std::min(minX, p.x), maxX = std::max(maxX, p.x), minY = std::min(minY, p.y), maxY = std::max(maxY, p.y);
  if (!(minX <= maxX && minY <= maxY)) return;
  const double pxPerUnit = sink_.worldPerPixel() > 0 ? m.planScale() / sink_.worldPerPixel() : 0;
  for (const PatternLine& line : readPattern(e)) {
    const Vec2 u{std::cos(line.angle), std::sin(line.angle)}, n{-u.y, u.x};
    const double spacing = dot(line.offset, n);
    if (!(std::abs(spacing) > 0) || !std::isfinite(spacing)) continue;
    // Lines closer than a pixel or two look solid at this scale.
    if (pxPerUnit > 0 && std::abs(spacing) * pxPerUnit < 1.5) {
      sink_.fill(world, paint);
      return;
    }
    double lo = 1e300, hi = -1e300;
    for (Vec2 corner : {Vec2{minX, minY}, Vec2{maxX, minY}, Vec2{maxX, maxY}, Vec2{minX, maxY}}) {
      const double d = dot(corner - line.base, n) / spacing;
      lo = std::min(lo, d), hi = std::max(hi, d);
    }
    if (!(hi - lo < kMaxPatternLines)) continue;
    double period = 0;
    for (double d : line.dashes) period += std::abs(d);
    const bool dashed = !line.dashes.empty() && period > 0 && (pxPerUnit == 0 || period * pxPerUnit >= 2);
    for (double k = std::floor(lo); k <= std::ceil(hi); ++k) {
      const Vec2 q = line.base + line.offset * k;
      const std::vector<double> ts = crossings(flat, q, u, n);
      if (!spend(1 + static_cast<double>(ts.size()))) return;
      for (size_t i = 0; i + 1 < ts.size(); i += 2) {
        auto segment = [&](double a, double b) {
          Path p;
          p.lineTo(m.plan({q.x + u.x * a, q.y + u.y * a, elevation}));
          p.lineTo(m.plan({q.x + u.x * b, q.y + u.y * b, elevation}));
          sink_.stroke(p, pn);
        };
        const double a = ts[i], b = ts[i + 1];
        if (!dashed) {
          segment(a, b);
          continue;
        }
        // Dashes from the period that holds `a`.
        double t = std::floor(a / period) * period;
        if (!((b - t) / period * line.dashes.size() < 1e6)) continue;
        while (t < b && spend(0.01)) {
          for (double d : line.dashes) {
            const double end = t + std::abs(d);
            if (d >= 0 && end >= a && t <= b) {
              if (d == 0) segment(t, t);
              else segment(std::max(t, a), std::min(end, b));
            }
            t = end;
            if (t >= b) break;
          }
        }
      }
    }
  }
}

// IMAGE and WIPEOUT: a parallelogram of u and v pixel vectors from the
// insertion point, clipped by the boundary given in pixel coordinates
// (origin at the top-left pixel's centre, y down).
void Decoder::image(Tags e, const Context& c, const Style& s, bool wipeout) {
  const Vec3 insert = pointOf(e, 10), u = pointOf(e, 11, {1, 0, 0}), v = pointOf(e, 12, {0, 1, 0});
  const Vec3 size = pointOf(e, 13, {1, 1, 0});
  if (!(size.x > 0) || !(size.y > 0) || size.x > 1e9 || size.y > 1e9) return;
  const Matrix& m = c.toWorld;
  std::vector<Vec3> clip;
  std::vector<Vec3> vertices = pointsOf(e, 14);
  if (!spend(static_cast<double>(vertices.size()))) return;
  const bool clipped = wipeout || integerOf(e, 280, 0) == 1;
  if (clipped && vertices.size() == 2) {
    const Vec3 a = vertices[0], b = vertices[1];
    vertices = {a, {b.x, a.y, 0}, b, {a.x, b.y, 0}};
  }
  if (clipped && vertices.size() >= 3) {
    const Vec3 origin = insert + u * 0.5 - v * 0.5;
    for (const Vec3& p : vertices) clip.push_back(origin + u * p.x + v * (size.y - p.y));
  } else {
    clip = {insert, insert + u * size.x, insert + u * size.x + v * size.y, insert + v * size.y};
  }
  std::vector<Vec2> world;
  for (const Vec3& p : clip) world.push_back(m.plan(p));
  if (wipeout) {
    sink_.wipeout(world);
    return;
  }
  // Display option 8: transparency on.
  cairo_surface_t* picture = tables_.picture(textOf(e, 340), (integerOf(e, 70, 0) & 8) != 0);
  sink_.picture(picture, m.plan(insert), m.planVector(u * size.x), m.planVector(v * size.y), world, s.paint);
}

}  // namespace arx::render
