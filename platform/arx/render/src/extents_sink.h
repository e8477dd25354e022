#pragma once
// Sinks that measure instead of drawing: the world box of what an entity
// draws, and whether any of it meets a window.
#include <optional>

#include "arx/render/render.h"
#include "sink.h"

namespace arx::render {

class ExtentsSink : public Sink {
 public:
  double worldPerPixel() const override { return 0; }
  double pageHeightWorld() const override { return 0; }
  void stroke(const Path& path, const Pen& pen) override;
  void fill(const std::vector<Path>& loops, const Paint& paint) override;
  void text(const TextRun& run, const Paint& paint) override;
  void picture(cairo_surface_t* picture, Vec2 o, Vec2 u, Vec2 v, const std::vector<Vec2>& clip,
               const Paint& frame) override;
  void wipeout(const std::vector<Vec2>& loop) override;
  std::optional<Box> box() const;

 protected:
  virtual void points(const std::vector<Vec2>& pts, bool area);

 private:
  double minX_ = 1e300, minY_ = 1e300, maxX_ = -1e300, maxY_ = -1e300;
};

// Crossing: true as soon as a stroke meets the window or a filled area,
// text box or picture overlaps it.
class CrossingSink : public ExtentsSink {
 public:
  // `toWindow` takes world points to the window's coordinates.
  CrossingSink(const Box& window, const Affine2& toWindow) : w_(window), toWindow_(toWindow) {}
  double pageHeightWorld() const override { return w_.maxY - w_.minY; }
  bool wantsMore() const override { return !found_; }
  bool found() const { return found_; }
  // A picture is selected by its frame, not by what lies inside it.
  void picture(cairo_surface_t* picture, Vec2 o, Vec2 u, Vec2 v, const std::vector<Vec2>& clip,
               const Paint& frame) override;

 protected:
  void points(const std::vector<Vec2>& pts, bool area) override;

 private:
  Box w_;
  Affine2 toWindow_;
  bool found_ = false;
};

}  // namespace arx::render
