#pragma once
// Geometry of entity shapes: extents and transformation. (Plots and selection
// measure entities from their groups, through the renderer.)
#include <vector>

#include "arx/drawing.h"
#include "gemat3d.h"

namespace arx {

struct Box {
  double minX = 0.0, minY = 0.0, maxX = -1.0, maxY = -1.0;  // empty when min > max
  bool empty() const { return minX > maxX; }
  void add(Point p);
  bool contains(Point p) const { return p.x >= minX && p.x <= maxX && p.y >= minY && p.y <= maxY; }
};

// A circular arc running counter-clockwise from `start` to `end` (radians);
// `full` for a whole circle.
struct ArcPiece {
  Point center;
  double radius = 0.0;
  double start = 0.0, end = 0.0;
  bool full = false;
};

// The arc of a polyline segment from `a` to `b` with bulge `bulge` (not 0).
ArcPiece arcFromBulge(Point a, Point b, double bulge);
// Whether angle `a` lies on the arc (counter-clockwise from start to end).
bool angleOnArc(const ArcPiece& arc, double a);
// Corners of a text's box (an estimate from height and character count).
std::vector<Point> textBox(const TextShape& text);
// Corners of an image's frame: origin, origin+u, origin+u+v, origin+v.
std::vector<Point> imageFrame(const ImageShape& image);

Box extentsOf(const Shape& shape);
// Transforms in place. Curves and text need a uniform, orthogonal matrix;
// returns false (shape unchanged) for any other.
bool transformShape(Shape& shape, const AcGeMatrix3d& m);

}  // namespace arx
