#pragma once
// Clipping in double precision, for any point type with x and y: a segment to
// a box (Liang-Barsky) and a polygon to a box (Sutherland-Hodgman).
#include <vector>

namespace arx::render {

struct ClipBox {
  double minX, minY, maxX, maxY;
};

// Clips a-b to the box into p-q; false when nothing is left. The ends on the
// box's edges are computed from the edge (x or y exact), not from the line's
// parameter, which has no precision left when a and b lie 1e300 apart.
template <class P>
bool clipSegment(P a, P b, const ClipBox& box, P& p, P& q) {
  double t0 = 0, t1 = 1;
  int e0 = -1, e1 = -1;
  const double dx = b.x - a.x, dy = b.y - a.y;
  const double along[4] = {-dx, dx, -dy, dy};
  const double room[4] = {a.x - box.minX, box.maxX - a.x, a.y - box.minY, box.maxY - a.y};
  for (int i = 0; i < 4; ++i) {
    if (along[i] == 0) {
      if (room[i] < 0) return false;
      continue;
    }
    const double s = room[i] / along[i];
    if (along[i] < 0 && s > t0) t0 = s, e0 = i;
    else if (along[i] > 0 && s < t1) t1 = s, e1 = i;
    if (t0 > t1) return false;
  }
  const double edges[4] = {box.minX, box.maxX, box.minY, box.maxY};
  auto at = [&](int edge, double t) {
    P r = a;
    if (edge < 0) {
      r.x = a.x + dx * t, r.y = a.y + dy * t;
    } else if (edge < 2) {
      r.x = edges[edge], r.y = a.y + (edges[edge] - a.x) * (dy / dx);
    } else {
      r.x = a.x + (edges[edge] - a.y) * (dx / dy), r.y = edges[edge];
    }
    return r;
  };
  p = e0 < 0 ? a : at(e0, t0);
  q = e1 < 0 ? b : at(e1, t1);
  return true;
}

// Keeps the part of the polygon where distance(point) >= 0.
template <class P, class Distance>
std::vector<P> clipHalfPlane(const std::vector<P>& in, Distance distance) {
  std::vector<P> out;
  for (size_t i = 0; i < in.size(); ++i) {
    const P a = in[i], b = in[(i + 1) % in.size()];
    const double da = distance(a), db = distance(b);
    if (da >= 0) out.push_back(a);
    if ((da >= 0) != (db >= 0)) {
      const double t = da / (da - db);
      P c = a;
      c.x = a.x + t * (b.x - a.x), c.y = a.y + t * (b.y - a.y);
      out.push_back(c);
    }
  }
  return out;
}

template <class P>
std::vector<P> clipPolygon(std::vector<P> loop, const ClipBox& box) {
  loop = clipHalfPlane(loop, [&](const P& p) { return p.x - box.minX; });
  loop = clipHalfPlane(loop, [&](const P& p) { return box.maxX - p.x; });
  loop = clipHalfPlane(loop, [&](const P& p) { return p.y - box.minY; });
  return clipHalfPlane(loop, [&](const P& p) { return box.maxY - p.y; });
}

}  // namespace arx::render
