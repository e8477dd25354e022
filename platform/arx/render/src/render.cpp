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

std::optional<Box> entityExtents(const DrawingTables& tables, Tags entity, Layers layers) {
  ExtentsSink sink;
  Decoder decoder(tables, sink);
  decoder.layers = layers;
  decoder.draw(entity);
  return sink.box();
}

bool entityCrosses(const DrawingTables& tables, Tags entity, const CrossingWindow& window, Layers layers) {
  const PageTransform& t = window.toWindow;
  const Affine2 toWindow{t.xx, t.yx, t.xy, t.yy, t.x0, t.y0};
  const std::optional<Box> region = worldBox(toWindow, window.box);
  if (!region) return false;
  CrossingSink sink(window.box, toWindow);
  Decoder decoder(tables, sink);
  decoder.region = region;
  decoder.layers = layers;
  decoder.draw(entity);
  return sink.found();
}

}  // namespace arx::render
