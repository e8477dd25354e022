#pragma once
// Plot pages and the files they become: PNG, JPG and TIF from a raster page,
// EPS from a PostScript page. A file appears complete or not at all.
#include <cairo.h>

#include <functional>
#include <string>

#include "arx/plotdevices.h"

namespace arx::plot {

// Draws a page of `width` x `height` pixels with `draw` and writes it to
// `path` (a POSIX path) in `format`. False with `error` set on failure.
bool writePlotFile(PlotFormat format, int width, int height, const std::string& path,
                   const std::function<void(cairo_t*)>& draw, std::string& error);

}  // namespace arx::plot
