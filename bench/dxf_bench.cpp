// Whole-run timing of opening and saving a large drawing (about 100 MB), side
// by side with a peer (ezdxf's readfile and saveas) on the same file, and the
// peak memory of both (see CMakeLists.txt).
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <memory>
#include <string>

#include "arx/drawing.h"
#include "bench_support.h"

namespace fs = std::filesystem;

namespace {

using namespace bench;

int fail(const std::string& message) { return bench::fail("dxf_bench", message); }

// Opens and saves in a child process, so that its peak memory is its own.
bool openAndSave(const std::string& source, const std::string& target, double& seconds, long& peakKb) {
  int pipeEnds[2];
  if (pipe(pipeEnds) != 0) return false;
  const pid_t child = fork();
  if (child == 0) {
    close(pipeEnds[0]);
    const auto start = std::chrono::steady_clock::now();
    const bool ok = arx::openDrawing(source).ok && arx::saveDrawing(target).ok;
    const double s = secondsSince(start);
    if (write(pipeEnds[1], &s, sizeof s) != sizeof s) _exit(2);
    _exit(ok ? 0 : 1);
  }
  close(pipeEnds[1]);
  const bool got = read(pipeEnds[0], &seconds, sizeof seconds) == sizeof seconds;
  close(pipeEnds[0]);
  int status = 0;
  rusage usage{};
  if (child < 0 || wait4(child, &status, 0, &usage) != child) return false;
  peakKb = usage.ru_maxrss;
  return got && WIFEXITED(status) && WEXITSTATUS(status) == 0;
}

}  // namespace

int main(int argc, char** argv) {
  long entities = 540000;  // about 100 MB as ezdxf writes them
  if (std::string error; !entitiesArgument(argc, argv, entities, error)) return fail(error);

  TempFolder temp("rw-dxf-bench");
  const std::string dxf = (temp.path / "bench.dxf").string();
  std::printf("making a drawing of %ld entities with ezdxf...\n", entities);
  std::fflush(stdout);
  if (!makeBenchDrawing(entities, dxf)) return fail("the drawing could not be made (python3-ezdxf installed?)");
  std::string output;
  const double megabytes = static_cast<double>(fs::file_size(dxf)) / 1e6;
  std::printf("drawing: %.1f MB\n", megabytes);

  double ours = 0.0;
  long oursKb = 0;
  if (!openAndSave(dxf, (temp.path / "ours.dxf").string(), ours, oursKb)) return fail("opening or saving failed");
  std::printf("ours (open + save): %.3f s, peak memory %.1f MB = %.2f x the file\n", ours, oursKb / 1e3,
              oursKb / 1e3 / megabytes);
  std::fflush(stdout);

  output.clear();
  if (!run(std::string(kPython) + " " + quoted(RW_PEER_DXF_SCRIPT) + " " + quoted(dxf) + " " +
               quoted((temp.path / "peer.dxf").string()),
           output))
    return fail("the peer failed");
  double peer = 0.0;
  long peerKb = 0;
  std::sscanf(output.c_str(), "peer-seconds %lf peak-kb %ld", &peer, &peerKb);
  std::printf("peer (ezdxf readfile + saveas): %.3f s, peak memory %.1f MB\n", peer, peerKb / 1e3);
  std::printf("ratio peer/ours: %.1f (target: at least 10); our peak memory %.2f x the file (target: at most 3)\n",
              peer / ours, oursKb / 1e3 / megabytes);
  return 0;
}
