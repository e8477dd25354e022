#pragma once
// What a plot shows: the plot area of the page setup and the entities of the
// visible, plottable layers in draw order.
#include <optional>
#include <string>

#include "arx/drawing.h"
#include "arx/plotdevices.h"
#include <cairo.h>

#include "plot_frame.h"

namespace arx::plot {

// The device and medium a plot uses; null device with `error` set when the
// device is unknown or "None".
struct PlotTarget {
  const PlotDevice* device = nullptr;
  PlotMedium medium;
};
PlotTarget plotTarget(const PageSetup& setup, const std::string& deviceOverride, std::string& error);

// The plot area of the page setup on a page of `medium`.
std::optional<PlotFrame> plotFrame(const AcDbDatabase& db, const PlotMedium& medium, std::string& error);

// Page pixels per millimetre of lineweight: the PostScript device's pixels are
// points; the raster devices plot at 100 pixels an inch.
double pixelsPerMm(PlotFormat format);

// Draws model space on the frame's page: white paper, then every entity of
// the plottable layers that are on and thawed, in draw order.
void drawModelSpace(const AcDbDatabase& db, cairo_t* cr, const PlotFrame& frame, double pixelsPerMm);

}  // namespace arx::plot
