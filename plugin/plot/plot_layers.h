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

// "%s(Layer%d).%s": the plot file of layer `index`.
std::string plotLayerFileName(const std::string& basePath, std::size_t index, const std::string& fileType);

// Fills thePlotLayerList with the plottable layers of the objects that cross
// the window (world coordinates), in the order they are met. False when
// nothing is selected.
bool collectPlotLayers(const PlotWindow& window);

// One plot file per listed layer, with only that layer plottable and
// "BACKGROUNDPLOT" 0. The flags and "BACKGROUNDPLOT" are restored on every
// way out, an exception included.
bool plotLayers(const std::string& basePath, const std::string& fileType);
