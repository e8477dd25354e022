// Whole-run timing of plotting a large drawing to PNG, side by side with a
// peer doing the same job on the same DXF (see CMakeLists.txt).
#include <unistd.h>

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <memory>
#include <string>

#include "arx/drawing.h"
#include "bench_support.h"
#include "arx/plot.h"

namespace fs = std::filesystem;

namespace {

using namespace bench;

int fail(const std::string& message) { return bench::fail("plot_bench", message); }

}  // namespace

int main(int argc, char** argv) {
  long entities = 100000;
  if (std::string error; !entitiesArgument(argc, argv, entities, error)) return fail(error);

  TempFolder temp("rw-plot-bench");
  const std::string dxf = (temp.path / "bench.dxf").string();
  std::printf("making a drawing of %ld entities (lines, polylines, circles, arcs, texts, block references, "
              "hatches, MTEXT, dimensions)...\n",
              entities);
  std::fflush(stdout);
  if (!makeBenchDrawing(entities, dxf)) return fail("the drawing could not be made (python3-ezdxf installed?)");
  std::string output;

  auto start = std::chrono::steady_clock::now();
  const arx::FileResult opened = arx::openDrawing(dxf);
  if (!opened.ok) return fail(opened.error);
  const double readSeconds = secondsSince(start);
  start = std::chrono::steady_clock::now();
  const arx::FileResult plotted = arx::plotLayout(arx::workingDrawing(), (temp.path / "ours.png").string());
  if (!plotted.ok) return fail(plotted.error);
  const double plotSeconds = secondsSince(start);
  const double ours = readSeconds + plotSeconds;
  std::printf("ours: %.3f s (reading %.3f s, plotting %.3f s)\n", ours, readSeconds, plotSeconds);
  std::fflush(stdout);

  output.clear();
  start = std::chrono::steady_clock::now();
  if (!run(std::string(kPython) + " " + quoted(RW_PEER_SCRIPT) + " " + quoted(dxf) + " " +
               quoted((temp.path / "peer.png").string()) + " 640 480",
           output))
    return fail("the peer failed");
  const double peerWall = secondsSince(start);
  double peer = peerWall;
  std::sscanf(output.c_str(), "peer-seconds %lf", &peer);
  std::printf("peer (ezdxf drawing add-on + matplotlib): %.3f s (%.3f s with interpreter start-up)\n", peer, peerWall);
  std::printf("ratio peer/ours: %.1f (target: at least 10)\n", peer / ours);
  return 0;
}
