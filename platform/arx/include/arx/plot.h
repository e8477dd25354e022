#pragma once
// Plotting the active layout: what the plot object of the automation chain
// and the plot preview do, callable directly by hosts and tests.
#include <optional>
#include <string>
#include <vector>

#include "arx/drawing.h"
#include "arx/plotdevices.h"

namespace arx {

// Plots the active layout of `db` to `path` (POSIX) with the layout's page
// setup, or with the device named `device` when that is not empty. The plot
// area follows the plot type: Window plots the window, Extents the drawing's
// extents, the other types the current view. Only entities on layers that are
// plottable, on and thawed are drawn, with their colours, linetypes and
// lineweights, on a white page of the medium's size; the area is fitted from
// the page's lower-left corner (moved by the plot origin), or centred when the
// page setup says so (docs/drawing-editor.md). The file is
// complete when this returns; on failure none is left and `error` says why.
FileResult plotLayout(const AcDbDatabase& db, const std::string& path, const std::string& device = "");

// The same page as plotLayout with the layout's own device and medium, but
// written in `format` (the preview's PNG of a PostScript page, for instance).
FileResult plotLayoutAs(const AcDbDatabase& db, const std::string& path, PlotFormat format);

// A full plot preview: the layout plotted to a temporary PNG that the UI
// driver shows (the transcript names it) until the user closes it. The
// picture is removed afterwards.
FileResult previewLayout(const AcDbDatabase& db);

// The pixels of a picture file (PNG, JPG, TIF, ...), for checking plots.
struct PlotPicture {
  int width = 0;
  int height = 0;
  std::vector<unsigned char> rgb;  // row by row from the top, 3 bytes a pixel
  const unsigned char* at(int x, int y) const { return &rgb[(static_cast<size_t>(y) * width + x) * 3]; }
};
std::optional<PlotPicture> readPlotPicture(const std::string& path);

}  // namespace arx
