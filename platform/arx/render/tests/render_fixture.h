#pragma once
// Small drawings written as tags, plotted on a 100 x 100 pixel page that
// shows the world square (0,0)-(100,100) at one pixel per unit.
#include <cairo.h>
#include <gtest/gtest.h>

#include <algorithm>
#include <memory>
#include <string>
#include <vector>

#include "arx/render/render.h"
#include "compact_dxf.h"
#include "tag_drawing.h"

namespace arx::render::testing {

class Page {
 public:
  static constexpr int kSize = 100;

  explicit Page(const Sections& sections, RenderOptions options = {}) {
    EXPECT_TRUE(drawing.load(dxfFile(sections)));
    surface_.reset(cairo_image_surface_create(CAIRO_FORMAT_RGB24, kSize, kSize));
    cairo_t* cr = cairo_create(surface_.get());
    {
      PageRenderer renderer(drawing, cr, kSize, kSize, {1, 0, 0, -1, 0, kSize}, options);
      renderer.paintWhite();
      for (Tags e : drawing.entities()) renderer.draw(e);
    }
    cairo_destroy(cr);
    cairo_surface_flush(surface_.get());
  }

  // 0xRRGGBB of the pixel holding world point (x, y).
  unsigned colourAt(double x, double y) const {
    const int px = static_cast<int>(x), py = static_cast<int>(kSize - y);
    if (px < 0 || py < 0 || px >= kSize || py >= kSize) return 0xffffff;
    const unsigned char* data = cairo_image_surface_get_data(surface_.get());
    const int stride = cairo_image_surface_get_stride(surface_.get());
    return *reinterpret_cast<const uint32_t*>(data + py * stride + px * 4) & 0xffffff;
  }
  // Whether any pixel within `r` pixels of (x, y) is not white.
  bool inkNear(double x, double y, int r = 1) const {
    for (int dy = -r; dy <= r; ++dy)
      for (int dx = -r; dx <= r; ++dx)
        if (colourAt(x + dx, y + dy) != 0xffffff) return true;
    return false;
  }
  // The world box of all ink (minX > maxX when there is none).
  Box inkBox() const {
    Box b{1e9, 1e9, -1e9, -1e9};
    for (int y = 0; y < kSize; ++y)
      for (int x = 0; x < kSize; ++x)
        if (colourAt(x + 0.5, y + 0.5) != 0xffffff) {
          b.minX = std::min<double>(b.minX, x), b.maxX = std::max<double>(b.maxX, x + 1);
          b.minY = std::min<double>(b.minY, y), b.maxY = std::max<double>(b.maxY, y + 1);
        }
    return b;
  }
  int inkCount() const {
    int n = 0;
    for (int y = 0; y < kSize; ++y)
      for (int x = 0; x < kSize; ++x) n += colourAt(x + 0.5, y + 0.5) != 0xffffff;
    return n;
  }

  TagDrawing drawing;

 private:
  std::unique_ptr<cairo_surface_t, decltype(&cairo_surface_destroy)> surface_{nullptr, cairo_surface_destroy};
};

// A point check: ink expected (or not) near a world point, optionally of one colour.
struct Probe {
  double x, y;
  bool ink;
  int colour = -1;  // 0xRRGGBB when the colour matters
};

inline void checkProbes(const Page& page, const std::vector<Probe>& probes) {
  for (const Probe& p : probes) {
    SCOPED_TRACE("at (" + std::to_string(p.x) + ", " + std::to_string(p.y) + ")");
    if (p.colour >= 0) EXPECT_EQ(page.colourAt(p.x, p.y), static_cast<unsigned>(p.colour));
    else if (p.ink) EXPECT_TRUE(page.inkNear(p.x, p.y));
    else EXPECT_FALSE(page.inkNear(p.x, p.y));
  }
}

}  // namespace arx::render::testing
