#pragma once
// What a plot shows: the plot area of the page setup and the entities of the
// visible, plottable layers in draw order.
#include <optional>
#include <string>

#include "arx/drawing.h"
#include "arx/plotdevices.h"
#include "plot_canvas.h"
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

// Draws model space on `canvas`, layer by layer rules applied, after painting the page white.
void drawModelSpace(const AcDbDatabase& db, PlotCanvas& canvas);

}  // namespace arx::plot
