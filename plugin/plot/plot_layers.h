#pragma once
// The drawing layers met in the plot window and their plotting, one plot
// file per layer with only that layer plottable.
#include <dbid.h>

#include <cstddef>
#include <string>
#include <vector>

#include "plot/plot_window.h"

// Parallel lists: index i is plot file i and editor layer i.
struct PlotLayerList {
  std::vector<AcDbObjectId> ids;
  std::vector<std::string> names;

  std::size_t size() const { return ids.size(); }
  bool empty() const { return ids.empty(); }
  void clear() {
    ids.clear();
    names.clear();
  }
};

extern PlotLayerList thePlotLayerList;

// The plots of one run as an editor's create step takes them: plot file i,
// "%s(Layer%d).%s" (basePath, i, plotType), becomes the editor layer named
// layerNames[i].
struct LayerPlots {
  std::string basePath;
  std::string plotType;
  std::vector<std::string> layerNames;
  double psResolution = 0.0;  // pixels per inch for "eps" plots, else 0
};

// The plots of thePlotLayerList: "eps" plots (that exact type) carry the
// settings' PostScript resolution in pixels per inch.
LayerPlots layerPlots(const std::string& basePath, const std::string& plotType);

// "%s(Layer%d).%s": the plot file of layer `index`.
std::string plotLayerFileName(const std::string& basePath, std::size_t index, const std::string& fileType);

// Fills thePlotLayerList with the plottable layers of the objects that cross
// the window (world coordinates), in the order they are met. False when
// nothing is selected.
bool collectPlotLayers(const PlotWindow& window);

// One plot file per listed layer, with only that layer plottable and
// "BACKGROUNDPLOT" 0. The flags and "BACKGROUNDPLOT" are restored on every
// way out, an exception included.
void plotLayers(const std::string& basePath, const std::string& fileType);

// The plottable flag of a layer table record; false when it cannot be opened.
bool readLayerPlottable(AcDbObjectId layerId, bool& on);
bool setLayerPlottable(AcDbObjectId layerId, bool on);
