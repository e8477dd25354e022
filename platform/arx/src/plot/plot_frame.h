#pragma once
// Where the plot window lands on the page: the window (display coordinates)
// is fitted into the medium with its aspect kept, as a plotter scales to fit,
// from the lower-left corner of the page (moved by the plot origin) or centred
// when the page setup says so. World points reach display coordinates through the view.
#include <optional>
#include <string>

#include "arx/drawing.h"

namespace arx::plot {

// x' = xx*x + xy*y + x0, y' = yx*x + yy*y + y0
struct Affine {
  double xx = 1, yx = 0, xy = 0, yy = 1, x0 = 0, y0 = 0;
  Point apply(Point p) const { return {xx * p.x + xy * p.y + x0, yx * p.x + yy * p.y + y0}; }
};

// The view's world -> display conversion as an affine map.
Affine displayAffine(const View& view);

// The page setup's choice of where the fitted window goes on the paper.
struct PagePlacement {
  bool centered = false;
  Point origin;  // pixels right and up from the lower-left corner (not centred)
};

class PlotFrame {
 public:
  // Null with `error` set when the window has no area or is not finite.
  static std::optional<PlotFrame> make(Point corner1, Point corner2, int width, int height,
                                       const Affine& worldToDisplay, const PagePlacement& placement,
                                       std::string& error);
  // The same with the current view's world -> display conversion.
  static std::optional<PlotFrame> make(Point corner1, Point corner2, int width, int height,
                                       const View& view, const PagePlacement& placement, std::string& error);

  int width() const { return width_; }
  int height() const { return height_; }
  // World point -> page pixel (y down).
  Point toPage(Point world) const { return worldToPage_.apply(world); }
  // Page pixels per world unit (the view keeps lengths, so it is one number).
  double scale() const { return scale_; }
  // Angle of the world x axis on the page, counter-clockwise as seen.
  double rotation() const { return rotation_; }
  const Affine& worldToPage() const { return worldToPage_; }

 private:
  int width_ = 0, height_ = 0;
  double scale_ = 1, rotation_ = 0;
  Affine worldToPage_;
};

}  // namespace arx::plot
