// hatch-host: a program that calls DoSchraff of dfelmar2.dll and carries out
// the actions it asks for. See docs/hatch-host.md.
#include <cstdio>

#include "host.h"

int main(int argc, char** argv) {
  hatchhost::Options options;
  std::string error;
  if (!hatchhost::ParseOptions({argv + 1, argv + argc}, options, error)) {
    std::fprintf(stderr, "hatch-host: %s\n%s", error.c_str(), hatchhost::Usage().c_str());
    return hatchhost::kExitUsage;
  }
  if (options.help) {
    std::printf("%s", hatchhost::Usage().c_str());
    return 0;
  }
  return hatchhost::Run(options);
}
