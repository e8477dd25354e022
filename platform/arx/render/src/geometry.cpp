#include "geometry.h"

#include <algorithm>
#include <numbers>

namespace arx::render {

Matrix translation(Vec3 t) { return {{1, 0, 0}, {0, 1, 0}, {0, 0, 1}, t}; }
Matrix scaling(double sx, double sy, double sz) { return {{sx, 0, 0}, {0, sy, 0}, {0, 0, sz}, {}}; }
Matrix rotationZ(double a) {
  const double c = std::cos(a), s = std::sin(a);
  return {{c, s, 0}, {-s, c, 0}, {0, 0, 1}, {}};
}

Matrix ocs(Vec3 n) {
  const double len = length(n);
  if (!(len > 1e-12) || !std::isfinite(len)) return {};
  n = n * (1 / len);
  if (std::abs(n.x) < 1e-12 && std::abs(n.y) < 1e-12 && n.z > 0) return {};
  const double limit = 1.0 / 64;
  Vec3 ax = (std::abs(n.x) < limit && std::abs(n.y) < limit) ? cross({0, 1, 0}, n) : cross({0, 0, 1}, n);
  ax = ax * (1 / length(ax));
  Vec3 ay = cross(n, ax);
  ay = ay * (1 / length(ay));
  return {ax, ay, n, {}};
}

bool bulgeArc(Vec2 from, Vec2 to, double bulge, BulgeArc& arc) {
  const double chord = length(to - from);
  if (!(chord > 0) || !std::isfinite(bulge) || bulge == 0) return false;
  const double sweep = 4 * std::atan(bulge);
  const double radius = chord / (2 * std::sin(std::abs(sweep) / 2));
  // The centre lies on the chord's perpendicular bisector.
  const Vec2 mid = (from + to) * 0.5, dir = (to - from) * (1 / chord);
  const Vec2 normal{-dir.y, dir.x};
  const double sagittaSide = radius * std::cos(std::abs(sweep) / 2) * (bulge > 0 ? 1 : -1);
  arc.centre = mid + normal * sagittaSide;
  arc.radius = radius;
  arc.start = std::atan2(from.y - arc.centre.y, from.x - arc.centre.x);
  arc.sweep = sweep;
  return std::isfinite(radius) && finite(arc.centre);
}

namespace {

// The knot span of t, for a clamped or unclamped vector.
size_t findSpan(const std::vector<double>& k, int p, size_t n, double t) {
  if (t >= k[n + 1]) return n;
  size_t lo = p, hi = n + 1;
  while (hi - lo > 1) {
    const size_t mid = (lo + hi) / 2;
    if (t < k[mid]) hi = mid;
    else lo = mid;
  }
  return lo;
}

}  // namespace

std::vector<Vec3> nurbsPoints(int p, const std::vector<Vec3>& ctrl, std::vector<double> knots,
                              const std::vector<double>& weights, size_t segments) {
  std::vector<Vec3> out;
  const size_t count = ctrl.size();
  if (count < 2) return ctrl;
  p = std::clamp(p, 1, static_cast<int>(std::min<size_t>(count - 1, 10)));
  // A knot vector that does not fit is replaced by a clamped uniform one.
  bool good = knots.size() == count + p + 1 && std::is_sorted(knots.begin(), knots.end());
  if (good) good = knots[p] < knots[count];
  if (!good) {
    knots.assign(count + p + 1, 0);
    for (size_t i = 0; i < knots.size(); ++i)
      knots[i] = std::clamp<double>(static_cast<double>(i) - p, 0, static_cast<double>(count - p));
  }
  const bool rational = weights.size() == count;
  const double t0 = knots[p], t1 = knots[count];
  const size_t n = count - 1;
  std::vector<double> N(p + 1), left(p + 1), right(p + 1);
  out.reserve(segments + 1);
  for (size_t s = 0; s <= segments; ++s) {
    const double t = t0 + (t1 - t0) * static_cast<double>(s) / segments;
    const size_t span = findSpan(knots, p, n, t);
    // Cox-de Boor basis functions of the span.
    N[0] = 1;
    for (int j = 1; j <= p; ++j) {
      left[j] = t - knots[span + 1 - j];
      right[j] = knots[span + j] - t;
      double saved = 0;
      for (int r = 0; r < j; ++r) {
        const double denom = right[r + 1] + left[j - r];
        const double temp = denom != 0 ? N[r] / denom : 0;
        N[r] = saved + right[r + 1] * temp;
        saved = left[j - r] * temp;
      }
      N[j] = saved;
    }
    Vec3 point{};
    double wsum = 0;
    for (int j = 0; j <= p; ++j) {
      const size_t idx = span - p + j;
      const double w = rational ? weights[idx] : 1;
      point = point + ctrl[idx] * (N[j] * w);
      wsum += N[j] * w;
    }
    if (wsum != 0 && std::isfinite(wsum)) out.push_back(point * (1 / wsum));
  }
  return out;
}

namespace {

// The unit tangent at p0 of the parabola through p0, p1, p2 (chord lengths as parameter).
Vec3 endTangent(Vec3 p0, Vec3 p1, Vec3 p2) {
  const double h0 = length(p1 - p0), h1 = length(p2 - p1);
  Vec3 d = (p1 - p0) * (1 / h0);
  if (h1 > 0) d = d * ((2 * h0 + h1) / (h0 + h1)) - (p2 - p1) * (h0 / (h1 * (h0 + h1)));
  const double l = length(d);
  return l > 0 ? d * (1 / l) : (p1 - p0) * (1 / h0);
}

}  // namespace

// A cubic spline through the fit points with chord-length parameters and the
// given (or estimated) end tangents: the clamped cubic interpolant.
std::vector<Vec3> fitPointCurve(std::vector<Vec3> fit, const Vec3* startTangent, const Vec3* endTangent_,
                                size_t perSpan) {
  std::vector<Vec3> pts;
  for (const Vec3& p : fit)
    if (pts.empty() || length(p - pts.back()) > 0) pts.push_back(p);
  if (pts.size() < 2) return pts;
  const size_t n = pts.size() - 1;
  std::vector<double> h(n);
  for (size_t i = 0; i < n; ++i) h[i] = length(pts[i + 1] - pts[i]);
  auto unit = [](const Vec3* v, Vec3 fallback) {
    if (!v) return fallback;
    const double l = length(*v);
    return l > 0 && std::isfinite(l) ? *v * (1 / l) : fallback;
  };
  const Vec3 d0 = unit(startTangent, pts.size() > 2 ? endTangent(pts[0], pts[1], pts[2]) : (pts[1] - pts[0]) * (1 / h[0]));
  const Vec3 dn = unit(endTangent_, pts.size() > 2 ? endTangent(pts[n], pts[n - 1], pts[n - 2]) * -1
                                                   : (pts[1] - pts[0]) * (1 / h[0]));
  // Second derivatives M from the tridiagonal system (Thomas algorithm), per coordinate.
  std::vector<Vec3> M(n + 1);
  std::vector<double> diag(n + 1), upper(n + 1);
  std::vector<Vec3> rhs(n + 1);
  for (size_t i = 0; i <= n; ++i) {
    const double hl = i > 0 ? h[i - 1] : 0, hr = i < n ? h[i] : 0;
    diag[i] = 2 * (hl + hr);
    upper[i] = hr;
    const Vec3 right = i < n ? (pts[i + 1] - pts[i]) * (1 / hr) : dn;
    const Vec3 left = i > 0 ? (pts[i] - pts[i - 1]) * (1 / hl) : d0;
    rhs[i] = (right - left) * 6;
  }
  for (size_t i = 1; i <= n; ++i) {
    const double w = h[i - 1] / diag[i - 1];
    diag[i] -= w * upper[i - 1];
    rhs[i] = rhs[i] - rhs[i - 1] * w;
  }
  M[n] = rhs[n] * (1 / diag[n]);
  for (size_t i = n; i-- > 0;) M[i] = (rhs[i] - M[i + 1] * upper[i]) * (1 / diag[i]);
  std::vector<Vec3> out;
  for (size_t i = 0; i < n; ++i)
    for (size_t s = 0; s < perSpan; ++s) {
      const double b = h[i] * static_cast<double>(s) / perSpan, a = h[i] - b;
      out.push_back(M[i] * (a * a * a / (6 * h[i])) + M[i + 1] * (b * b * b / (6 * h[i])) +
                    (pts[i] * (1 / h[i]) - M[i] * (h[i] / 6)) * a + (pts[i + 1] * (1 / h[i]) - M[i + 1] * (h[i] / 6)) * b);
    }
  out.push_back(pts.back());
  return out;
}

}  // namespace arx::render
