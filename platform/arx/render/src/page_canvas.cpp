#include "page_canvas.h"

#include "arx/render/clip.h"

#include <algorithm>
#include <cmath>
#include <numbers>

namespace arx::render {
namespace {

constexpr double kTolerancePx = 0.3;      // chord error of flattened curves
constexpr double kCairoSafe = 1e5;        // radius beyond which arcs are cut to the page first
constexpr size_t kMaxArcPoints = 200000;  // bound on one flattened arc
constexpr double kTwoPi = 2 * std::numbers::pi;

Affine2 affine(const PageTransform& t) { return {t.xx, t.yx, t.xy, t.yy, t.x0, t.y0}; }

}  // namespace

PageCanvas::PageCanvas(cairo_t* cr, int width, int height, const PageTransform& toPage, const RenderOptions& options)
    : cr_(cr), width_(width), height_(height), toPage_(affine(toPage)), options_(options) {
  scale_ = std::sqrt(std::abs(toPage_.det()));
  if (!(scale_ > 0) || !std::isfinite(scale_)) scale_ = 1;
  cairo_set_antialias(cr_, options.antialias ? CAIRO_ANTIALIAS_DEFAULT : CAIRO_ANTIALIAS_NONE);
  cairo_set_line_cap(cr_, CAIRO_LINE_CAP_BUTT);
  cairo_set_line_join(cr_, CAIRO_LINE_JOIN_MITER);
}

void PageCanvas::setPaint(const Paint& p) { cairo_set_source_rgba(cr_, p.r, p.g, p.b, p.a); }

double PageCanvas::penWidth(const Pen& pen) const {
  if (pen.widthMm <= 0 || options_.pixelsPerMm <= 0) return 1;
  return std::clamp(pen.widthMm * options_.pixelsPerMm, 1.0, 1000.0);
}

// A huge ellipse: only the parameter intervals near the page are flattened.
// The page box, mapped back into the unit circle's space, is a parallelogram
// whose edges cut the circle at the interval ends.
void PageCanvas::visibleArc(const EllipseArc& e, std::vector<std::vector<Vec2>>& pieces) const {
  const Affine2 m{e.u.x, e.u.y, e.v.x, e.v.y, e.c.x, e.c.y};
  const double det = m.det();
  if (!(std::abs(det) > 0) || !std::isfinite(det)) return;
  const Affine2 inv{m.yy / det, -m.yx / det, -m.xy / det, m.xx / det, 0, 0};
  auto toUnit = [&](Vec2 p) { return inv.applyVector(p - e.c); };
  const double lo = -margin_, hx = width_ + margin_, hy = height_ + margin_;
  const Vec2 corners[4] = {toUnit({lo, lo}), toUnit({hx, lo}), toUnit({hx, hy}), toUnit({lo, hy})};
  std::vector<double> cuts{e.t0, e.t1};
  for (int i = 0; i < 4; ++i) {
    const Vec2 a = corners[i], d = corners[(i + 1) % 4] - a;
    // |a + s d| = 1
    const double A = dot(d, d), B = 2 * dot(a, d), C = dot(a, a) - 1, disc = B * B - 4 * A * C;
    if (!(A > 0) || disc < 0) continue;
    for (double s : {(-B - std::sqrt(disc)) / (2 * A), (-B + std::sqrt(disc)) / (2 * A)}) {
      if (s < 0 || s > 1) continue;
      const Vec2 p = a + d * s;
      double t = std::atan2(p.y, p.x);
      t = e.t0 + std::fmod(std::fmod(t - e.t0, kTwoPi) + kTwoPi, kTwoPi);
      if (t < e.t1) cuts.push_back(t);
    }
  }
  std::sort(cuts.begin(), cuts.end());
  for (size_t i = 0; i + 1 < cuts.size(); ++i) {
    EllipseArc piece = e;
    piece.t0 = cuts[i], piece.t1 = cuts[i + 1];
    const Vec2 mid = e.at((piece.t0 + piece.t1) / 2);
    if (piece.t1 <= piece.t0 || mid.x < lo || mid.x > hx || mid.y < lo || mid.y > hy) continue;
    pieces.emplace_back();
    flattenArc(piece, kTolerancePx, kMaxArcPoints, pieces.back());
  }
}

void PageCanvas::pagePoints(const PathPiece& piece, std::vector<Vec2>& out) const {
  if (!piece.arc) {
    for (Vec2 p : piece.points) out.push_back(toPage_.apply(p));
    return;
  }
  const EllipseArc page{toPage_.apply(piece.ellipse.c), toPage_.applyVector(piece.ellipse.u),
                        toPage_.applyVector(piece.ellipse.v), piece.ellipse.t0, piece.ellipse.t1};
  const double r = std::max(length(page.u), length(page.v));
  if (!std::isfinite(r) || !finite(page.c)) return;
  // Wholly off the page: its end points keep the path's shape outside.
  if (page.c.x + r < -margin_ || page.c.x - r > width_ + margin_ || page.c.y + r < -margin_ ||
      page.c.y - r > height_ + margin_) {
    out.push_back(page.at(page.t0));
    out.push_back(page.at(page.t1));
    return;
  }
  if (r <= kCairoSafe) {
    flattenArc(page, kTolerancePx, kMaxArcPoints, out);
    return;
  }
  std::vector<std::vector<Vec2>> pieces;
  visibleArc(page, pieces);
  // Between visible pieces the arc is off the page: a point that is not a
  // number keeps the runs apart.
  const Vec2 far{std::nan(""), std::nan("")};
  for (auto& p : pieces) {
    out.push_back(far);
    out.insert(out.end(), p.begin(), p.end());
  }
  out.push_back(far);
}

std::vector<PageCanvas::Run> PageCanvas::clipPolyline(const std::vector<Vec2>& page) const {
  std::vector<Run> runs;
  double travelled = 0;
  const double lo = -margin_, hx = width_ + margin_, hy = height_ + margin_;
  for (size_t i = 0; i + 1 < page.size(); ++i) {
    const Vec2 a = page[i], b = page[i + 1];
    if (!finite(a) || !finite(b)) continue;
    const double len = length(b - a);
    Vec2 p, q;
    if (clipSegment(a, b, ClipBox{lo, lo, hx, hy}, p, q) && finite(p) && finite(q)) {
      const bool joined = !runs.empty() && runs.back().points.back().x == p.x && runs.back().points.back().y == p.y;
      if (!joined) runs.push_back({{p}, travelled + length(p - a)});
      runs.back().points.push_back(q);
    }
    if (std::isfinite(len)) travelled += len;
  }
  return runs;
}

void PageCanvas::stroke(const Path& path, const Pen& pen) {
  std::vector<Vec2> page;
  for (const PathPiece& piece : path.pieces) pagePoints(piece, page);
  if (path.closed && !page.empty()) page.push_back(page.front());
  // A single point (a dot) is a segment one pixel long.
  if (page.size() == 1) page = {page[0] - Vec2{0.5, 0}, page[0] + Vec2{0.5, 0}};
  const std::vector<Run> runs = clipPolyline(page);
  if (runs.empty()) return;
  setPaint(pen.paint);
  const double width = penWidth(pen);
  cairo_set_line_width(cr_, width);
  // Heavy lines end and join round, as plotted lineweights do.
  const bool heavy = width > 1.5;
  cairo_set_line_cap(cr_, heavy ? CAIRO_LINE_CAP_ROUND : CAIRO_LINE_CAP_BUTT);
  cairo_set_line_join(cr_, heavy ? CAIRO_LINE_JOIN_ROUND : CAIRO_LINE_JOIN_MITER);
  // Dashes in page pixels, alternating on and off from an "on".
  std::vector<double> dashes;
  double total = 0;
  for (double d : pen.dashes) {
    const double px = std::abs(d) * scale_;
    const bool on = d >= 0;
    if (dashes.empty() && !on) dashes.push_back(0);
    if (!dashes.empty() && (dashes.size() % 2 == 1) == on) dashes.back() += px;
    else dashes.push_back(on ? std::max(px, 1.0) : px);
    total += px;
  }
  if (dashes.size() % 2 == 1) dashes.push_back(0);
  const bool dashed = dashes.size() >= 2 && total >= 3 && std::isfinite(total) && total < 1e7;
  for (const Run& run : runs) {
    cairo_move_to(cr_, run.points[0].x, run.points[0].y);
    for (size_t i = 1; i < run.points.size(); ++i) cairo_line_to(cr_, run.points[i].x, run.points[i].y);
    if (dashed) {
      cairo_set_dash(cr_, dashes.data(), static_cast<int>(dashes.size()), std::fmod(run.start, total));
      cairo_stroke(cr_);
    }
  }
  if (!dashed) cairo_stroke(cr_);
  cairo_set_dash(cr_, nullptr, 0, 0);
}

std::vector<Vec2> PageCanvas::clipLoop(std::vector<Vec2> loop) const {
  const double lo = -margin_, hx = width_ + margin_, hy = height_ + margin_;
  std::erase_if(loop, [](Vec2 p) { return !finite(p); });
  return clipPolygon(std::move(loop), ClipBox{lo, lo, hx, hy});
}

void PageCanvas::fill(const std::vector<Path>& loops, const Paint& paint) {
  bool any = false;
  for (const Path& loop : loops) {
    std::vector<Vec2> page;
    for (const PathPiece& piece : loop.pieces) pagePoints(piece, page);
    page = clipLoop(std::move(page));
    if (page.size() < 3) continue;
    cairo_move_to(cr_, page[0].x, page[0].y);
    for (size_t i = 1; i < page.size(); ++i) cairo_line_to(cr_, page[i].x, page[i].y);
    cairo_close_path(cr_);
    any = true;
  }
  if (!any) return;
  setPaint(paint);
  cairo_set_fill_rule(cr_, CAIRO_FILL_RULE_EVEN_ODD);
  cairo_fill(cr_);
}

void PageCanvas::text(const TextRun& run, const Paint& paint) {
  const Affine2 m = toPage_ * run.toWorld;
  const double size = std::sqrt(std::abs(m.det()));
  // Too small to see, or too large for a font rasteriser.
  if (!(size >= 0.5) || size > kCairoSafe || run.utf8.empty()) return;
  const double reach = size * (std::abs(run.advance) + 2);
  const Vec2 o{m.x0, m.y0};
  if (!finite(o) || o.x + reach < 0 || o.x - reach > width_ || o.y + reach < 0 || o.y - reach > height_) return;
  cairo_save(cr_);
  // Glyph space has y up; cairo's glyphs have y down.
  cairo_matrix_t cm;
  cairo_matrix_init(&cm, m.xx, m.yx, -m.xy, -m.yy, m.x0, m.y0);
  cairo_transform(cr_, &cm);
  cairo_select_font_face(cr_, run.family.c_str(), run.italic ? CAIRO_FONT_SLANT_ITALIC : CAIRO_FONT_SLANT_NORMAL,
                         run.bold ? CAIRO_FONT_WEIGHT_BOLD : CAIRO_FONT_WEIGHT_NORMAL);
  cairo_set_font_size(cr_, 1);
  // Hinting at a unit size would distort the glyphs.
  cairo_font_options_t* fo = cairo_font_options_create();
  cairo_font_options_set_hint_metrics(fo, CAIRO_HINT_METRICS_OFF);
  cairo_font_options_set_hint_style(fo, CAIRO_HINT_STYLE_NONE);
  cairo_set_font_options(cr_, fo);
  cairo_font_options_destroy(fo);
  setPaint(paint);
  cairo_move_to(cr_, 0, 0);
  cairo_text_path(cr_, run.utf8.c_str());
  cairo_fill(cr_);
  cairo_restore(cr_);
}

void PageCanvas::picture(cairo_surface_t* picture, Vec2 o, Vec2 u, Vec2 v, const std::vector<Vec2>& clip,
                         const Paint& frame) {
  std::vector<Vec2> outline;
  for (Vec2 p : clip) outline.push_back(toPage_.apply(p));
  outline = clipLoop(std::move(outline));
  if (outline.size() < 3) return;
  cairo_save(cr_);
  for (Vec2 p : outline) cairo_line_to(cr_, p.x, p.y);
  cairo_close_path(cr_);
  cairo_pattern_t* pattern = nullptr;
  if (picture && cairo_surface_get_type(picture) == CAIRO_SURFACE_TYPE_IMAGE) {
    const int w = cairo_image_surface_get_width(picture), h = cairo_image_surface_get_height(picture);
    // Picture pixel (i, j from the top) -> page, inverted for the pattern.
    const Vec2 top = toPage_.apply(o + v), pu = toPage_.applyVector(u), pv = toPage_.applyVector(v);
    cairo_matrix_t m;
    cairo_matrix_init(&m, pu.x / w, pu.y / w, -pv.x / h, -pv.y / h, top.x, top.y);
    if (w > 0 && h > 0 && cairo_matrix_invert(&m) == CAIRO_STATUS_SUCCESS) {
      pattern = cairo_pattern_create_for_surface(picture);
      cairo_pattern_set_matrix(pattern, &m);
      // The picture's edge pixels reach its frame instead of fading out.
      cairo_pattern_set_extend(pattern, CAIRO_EXTEND_PAD);
    }
  }
  if (pattern) {
    cairo_set_source(cr_, pattern);
    cairo_fill(cr_);
    cairo_pattern_destroy(pattern);
  } else {
    setPaint(frame);
    cairo_set_line_width(cr_, 1);
    cairo_stroke(cr_);
  }
  cairo_restore(cr_);
}

void PageCanvas::wipeout(const std::vector<Vec2>& loop) {
  Path path;
  for (Vec2 p : loop) path.lineTo(p);
  fill({path}, {1, 1, 1, 1});
}

}  // namespace arx::render
