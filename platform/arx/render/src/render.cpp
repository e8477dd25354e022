#include "arx/render/render.h"

#include <algorithm>
#include <cmath>

#include "decoder.h"
#include "extents_sink.h"
#include "page_canvas.h"

namespace arx::render {

namespace {

// The world box around a box of window coordinates; null when the map has no inverse.
std::optional<Box> worldBox(const Affine2& toWindow, const Box& box) {
  const double det = toWindow.det();
  if (!(std::abs(det) > 0) || !std::isfinite(det)) return std::nullopt;
  Box out{1e300, 1e300, -1e300, -1e300};
  for (Vec2 p : {Vec2{box.minX, box.minY}, Vec2{box.maxX, box.minY}, Vec2{box.maxX, box.maxY}, Vec2{box.minX, box.maxY}}) {
    const double x = p.x - toWindow.x0, y = p.y - toWindow.y0;
    const Vec2 w{(toWindow.yy * x - toWindow.xy * y) / det, (-toWindow.yx * x + toWindow.xx * y) / det};
    out = {std::min(out.minX, w.x), std::min(out.minY, w.y), std::max(out.maxX, w.x), std::max(out.maxY, w.y)};
  }
  return out;
}

}  // namespace

struct PageRenderer::Impl {
  Impl(const DrawingTables& tables, cairo_t* cr, int width, int height, const PageTransform& t,
       const RenderOptions& options)
      : cr(cr), canvas(cr, width, height, t, options), decoder(tables, canvas) {
    // The page in world coordinates, for infinite lines and culling.
    const double det = t.xx * t.yy - t.xy * t.yx;
    if (std::abs(det) > 0 && std::isfinite(det)) {
      Box box{1e300, 1e300, -1e300, -1e300};
      for (Vec2 p : {Vec2{0, 0}, Vec2{double(width), 0}, Vec2{double(width), double(height)}, Vec2{0, double(height)}}) {
        const double x = p.x - t.x0, y = p.y - t.y0;
        const Vec2 w{(t.yy * x - t.xy * y) / det, (-t.yx * x + t.xx * y) / det};
        box = {std::min(box.minX, w.x), std::min(box.minY, w.y), std::max(box.maxX, w.x), std::max(box.maxY, w.y)};
      }
      // A little beyond the page, for wide lines at its edge.
      const double pad = 64 / std::sqrt(std::abs(det));
      decoder.region = Box{box.minX - pad, box.minY - pad, box.maxX + pad, box.maxY + pad};
    }
  }
  cairo_t* cr;
  PageCanvas canvas;
  Decoder decoder;
};

PageRenderer::PageRenderer(const DrawingTables& tables, cairo_t* cr, int width, int height,
                           const PageTransform& toPage, const RenderOptions& options)
    : impl_(std::make_unique<Impl>(tables, cr, width, height, toPage, options)) {}

PageRenderer::~PageRenderer() = default;

void PageRenderer::paintWhite() {
  cairo_save(impl_->cr);
  cairo_set_source_rgb(impl_->cr, 1, 1, 1);
  cairo_paint(impl_->cr);
  cairo_restore(impl_->cr);
}

void PageRenderer::draw(Tags entity) { impl_->decoder.draw(entity); }
bool PageRenderer::complete() const { return !impl_->decoder.exhausted(); }

namespace {

// Hands what the decoder makes to the sink of the present measurement.
class ForwardingSink : public Sink {
 public:
  Sink* target = nullptr;
  double worldPerPixel() const override { return target->worldPerPixel(); }
  double pageHeightWorld() const override { return target->pageHeightWorld(); }
  bool wantsMore() const override { return target->wantsMore(); }
  void stroke(const Path& path, const Pen& pen) override { target->stroke(path, pen); }
  void fill(const std::vector<Path>& loops, const Paint& paint) override { target->fill(loops, paint); }
  void text(const TextRun& run, const Paint& paint) override { target->text(run, paint); }
  void picture(cairo_surface_t* picture, Vec2 o, Vec2 u, Vec2 v, const std::vector<Vec2>& clip,
               const Paint& frame) override {
    target->picture(picture, o, u, v, clip, frame);
  }
  void wipeout(const std::vector<Vec2>& loop) override { target->wipeout(loop); }
};

}  // namespace

struct EntityMeasure::Impl {
  Impl(const DrawingTables& tables, Layers layers) : decoder(tables, sink) { decoder.layers = layers; }
  ForwardingSink sink;
  Decoder decoder;
};

EntityMeasure::EntityMeasure(const DrawingTables& tables, Layers layers)
    : impl_(std::make_unique<Impl>(tables, layers)) {}
EntityMeasure::~EntityMeasure() = default;

std::optional<Box> EntityMeasure::extents(Tags entity) {
  ExtentsSink sink;
  impl_->sink.target = &sink;
  impl_->decoder.region.reset();
  impl_->decoder.draw(entity);
  return sink.box();
}

bool EntityMeasure::crosses(Tags entity, const CrossingWindow& window) {
  const PageTransform& t = window.toWindow;
  const Affine2 toWindow{t.xx, t.yx, t.xy, t.yy, t.x0, t.y0};
  const std::optional<Box> region = worldBox(toWindow, window.box);
  if (!region) return false;
  CrossingSink sink(window.box, toWindow);
  impl_->sink.target = &sink;
  impl_->decoder.region = region;
  impl_->decoder.draw(entity);
  return sink.found();
}

bool EntityMeasure::complete() const { return !impl_->decoder.exhausted(); }

std::optional<Box> entityExtents(const DrawingTables& tables, Tags entity, Layers layers) {
  return EntityMeasure(tables, layers).extents(entity);
}

bool entityCrosses(const DrawingTables& tables, Tags entity, const CrossingWindow& window, Layers layers) {
  return EntityMeasure(tables, layers).crosses(entity, window);
}

}  // namespace arx::render
