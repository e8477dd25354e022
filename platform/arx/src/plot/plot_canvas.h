#pragma once
// Drawing primitives of a plot in world coordinates. Geometry goes through the
// plot frame to page pixels and is clipped there in double precision, so that
// far-away or huge geometry (1e12 units) never reaches cairo's fixed-point range.
#include <cairo.h>

#include <string>
#include <vector>

#include "arx/drawing.h"
#include "plot_frame.h"

namespace arx::plot {

struct Colour {
  double r = 0, g = 0, b = 0;  // 0..1
};

class PlotCanvas {
 public:
  PlotCanvas(cairo_t* cr, const PlotFrame& frame);

  void paintWhite();
  void setColour(Colour colour);
  void draw(const LineShape& line);
  void draw(const PolylineShape& polyline);
  void draw(const CircleShape& circle);
  void draw(const ArcShape& arc);
  // Text in UTF-8 (the caller converts from the drawing's code page).
  void drawText(const TextShape& text, const std::string& utf8);
  // `picture` fills the image's parallelogram; without one, its outline is drawn.
  void drawImage(const ImageShape& image, cairo_surface_t* picture);

 private:
  void segment(Point a, Point b);  // page coordinates
  void bulgeArc(Point from, Point to, double bulge);
  void arcPath(Point centre, double radius, double start, double end);
  void sampledArc(Point page, double radius, double start, double end);
  bool insidePage(Point p, double margin) const;

  cairo_t* cr_;
  const PlotFrame& frame_;
  double left_, top_, right_, bottom_;  // page with a margin, for clipping
};

}  // namespace arx::plot
