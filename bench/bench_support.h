#pragma once
// What the whole-run benchmarks share: timing, running the peer, a temporary folder.
#include <unistd.h>

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <memory>
#include <string>

namespace bench {

constexpr const char* kPython = "/usr/bin/python3";

inline double secondsSince(std::chrono::steady_clock::time_point start) {
  return std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
}

inline std::string quoted(const std::string& text) { return "'" + text + "'"; }

// Runs a command; its standard output, or nothing when it failed.
inline bool run(const std::string& command, std::string& output) {
  std::unique_ptr<FILE, decltype(&pclose)> pipe(popen(command.c_str(), "r"), pclose);
  if (!pipe) return false;
  char buffer[256];
  while (fgets(buffer, sizeof buffer, pipe.get())) output += buffer;
  return pclose(pipe.release()) == 0;
}

struct TempFolder {
  explicit TempFolder(const std::string& name)
      : path(std::filesystem::temp_directory_path() / (name + "-" + std::to_string(getpid()))) {
    std::filesystem::create_directories(path);
  }
  ~TempFolder() {
    std::error_code ec;
    std::filesystem::remove_all(path, ec);
  }
  std::filesystem::path path;
};

// The entity count of "PROGRAM [--entities N]" into `entities` (left as it
// is without the option); false with the reason in `error`.
inline bool entitiesArgument(int argc, char** argv, long& entities, std::string& error) {
  if (argc == 3 && std::string(argv[1]) == "--entities") entities = std::atol(argv[2]);
  else if (argc != 1) error = "usage: " + std::filesystem::path(argv[0]).filename().string() + " [--entities N]";
  else return true;
  if (error.empty() && entities <= 0) error = "the number of entities must be positive";
  return error.empty();
}

// Makes the benchmark's drawing of `entities` entities at `dxf` with the
// samples script (ezdxf, RW_SAMPLES_SCRIPT); false when it cannot.
inline bool makeBenchDrawing(long entities, const std::string& dxf) {
  std::string output;
  return run(std::string(kPython) + " " + quoted(RW_SAMPLES_SCRIPT) + " --bench " + std::to_string(entities) + " " +
                 quoted(dxf),
             output);
}

inline int fail(const char* program, const std::string& message) {
  std::fprintf(stderr, "%s: %s\n", program, message.c_str());
  return 1;
}

}  // namespace bench
