// acad-host: the drawing editor as a program that loads application modules
// and runs commands from a script or the terminal (docs/acad-host.md).
#include <cstdio>
#include <exception>
#include <string>
#include <vector>

#include "exit_codes.h"
#include "options.h"
#include "session.h"

int main(int argc, char** argv) {
  std::string error;
  const auto options = acadhost::parseOptions(std::vector<std::string>(argv + 1, argv + argc), error);
  if (!options) {
    std::fprintf(stderr, "acad-host: %s\n%s", error.c_str(), acadhost::usage().c_str());
    return acadhost::kExitUsage;
  }
  if (options->help) {
    std::printf("%s", acadhost::usage().c_str());
    return acadhost::kExitOk;
  }
  try {
    return acadhost::runSession(*options);
  } catch (const std::exception& failure) {
    std::fprintf(stderr, "acad-host: %s\n", failure.what());
  }
  return acadhost::kExitUnexpected;
}
