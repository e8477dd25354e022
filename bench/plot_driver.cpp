// Plots a DXF with the drawing editor, for the comparison with ezdxf's drawing
// add-on (render_compare.py): the drawing is opened into the database, the
// model layout's page setup becomes the PNG device with a page of the given
// size and plot type Window (from the page's lower-left corner, not centred),
// and the layout is plotted as a real plot would be.
//   plot_driver IN.dxf OUT.png WIDTH HEIGHT X1 Y1 X2 Y2
// The window is in world coordinates (the drawings' views are not twisted).
// Prints "plot-seconds S" (opening and plotting).
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <string>

#include "arx/drawing.h"
#include "arx/plot.h"
#include "arx/plotdevices.h"

namespace {

bool number(const char* text, double& value) {
  char* end = nullptr;
  value = std::strtod(text, &end);
  return end != text && *end == '\0';
}

}  // namespace

int main(int argc, char** argv) {
  double values[6];
  bool ok = argc == 9;
  for (int i = 0; ok && i < 6; ++i) ok = number(argv[3 + i], values[i]);
  if (!ok) {
    std::fprintf(stderr, "usage: %s IN.dxf OUT.png WIDTH HEIGHT X1 Y1 X2 Y2\n", argv[0]);
    return 2;
  }
  const int width = static_cast<int>(values[0]), height = static_cast<int>(values[1]);
  if (width < arx::kSmallestUserSize || height < arx::kSmallestUserSize || width > arx::kLargestUserSize ||
      height > arx::kLargestUserSize) {
    std::fprintf(stderr, "%s: the page must be %d to %d pixels on each side\n", argv[0], arx::kSmallestUserSize,
                 arx::kLargestUserSize);
    return 2;
  }
  const auto start = std::chrono::steady_clock::now();
  const arx::FileResult opened = arx::openDrawing(argv[1]);
  if (!opened.ok) {
    std::fprintf(stderr, "%s: %s\n", argv[1], opened.error.c_str());
    return 1;
  }
  arx::PageSetup& setup = arx::pageSetup(arx::workingDrawing());
  setup.plotCfgName = "PublishToWeb PNG.pc3";
  setup.canonicalMediaName = arx::userMedium(width, height).canonicalName;
  setup.plotType = arx::PlotType::Window;
  setup.windowMin = {values[2], values[3]};
  setup.windowMax = {values[4], values[5]};
  setup.centered = false;
  setup.plotOrigin = {0, 0};
  const arx::FileResult plotted = arx::plotLayout(arx::workingDrawing(), argv[2]);
  if (!plotted.ok) {
    std::fprintf(stderr, "%s: %s\n", argv[2], plotted.error.c_str());
    return 1;
  }
  const double seconds = std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
  std::printf("plot-seconds %.3f\n", seconds);
  return 0;
}
