#include "plot_canvas.h"

#include <algorithm>
#include <cmath>
#include <numbers>

#include "arx/render/clip.h"

namespace arx::plot {
namespace {

constexpr double kMargin = 4;            // pixels beyond the page that still count
constexpr double kCairoSafe = 1e5;       // beyond this, cairo's fixed point is not trusted
constexpr double kMaxArcSamples = 2e5;   // bound on a flattened huge arc
constexpr double kTwoPi = 2 * std::numbers::pi;

bool finite(Point p) { return std::isfinite(p.x) && std::isfinite(p.y); }

}  // namespace

PlotCanvas::PlotCanvas(cairo_t* cr, const PlotFrame& frame)
    : cr_(cr),
      frame_(frame),
      left_(-kMargin),
      top_(-kMargin),
      right_(frame.width() + kMargin),
      bottom_(frame.height() + kMargin) {
  cairo_set_antialias(cr_, CAIRO_ANTIALIAS_NONE);
  cairo_set_line_width(cr_, 1);
  cairo_set_line_cap(cr_, CAIRO_LINE_CAP_BUTT);
  cairo_set_line_join(cr_, CAIRO_LINE_JOIN_MITER);
  cairo_select_font_face(cr_, "DejaVu Sans", CAIRO_FONT_SLANT_NORMAL, CAIRO_FONT_WEIGHT_NORMAL);
}

void PlotCanvas::paintWhite() {
  cairo_set_source_rgb(cr_, 1, 1, 1);
  cairo_paint(cr_);
}

void PlotCanvas::setColour(Colour colour) { cairo_set_source_rgb(cr_, colour.r, colour.g, colour.b); }

bool PlotCanvas::insidePage(Point p, double margin) const {
  return p.x >= left_ - margin && p.x <= right_ + margin && p.y >= top_ - margin &&
         p.y <= bottom_ + margin;
}

void PlotCanvas::segment(Point a, Point b) {
  if (!finite(a) || !finite(b) || !render::clipSegment(a, b, render::ClipBox{left_, top_, right_, bottom_}, a, b)) return;
  double x, y;
  const bool joined = cairo_has_current_point(cr_) &&
                      (cairo_get_current_point(cr_, &x, &y), x == a.x && y == a.y);
  if (!joined) cairo_move_to(cr_, a.x, a.y);
  cairo_line_to(cr_, b.x, b.y);
}

void PlotCanvas::draw(const LineShape& line) {
  segment(frame_.toPage(line.start), frame_.toPage(line.end));
  cairo_stroke(cr_);
}

void PlotCanvas::draw(const PolylineShape& polyline) {
  const auto& vertices = polyline.vertices;
  const size_t n = vertices.size();
  const size_t segments = polyline.closed ? n : (n == 0 ? 0 : n - 1);
  for (size_t i = 0; i < segments; ++i) {
    const PolylineVertex& from = vertices[i];
    const Point to = vertices[(i + 1) % n].point;
    if (from.bulge == 0 || !std::isfinite(from.bulge)) segment(frame_.toPage(from.point), frame_.toPage(to));
    else bulgeArc(from.point, to, from.bulge);
  }
  cairo_stroke(cr_);
}

// The arc's included angle is 4*atan(bulge), negative for clockwise.
void PlotCanvas::bulgeArc(Point from, Point to, double bulge) {
  const double chord = std::hypot(to.x - from.x, to.y - from.y);
  if (chord == 0) return;
  const double included = 4 * std::atan(bulge);
  const double radius = chord / (2 * std::sin(std::abs(included) / 2));
  const double toCentre = std::atan2(to.y - from.y, to.x - from.x) +
                          (included > 0 ? 1 : -1) * (std::numbers::pi / 2 - std::abs(included) / 2);
  const Point centre{from.x + radius * std::cos(toCentre), from.y + radius * std::sin(toCentre)};
  const double a0 = std::atan2(from.y - centre.y, from.x - centre.x);
  const double a1 = std::atan2(to.y - centre.y, to.x - centre.x);
  if (included > 0) {
    arcPath(centre, radius, a0, a1);
    return;
  }
  // Clockwise from a0 to a1 is counter-clockwise from a1 to a0; that piece
  // runs backwards, so it stands apart and the path goes on from `to`.
  cairo_new_sub_path(cr_);
  arcPath(centre, radius, a1, a0);
  const Point end = frame_.toPage(to);
  if (finite(end) && insidePage(end, 0)) cairo_move_to(cr_, end.x, end.y);
}

void PlotCanvas::draw(const CircleShape& circle) {
  cairo_new_sub_path(cr_);
  arcPath(circle.center, circle.radius, 0, kTwoPi);
  cairo_stroke(cr_);
}

void PlotCanvas::draw(const ArcShape& arc) {
  cairo_new_sub_path(cr_);
  arcPath(arc.center, arc.radius, arc.startAngle, arc.endAngle);
  cairo_stroke(cr_);
}

void PlotCanvas::arcPath(Point centre, double radius, double start, double end) {
  const Point page = frame_.toPage(centre);
  const double r = std::abs(radius) * frame_.scale();
  if (!finite(page) || !std::isfinite(r) || !std::isfinite(start) || !std::isfinite(end)) return;
  while (end <= start) end += kTwoPi;
  if (end - start > kTwoPi) end = start + kTwoPi;
  // Whole circle outside the page: nothing to draw.
  if (page.x + r < left_ || page.x - r > right_ || page.y + r < top_ || page.y - r > bottom_) return;
  if (r > kCairoSafe || !insidePage(page, kCairoSafe)) {
    sampledArc(page, r, start, end);
    return;
  }
  // World counter-clockwise is clockwise on a page whose y axis points down.
  const double rot = frame_.rotation();
  cairo_arc_negative(cr_, page.x, page.y, r, -(start + rot), -(end + rot));
}

// A huge arc: only the parts inside the page are flattened into short segments.
void PlotCanvas::sampledArc(Point page, double r, double start, double end) {
  const double rot = frame_.rotation();
  auto at = [&](double t) { return Point{page.x + r * std::cos(t + rot), page.y - r * std::sin(t + rot)}; };
  std::vector<double> cuts{start, end};
  auto addCrossings = [&](double offset, bool vertical) {
    const double c = offset / r;
    if (std::abs(c) > 1) return;
    const double base = vertical ? std::acos(c) : std::asin(c);
    const double candidates[2] = {base, vertical ? -base : std::numbers::pi - base};
    for (double phi : candidates) {
      double t = phi - rot;
      t = start + std::fmod(std::fmod(t - start, kTwoPi) + kTwoPi, kTwoPi);
      if (t < end) cuts.push_back(t);
    }
  };
  addCrossings(left_ - page.x, true);
  addCrossings(right_ - page.x, true);
  addCrossings(page.y - top_, false);
  addCrossings(page.y - bottom_, false);
  std::sort(cuts.begin(), cuts.end());
  for (size_t i = 0; i + 1 < cuts.size(); ++i) {
    const double t0 = cuts[i], t1 = cuts[i + 1];
    if (t1 <= t0 || !insidePage(at((t0 + t1) / 2), 1)) continue;
    const double steps = std::clamp(std::ceil((t1 - t0) * r / 2), 1.0, kMaxArcSamples);
    cairo_new_sub_path(cr_);
    const double dt = (t1 - t0) / steps;
    for (double k = 0; k < steps; ++k) segment(at(t0 + dt * k), at(t0 + dt * (k + 1)));
  }
}

void PlotCanvas::drawText(const TextShape& text, const std::string& utf8) {
  const Point page = frame_.toPage(text.position);
  const double size = text.height * frame_.scale();
  // Too small to see, or too large for a font rasteriser: nothing useful to draw.
  if (!finite(page) || !(size >= 0.5) || size > kCairoSafe || utf8.empty()) return;
  if (!insidePage(page, size * (utf8.size() + 1))) return;
  cairo_save(cr_);
  cairo_set_font_size(cr_, size);
  cairo_translate(cr_, page.x, page.y);
  cairo_rotate(cr_, -(text.rotation + frame_.rotation()));
  cairo_move_to(cr_, 0, 0);
  cairo_show_text(cr_, utf8.c_str());
  cairo_new_path(cr_);
  cairo_restore(cr_);
}

void PlotCanvas::drawImage(const ImageShape& image, cairo_surface_t* picture) {
  const Point o = image.origin, u = image.u, v = image.v;
  const Affine& a = frame_.worldToPage();
  const Point top = a.apply({o.x + v.x, o.y + v.y});
  std::vector<Point> outline{a.apply(o), a.apply({o.x + u.x, o.y + u.y}),
                             a.apply({o.x + u.x + v.x, o.y + u.y + v.y}), top};
  if (!picture) {
    for (size_t i = 0; i < outline.size(); ++i) segment(outline[i], outline[(i + 1) % outline.size()]);
    cairo_stroke(cr_);
    return;
  }
  const int w = cairo_image_surface_get_width(picture), h = cairo_image_surface_get_height(picture);
  // Picture pixel (i, j counted from the top) -> page, inverted for the pattern.
  cairo_matrix_t m;
  cairo_matrix_init(&m, (a.xx * u.x + a.xy * u.y) / w, (a.yx * u.x + a.yy * u.y) / w,
                    -(a.xx * v.x + a.xy * v.y) / h, -(a.yx * v.x + a.yy * v.y) / h, top.x, top.y);
  if (w <= 0 || h <= 0 || cairo_matrix_invert(&m) != CAIRO_STATUS_SUCCESS) return;
  outline = render::clipPolygon(outline, render::ClipBox{left_, top_, right_, bottom_});
  if (outline.size() < 3 || !std::all_of(outline.begin(), outline.end(), finite)) return;
  cairo_save(cr_);
  cairo_pattern_t* pattern = cairo_pattern_create_for_surface(picture);
  cairo_pattern_set_matrix(pattern, &m);
  cairo_set_source(cr_, pattern);
  for (const Point& p : outline) cairo_line_to(cr_, p.x, p.y);
  cairo_close_path(cr_);
  cairo_fill(cr_);
  cairo_pattern_destroy(pattern);
  cairo_restore(cr_);
}

}  // namespace arx::plot
