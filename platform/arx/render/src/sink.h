#pragma once
// What entities decode into: strokes, fills, text runs and pictures in world
// coordinates (plan view). The page canvas draws them; the extents and
// crossing sinks measure them, so all three see the same geometry.
#include <cairo.h>

#include <string>
#include <vector>

#include "geometry.h"

namespace arx::render {

struct Paint {
  double r = 0, g = 0, b = 0, a = 1;
};

struct Pen {
  Paint paint;
  double widthMm = -1;          // < 0: the thinnest line
  std::vector<double> dashes;   // world units: > 0 dash, < 0 gap, 0 dot; empty solid
};

// One connected piece: straight runs and elliptic arcs, in order.
struct PathPiece {
  std::vector<Vec2> points;  // a polyline when `arc` is false
  bool arc = false;
  EllipseArc ellipse;
};
struct Path {
  std::vector<PathPiece> pieces;
  bool closed = false;
  void lineTo(Vec2 p) {
    if (pieces.empty() || pieces.back().arc) pieces.push_back({});
    pieces.back().points.push_back(p);
  }
  void arcTo(const EllipseArc& e) { pieces.push_back({{}, true, e}); }
  bool empty() const { return pieces.empty(); }
};

// Text of one font and size: glyph space has the baseline along x, 1 unit =
// the font size in em, y up; `toWorld` places it.
struct TextRun {
  std::string utf8;
  std::string family;
  bool bold = false, italic = false;
  Affine2 toWorld;
  double advance = 0;  // width in glyph units
  double ascent = 0, descent = 0;  // in glyph units, for extents
};

class Sink {
 public:
  virtual ~Sink() = default;
  // World units per page pixel at the current point of decoding; 0 when
  // there is no page (extents).
  virtual double worldPerPixel() const = 0;
  // Page height in world units (relative point sizes); 0 when there is no page.
  virtual double pageHeightWorld() const = 0;
  // False when nothing more is wanted (a crossing already found).
  virtual bool wantsMore() const { return true; }
  virtual void stroke(const Path& path, const Pen& pen) = 0;
  // Even-odd fill of the loops.
  virtual void fill(const std::vector<Path>& loops, const Paint& paint) = 0;
  virtual void text(const TextRun& run, const Paint& paint) = 0;
  // A picture into the parallelogram of o, u (width) and v (height), clipped
  // by `clip` (world loop); when it is null, its clip is outlined in `frame`.
  virtual void picture(cairo_surface_t* picture, Vec2 o, Vec2 u, Vec2 v, const std::vector<Vec2>& clip,
                       const Paint& frame) = 0;
  // Paints the loop in the page's background.
  virtual void wipeout(const std::vector<Vec2>& loop) = 0;
};

// Flattens a path into one polyline with at most `tolerance` world units of
// error (0: a fixed count per arc); a closed path ends at its start.
std::vector<Vec2> flatten(const Path& path, double tolerance, size_t maxPointsPerArc = 4096);
// The points of an elliptic arc at that tolerance.
void flattenArc(const EllipseArc& e, double tolerance, size_t maxPoints, std::vector<Vec2>& out);

}  // namespace arx::render
