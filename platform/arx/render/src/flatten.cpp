#include <algorithm>
#include <cmath>
#include <numbers>

#include "sink.h"

namespace arx::render {

void flattenArc(const EllipseArc& e, double tolerance, size_t maxPoints, std::vector<Vec2>& out) {
  const double r = std::max(length(e.u), length(e.v));
  const double sweep = e.t1 - e.t0;
  if (!std::isfinite(r) || !std::isfinite(sweep) || !finite(e.c)) return;
  double steps = 64 * sweep / (2 * std::numbers::pi);
  if (tolerance > 0 && r > tolerance) steps = sweep / (2 * std::acos(1 - tolerance / r));
  steps = std::clamp(std::ceil(steps), 2.0, static_cast<double>(std::max<size_t>(maxPoints, 2)));
  const size_t n = static_cast<size_t>(steps);
  for (size_t i = 0; i <= n; ++i) out.push_back(e.at(e.t0 + sweep * static_cast<double>(i) / n));
}

std::vector<Vec2> flatten(const Path& path, double tolerance, size_t maxPointsPerArc) {
  std::vector<Vec2> out;
  for (const PathPiece& piece : path.pieces) {
    if (piece.arc) flattenArc(piece.ellipse, tolerance, maxPointsPerArc, out);
    else out.insert(out.end(), piece.points.begin(), piece.points.end());
  }
  if (path.closed && out.size() > 1) out.push_back(out.front());
  return out;
}

}  // namespace arx::render
