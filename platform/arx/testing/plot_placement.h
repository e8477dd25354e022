#pragma once
// Where a plot window lands on the paper, for the tests of the plotter and of
// the pictures placed from its plots: a window from (0,0) to `high` on the
// VGA paper of the PNG device (640 x 480 pixels), centred on the paper or
// from its lower-left corner moved by the plot origin.
#include "arx/drawing.h"
#include "arx/plot.h"

namespace arx_testing {

struct PlotPlacement {
  const char* name;
  arx::Point high;
  bool centered = false;
  arx::Point origin{0, 0};
};

// Sets the page setup of `db` to plot the placement's window.
inline void usePlacement(AcDbDatabase& db, const PlotPlacement& placement) {
  arx::PageSetup& setup = arx::pageSetup(db);
  setup.plotCfgName = "PublishToWeb PNG.pc3";
  setup.canonicalMediaName = "VGA_(640.00_x_480.00_Pixels)";
  setup.plotType = arx::PlotType::Window;
  setup.windowMin = {0, 0};
  setup.windowMax = placement.high;
  setup.centered = placement.centered;
  setup.plotOrigin = placement.origin;
}

}  // namespace arx_testing
