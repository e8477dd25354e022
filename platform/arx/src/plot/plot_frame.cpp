#include "plot_frame.h"

#include <algorithm>
#include <cmath>

#include "edit/view.h"

namespace arx::plot {

std::optional<PlotFrame> PlotFrame::make(Point corner1, Point corner2, int width, int height,
                                         const Affine& worldToDisplay, const PagePlacement& placement,
                                         std::string& error) {
  const double left = std::min(corner1.x, corner2.x), right = std::max(corner1.x, corner2.x);
  const double bottom = std::min(corner1.y, corner2.y), top = std::max(corner1.y, corner2.y);
  const double w = right - left, h = top - bottom;
  if (width <= 0 || height <= 0) {
    error = "The plot device has no paper size";
    return std::nullopt;
  }
  if (!std::isfinite(w) || !std::isfinite(h)) {
    error = "The plot window is not a finite area";
    return std::nullopt;
  }
  if (w <= 0 || h <= 0) {
    error = "The plot window has no area";
    return std::nullopt;
  }
  const double scale = std::min(width / w, height / h);
  if (!std::isfinite(scale)) {
    error = "The plot window is too small to plot";
    return std::nullopt;
  }
  // Display -> page, y axis down: the window's lower-left corner goes to the
  // page's lower-left corner plus the origin, or the window's centre to the page's.
  double px = placement.origin.x, py = placement.origin.y;
  if (placement.centered) px = (width - scale * w) / 2, py = (height - scale * h) / 2;
  if (!std::isfinite(px) || !std::isfinite(py)) px = py = 0;
  const Affine& v = worldToDisplay;
  PlotFrame frame;
  frame.width_ = width;
  frame.height_ = height;
  frame.scale_ = scale;
  frame.rotation_ = std::atan2(v.yx, v.xx);
  frame.worldToPage_ = {scale * v.xx,  -scale * v.yx, scale * v.xy, -scale * v.yy,
                        px + scale * (v.x0 - left), height - py - scale * (v.y0 - bottom)};
  return frame;
}

}  // namespace arx::plot

namespace arx::plot {

// The conversion is affine: read it off three points.
Affine displayAffine(const View& view) {
  const Point o = worldToDisplay(view, {0, 0});
  const Point x = worldToDisplay(view, {1, 0});
  const Point y = worldToDisplay(view, {0, 1});
  return {x.x - o.x, x.y - o.y, y.x - o.x, y.y - o.y, o.x, o.y};
}

std::optional<PlotFrame> PlotFrame::make(Point corner1, Point corner2, int width, int height,
                                         const View& view, const PagePlacement& placement,
                                         std::string& error) {
  return make(corner1, corner2, width, height, displayAffine(view), placement, error);
}

}  // namespace arx::plot
