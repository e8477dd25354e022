#pragma once
// The page: draws what entities decode into with cairo, after mapping to
// page pixels and clipping there in double precision.
#include <cairo.h>

#include "arx/render/render.h"
#include "sink.h"

namespace arx::render {

class PageCanvas : public Sink {
 public:
  PageCanvas(cairo_t* cr, int width, int height, const PageTransform& toPage, const RenderOptions& options);

  double worldPerPixel() const override { return 1 / scale_; }
  double pageHeightWorld() const override { return height_ / scale_; }
  void stroke(const Path& path, const Pen& pen) override;
  void fill(const std::vector<Path>& loops, const Paint& paint) override;
  void text(const TextRun& run, const Paint& paint) override;
  void picture(cairo_surface_t* picture, Vec2 o, Vec2 u, Vec2 v, const std::vector<Vec2>& clip,
               const Paint& frame) override;
  void wipeout(const std::vector<Vec2>& loop) override;

 private:
  // A page-space polyline clipped to the page, as runs with the distance
  // along the polyline where each starts (dash phase).
  struct Run {
    std::vector<Vec2> points;
    double start = 0;
  };
  std::vector<Run> clipPolyline(const std::vector<Vec2>& page) const;
  void pagePoints(const PathPiece& piece, std::vector<Vec2>& out) const;
  void visibleArc(const EllipseArc& page, std::vector<std::vector<Vec2>>& pieces) const;
  std::vector<Vec2> clipLoop(std::vector<Vec2> loop) const;
  void setPaint(const Paint& paint);
  double penWidth(const Pen& pen) const;

  cairo_t* cr_;
  int width_, height_;
  Affine2 toPage_;
  double scale_;
  RenderOptions options_;
  double margin_ = 64;
};

}  // namespace arx::render
