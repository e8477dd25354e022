#include "decoder.h"

#include <algorithm>
#include <climits>
#include <cmath>
#include <numbers>

#include "arx/render/aci.h"
#include "extents_sink.h"
#include "tag_reading.h"

namespace arx::render {
namespace {

constexpr int kMaxDepth = 16;            // nested block references
constexpr double kBudget = 2e6;          // primitives and points per top-level entity
constexpr double kDegree = std::numbers::pi / 180;
constexpr double kTwoPi = 2 * std::numbers::pi;

bool iequals(std::string_view a, std::string_view b) {
  return a.size() == b.size() && std::equal(a.begin(), a.end(), b.begin(), [](char x, char y) {
           return std::tolower(static_cast<unsigned char>(x)) == std::tolower(static_cast<unsigned char>(y));
         });
}

Paint rgbPaint(long long rgb) {
  return {((rgb >> 16) & 0xff) / 255.0, ((rgb >> 8) & 0xff) / 255.0, (rgb & 0xff) / 255.0, 1};
}

const LayerInfo& defaultLayer() {
  static const LayerInfo layer;
  return layer;
}

Matrix entityOcs(Tags e) { return ocs(pointOf(e, 210, {0, 0, 1})); }

}  // namespace

Paint aciPaint(long long aci) {
  if (aci < -255 || aci > 255) return {};  // no such colour: black
  aci = std::llabs(aci);
  const int bgr = aci == 7 ? 0 : aciRgb(static_cast<int>(aci));
  if (bgr < 0) return {};
  return {(bgr & 0xff) / 255.0, ((bgr >> 8) & 0xff) / 255.0, ((bgr >> 16) & 0xff) / 255.0, 1};
}

bool drawsEntityType(std::string_view type) {
  static constexpr std::string_view kTypes[] = {
      "LINE",   "XLINE",  "RAY",        "POINT",      "CIRCLE",      "ARC",    "ELLIPSE", "SPLINE",
      "LWPOLYLINE", "POLYLINE", "SOLID", "TRACE",     "3DFACE",      "INSERT", "ACAD_TABLE", "DIMENSION",
      "LEADER", "MULTILEADER", "MLEADER", "HATCH",    "IMAGE",       "WIPEOUT", "TEXT",   "ATTRIB",
      "ATTDEF", "MTEXT"};
  return std::find(std::begin(kTypes), std::end(kTypes), type) != std::end(kTypes);
}

Decoder::Decoder(const DrawingTables& tables, Sink& sink) : tables_(tables), sink_(sink), budget_(kBudget) {}

bool Decoder::spend(double units) {
  budget_ -= units;
  return budget_ > 0 && sink_.wantsMore();
}

std::optional<Style> Decoder::style(Tags e, const Context& c) const {
  Style s;
  s.layerName = textOf(e, 8, "0");
  if (!c.layer.empty() && s.layerName == "0") s.layerName = c.layer;
  s.layer = tables_.layer(s.layerName);
  const LayerInfo& layer = s.layer ? *s.layer : defaultLayer();
  if (!layer.on || layer.frozen || integerOf(e, 60, 0) == 1) return std::nullopt;
  if (layers == Layers::Plotted && !layer.plottable) return std::nullopt;
  // Colour: true colour first, then the index; 0 is BYBLOCK, 256 BYLAYER.
  const long long aci = integerOf(e, 62, 256);
  if (aci == 0) s.paint = c.blockPaint;
  else if (findTag(e, 420)) s.paint = rgbPaint(integerOf(e, 420, 0));
  else if (aci == 256 || aci < 0 || aci > 256) s.paint = layer.trueColour >= 0 ? rgbPaint(layer.trueColour) : aciPaint(layer.colour);
  else s.paint = aciPaint(aci);
  // Transparency: 0x02000000 | alpha, 0x01000000 BYBLOCK, none BYLAYER.
  const long long t = integerOf(e, 440, -1);
  if (t < 0) s.paint.a = 1 - std::clamp(layer.transparency, 0.0, 1.0);
  else if (t & 0x01000000) s.paint.a = c.blockAlpha;
  else if (t & 0x02000000) s.paint.a = (t & 0xff) / 255.0;
  // Linetype and lineweight.
  s.linetype = textOf(e, 6, "BYLAYER");
  if (iequals(s.linetype, "BYLAYER")) s.linetype = layer.linetype;
  else if (iequals(s.linetype, "BYBLOCK")) s.linetype = c.blockLinetype;
  s.lineweight = static_cast<int>(integerOf(e, 370, -1));
  if (s.lineweight == -1) s.lineweight = layer.lineweight;
  else if (s.lineweight == -2) s.lineweight = c.blockLineweight;
  return s;
}

Pen Decoder::pen(const Style& s, Tags e, const Context& c) const {
  Pen p;
  p.paint = s.paint;
  int lw = s.lineweight;
  if (lw < 0) lw = tables_.header().defaultLineweight;
  p.widthMm = lw > 0 ? lw / 100.0 : -1;
  if (const LinetypeInfo* lt = tables_.linetype(s.linetype); lt && !iequals(s.linetype, "CONTINUOUS")) {
    const double scale = tables_.header().ltscale * numberOf(e, 48, 1) * c.toWorld.planScale();
    if (scale > 0 && std::isfinite(scale) && lt->dashes.size() <= 64)
      for (double d : lt->dashes) p.dashes.push_back(d * scale);
  }
  return p;
}

void Decoder::draw(Tags entity) {
  budget_ = kBudget;
  Context top;
  top.blockPaint = aciPaint(7);
  draw(entity, top);
}

void Decoder::draw(Tags e, const Context& c) {
  if (!spend(1) || c.depth > kMaxDepth) return;
  const std::optional<Style> s = style(e, c);
  if (!s) return;
  const std::string_view type = entityType(e);
  if (type == "LINE") line(e, c, *s);
  else if (type == "XLINE" || type == "RAY") infiniteLine(e, c, *s, type == "RAY");
  else if (type == "POINT") point(e, c, *s);
  else if (type == "CIRCLE" || type == "ARC") circle(e, c, *s, type == "ARC");
  else if (type == "ELLIPSE") ellipse(e, c, *s);
  else if (type == "SPLINE") spline(e, c, *s);
  else if (type == "LWPOLYLINE") lwpolyline(e, c, *s);
  else if (type == "POLYLINE") polyline(e, c, *s);
  else if (type == "SOLID" || type == "TRACE") solid(e, c, *s);
  else if (type == "3DFACE") face(e, c, *s);
  else if (type == "INSERT" || type == "ACAD_TABLE") insert(e, c, *s);
  else if (type == "DIMENSION") blockOf(e, c, *s, textOf(e, 2), c.toWorld);
  else if (type == "LEADER") leader(e, c, *s);
  else if (type == "MULTILEADER" || type == "MLEADER") multileader(e, c, *s);
  else if (type == "HATCH") hatch(e, c, *s);
  else if (type == "IMAGE" || type == "WIPEOUT") image(e, c, *s, type == "WIPEOUT");
  else if (type == "TEXT" || type == "ATTRIB") text(e, c, *s);
  else if (type == "ATTDEF" && c.depth == 0) text(e, c, *s);
  else if (type == "MTEXT") mtext(e, c, *s);
}

void Decoder::line(Tags e, const Context& c, const Style& s) {
  Path path;
  path.lineTo(c.toWorld.plan(pointOf(e, 10)));
  path.lineTo(c.toWorld.plan(pointOf(e, 11)));
  sink_.stroke(path, pen(s, e, c));
}

// An infinite line is cut to the region of interest; without one (extents)
// it has no extent.
void Decoder::infiniteLine(Tags e, const Context& c, const Style& s, bool ray) {
  if (!region) return;
  const Vec2 p = c.toWorld.plan(pointOf(e, 10));
  const Vec2 d = c.toWorld.planVector(pointOf(e, 11, {1, 0, 0}));
  const double len = length(d);
  if (!(len > 0) || !finite(p)) return;
  const Box& b = *region;
  // Far enough to leave the region on both sides.
  const double reach = length(Vec2{b.maxX - b.minX, b.maxY - b.minY}) +
                       length(p - Vec2{(b.minX + b.maxX) / 2, (b.minY + b.maxY) / 2});
  if (!std::isfinite(reach)) return;
  Path path;
  path.lineTo(ray ? p : p - d * (reach / len));
  path.lineTo(p + d * (reach / len));
  sink_.stroke(path, pen(s, e, c));
}

void Decoder::point(Tags e, const Context& c, const Style& s) {
  const HeaderInfo& h = tables_.header();
  const Vec2 p = c.toWorld.plan(pointOf(e, 10));
  double size = h.pdsize;
  if (size == 0) size = 0.05 * sink_.pageHeightWorld();
  else if (size < 0) size = -size / 100 * sink_.pageHeightWorld();
  else size *= c.toWorld.planScale();
  Pen pn = pen(s, e, c);
  pn.dashes.clear();
  const int mode = h.pdmode;
  const double half = size / 2;
  // The symbol turns against the angle of the x axis it was drawn in (group 50).
  const double angle = -numberOf(e, 50, 0) * kDegree;
  const double ca = std::cos(angle), sa = std::sin(angle);
  auto turn = [&](Vec2 v) { return Vec2{v.x * ca - v.y * sa, v.x * sa + v.y * ca}; };
  auto seg = [&](Vec2 a, Vec2 b) {
    Path path;
    path.lineTo(p + turn(a));
    path.lineTo(p + turn(b));
    sink_.stroke(path, pn);
  };
  switch (mode & 7) {
    case 0: {
      Path dot;
      dot.lineTo(p);
      sink_.stroke(dot, pn);
      break;
    }
    // The crosses reach out of the circle and square, as the point styles show.
    case 2: seg({-size, 0}, {size, 0}), seg({0, -size}, {0, size}); break;
    case 3: seg({-size, -size}, {size, size}), seg({-size, size}, {size, -size}); break;
    case 4: seg({0, 0}, {0, half}); break;
    default: break;
  }
  if (!(size > 0)) return;
  if (mode & 32) {
    Path circle;
    circle.arcTo({p, {half, 0}, {0, half}, 0, kTwoPi});
    sink_.stroke(circle, pn);
  }
  if (mode & 64) {
    Path square;
    for (Vec2 q : {Vec2{-half, -half}, Vec2{half, -half}, Vec2{half, half}, Vec2{-half, half}}) square.lineTo(p + turn(q));
    square.closed = true;
    sink_.stroke(square, pn);
  }
}

void Decoder::circle(Tags e, const Context& c, const Style& s, bool arc) {
  const Matrix m = c.toWorld * entityOcs(e);
  const double r = numberOf(e, 40, 0);
  if (!(r > 0)) return;
  double t0 = 0, t1 = kTwoPi;
  if (arc) {
    t0 = numberOf(e, 50, 0) * kDegree, t1 = numberOf(e, 51, 360) * kDegree;
    t0 = std::fmod(t0, kTwoPi), t1 = std::fmod(t1, kTwoPi);
    while (t1 <= t0) t1 += kTwoPi;
  }
  Path path;
  path.arcTo({m.plan(pointOf(e, 10)), m.planVector({r, 0, 0}), m.planVector({0, r, 0}), t0, t1});
  path.closed = !arc;
  sink_.stroke(path, pen(s, e, c));
}

void Decoder::ellipse(Tags e, const Context& c, const Style& s) {
  const Vec3 centre = pointOf(e, 10), major = pointOf(e, 11, {1, 0, 0});
  Vec3 normal = pointOf(e, 210, {0, 0, 1});
  const double nl = length(normal);
  if (!(nl > 0)) return;
  normal = normal * (1 / nl);
  const double ratio = numberOf(e, 40, 1);
  const Vec3 minor = cross(normal, major) * ratio;
  double t0 = numberOf(e, 41, 0), t1 = numberOf(e, 42, kTwoPi);
  if (!(std::abs(t0) < 1e6) || !(std::abs(t1) < 1e6)) return;
  const bool full = std::abs(t1 - t0) >= kTwoPi - 1e-9;
  if (full) t1 = t0 + kTwoPi;
  while (t1 <= t0) t1 += kTwoPi;
  Path path;
  path.arcTo({c.toWorld.plan(centre), c.toWorld.planVector(major), c.toWorld.planVector(minor), t0, t1});
  path.closed = full;
  sink_.stroke(path, pen(s, e, c));
}

void Decoder::spline(Tags e, const Context& c, const Style& s) {
  std::vector<Vec3> control = pointsOf(e, 10), fit = pointsOf(e, 11);
  const std::vector<double> knots = numbersOf(e, 40), weights = numbersOf(e, 41);
  if (!spend(static_cast<double>(control.size() + fit.size() + knots.size()))) return;
  const int degree = static_cast<int>(std::clamp<long long>(integerOf(e, 71, 3), 1, 10));
  const bool closed = integerOf(e, 70, 0) & 1;
  std::vector<Vec3> curve;
  // Enough points for a smooth curve at this size, within the budget.
  auto segmentsFor = [&](const std::vector<Vec3>& pts) {
    double len = 0;
    for (size_t i = 1; i < pts.size(); ++i) len += length(c.toWorld.planVector(pts[i] - pts[i - 1]));
    const double px = sink_.worldPerPixel() > 0 ? len / sink_.worldPerPixel() : 64 * pts.size();
    return static_cast<size_t>(std::clamp(std::isfinite(px) ? px / 2 : 0.0, 8.0 * pts.size(), 2e5));
  };
  if (control.size() >= 2) {
    const size_t segments = std::min<size_t>(segmentsFor(control), 200000);
    if (!spend(static_cast<double>(segments) * degree)) return;
    curve = nurbsPoints(degree, control, knots, weights, segments);
  } else if (fit.size() >= 2) {
    const size_t per = std::max<size_t>(segmentsFor(fit) / fit.size(), 4);
    if (!spend(static_cast<double>(per * fit.size()))) return;
    const Vec3 start = pointOf(e, 12), end = pointOf(e, 13);
    curve = fitPointCurve(fit, findTag(e, 12) ? &start : nullptr, findTag(e, 13) ? &end : nullptr,
                          std::min<size_t>(per, 2000));
  }
  if (curve.empty()) return;
  Path path;
  for (const Vec3& p : curve) path.lineTo(c.toWorld.plan(p));
  path.closed = closed && control.size() < 2;
  sink_.stroke(path, pen(s, e, c));
}

void Decoder::lwpolyline(Tags e, const Context& c, const Style& s) {
  std::vector<Vertex> vertices;
  const double elevation = numberOf(e, 38, 0);
  for (size_t i = 1; i < e.size() && e[i].code != 0; ++i) {
    const Tag& t = e[i];
    double v = 0;
    const bool ok = parseNumber(t.value, v);
    if (t.code == 10) vertices.push_back({{ok ? v : 0, 0, elevation}});
    if (vertices.empty() || !ok) continue;
    if (t.code == 20) vertices.back().p.y = v;
    else if (t.code == 40) vertices.back().startWidth = v;
    else if (t.code == 41) vertices.back().endWidth = v;
    else if (t.code == 42) vertices.back().bulge = v;
  }
  if (!spend(static_cast<double>(vertices.size()))) return;
  polylinePath(vertices, integerOf(e, 70, 0) & 1, c.toWorld * entityOcs(e), pen(s, e, c), numberOf(e, 43, 0));
}

void Decoder::polylinePath(const std::vector<Vertex>& vertices, bool closed, const Matrix& m, const Pen& pn,
                           double constantWidth) {
  if (vertices.empty()) return;
  bool wide = constantWidth > 0;
  for (const Vertex& v : vertices) wide = wide || v.startWidth > 0 || v.endWidth > 0;
  if (wide) {
    std::vector<Vertex> widths = vertices;
    if (constantWidth > 0)
      for (Vertex& v : widths)
        if (v.startWidth == 0 && v.endWidth == 0) v.startWidth = v.endWidth = constantWidth;
    widePolyline(widths, closed, m, pn.paint);
    return;
  }
  Path path;
  const size_t n = vertices.size();
  const size_t segments = closed ? n : n - 1;
  path.lineTo(m.plan(vertices[0].p));
  for (size_t i = 0; i < segments; ++i) {
    const Vertex& a = vertices[i];
    const Vertex& b = vertices[(i + 1) % n];
    BulgeArc arc;
    if (a.bulge != 0 && bulgeArc({a.p.x, a.p.y}, {b.p.x, b.p.y}, a.bulge, arc)) {
      const double z = a.p.z;
      const Vec2 centre = m.plan({arc.centre.x, arc.centre.y, z});
      const Vec2 u = m.planVector({arc.radius, 0, 0}), v = m.planVector({0, arc.radius, 0});
      // A clockwise arc is the same ellipse with v reversed.
      if (arc.sweep > 0) path.arcTo({centre, u, v, arc.start, arc.start + arc.sweep});
      else path.arcTo({centre, u, v * -1, -arc.start, -arc.start - arc.sweep});
    } else {
      path.lineTo(m.plan(b.p));
    }
  }
  if (closed) path.lineTo(m.plan(vertices[0].p));
  sink_.stroke(path, pn);
}

// Segments with widths are filled: each is an outline offset by half its
// width on either side, start to end, and the corners between them are filled.
void Decoder::widePolyline(const std::vector<Vertex>& vertices, bool closed, const Matrix& m, const Paint& paint) {
  const size_t n = vertices.size();
  const size_t segments = closed ? n : n - 1;
  std::vector<Path> pieces;
  std::vector<std::pair<Vec2, Vec2>> ends;  // (left, right) offsets at segment starts and ends
  for (size_t i = 0; i < segments && spend(1); ++i) {
    const Vertex& a = vertices[i];
    const Vertex& b = vertices[(i + 1) % n];
    std::vector<Vec2> centre;
    BulgeArc arc;
    const Vec2 pa{a.p.x, a.p.y}, pb{b.p.x, b.p.y};
    if (a.bulge != 0 && bulgeArc(pa, pb, a.bulge, arc)) {
      const size_t steps = static_cast<size_t>(std::clamp(std::abs(arc.sweep) * 16, 4.0, 256.0));
      for (size_t k = 0; k <= steps; ++k) {
        const double t = arc.start + arc.sweep * static_cast<double>(k) / steps;
        centre.push_back(arc.centre + Vec2{std::cos(t), std::sin(t)} * arc.radius);
      }
    } else {
      centre = {pa, pb};
    }
    if (centre.size() < 2 || length(centre.back() - centre.front()) == 0) continue;
    std::vector<Vec2> left, right;
    for (size_t k = 0; k < centre.size(); ++k) {
      const Vec2 d = centre[std::min(k + 1, centre.size() - 1)] - centre[k == 0 ? 0 : k - 1];
      const double dl = length(d);
      if (!(dl > 0)) continue;
      const Vec2 normal{-d.y / dl, d.x / dl};
      const double f = static_cast<double>(k) / (centre.size() - 1);
      const double w = (a.startWidth + (a.endWidth - a.startWidth) * f) / 2;
      left.push_back(centre[k] + normal * w);
      right.push_back(centre[k] - normal * w);
    }
    if (left.empty()) continue;
    Path outline;
    for (Vec2 p : left) outline.lineTo(m.plan({p.x, p.y, a.p.z}));
    for (auto it = right.rbegin(); it != right.rend(); ++it) outline.lineTo(m.plan({it->x, it->y, a.p.z}));
    outline.closed = true;
    pieces.push_back(outline);
    ends.push_back({left.front(), right.front()});
    ends.push_back({left.back(), right.back()});
  }
  // Each piece is filled on its own so that overlaps do not cancel out.
  for (const Path& p : pieces) sink_.fill({p}, paint);
  // Bevel joins: the triangles between one segment's end and the next one's start.
  const size_t joins = closed ? pieces.size() : (pieces.empty() ? 0 : pieces.size() - 1);
  for (size_t i = 0; i < joins; ++i) {
    const auto& end = ends[2 * i + 1];
    const auto& start = ends[(2 * i + 2) % ends.size()];
    const Vertex& v = vertices[(i + 1) % n];
    const Vec2 mid{v.p.x, v.p.y};
    for (auto [p, q] : {std::pair{end.first, start.first}, std::pair{end.second, start.second}}) {
      Path tri;
      for (Vec2 x : {mid, p, q}) tri.lineTo(m.plan({x.x, x.y, v.p.z}));
      tri.closed = true;
      sink_.fill({tri}, paint);
    }
  }
}

// POLYLINE with its VERTEX entities: 2D (with bulges and widths), 3D, and
// polygon and polyface meshes (their edges).
void Decoder::polyline(Tags e, const Context& c, const Style& s) {
  const long long flags = integerOf(e, 70, 0);
  const std::vector<Tags> parts = entityParts(e);
  std::vector<Vertex> vertices;
  std::vector<Tags> faces;
  const double defaultStart = numberOf(e, 40, 0), defaultEnd = numberOf(e, 41, 0);
  for (size_t i = 1; i < parts.size() && spend(1); ++i) {
    if (entityType(parts[i]) != "VERTEX") continue;
    const long long vf = integerOf(parts[i], 70, 0);
    if (vf & 16) continue;  // spline frame control point
    if ((flags & 64) && (vf & 128) && !(vf & 64)) {
      faces.push_back(parts[i]);
      continue;
    }
    vertices.push_back({pointOf(parts[i], 10), numberOf(parts[i], 40, defaultStart),
                        numberOf(parts[i], 41, defaultEnd), numberOf(parts[i], 42, 0)});
  }
  const Pen pn = pen(s, e, c);
  auto edge = [&](Vec3 a, Vec3 b) {
    Path p;
    p.lineTo(c.toWorld.plan(a));
    p.lineTo(c.toWorld.plan(b));
    sink_.stroke(p, pn);
  };
  if (flags & 64) {  // polyface mesh: faces index the vertices from 1, negative = invisible edge
    for (Tags f : faces) {
      long long idx[4] = {integerOf(f, 71, 0), integerOf(f, 72, 0), integerOf(f, 73, 0), integerOf(f, 74, 0)};
      const int count = idx[3] != 0 ? 4 : 3;
      for (int k = 0; k < count && spend(1); ++k) {
        const long long a = idx[k], b = idx[(k + 1) % count];
        if (a <= 0 || b == 0 || b == LLONG_MIN) continue;
        const size_t ia = static_cast<size_t>(a - 1), ib = static_cast<size_t>(std::llabs(b) - 1);
        if (ia < vertices.size() && ib < vertices.size()) edge(vertices[ia].p, vertices[ib].p);
      }
    }
    return;
  }
  if (flags & 16) {  // polygon mesh of M x N vertices
    const long long mCount = integerOf(e, 71, 0), nCount = integerOf(e, 72, 0);
    if (mCount <= 0 || nCount <= 0 || mCount * nCount != static_cast<long long>(vertices.size())) return;
    const size_t M = static_cast<size_t>(mCount), N = static_cast<size_t>(nCount);
    const bool closedM = flags & 1, closedN = flags & 32;
    for (size_t i = 0; i < M; ++i)
      for (size_t j = 0; j < N && spend(2); ++j) {
        const Vec3 p = vertices[i * N + j].p;
        if (j + 1 < N || closedN) edge(p, vertices[i * N + (j + 1) % N].p);
        if (i + 1 < M || closedM) edge(p, vertices[((i + 1) % M) * N + j].p);
      }
    return;
  }
  const bool is3d = flags & 8;
  const Vec3 elevation = pointOf(e, 10);
  if (!is3d)
    for (Vertex& v : vertices) v.p.z = elevation.z;
  const Matrix m = is3d ? c.toWorld : c.toWorld * entityOcs(e);
  if (is3d)
    for (Vertex& v : vertices) v.bulge = v.startWidth = v.endWidth = 0;
  polylinePath(vertices, flags & 1, m, pn, 0);
}

void Decoder::solid(Tags e, const Context& c, const Style& s) {
  const Matrix m = c.toWorld * entityOcs(e);
  const Vec3 p0 = pointOf(e, 10), p1 = pointOf(e, 11), p2 = pointOf(e, 12);
  const Vec3 p3 = findTag(e, 13) ? pointOf(e, 13) : p2;
  // The corners in order 1, 2, 4, 3; a bow tie fills both triangles.
  Path first, second;
  for (Vec3 p : {p0, p1, p2}) first.lineTo(m.plan(p));
  for (Vec3 p : {p1, p3, p2}) second.lineTo(m.plan(p));
  first.closed = second.closed = true;
  sink_.fill({first}, s.paint);
  sink_.fill({second}, s.paint);
}

void Decoder::face(Tags e, const Context& c, const Style& s) {
  const Vec3 p[4] = {pointOf(e, 10), pointOf(e, 11), pointOf(e, 12), pointOf(e, 13)};
  const long long hidden = integerOf(e, 70, 0);
  const Pen pn = pen(s, e, c);
  for (int k = 0; k < 4; ++k) {
    if (hidden & (1 << k)) continue;
    Path path;
    path.lineTo(c.toWorld.plan(p[k]));
    path.lineTo(c.toWorld.plan(p[(k + 1) % 4]));
    sink_.stroke(path, pn);
  }
}

// INSERT and MINSERT (and ACAD_TABLE, a block reference too): the block once
// per column and row, then the attributes that follow the reference.
void Decoder::insert(Tags e, const Context& c, const Style& s) {
  const std::string_view name = textOf(e, 2);
  const BlockInfo* block = tables_.block(name);
  const double sx = numberOf(e, 41, 1), sy = numberOf(e, 42, 1), sz = numberOf(e, 43, 1);
  const long long cols = std::max<long long>(integerOf(e, 70, 1), 1), rows = std::max<long long>(integerOf(e, 71, 1), 1);
  const double dx = numberOf(e, 44, 0), dy = numberOf(e, 45, 0);
  const Matrix frame = c.toWorld * entityOcs(e) * translation(pointOf(e, 10)) * rotationZ(numberOf(e, 50, 0) * kDegree);
  if (block) {
    const Matrix toBlock = scaling(sx, sy, sz) * translation(Vec3{block->base[0], block->base[1], block->base[2]} * -1);
    std::optional<Box> box;
    if (region) {
      auto it = blockBoxes_.find(name);
      if (it == blockBoxes_.end()) it = blockBoxes_.emplace(std::string(name), blockExtents(tables_, *block, c.depth)).first;
      box = it->second;
    }
    for (long long r = 0; r < rows; ++r)
      for (long long k = 0; k < cols; ++k) {
        if (!spend(1)) return;
        const Matrix placement = frame * translation({k * dx, r * dy, 0}) * toBlock;
        // Instances wholly outside the region of interest are skipped.
        if (region && box) {
          Box w{1e300, 1e300, -1e300, -1e300};
          for (Vec3 q : {Vec3{box->minX, box->minY, 0}, Vec3{box->maxX, box->minY, 0}, Vec3{box->maxX, box->maxY, 0},
                         Vec3{box->minX, box->maxY, 0}}) {
            const Vec2 p = placement.plan(q);
            w = {std::min(w.minX, p.x), std::min(w.minY, p.y), std::max(w.maxX, p.x), std::max(w.maxY, p.y)};
          }
          if (w.maxX < region->minX || w.minX > region->maxX || w.maxY < region->minY || w.minY > region->maxY)
            continue;
        }
        blockOf(e, c, s, name, placement);
      }
  }
  const std::vector<Tags> parts = entityParts(e);
  for (size_t i = 1; i < parts.size(); ++i)
    if (entityType(parts[i]) == "ATTRIB" && !(integerOf(parts[i], 70, 0) & 1)) draw(parts[i], c);
}

void Decoder::blockOf(Tags e, const Context& c, const Style& s, std::string_view name, const Matrix& placement) {
  const BlockInfo* block = tables_.block(name);
  if (!block || c.depth >= kMaxDepth) return;
  Context inner;
  inner.toWorld = placement;
  inner.layer = s.layerName;
  inner.blockPaint = s.paint;
  inner.blockAlpha = s.paint.a;
  inner.blockLinetype = s.linetype;
  inner.blockLineweight = s.lineweight;
  inner.depth = c.depth + 1;
  (void)e;
  for (Tags child : splitEntities(block->entities)) {
    if (!spend(1)) return;
    draw(child, inner);
  }
}

void Decoder::arrowhead(Vec2 tip, Vec2 from, double size, const Paint& paint) {
  const Vec2 d = from - tip;
  const double len = length(d);
  if (!(len > 0) || !(size > 0)) return;
  const Vec2 dir = d * (1 / len), normal{-dir.y, dir.x};
  Path tri;
  tri.lineTo(tip);
  tri.lineTo(tip + dir * size + normal * (size / 6));
  tri.lineTo(tip + dir * size - normal * (size / 6));
  tri.closed = true;
  sink_.fill({tri}, paint);
}

void Decoder::leader(Tags e, const Context& c, const Style& s) {
  const std::vector<Vec3> vertices = pointsOf(e, 10);
  if (vertices.size() < 2 || !spend(static_cast<double>(vertices.size()))) return;
  Path path;
  for (const Vec3& v : vertices) path.lineTo(c.toWorld.plan(v));
  sink_.stroke(path, pen(s, e, c));
  if (integerOf(e, 71, 1) == 0) return;
  const HeaderInfo& h = tables_.header();
  const DimStyleInfo* ds = tables_.dimStyle(textOf(e, 3, "Standard"));
  const double size = (ds ? ds->arrowSize * ds->scale : h.dimasz * h.dimscale) * c.toWorld.planScale();
  arrowhead(c.toWorld.plan(vertices[0]), c.toWorld.plan(vertices[1]), size, s.paint);
}

std::optional<Box> blockExtents(const DrawingTables& tables, const BlockInfo& block, int depth) {
  ExtentsSink sink;
  Decoder decoder(tables, sink);
  Context inner;
  inner.depth = depth + 1;
  inner.blockPaint = aciPaint(7);
  for (Tags child : splitEntities(block.entities)) decoder.draw(child, inner);
  return sink.box();
}

}  // namespace arx::render
